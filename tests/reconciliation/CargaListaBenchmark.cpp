// How long the main window takes to load its list from a company database
// with 1,000, 10,000 and 100,000 reconciliations, against the one set-based
// query that yields the same facts (the header, the account's description and
// whether an opening is in force) on the same database, in the same run. The
// list is loaded through the real window on the offscreen platform, until the
// window has taken its events (the rows laid out). Prints both times, their
// ratio, the statements one load sends and the peak resident memory of a
// process that opens the window on that database; checks no time.
//
//     rendimiento_lista_conciliaciones [filas ...]
//
// With the private PostgreSQL server's variables set (scripts/servidor-postgres.sh)
// the same runs on the server.

#include "data/DB_Dll.h"
#include "reconciliation/FrmOpenConc.h"
#include "session/BaseDemo.h"
#include "session/Global.h"
#include "support/BaseDemo.h"
#include "support/BasePostgres.h"
#include "support/ConciliacionesGeneradas.h"
#include "support/DialogosGuion.h"
#include "support/EntornoPruebas.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <algorithm>
#include <cstdio>
#include <memory>

namespace {

const QString ConsultaDirecta = QStringLiteral(
    "SELECT C.*, M.DESCRIPCION, (SELECT COUNT(*) FROM MV_CONCILIACION_OPEN O WHERE "
    "O.IDCONCILIACION = C.IDCONCILIACION AND O.ESTADO = 1) AS VIGENTES FROM MV_CONCILIACION_CAB C "
    "LEFT JOIN MA_CUENTAS M ON M.CODIGO = C.Cuenta ORDER BY C.IDCONCILIACION");

struct Medida {
    double listaMs = 0;
    double consultaMs = 0;
    int filas = 0;
    int sentencias = 0;
    double picoMb = 0;
};

double milisegundos(const QElapsedTimer& reloj) { return double(reloj.nsecsElapsed()) / 1e6; }

// The best of a few runs: what the code costs, not what the busy machine adds.
template <typename F>
double mejorDe(int veces, F&& f) {
    double mejor = 1e300;
    for (int i = 0; i < veces; ++i) mejor = std::min(mejor, f());
    return mejor;
}

int sentenciasEnTraza(const QString& archivo) {
    QFile f(archivo);
    if (!f.open(QIODevice::ReadOnly)) return -1;
    static const QRegularExpression marca(QStringLiteral("^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d\\.\\d{3} "),
                                          QRegularExpression::MultilineOption);
    return int(QString::fromUtf8(f.readAll()).count(marca));
}

// The main window opened with the session's command line, shown; its
// start-up already loads the list once.
struct VentanaAbierta {
    explicit VentanaAbierta(const QString& lineaComandos) {
        global.lineaComandos = [lineaComandos] { return lineaComandos; };
        global.terminarPrograma = [] {};
        ventana.cargar();
        ventana.show();
        QCoreApplication::processEvents();
    }

    prueba::DialogosGuion dialogos;
    sesion::Global global{dialogos};
    conciliacion::FrmOpenConc ventana{global, dialogos};
};

Medida medir(const QString& lineaComandos, int veces) {
    Medida m;
    VentanaAbierta abierta(lineaComandos);
    conciliacion::FrmOpenConc& ventana = abierta.ventana;
    sesion::Global& global = abierta.global;
    const prueba::DialogosGuion& dialogos = abierta.dialogos;
    m.listaMs = mejorDe(veces, [&] {
        QElapsedTimer reloj;
        reloj.start();
        ventana.CargarLista();
        QCoreApplication::processEvents();
        return milisegundos(reloj);
    });
    m.filas = ventana.lista().topLevelItemCount();
    m.consultaMs = mejorDe(veces, [&] {
        QElapsedTimer reloj;
        reloj.start();
        ado::Recordset rs;
        rs.Open(ConsultaDirecta, global.DB.gCnn(), ado::cursor::ForwardOnly, ado::bloqueo::ReadOnly);
        long leidas = 0;
        for (; !rs.EOF_(); rs.MoveNext()) {
            for (long k = 0; k < rs.FieldCount(); ++k) (void)rs.Fields(k).Value();
            ++leidas;
        }
        rs.Close();
        if (leidas != m.filas) std::fprintf(stderr, "la consulta directa leyó %ld filas\n", leidas);
        return milisegundos(reloj);
    });
    QTemporaryDir carpeta;
    const QString traza = carpeta.filePath(QStringLiteral("traza.sql"));
    qputenv("QUINTARO_TRAZA_SQL", QFile::encodeName(traza));
    ventana.CargarLista();
    qunsetenv("QUINTARO_TRAZA_SQL");
    m.sentencias = sentenciasEnTraza(traza);
    if (!dialogos.mensajes().empty())
        std::fprintf(stderr, "la carga mostró: %s\n", qPrintable(dialogos.mensajes().front().texto));
    return m;
}

// A process of its own opens the window on the database and loads the list:
// its peak resident memory is the window's with that list.
double picoDeMemoria(const QString& programa, const QString& lineaComandos) {
    QProcess proceso;
    proceso.start(programa, {QStringLiteral("--memoria"), lineaComandos});
    if (!proceso.waitForFinished(600000)) return -1;
    return QString::fromUtf8(proceso.readAllStandardOutput()).trimmed().toDouble() / 1024.0;
}

int memoriaDeUnaCarga(const QString& lineaComandos) {
    const VentanaAbierta abierta(lineaComandos);
    QFile estado(QStringLiteral("/proc/self/status"));
    estado.open(QIODevice::ReadOnly);
    const QString texto = QString::fromLatin1(estado.readAll());
    const QRegularExpressionMatch pico = QRegularExpression(QStringLiteral("VmHWM:\\s*(\\d+)")).match(texto);
    std::printf("%s\n", qPrintable(pico.captured(1)));
    return 0;
}

void imprimirCabecera(const char* motor) {
    std::printf("\n%s (compilación %s)\n", motor, QUINTARO_TIPO_COMPILACION);
    std::printf("%8s %10s %12s %11s %11s %9s\n", "filas", "lista ms", "consulta ms", "proporción",
                "sentencias", "pico MB");
}

void imprimir(const Medida& m, double meta, int filas) {
    const double proporcion = m.consultaMs > 0 ? m.listaMs / m.consultaMs : 0;
    std::printf("%8d %10.1f %12.1f %10.2fx %11d %9.1f", m.filas, m.listaMs, m.consultaMs, proporcion,
                m.sentencias, m.picoMb);
    if (filas == 10000) std::printf("   meta %.0fx: %s", meta, proporcion <= meta ? "cumplida" : "NO cumplida");
    std::printf("\n");
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    prueba::fijarEntorno();
    QApplication aplicacion(argc, argv);
    const QStringList argumentos = aplicacion.arguments().mid(1);
    if (argumentos.size() == 2 && argumentos[0] == QStringLiteral("--memoria"))
        return memoriaDeUnaCarga(argumentos[1]);

    QList<int> tamanos;
    for (const QString& a : argumentos) tamanos << a.toInt();
    if (tamanos.isEmpty()) tamanos = {1000, 10000, 100000};
    const QString programa = aplicacion.applicationFilePath();

    imprimirCabecera("Motor embebido");
    for (int filas : tamanos) {
        prueba::BaseDemo demo;
        if (!demo.valida()) return std::fprintf(stderr, "%s\n", qPrintable(demo.error())), 1;
        {
            prueba::DialogosGuion dialogos;
            datos::DB_Dll sesionCarga(dialogos);
            demo.abrirSesion(sesionCarga);
            prueba::ConciliacionesGeneradas::cargar(sesionCarga, {filas, 40, false});
        }
        Medida m = medir(demo.lineaComandos(), filas >= 100000 ? 1 : 3);
        m.picoMb = picoDeMemoria(programa, demo.lineaComandos());
        imprimir(m, 2, filas);
    }

    if (!prueba::BasePostgres::disponible()) {
        std::printf("\nPostgreSQL: sin las variables del servidor privado, no se mide.\n");
        return 0;
    }
    imprimirCabecera("PostgreSQL (127.0.0.1)");
    for (int filas : tamanos) {
        prueba::BasePostgres pg(QStringLiteral("rendimiento_lista"), true);
        if (!pg.valida()) return std::fprintf(stderr, "%s\n", qPrintable(pg.error())), 1;
        {
            prueba::DialogosGuion dialogos;
            datos::DB_Dll sesionCarga(dialogos);
            sesionCarga.gServidor = pg.origenDatos();
            sesionCarga.gDBName = pg.base();
            sesionCarga.gUsuario = pg.usuario();
            sesionCarga.gUserPassWord = pg.clave();
            sesionCarga.OpenServerADODB();
            prueba::ConciliacionesGeneradas::cargar(sesionCarga, {filas, 40, false});
        }
        Medida m = medir(pg.lineaComandos(), filas >= 100000 ? 1 : 3);
        m.picoMb = picoDeMemoria(programa, pg.lineaComandos());
        imprimir(m, 3, filas);
    }
    return 0;
}
