// Draws the main window on the demo database once per skin, offscreen, and
// saves the pictures into the folder given as the first argument, so that
// the looks can be compared (docs/estilo-*.png); then "Control de Acceso"
// with two registered connections (docs/control-de-acceso.png).
//
//     capturas_estilos docs

#include "reconciliation/FrmOpenConc.h"
#include "session/ConexionesRegistradas.h"
#include "session/Global.h"
#include "session/frmAcceso.h"
#include "support/BaseDemo.h"
#include "support/DialogosGuion.h"
#include "support/EntornoPruebas.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>

namespace {

struct Piel {
    int numero;
    const char* nombre;
};

constexpr Piel pieles[] = {
    {1, "vista"}, {2, "winxp-luna"}, {3, "winxp-royale"}, {4, "itunes"}, {5, "office2007"},
};

bool prepararCarpeta(const QString& carpeta) {
    const QDir fuente(QStringLiteral(QUINTARO_ESTILOS_FUENTE));
    if (!QDir().mkpath(carpeta + QStringLiteral("/Styles"))) return false;
    for (const QString& nombre : fuente.entryList(QDir::Files))
        if (!QFile::copy(fuente.filePath(nombre), carpeta + QStringLiteral("/Styles/") + nombre)) return false;
    return true;
}

bool elegirPiel(const QString& carpeta, const QString& usuario, int numero) {
    QFile ini(carpeta + QStringLiteral("/cn000pr.ini"));
    if (!ini.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    ini.write(QStringLiteral("[%1Styles]\r\nStyles=%2\r\n").arg(usuario.toUpper()).arg(numero).toUtf8());
    return true;
}

bool capturarAcceso(const QString& carpeta, const QString& destino) {
    prueba::DialogosGuion dialogos;
    sesion::Global global(dialogos);
    const sesion::ConexionesRegistradas lista(carpeta + QStringLiteral("/"));
    const QString conexiones[][2] = {{QStringLiteral("ZANTAR_DEMO"), QStringLiteral("demo")},
                                     {QStringLiteral("EMPRESA01"), QStringLiteral("srvcontable\\zantar:1450")}};
    for (const auto& c : conexiones)
        lista.GrabarConexion(sesion::ConexionesRegistradas::clave(c[0], c[1]), c[0], c[0], c[0], c[1],
                             global.gUtilidades);
    sesion::frmAcceso dialogo(global.DB);
    dialogo.show();
    if (!QTest::qWaitForWindowExposed(&dialogo)) return false;
    const QString archivo = destino + QStringLiteral("/control-de-acceso.png");
    if (!dialogo.grab().save(archivo)) return false;
    std::printf("%s\n", qPrintable(archivo));
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    prueba::fijarEntorno();
    QApplication aplicacion(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "uso: capturas_estilos <carpeta>\n");
        return 2;
    }
    const QString destino = QString::fromLocal8Bit(argv[1]);
    QTemporaryDir programa;
    prueba::BaseDemo demo;
    if (!programa.isValid() || !demo.valida() || !prepararCarpeta(programa.path())) {
        std::fprintf(stderr, "no se pudo preparar la carpeta del programa\n");
        return 1;
    }
    qputenv("QUINTARO_CARPETA", QFile::encodeName(programa.path()));
    for (const Piel& piel : pieles) {
        prueba::DialogosGuion dialogos;
        sesion::Global global(dialogos);
        if (!elegirPiel(programa.path(), global.gDatosEquipo.usuarioEstacion(), piel.numero)) return 1;
        global.lineaComandos = [&demo] { return demo.lineaComandos(); };
        conciliacion::FrmOpenConc ventana(global, dialogos);
        ventana.cargar();
        ventana.resize(960, 560);
        ventana.show();
        if (!QTest::qWaitForWindowExposed(&ventana)) return 1;
        const QString archivo = destino + QStringLiteral("/estilo-%1-%2.png").arg(piel.numero).arg(QString::fromLatin1(piel.nombre));
        if (!ventana.grab().save(archivo)) return 1;
        std::printf("%s\n", qPrintable(archivo));
    }
    return capturarAcceso(programa.path(), destino) ? 0 : 1;
}
