// The reconciliation report on the demo company database: the money format,
// the four balances against sums made here from the rows themselves, the
// layout chosen by type, failures told to the user, and the report rendered
// from the preview window to a PDF read back with pdftotext.

#include "reconciliation/ReporteConciliacion.h"

#include "platform/ado/Recordset.h"
#include "reconciliation/FrmOpenConc.h"
#include "reconciliation/ListaConciliaciones.h"
#include "session/Configuracion.h"
#include "session/Global.h"
#include "support/BaseDemo.h"
#include "support/DialogosGuion.h"

#include <QAction>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QPrintPreviewDialog>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <ostream>
#include <string>

namespace {

using conciliacion::ReporteConciliacion;

// Records what the report component was asked to show, instead of showing it.
class MotorQueAnota : public utilidades::MotorReporte {
public:
    void mostrar(const utilidades::PedidoReporte& pedido) override { pedidos.push_back(pedido); }
    std::vector<utilidades::PedidoReporte> pedidos;
};

// The demo databases with the program started on them as the administrator.
class Reporte : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(demo.valida()) << demo.error().toStdString();
        global.lineaComandos = [this] { return demo.lineaComandos(); };
        global.terminarPrograma = [] {};
        ventana = std::make_unique<conciliacion::FrmOpenConc>(global, dialogos);
        ventana->cargar();
        ASSERT_TRUE(global.DB.gOpenFlag);
        ASSERT_EQ(global.gConfiguracion.CantidadDecimales, QStringLiteral("2"));
    }

    void ejecutarSinErrores(const QString& sql) {
        global.DB.EjecutaConsultaSQL(sql);
        ASSERT_EQ(global.DB.gCnn().errors().Count(), 0) << sql.toStdString();
    }

    // Importe of a value text read back with the workstation's separator.
    static ado::Importe importe(const QString& texto) {
        ado::Importe i;
        EXPECT_TRUE(ado::Importe::leer(texto, u',', i)) << texto.toStdString();
        return i;
    }

    // The account's journal lines summed here, debits positive, strictly
    // before `antes` when given.
    ado::Importe saldoDeAsientos(const QString& cuenta, std::optional<QDate> antes = std::nullopt) {
        ado::Recordset rs;
        rs.Open(QStringLiteral("SELECT FECHA, IMPORTE, [DEBE-HABER] AS DH FROM MV_ASIENTOS WHERE CUENTA='") + cuenta +
                    QLatin1Char('\''),
                global.DB.gCnn());
        ado::Importe saldo;
        for (; !rs.EOF_(); rs.MoveNext()) {
            if (antes && rs[QStringLiteral("FECHA")].aFechaHora().date() >= *antes) continue;
            const ado::Importe linea = rs[QStringLiteral("IMPORTE")].aImporte();
            saldo = rs[QStringLiteral("DH")].texto() == QLatin1String("D") ? saldo + linea : saldo - linea;
        }
        return saldo;
    }

    // The account's reconciliation lines, reconciled or pending, summed here.
    ado::Importe sumaDeLineas(const QString& cuenta, bool conciliadas) {
        ado::Recordset rs;
        rs.Open(QStringLiteral("SELECT IMPORTE, CONCILIADO FROM MV_CONCILIACION WHERE CUENTA='") + cuenta +
                    QLatin1Char('\''),
                global.DB.gCnn());
        ado::Importe suma;
        for (; !rs.EOF_(); rs.MoveNext())
            if (rs[QStringLiteral("CONCILIADO")].aBooleano() == conciliadas)
                suma = suma + rs[QStringLiteral("IMPORTE")].aImporte();
        return suma;
    }

    // Selects the list row of a reconciliation by its number.
    void seleccionar(int numero) {
        conciliacion::ListaConciliaciones& lista = ventana->lista();
        for (int i = 0; i < lista.topLevelItemCount(); ++i) {
            if (lista.topLevelItem(i)->text(1).trimmed() == QString::number(numero)) {
                lista.setCurrentItem(lista.topLevelItem(i));
                return;
            }
        }
        FAIL() << "no row for reconciliation " << numero;
    }

    void pulsarReporte() {
        auto* boton = ventana->findChild<QToolButton*>(QStringLiteral("cmdReporte"));
        ASSERT_NE(boton, nullptr);
        QTest::mouseClick(boton, Qt::LeftButton);
    }

    std::string mensajes() const {
        std::string todos;
        for (const auto& m : dialogos.mensajes()) todos += m.titulo.toStdString() + ": " + m.texto.toStdString() + "\n";
        return todos;
    }

    prueba::BaseDemo demo;
    prueba::DialogosGuion dialogos;
    sesion::Global global{dialogos};
    std::unique_ptr<conciliacion::FrmOpenConc> ventana;
};

// ---- FmtMoneda -------------------------------------------------------------

struct CasoMoneda {
    const char* nombre;
    const char* cantidadDecimales;  // the setting as stored
    const char* importe;
    int decimales;
    bool miles;
    const char* esperado;
};

void PrintTo(const CasoMoneda& caso, std::ostream* os) { *os << caso.nombre; }

class FormatoMoneda : public Reporte, public ::testing::WithParamInterface<CasoMoneda> {};

TEST_P(FormatoMoneda, RedondeaAlParYUsaLosSeparadoresDelPuesto) {
    const CasoMoneda& caso = GetParam();
    global.gConfiguracion.CantidadDecimales = QString::fromLatin1(caso.cantidadDecimales);
    EXPECT_EQ(ReporteConciliacion::FmtMoneda(global, QString::fromUtf8(caso.importe), caso.decimales, caso.miles)
                  .toStdString(),
              caso.esperado);
    EXPECT_TRUE(dialogos.mensajes().empty()) << mensajes();
}

INSTANTIATE_TEST_SUITE_P(
    Tabla, FormatoMoneda,
    ::testing::Values(
        CasoMoneda{"DosDecimalesConfigurados", "2", "1200,5", -1, false, "1200,50"},
        CasoMoneda{"PuntoDecimalAceptado", "2", "1200.5", -1, false, "1200,50"},
        CasoMoneda{"SinConfigurarLosDelPuesto", "0", "3,14159", -1, false, "3,14"},
        CasoMoneda{"ConfiguracionFaltanteLosDelPuesto", " ", "3,14159", -1, false, "3,14"},
        CasoMoneda{"CeroPideLosDelPuesto", "4", "7", 0, false, "7,00"},
        CasoMoneda{"TresDecimalesConfigurados", "3", "1,5", -1, false, "1,500"},
        CasoMoneda{"MasDecimalesQueElImporte", "6", "1,5", -1, false, "1,500000"},
        // Past the four decimals an amount holds every decimal is a zero:
        // no power of ten overflows, nothing divides by zero.
        CasoMoneda{"TreceDecimales", "13", "-1234,5678", -1, false, "-1234,5678000000000"},
        CasoMoneda{"VeinteDecimales", "20", "92233720368547,5807", -1, false,
                   "92233720368547,58070000000000000000"},
        CasoMoneda{"SesentaYCuatroDecimales", "64", "0,0001", -1, false,
                   "0,0001000000000000000000000000000000000000000000000000000000000000"},
        CasoMoneda{"MasDeNoventaYNueveSeCortan", "500", "1", -1, false,
                   "1,000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000"},
        CasoMoneda{"MenosDosSinDecimalesNiSeparador", "2", "1200,5", -2, false, "1200"},
        CasoMoneda{"EmpateAlParHaciaAbajo", "2", "0,125", -1, false, "0,12"},
        CasoMoneda{"EmpateAlParHaciaArriba", "2", "0,135", -1, false, "0,14"},
        CasoMoneda{"NoEmpateSube", "2", "0,1251", -1, false, "0,13"},
        CasoMoneda{"EmpateEnteroPar", "2", "2,5", -2, false, "2"},
        CasoMoneda{"EmpateEnteroImpar", "2", "3,5", -2, false, "4"},
        CasoMoneda{"NegativoAlPar", "2", "-2,5", -2, false, "-2"},
        CasoMoneda{"NegativoConDecimales", "2", "-21191,2", -1, false, "-21191,20"},
        CasoMoneda{"ConMiles", "2", "1234567,891", -1, true, "1.234.567,89"},
        CasoMoneda{"SinMilesNoAgrupa", "2", "1234567,891", -1, false, "1234567,89"},
        CasoMoneda{"VacioEsCero", "2", "", -1, false, "0,00"},
        CasoMoneda{"MenosTresTalCual", "2", "no es un importe", -3, false, "no es un importe"}),
    [](const auto& caso) { return std::string(caso.param.nombre); });

// ---- Balances ----------------------------------------------------------------

TEST_F(Reporte, LosCuatroSaldosCoincidenConLasSumasDeLasFilas) {
    MotorQueAnota motor;
    global.gReporte.setMotor(&motor);
    seleccionar(3);  // 1.1.02.01, first period from 01/03/2024
    ASSERT_EQ(ventana->lista().celda(6).left(10), QStringLiteral("01/03/2024"));
    pulsarReporte();
    ASSERT_EQ(motor.pedidos.size(), 1u) << mensajes();
    const utilidades::PedidoReporte& p = motor.pedidos.front();

    const QString cuenta = QStringLiteral("1.1.02.01");
    ASSERT_EQ(p.formulas.size(), 4);
    EXPECT_TRUE(p.formulas[0].startsWith(QLatin1String("S_ANT = ")));
    EXPECT_EQ(importe(p.formulas[0].mid(8)), saldoDeAsientos(cuenta, QDate(2024, 3, 1)));
    EXPECT_EQ(importe(p.formulas[1].mid(10)), sumaDeLineas(cuenta, false));
    EXPECT_EQ(importe(p.formulas[2].mid(9)), sumaDeLineas(cuenta, true));
    EXPECT_EQ(importe(p.formulas[3].mid(8)), saldoDeAsientos(cuenta));
    // Written with the two configured decimals.
    EXPECT_EQ(p.formulas[1], QStringLiteral("S_ACONC = -21191,20"));
    EXPECT_EQ(p.formulas[2], QStringLiteral("S_CONC = 161029,92"));

    EXPECT_EQ(p.nombre, QStringLiteral("ConciliacionBancaria"));
    EXPECT_EQ(p.seleccion, QStringLiteral(" {MV_CONCILIACION_CAB.IDCONCILIACION} = '              3'"));
    EXPECT_EQ(p.formulaEmpresa, QStringLiteral("NombreEmpresa = 'Distribuidora del Litoral S.A.'"));
    EXPECT_EQ(p.conexion, global.gCadenaReporte);
    EXPECT_EQ(p.parametros, QStringList(2));
    EXPECT_EQ(p.esquinaIzquierda, QStringLiteral("IZQ"));
    EXPECT_EQ(p.esquinaDerecha, QStringLiteral("DER"));
    EXPECT_FALSE(p.imprimirDirecto);
    EXPECT_TRUE(p.vistaPrevia);
    EXPECT_TRUE(p.maximizada);
    EXPECT_EQ(global.gReporte.tiempoEspera(), 25);
    EXPECT_TRUE(dialogos.mensajes().empty()) << mensajes();
    global.gReporte.setMotor(nullptr);
}

TEST_F(Reporte, SaldosEnCeroDondeNoHayQueSumar) {
    ReporteConciliacion reporte(global, dialogos);
    // No journal lines before the date, a first period without start, an
    // account without lines or balance, the final consumer's account.
    EXPECT_EQ(reporte.ObtieneSaldoAnt(QStringLiteral("1.1.02.01"), QStringLiteral("01/01/2000")), ado::Importe());
    EXPECT_EQ(reporte.ObtieneSaldoAnt(QStringLiteral("1.1.02.01"), QStringLiteral("-")), ado::Importe());
    EXPECT_EQ(reporte.sumaConciliacion(QStringLiteral("1.1.09.98"), true), QString());
    EXPECT_EQ(reporte.SaldoCuenta(QStringLiteral("1.1.09.98")), ado::Importe());
    EXPECT_NE(saldoDeAsientos(QStringLiteral("1.1.04.01")), ado::Importe());
    ejecutarSinErrores(QStringLiteral("UPDATE TA_CONFIGURACION SET VALOR = ' 1.1.04.01 ' "
                                      "WHERE CLAVE = 'CuentaConsunmidorFinal'"));
    EXPECT_EQ(reporte.SaldoCuenta(QStringLiteral("1.1.04.01")), ado::Importe());
    EXPECT_TRUE(dialogos.mensajes().empty()) << mensajes();
}

TEST_F(Reporte, UnaComillaEnLaCuentaOLaFechaNoRompeLasSentencias) {
    ReporteConciliacion reporte(global, dialogos);
    EXPECT_EQ(reporte.ObtieneSaldoAnt(QStringLiteral("O'Brien"), QStringLiteral("01/01/2030")), ado::Importe());
    // The date stays one literal: compared as text it is past every date of
    // the account, where an injected OR would have summed the whole,
    // balanced, journal.
    EXPECT_EQ(reporte.ObtieneSaldoAnt(QStringLiteral("1.1.02.01"), QStringLiteral("x' OR '1'='1")),
              saldoDeAsientos(QStringLiteral("1.1.02.01")));
    EXPECT_EQ(reporte.sumaConciliacion(QStringLiteral("O'Brien"), false), QString());
    EXPECT_EQ(reporte.SaldoCuenta(QStringLiteral("O'Brien")), ado::Importe());
    EXPECT_TRUE(dialogos.mensajes().empty()) << mensajes();
}

// ---- Layout by type --------------------------------------------------------------

struct CasoTipo {
    const char* tipo;
    const char* diseno;
};

class DisenoPorTipo : public Reporte, public ::testing::WithParamInterface<CasoTipo> {};

TEST_P(DisenoPorTipo, EligeElDisenoSinRecortarElTipo) {
    MotorQueAnota motor;
    global.gReporte.setMotor(&motor);
    ReporteConciliacion(global, dialogos)
        .cmdReporte(QStringLiteral("1"), QStringLiteral("1.1.02.01"), QStringLiteral("01/01/2024-31/01/2024"),
                    QString::fromLatin1(GetParam().tipo));
    ASSERT_EQ(motor.pedidos.size(), 1u) << mensajes();
    EXPECT_EQ(motor.pedidos.front().nombre.toStdString(), GetParam().diseno);
    global.gReporte.setMotor(nullptr);
}

INSTANTIATE_TEST_SUITE_P(Tabla, DisenoPorTipo,
                         ::testing::Values(CasoTipo{"BCO", "ConciliacionBancaria"},
                                           CasoTipo{"bco", "ConciliacionBancaria"},
                                           CasoTipo{"BCO ", "ConciliacionCuentas"},
                                           CasoTipo{"CTA", "ConciliacionCuentas"},
                                           CasoTipo{"", "ConciliacionCuentas"}));

// ---- The preview and the PDF ---------------------------------------------------------

// Text of a PDF file as pdftotext reads it.
QString textoPdf(const QString& pdf) {
    QProcess proceso;
    proceso.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    if (!proceso.waitForFinished(-1) || proceso.exitCode() != 0) return QString();
    return QString::fromUtf8(proceso.readAllStandardOutput());
}

TEST_F(Reporte, LaVistaPreviaGuardaElPdfConLaEmpresaYLosSaldos) {
    QTemporaryDir carpeta;
    const QString pdf = carpeta.filePath(QStringLiteral("conciliacion"));
    conciliacion::MotorReporteQt motor(global, dialogos, ventana.get());
    int vistas = 0;
    QString propuesto;
    motor.elegirArchivoPdf = [&](const QString& p) {
        propuesto = p;
        return pdf;
    };
    motor.mostrarVistaPrevia = [&](QPrintPreviewDialog& vista, const conciliacion::DocumentoConciliacion&) {
        ++vistas;
        auto* guardar = vista.findChild<QAction*>(QStringLiteral("actGuardarPdf"));
        ASSERT_NE(guardar, nullptr);
        guardar->trigger();
    };
    global.gReporte.setMotor(&motor);
    seleccionar(3);
    pulsarReporte();
    global.gReporte.setMotor(nullptr);

    EXPECT_EQ(vistas, 1);
    EXPECT_EQ(propuesto, conciliacion::MotorReporteQt::archivoPdfPropuesto(QStringLiteral("3")));
    EXPECT_TRUE(propuesto.endsWith(QStringLiteral("/Conciliación 3.pdf"))) << propuesto.toStdString();
    EXPECT_TRUE(dialogos.mensajes().empty()) << mensajes();
    ASSERT_TRUE(QFile::exists(pdf + QStringLiteral(".pdf")));
    const QString texto = textoPdf(pdf + QStringLiteral(".pdf"));
    for (const char* esperado :
         {"Distribuidora del Litoral S.A.", "Conciliación Bancaria", "Conciliación N° 3", "1.1.02.01",
          "Banco Nación cuenta corriente", "01/03/2024 - 31/03/2024", "Saldo anterior según libros",
          "Partidas pendientes de conciliar", "-21191,20", "161029,92", "Página 1 de 1"})
        EXPECT_TRUE(texto.contains(QString::fromUtf8(esperado))) << esperado << "\n" << texto.toStdString();
    ASSERT_TRUE(motor.ultimoDocumento().has_value());
    EXPECT_EQ(motor.ultimoDocumento()->saldos[2], QStringLiteral("161029,92"));
}

TEST_F(Reporte, ElDisenoDeCuentasNombraLaCuenta) {
    QTemporaryDir carpeta;
    const QString pdf = carpeta.filePath(QStringLiteral("cuentas.pdf"));
    conciliacion::MotorReporteQt motor(global, dialogos);
    motor.mostrarVistaPrevia = [&](QPrintPreviewDialog&, const conciliacion::DocumentoConciliacion& documento) {
        ASSERT_TRUE(documento.guardarPdf(pdf));
    };
    global.gReporte.setMotor(&motor);
    seleccionar(8);  // 2.1.01.01, an account reconciliation
    pulsarReporte();
    global.gReporte.setMotor(nullptr);
    const QString texto = textoPdf(pdf);
    for (const char* esperado : {"Conciliación de Cuentas", "Proveedores", "Saldo anterior de la cuenta",
                                 "Importe conciliado", "Saldo actual de la cuenta"})
        EXPECT_TRUE(texto.contains(QString::fromUtf8(esperado))) << esperado << "\n" << texto.toStdString();
    EXPECT_TRUE(dialogos.mensajes().empty()) << mensajes();
}

TEST_F(Reporte, UnaConciliacionQueNoEstaSeAvisaConClaridad) {
    conciliacion::MotorReporteQt motor(global, dialogos);
    int vistas = 0;
    motor.mostrarVistaPrevia = [&](QPrintPreviewDialog&, const conciliacion::DocumentoConciliacion&) { ++vistas; };
    global.gReporte.setMotor(&motor);
    ReporteConciliacion(global, dialogos)
        .cmdReporte(QStringLiteral("999"), QStringLiteral("1.1.02.01"), QStringLiteral("-"), QStringLiteral("BCO"));
    global.gReporte.setMotor(nullptr);
    EXPECT_EQ(vistas, 0);
    ASSERT_EQ(dialogos.mensajes().size(), 1u) << mensajes();
    EXPECT_EQ(dialogos.mensajes()[0].titulo, QStringLiteral("Reporte"));
    EXPECT_TRUE(dialogos.mensajes()[0].texto.startsWith(
        QStringLiteral("No se pudo preparar o mostrar el reporte de la conciliación.")));
    EXPECT_TRUE(dialogos.mensajes()[0].texto.contains(QStringLiteral("999")));
}

TEST_F(Reporte, ListaVaciaNoHaceNada) {
    MotorQueAnota motor;
    global.gReporte.setMotor(&motor);
    ventana->lista().clear();
    pulsarReporte();
    global.gReporte.setMotor(nullptr);
    EXPECT_TRUE(motor.pedidos.empty());
    EXPECT_TRUE(dialogos.mensajes().empty()) << mensajes();
}

// Ctrl+click on the selected row takes the only selection away: the button
// then has no row to report on and does nothing.
TEST_F(Reporte, SinFilaElegidaNoHaceNada) {
    MotorQueAnota motor;
    global.gReporte.setMotor(&motor);
    ventana->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(ventana.get()));
    conciliacion::ListaConciliaciones& lista = ventana->lista();
    ASSERT_GT(lista.topLevelItemCount(), 0);
    QTreeWidgetItem* elegida = lista.filaSeleccionada();
    ASSERT_NE(elegida, nullptr);
    QTest::mouseClick(lista.viewport(), Qt::LeftButton, Qt::ControlModifier, lista.visualItemRect(elegida).center());
    ASSERT_EQ(lista.filaSeleccionada(), nullptr);
    pulsarReporte();
    global.gReporte.setMotor(nullptr);
    EXPECT_TRUE(motor.pedidos.empty());
    EXPECT_TRUE(dialogos.mensajes().empty()) << mensajes();
}

// The save dialog starts in the documents folder the desktop names, or in the
// home folder while that folder does not exist.
TEST(GuardarPdf, ProponeLaCarpetaDeDocumentosOElInicioYElNombreDeLaConciliacion) {
    QTemporaryDir inicio;
    const QByteArray antesHome = qgetenv("HOME"), antesConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("HOME", QFile::encodeName(inicio.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(inicio.filePath(QStringLiteral(".config"))));
    QDir(inicio.path()).mkpath(QStringLiteral(".config"));
    QFile dirs(inicio.filePath(QStringLiteral(".config/user-dirs.dirs")));
    ASSERT_TRUE(dirs.open(QIODevice::WriteOnly));
    dirs.write("XDG_DOCUMENTS_DIR=\"$HOME/Documentos\"\n");
    dirs.close();
    using conciliacion::MotorReporteQt;
    EXPECT_EQ(MotorReporteQt::archivoPdfPropuesto(QStringLiteral("            12")),
              inicio.filePath(QStringLiteral("Conciliación 12.pdf")));
    ASSERT_TRUE(QDir(inicio.path()).mkdir(QStringLiteral("Documentos")));
    EXPECT_EQ(MotorReporteQt::archivoPdfPropuesto(QStringLiteral("            12")),
              inicio.filePath(QStringLiteral("Documentos/Conciliación 12.pdf")));
    EXPECT_EQ(MotorReporteQt::archivoPdfPropuesto(QStringLiteral("A/7")),
              inicio.filePath(QStringLiteral("Documentos/Conciliación A_7.pdf")));
    qputenv("HOME", antesHome);
    if (antesConfig.isNull()) qunsetenv("XDG_CONFIG_HOME");
    else qputenv("XDG_CONFIG_HOME", antesConfig);
}

}  // namespace
