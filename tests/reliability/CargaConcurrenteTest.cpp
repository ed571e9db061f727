// Many workstations on one database at the same moment, each a process of its
// own with its own connections (this program started again as a workstation):
// all have loaded the list, a barrier releases them at once, and each then
// opens a reconciliation or starts the program. On the embedded engine (one
// file shared by the processes) and on the private PostgreSQL server.
// Bounded in count and time; the figures are printed.

#include "reconciliation/FrmConcOpen.h"
#include "reconciliation/FrmOpenConc.h"
#include "reconciliation/ListaConciliaciones.h"
#include "session/Global.h"
#include "session/InicioSistema.h"
#include "support/BaseDemo.h"
#include "support/BasePostgres.h"
#include "support/DialogosGuion.h"
#include "support/EntornoPruebas.h"
#include "platform/ado/Connection.h"
#include "platform/ado/Recordset.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>
#include <iostream>
#include <memory>
#include <string>

namespace {

constexpr int SegundosMaximos = 120;  // for every phase of a run

QString codigo(int numero) { return QString::number(numero).rightJustified(15, u' '); }

// ---- One workstation (the child process) ------------------------------------------------

void avisar(const QString& linea) {
    std::cout << linea.toStdString() << std::endl;
}

void esperarLargada() {
    std::string linea;
    std::getline(std::cin, linea);
}

// Loads the list, waits for the barrier, then opens reconciliation `numero`
// with `motivo` as a user would: "RESULTADO <abierta> <ms> <first message>".
int puestoApertura(const QString& linea, int numero, const QString& motivo) {
    prueba::DialogosGuion dialogos;
    sesion::Global global(dialogos);
    global.lineaComandos = [linea] { return linea; };
    global.terminarPrograma = [] {};
    conciliacion::FrmOpenConc ventana(global, dialogos);
    ventana.cargar();
    if (!global.DB.gOpenFlag) return 2;
    conciliacion::ListaConciliaciones& lista = ventana.lista();
    for (int i = 0; i < lista.topLevelItemCount(); ++i)
        if (lista.topLevelItem(i)->text(1) == codigo(numero)) lista.setCurrentItem(lista.topLevelItem(i));
    if (!lista.filaSeleccionada() || lista.celda(1) != codigo(numero)) return 3;
    avisar(QStringLiteral("LISTO"));
    esperarLargada();

    bool abierta = false;
    std::function<void()> buscar = [&] {
        if (auto* d = qobject_cast<conciliacion::FrmConcOpen*>(QApplication::activeModalWidget()); d && d->isVisible()) {
            QTest::keyClicks(d->findChild<QPlainTextEdit*>(QStringLiteral("TXTMOTIVO")), motivo);
            QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("cmdAceptar")), Qt::LeftButton);
            abierta = d->Abierta();
            if (d->isVisible()) d->close();
            return;
        }
        QTimer::singleShot(0, &ventana, buscar);
    };
    QElapsedTimer reloj;
    reloj.start();
    QTimer::singleShot(0, &ventana, buscar);
    ventana.abrirMomentaneamente();
    const qint64 ms = reloj.elapsed();
    const QString mensaje = dialogos.mensajes().empty() ? QString() : dialogos.mensajes().front().texto;
    avisar(QStringLiteral("RESULTADO %1 %2 %3").arg(abierta ? 1 : 0).arg(ms).arg(QString(mensaje).replace(u'\n', u' ')));
    return 0;
}

// Waits for the barrier, then runs the whole start-up (connection, settings,
// usage log): "RESULTADO <open> <ms> <first message>".
int puestoInicio(const QString& linea) {
    prueba::DialogosGuion dialogos;
    sesion::Global global(dialogos);
    global.lineaComandos = [linea] { return linea; };
    global.terminarPrograma = [] {};
    avisar(QStringLiteral("LISTO"));
    esperarLargada();
    QElapsedTimer reloj;
    reloj.start();
    sesion::InicioSistema(global, 3);
    const qint64 ms = reloj.elapsed();
    const QString mensaje = dialogos.mensajes().empty() ? QString() : dialogos.mensajes().front().texto;
    avisar(QStringLiteral("RESULTADO %1 %2 %3").arg(global.DB.gOpenFlag ? 1 : 0).arg(ms).arg(QString(mensaje).replace(u'\n', u' ')));
    return 0;
}

// ---- The test: the processes and the barrier ---------------------------------------------

struct Resultado {
    bool exito = false;
    qint64 ms = 0;
    QString mensaje;
};

// Starts one process per argument list, waits until all are ready, releases
// them at once and collects what each answered. A process that does not
// answer in time is ended and counts as hung.
class Puestos {
public:
    explicit Puestos(const std::vector<QStringList>& argumentos) {
        for (const QStringList& args : argumentos) {
            auto p = std::make_unique<QProcess>();
            p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
            p->start(QCoreApplication::applicationFilePath(), args);
            procesos_.push_back(std::move(p));
        }
    }
    ~Puestos() {
        for (auto& p : procesos_) {
            if (p->state() == QProcess::NotRunning) continue;
            p->kill();
            p->waitForFinished(5000);
        }
    }

    // All said LISTO in time.
    bool listos() {
        for (auto& p : procesos_)
            if (leerLinea(*p, QStringLiteral("LISTO")).isNull()) return false;
        return true;
    }

    std::vector<Resultado> largar() {
        for (auto& p : procesos_) p->write("YA\n");
        for (auto& p : procesos_) p->waitForBytesWritten(1000);
        std::vector<Resultado> resultados;
        for (auto& p : procesos_) {
            const QString linea = leerLinea(*p, QStringLiteral("RESULTADO "));
            Resultado r;
            if (!linea.isNull()) {
                const QStringList partes = linea.split(u' ');
                r.exito = partes.value(1) == QStringLiteral("1");
                r.ms = partes.value(2).toLongLong();
                r.mensaje = partes.mid(3).join(u' ');
            } else {
                r.mensaje = QStringLiteral("<colgado>");
            }
            resultados.push_back(r);
            p->waitForFinished(SegundosMaximos * 1000);
        }
        return resultados;
    }

private:
    QString leerLinea(QProcess& p, const QString& comienzo) {
        QElapsedTimer reloj;
        reloj.start();
        while (reloj.elapsed() < SegundosMaximos * 1000) {
            while (p.canReadLine()) {
                const QString linea = QString::fromUtf8(p.readLine()).trimmed();
                if (linea.startsWith(comienzo.trimmed())) return linea;
            }
            if (p.state() == QProcess::NotRunning && !p.canReadLine()) return QString();
            p.waitForReadyRead(500);
        }
        return QString();
    }
    std::vector<std::unique_ptr<QProcess>> procesos_;
};

// The database the workstations share, and what it holds.
class BaseCompartida {
public:
    virtual ~BaseCompartida() = default;
    virtual QString lineaComandos() const = 0;
    virtual QString textoConexion() const = 0;
    long numero(const QString& consulta) const {
        ado::Connection cnn;
        cnn.Open(textoConexion());
        ado::Recordset rs;
        rs.Open(consulta, cnn);
        return rs.EOF_() ? -1 : static_cast<long>(rs.Fields(0L).Value().aEntero());
    }
};

class BaseEmbebidaCompartida : public BaseCompartida {
public:
    bool valida() const { return demo_.valida(); }
    QString lineaComandos() const override { return demo_.lineaComandos(); }
    QString textoConexion() const override { return demo_.textoConexion(); }
private:
    prueba::BaseDemo demo_;
};

class BasePostgresCompartida : public BaseCompartida {
public:
    BasePostgresCompartida() : pg_(QStringLiteral("quintaro_carga"), true) {}
    bool valida() const { return pg_.valida(); }
    QString lineaComandos() const override { return pg_.lineaComandos(QStringLiteral("mgomez"), QStringLiteral("demo")); }
    QString textoConexion() const override { return pg_.textoConexion(); }
private:
    prueba::BasePostgres pg_;
};

struct Motor {
    const char* nombre;
    bool postgres;
};

class CargaConcurrente : public ::testing::TestWithParam<Motor> {
protected:
    void SetUp() override {
        if (GetParam().postgres) {
            QUINTARO_EXIGIR_POSTGRES();
            auto pg = std::make_unique<BasePostgresCompartida>();
            ASSERT_TRUE(pg->valida());
            base_ = std::move(pg);
        } else {
            auto demo = std::make_unique<BaseEmbebidaCompartida>();
            ASSERT_TRUE(demo->valida());
            base_ = std::move(demo);
        }
        ASSERT_TRUE(carpeta_.isValid());
        qputenv("QUINTARO_CARPETA", QFile::encodeName(carpeta_.path() + u'/'));
    }
    void TearDown() override { qunsetenv("QUINTARO_CARPETA"); }

    static void imprimir(const char* prueba, const char* motor, const std::vector<Resultado>& r, long registradas) {
        const long exitos = std::count_if(r.begin(), r.end(), [](const Resultado& x) { return x.exito; });
        const qint64 lenta = r.empty() ? 0 : std::max_element(r.begin(), r.end(), [](auto& a, auto& b) { return a.ms < b.ms; })->ms;
        std::cout << "[cifras] " << prueba << " en " << motor << ": sesiones " << r.size() << ", con exito " << exitos
                  << ", rechazadas " << (static_cast<long>(r.size()) - exitos) << ", filas registradas " << registradas
                  << ", la mas lenta " << lenta << " ms\n";
    }

    QTemporaryDir carpeta_;
    std::unique_ptr<BaseCompartida> base_;
};

const QString YaAbierta = QStringLiteral("La conciliación seleccionada ya se encuentra abierta!!!");

TEST_P(CargaConcurrente, VeinteSesionesSobreLaMismaConciliacionLaAbrenUnaVez) {
    const long antes = base_->numero(QStringLiteral("SELECT COUNT(*) FROM MV_CONCILIACION_OPEN WHERE IDCONCILIACION = '%1'").arg(codigo(1)));
    std::vector<QStringList> argumentos;
    for (int i = 0; i < 20; ++i)
        argumentos.push_back({QStringLiteral("--puesto-apertura"), base_->lineaComandos(), QStringLiteral("1"),
                              QStringLiteral("sesion %1").arg(i)});
    Puestos puestos(argumentos);
    ASSERT_TRUE(puestos.listos());
    const std::vector<Resultado> r = puestos.largar();

    const long registradas =
        base_->numero(QStringLiteral("SELECT COUNT(*) FROM MV_CONCILIACION_OPEN WHERE IDCONCILIACION = '%1'").arg(codigo(1))) - antes;
    imprimir("misma conciliacion", GetParam().nombre, r, registradas);
    EXPECT_EQ(std::count_if(r.begin(), r.end(), [](const Resultado& x) { return x.exito; }), 1);
    EXPECT_EQ(std::count_if(r.begin(), r.end(), [](const Resultado& x) { return !x.exito && x.mensaje == YaAbierta; }), 19);
    for (const Resultado& x : r) EXPECT_NE(x.mensaje, QStringLiteral("<colgado>"));
    EXPECT_EQ(registradas, 1);
    EXPECT_EQ(base_->numero(QStringLiteral("SELECT Finalizada FROM MV_CONCILIACION_CAB WHERE IDCONCILIACION = '%1'").arg(codigo(1))), 0);
}

TEST_P(CargaConcurrente, VeinteSesionesSobreVeinteConciliacionesAbrenVeinte) {
    // Twenty finalised reconciliations of their own, 101 to 120.
    {
        ado::Connection cnn;
        cnn.Open(base_->textoConexion());
        for (int n = 101; n <= 120; ++n)
            cnn.Execute(QStringLiteral("INSERT INTO MV_CONCILIACION_CAB (IDCONCILIACION,Cuenta,Fecha,Observaciones,FechaDesde,"
                                       "FechaHasta,fechadesde2,fechahasta2,Tipo,Finalizada) VALUES ('%1','1.1.02.01',"
                                       "'31/01/2024','carga','01/01/2024','31/01/2024','01/01/2024','31/01/2024','BCO',1)")
                            .arg(codigo(n)));
    }
    std::vector<QStringList> argumentos;
    for (int n = 101; n <= 120; ++n)
        argumentos.push_back({QStringLiteral("--puesto-apertura"), base_->lineaComandos(), QString::number(n),
                              QStringLiteral("motivo %1").arg(n)});
    Puestos puestos(argumentos);
    ASSERT_TRUE(puestos.listos());
    const std::vector<Resultado> r = puestos.largar();

    const long registradas = base_->numero(QStringLiteral("SELECT COUNT(*) FROM MV_CONCILIACION_OPEN WHERE IDCONCILIACION > '%1'").arg(codigo(100)));
    imprimir("veinte conciliaciones", GetParam().nombre, r, registradas);
    for (const Resultado& x : r) EXPECT_TRUE(x.exito) << x.mensaje.toStdString();
    EXPECT_EQ(registradas, 20);
    for (int n = 101; n <= 120; ++n) {
        EXPECT_EQ(base_->numero(QStringLiteral("SELECT COUNT(*) FROM MV_CONCILIACION_OPEN WHERE IDCONCILIACION = '%1' "
                                               "AND MOTIVO = 'motivo %2' AND ESTADO = 1").arg(codigo(n)).arg(n)), 1) << n;
        EXPECT_EQ(base_->numero(QStringLiteral("SELECT Finalizada FROM MV_CONCILIACION_CAB WHERE IDCONCILIACION = '%1'").arg(codigo(n))), 0) << n;
    }
}

TEST_P(CargaConcurrente, CincuentaIniciosDejanCincuentaFilasDeUso) {
    const long antes = base_->numero(QStringLiteral("SELECT COUNT(*) FROM Control_Acceso"));
    std::vector<QStringList> argumentos(50, QStringList{QStringLiteral("--puesto-inicio"), base_->lineaComandos()});
    Puestos puestos(argumentos);
    ASSERT_TRUE(puestos.listos());
    const std::vector<Resultado> r = puestos.largar();

    const long registradas = base_->numero(QStringLiteral("SELECT COUNT(*) FROM Control_Acceso")) - antes;
    imprimir("cincuenta inicios", GetParam().nombre, r, registradas);
    for (const Resultado& x : r) {
        EXPECT_TRUE(x.exito);
        EXPECT_TRUE(x.mensaje.isEmpty()) << x.mensaje.toStdString();
    }
    EXPECT_EQ(registradas, 50);
}

INSTANTIATE_TEST_SUITE_P(Motores, CargaConcurrente,
                         ::testing::Values(Motor{"Embebido", false}, Motor{"PostgreSQL", true}),
                         [](const auto& motor) { return std::string(motor.param.nombre); });

}  // namespace

int main(int argc, char** argv) {
    prueba::fijarEntorno();
    QApplication aplicacion(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() >= 5 && args[1] == QStringLiteral("--puesto-apertura"))
        return puestoApertura(args[2], args[3].toInt(), args[4]);
    if (args.size() >= 3 && args[1] == QStringLiteral("--puesto-inicio")) return puestoInicio(args[2]);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
