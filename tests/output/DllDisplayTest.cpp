// The progress window and its handle: which lines change, the cancel request
// and its lifetime, the window's look (modeless, centred, see-through, the
// animation) and the always-on-top switch.

#include "output/Dll_Display.h"
#include "output/Lbf_CtrlDisplay.h"

#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

using salida::Dll_Display;
using salida::Lbf_CtrlDisplay;

class CartelDeProgreso : public ::testing::Test {
protected:
    void TearDown() override { display_.CartelCerrar(); }

    QStringList lineas() const {
        QStringList l;
        for (int i = 0; i < Lbf_CtrlDisplay::Lineas; ++i) l << display_.ventana()->LblCtrol(i)->text();
        return l;
    }

    bool mostrar(const std::optional<QVariant>& l1 = std::nullopt, const std::optional<QVariant>& l2 = std::nullopt,
                 const std::optional<QVariant>& l3 = std::nullopt) {
        bool cancelado = false;
        display_.CartelMostrar(cancelado, l1, l2, l3);
        return cancelado;
    }

    void pulsarCancelar() {
        QPushButton* boton = display_.ventana()->CmdDisplayCancelar();
        QTest::mouseClick(boton, Qt::LeftButton);
    }

    Dll_Display display_;
};

// ---- Lines ----------------------------------------------------------------------

struct CasoLineas {
    const char* nombre;
    std::optional<QVariant> l1, l2, l3;
    QStringList esperadas;  // after "uno", "dos", "tres"
};

void PrintTo(const CasoLineas& c, std::ostream* os) { *os << c.nombre; }

class LineasDelCartel : public CartelDeProgreso, public ::testing::WithParamInterface<CasoLineas> {};

TEST_P(LineasDelCartel, SoloCambianLasLineasDadas) {
    display_.CartelInicio(QStringLiteral("Exportando a Excel"), false);
    mostrar(QStringLiteral("uno"), QStringLiteral("dos"), QStringLiteral("tres"));
    const CasoLineas& c = GetParam();
    mostrar(c.l1, c.l2, c.l3);
    EXPECT_EQ(lineas(), c.esperadas);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, LineasDelCartel,
    ::testing::Values(
        CasoLineas{"SoloLaSegunda", std::nullopt, QVariant(QStringLiteral("otra")), std::nullopt,
                   {"uno", "otra", "tres"}},
        CasoLineas{"NingunaLinea", std::nullopt, std::nullopt, std::nullopt, {"uno", "dos", "tres"}},
        CasoLineas{"NuloEsLineaVacia", QVariant(), std::nullopt, QVariant(QMetaType(QMetaType::QString)),
                   {"", "dos", ""}},
        CasoLineas{"NumerosComoTexto", QVariant(12), QVariant(3.5), QVariant(QStringLiteral("7 de 9")),
                   {"12", "3,5", "7 de 9"}}),
    [](const auto& prueba) { return std::string(prueba.param.nombre); });

// Every call sets its lines, also the calls between two refreshes of the
// window: the last call's texts are the ones shown.
TEST_F(CartelDeProgreso, CadaLlamadaDejaSusLineasAunqueNoSeRepinte) {
    display_.CartelInicio(QStringLiteral("Exportando a Excel"), false);
    for (int fila = 1; fila <= 500; ++fila) {
        mostrar(std::nullopt, std::nullopt, QString::number(fila) + QStringLiteral(" de 500"));
        ASSERT_EQ(display_.ventana()->LblCtrol(2)->text(), QString::number(fila) + QStringLiteral(" de 500"));
    }
}

// ---- Cancel -------------------------------------------------------------------------

TEST_F(CartelDeProgreso, LaCancelacionSigueHastaCerrarYUnInicioNuevoEmpiezaSinElla) {
    display_.CartelInicio(QStringLiteral("Procesando"), true);
    EXPECT_FALSE(mostrar(QStringLiteral("fila 1")));
    pulsarCancelar();
    EXPECT_EQ(display_.ventana()->CmdDisplayCancelar()->text(), QStringLiteral("Abortado"));
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(mostrar(QStringLiteral("fila %1").arg(i + 2))) << i;
    display_.CartelCerrar();
    EXPECT_EQ(display_.ventana(), nullptr);

    display_.CartelInicio(QStringLiteral("Procesando"), true);
    EXPECT_EQ(display_.ventana()->CmdDisplayCancelar()->text(), QStringLiteral("&Cancelar"));
    EXPECT_FALSE(mostrar(QStringLiteral("fila 1")));
    EXPECT_EQ(display_.ventana()->LblCtrol(1)->text(), QString());  // a fresh window
}

TEST_F(CartelDeProgreso, MostrarSinInicioCreaLaVentanaSinMostrarlaYNoEstaCancelado) {
    EXPECT_FALSE(mostrar(QStringLiteral("antes")));
    ASSERT_NE(display_.ventana(), nullptr);
    EXPECT_FALSE(display_.ventana()->isVisible());
    EXPECT_EQ(display_.ventana()->LblCtrol(0)->text(), QStringLiteral("antes"));
}

TEST_F(CartelDeProgreso, ElBotonCancelarSeVeSoloSiSePermite) {
    for (const bool permite : {false, true}) {
        display_.CartelInicio(QStringLiteral("Titulo"), permite);
        EXPECT_EQ(display_.ventana()->CmdDisplayCancelar()->isVisible(), permite) << permite;
        display_.CartelCerrar();
    }
}

// ---- The window ---------------------------------------------------------------------

TEST_F(CartelDeProgreso, VentanaNoModalCentradaYTranslucidaConElTitulo) {
    display_.CartelInicio(QStringLiteral("Exportando a Excel"), false);
    Lbf_CtrlDisplay* v = display_.ventana();
    ASSERT_NE(v, nullptr);
    EXPECT_TRUE(v->isVisible());
    EXPECT_TRUE(v->isWindow());
    EXPECT_EQ(v->windowModality(), Qt::NonModal);
    EXPECT_EQ(v->windowTitle(), QStringLiteral("Exportando a Excel"));
    EXPECT_NEAR(v->windowOpacity(), 200.0 / 255.0, 0.01);
    const QRect pantalla = v->screen()->geometry();
    EXPECT_LE(std::abs(v->frameGeometry().center().x() - pantalla.center().x()), 2);
    EXPECT_LE(std::abs(v->frameGeometry().center().y() - pantalla.center().y()), 2);
    // Three lines one under the other, each across the window.
    for (int i = 0; i < Lbf_CtrlDisplay::Lineas; ++i) {
        EXPECT_GT(v->LblCtrol(i)->width(), v->width() * 9 / 10) << i;
        if (i > 0) {
            EXPECT_GE(v->LblCtrol(i)->y(), v->LblCtrol(i - 1)->geometry().bottom()) << i;
        }
    }
}

// The timer's tick shows pictures 1 to 12 in turn and starts again.
TEST_F(CartelDeProgreso, LaAnimacionRecorreLasDocePinturasEnCiclo) {
    display_.CartelInicio(QStringLiteral("Titulo"), false);
    Lbf_CtrlDisplay* v = display_.ventana();
    EXPECT_EQ(v->Timer1()->interval(), 100);
    EXPECT_TRUE(v->Timer1()->isActive());
    auto mostrada = [v] { return v->Image1()->pixmap().toImage(); };
    EXPECT_EQ(mostrada(), v->imagen(1).toImage());

    QList<QImage> vistas;
    for (int tic = 1; tic <= 2 * Lbf_CtrlDisplay::Cuadros; ++tic) {
        v->Timer1_Timer();
        vistas << mostrada();
        const int numero = (tic - 1) % Lbf_CtrlDisplay::Cuadros + 1;
        EXPECT_EQ(vistas.last(), v->imagen(numero).toImage()) << "tic " << tic;
    }
    // Twelve different pictures of one size.
    for (int i = 0; i < Lbf_CtrlDisplay::Cuadros; ++i) {
        EXPECT_EQ(vistas[i].size(), vistas[0].size());
        for (int j = i + 1; j < Lbf_CtrlDisplay::Cuadros; ++j) EXPECT_NE(vistas[i], vistas[j]) << i << " " << j;
    }
}

TEST_F(CartelDeProgreso, SiempreVisibleCreaLaVentanaYLaPoneEncimaSinOcultarla) {
    display_.setSiempre_Visible(true);
    ASSERT_NE(display_.ventana(), nullptr);
    EXPECT_TRUE(display_.ventana()->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    display_.CartelInicio(QStringLiteral("Titulo"), false);
    display_.setSiempre_Visible(false);
    EXPECT_FALSE(display_.ventana()->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(display_.ventana()->isVisible());
}

}  // namespace
