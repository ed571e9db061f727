// The main window's filter boxes on the demo database: F5 on the box that
// last had the focus (the account lookup, the date picker), the keyboard
// rules, and the definitions file start-up writes.

#include "lookup/Lib_ClsCons3.h"
#include "lookup/RegistroConsulta.h"
#include "lookup/VentanasConsulta.h"
#include "reconciliation/FrmOpenConc.h"
#include "session/Global.h"
#include "support/BaseDemo.h"
#include "support/DialogosGuion.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>

namespace {

using conciliacion::FrmOpenConc;

class CamposFiltro : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(carpeta_.isValid());
        qputenv("QUINTARO_CARPETA", QFile::encodeName(carpeta_.path()));
        ASSERT_TRUE(base_.valida()) << base_.error().toStdString();
        global_.lineaComandos = [this] { return base_.lineaComandos(); };
        global_.terminarPrograma = [] {};
        ventana_ = std::make_unique<FrmOpenConc>(global_, dialogos_);
        ventana_->cargar();
        ASSERT_TRUE(global_.DB.gOpenFlag);
        ventana_->show();
        ventana_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(ventana_.get()));
    }

    void TearDown() override { qunsetenv("QUINTARO_CARPETA"); }

    QLineEdit* caja(int indice) const {
        return ventana_->findChild<QLineEdit*>(QStringLiteral("txtFields_%1").arg(indice));
    }
    QLineEdit* cuenta() const { return caja(0); }
    QLineEdit* fecha() const { return caja(1); }

    // Keys go where the user's would: to the focused control.
    static void tecla(Qt::Key k) {
        QWidget* foco = QApplication::focusWidget();
        ASSERT_NE(foco, nullptr);
        QTest::keyClick(foco, k);
    }
    void enfocar(QWidget* w) const {
        w->setFocus(Qt::MouseFocusReason);
        QApplication::processEvents();
        ASSERT_EQ(QApplication::focusWidget(), w);
    }

    // A lookup answered without a window: it records what it was handed.
    void consultaGuionada(const QString& devuelve) {
        global_.gClsCons3().mostrarLista = [this, devuelve](consultas::EntregaLista& e) {
            entregada_ = e;
            e.ValorDevuelto = devuelve;
        };
    }

    // Runs `accion` on the modal lookup window as soon as it is up.
    static void alAbrirseLaConsulta(std::function<void(QDialog&)> accion) {
        auto* espera = new QTimer(qApp);
        espera->setInterval(10);
        QObject::connect(espera, &QTimer::timeout, espera, [espera, accion] {
            auto* dialogo = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (dialogo == nullptr || !dialogo->isVisible()) return;
            espera->stop();
            espera->deleteLater();
            accion(*dialogo);
            // A window the keys did not close would hold the test forever.
            if (dialogo->isVisible()) {
                ADD_FAILURE() << "the lookup window is still open";
                dialogo->reject();
            }
        });
        espera->start();
    }

    QTemporaryDir carpeta_;
    prueba::BaseDemo base_;
    prueba::DialogosGuion dialogos_;
    sesion::Global global_{dialogos_};
    std::unique_ptr<FrmOpenConc> ventana_;
    std::optional<consultas::EntregaLista> entregada_;
};

TEST_F(CamposFiltro, ElArranqueEscribeElArchivoDeDefiniciones) {
    const QFileInfo archivo(carpeta_.filePath(QStringLiteral("consultas.qzt")));
    ASSERT_TRUE(archivo.exists());
    EXPECT_EQ(archivo.size(), 11 * consultas::RegistroConsulta::Largo);
    EXPECT_EQ(global_.gClsCons3().gRutaMascaraConsultas, archivo.filePath());
    EXPECT_TRUE(global_.gClsCons3().gUsarMascarasConsultas);
}

TEST_F(CamposFiltro, F5SinQueNingunaCajaTuvieraElFocoNoHaceNada) {
    consultaGuionada(QStringLiteral("1.1.01.01"));
    enfocar(&ventana_->lista());
    tecla(Qt::Key_F5);
    EXPECT_EQ(ventana_->mCampoActual(), nullptr);
    EXPECT_FALSE(entregada_.has_value());
    EXPECT_TRUE(cuenta()->text().isEmpty());
    EXPECT_TRUE(fecha()->text().isEmpty());
    EXPECT_TRUE(dialogos_.mensajes().empty());
}

TEST_F(CamposFiltro, F5EnLaFechaPoneLaFechaElegidaSinBlancos) {
    enfocar(fecha());
    dialogos_.elegir(QStringLiteral(" 05/03/2024 "));
    tecla(Qt::Key_F5);
    EXPECT_EQ(fecha()->text(), QStringLiteral("05/03/2024"));

    // From the list, F5 still acts on the box that had the focus last; a
    // cancelled picker empties it.
    enfocar(&ventana_->lista());
    dialogos_.elegir(QString());
    tecla(Qt::Key_F5);
    EXPECT_TRUE(fecha()->text().isEmpty());
    EXPECT_TRUE(cuenta()->text().isEmpty());
}

TEST_F(CamposFiltro, F5EnLaCuentaPideLaCuentaALaConsulta) {
    consultaGuionada(QStringLiteral("  1.1.01.02 "));
    enfocar(cuenta());
    tecla(Qt::Key_F5);
    ASSERT_TRUE(entregada_.has_value());
    EXPECT_EQ(entregada_->SQL,
              QStringLiteral("SELECT TOP 1000 DESCRIPCION,CODIGO FROM MA_CUENTAS  with(nolock)  ORDER BY DESCRIPCION"));
    EXPECT_EQ(entregada_->CampoDevuelto, QStringLiteral("CODIGO"));
    EXPECT_FALSE(entregada_->CheckBoxes);
    EXPECT_EQ(cuenta()->text(), QStringLiteral("1.1.01.02"));
    EXPECT_TRUE(global_.gClsCons3().CampoDevuelto.isEmpty());
    EXPECT_TRUE(fecha()->text().isEmpty());
}

TEST_F(CamposFiltro, F5EnLaCuentaAbreLaConsultaYEnterDevuelveElCodigo) {
    enfocar(cuenta());
    alAbrirseLaConsulta([](QDialog& consulta) {
        EXPECT_EQ(consulta.windowTitle(), QStringLiteral("Consulta..."));
        auto* busqueda = consulta.findChild<QComboBox*>(QStringLiteral("CmbSearch_0"));
        ASSERT_NE(busqueda, nullptr);
        QTest::keyClicks(busqueda, QStringLiteral("Fondo"));
        QTest::keyClick(busqueda, Qt::Key_Return);
    });
    tecla(Qt::Key_F5);
    EXPECT_EQ(cuenta()->text(), QStringLiteral("1.1.01.02"));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(CamposFiltro, EscEnLaConsultaVaciaLaCajaSinTerminarElPrograma) {
    int terminaciones = 0;
    global_.terminarPrograma = [&terminaciones] { ++terminaciones; };
    cuenta()->setText(QStringLiteral("9.9"));
    enfocar(cuenta());
    alAbrirseLaConsulta([](QDialog& consulta) {
        QTest::keyClick(consulta.findChild<QComboBox*>(QStringLiteral("CmbSearch_0")), Qt::Key_Escape);
    });
    tecla(Qt::Key_F5);
    EXPECT_TRUE(cuenta()->text().isEmpty());
    EXPECT_EQ(terminaciones, 0);
    EXPECT_TRUE(ventana_->isVisible());
}

// ---- The option lists in the real list window ------------------------------------

TEST_F(CamposFiltro, MenuOpcionesMuestraUnaColumnaConElTituloYDevuelveLaElegida) {
    consultas::Lib_ClsCons3& servicio = consultas::VentanasConsulta::servicio(global_);
    alAbrirseLaConsulta([](QDialog& menu) {
        auto* lista = menu.findChild<QTreeWidget*>(QStringLiteral("ListView1"));
        ASSERT_NE(lista, nullptr);
        EXPECT_EQ(lista->columnCount(), 1);
        EXPECT_EQ(lista->headerItem()->text(0), QStringLiteral("Elija una opcion"));
        ASSERT_EQ(lista->topLevelItemCount(), 3);
        EXPECT_FALSE(menu.findChild<QWidget*>(QStringLiteral("CmdNueva"))->isVisibleTo(&menu));
        QTreeWidgetItem* segunda = lista->findItems(QStringLiteral("Dos"), Qt::MatchExactly).value(0);
        ASSERT_NE(segunda, nullptr);
        lista->setCurrentItem(segunda);
        QTest::keyClick(lista, Qt::Key_Return);
    });
    EXPECT_EQ(servicio.MenuOpciones(QStringLiteral("Elija una opcion"),
                                    {QStringLiteral("Uno"), QStringLiteral("Dos"), QStringLiteral("Tres")}),
              QStringLiteral("Dos"));
}

TEST_F(CamposFiltro, CheckOpcionesDejaLasMarcadasEnValores) {
    consultas::Lib_ClsCons3& servicio = consultas::VentanasConsulta::servicio(global_);
    alAbrirseLaConsulta([](QDialog& menu) {
        auto* lista = menu.findChild<QTreeWidget*>(QStringLiteral("ListView1"));
        ASSERT_NE(lista, nullptr);
        ASSERT_EQ(lista->topLevelItemCount(), 3);
        QTreeWidgetItem* tres = lista->findItems(QStringLiteral("Tres"), Qt::MatchExactly).value(0);
        ASSERT_NE(tres, nullptr);
        tres->setCheckState(0, Qt::Checked);
        QTest::keyClick(lista, Qt::Key_Return);
    });
    EXPECT_TRUE(servicio.CheckOpciones(QStringLiteral("Marque"), nullptr,
                                       {QStringLiteral("1Uno"), QStringLiteral("0Dos"), QStringLiteral("0Tres")})
                    .isEmpty());
    QStringList marcadas = servicio.Valores;
    marcadas.sort();
    EXPECT_EQ(marcadas, (QStringList{QStringLiteral("Tres"), QStringLiteral("Uno")}));
}

TEST_F(CamposFiltro, ConMarcasTodasLasFilasEmpiezanDesmarcadasYVuelvenLasMarcadas) {
    consultas::Lib_ClsCons3& servicio = consultas::VentanasConsulta::servicio(global_);
    alAbrirseLaConsulta([](QDialog& consulta) {
        auto* lista = consulta.findChild<QTreeWidget*>(QStringLiteral("ListView1"));
        ASSERT_NE(lista, nullptr);
        ASSERT_GT(lista->topLevelItemCount(), 2);
        for (int i = 0; i < lista->topLevelItemCount(); ++i)
            EXPECT_EQ(lista->topLevelItem(i)->checkState(0), Qt::Unchecked) << i;
        QTreeWidgetItem* fondo = lista->findItems(QStringLiteral("Fondo fijo"), Qt::MatchExactly).value(0);
        ASSERT_NE(fondo, nullptr);
        fondo->setCheckState(0, Qt::Checked);
        QTest::keyClick(lista, Qt::Key_Return);
    });
    servicio.Checks = true;
    servicio.CampoDevuelto = QStringLiteral("CODIGO");
    servicio.ConsultaSearch(QStringLiteral("MA_CUENTAS"), nullptr, {}, nullptr, nullptr, {}, false,
                            QStringLiteral("1.1.01.01"));
    EXPECT_EQ(servicio.Valores, QStringList{QStringLiteral("1.1.01.02")});
    EXPECT_FALSE(servicio.Checks);
}

// ---- Keyboard rules ------------------------------------------------------------

struct CasoEscritura {
    const char* nombre;
    int caja;
    QString escrito;
    QString queda;
};

void PrintTo(const CasoEscritura& c, std::ostream* os) { *os << c.nombre; }

class EscrituraEnLasCajas : public CamposFiltro, public ::testing::WithParamInterface<CasoEscritura> {};

TEST_P(EscrituraEnLasCajas, TomaLoQueLaReglaDeLaCajaPermite) {
    const CasoEscritura& c = GetParam();
    QLineEdit* destino = caja(c.caja);
    enfocar(destino);
    QTest::keyClicks(destino, c.escrito);
    EXPECT_EQ(destino->text(), c.queda);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, EscrituraEnLasCajas,
    ::testing::Values(
        CasoEscritura{"FechaSoloCifrasYBarra", 1, QStringLiteral("1a2/0-3/ 2024"), QStringLiteral("12/03/2024")},
        CasoEscritura{"FechaHastaDiezCaracteres", 1, QStringLiteral("05/03/20241999"), QStringLiteral("05/03/2024")},
        CasoEscritura{"CuentaTomaCualquierCaracter", 0, QStringLiteral("O'Brien 1.1-x/#"),
                      QStringLiteral("O'Brien 1.1-x/#")}),
    [](const ::testing::TestParamInfo<CasoEscritura>& caso) { return std::string(caso.param.nombre); });

TEST_F(CamposFiltro, EnLaFechaLlenaSePuedeBorrarYReemplazarLoSeleccionado) {
    enfocar(fecha());
    QTest::keyClicks(fecha(), QStringLiteral("05/03/2024"));
    QTest::keyClick(fecha(), Qt::Key_Backspace);
    QTest::keyClicks(fecha(), QStringLiteral("59"));
    EXPECT_EQ(fecha()->text(), QStringLiteral("05/03/2025"));
    fecha()->selectAll();
    QTest::keyClicks(fecha(), QStringLiteral("1/1/2023"));
    EXPECT_EQ(fecha()->text(), QStringLiteral("1/1/2023"));
}

TEST_F(CamposFiltro, IntroYAbajoPasanALaCajaSiguienteYArribaALaAnterior) {
    struct Paso {
        Qt::Key tecla;
        int llega;
    };
    enfocar(cuenta());
    for (const Paso& p : {Paso{Qt::Key_Return, 1}, Paso{Qt::Key_Down, 0}, Paso{Qt::Key_Enter, 1},
                          Paso{Qt::Key_Up, 0}, Paso{Qt::Key_Up, 1}}) {
        tecla(p.tecla);
        EXPECT_EQ(QApplication::focusWidget(), caja(p.llega)) << p.tecla;
        EXPECT_EQ(ventana_->mCampoActual(), caja(p.llega));
    }
}

}  // namespace
