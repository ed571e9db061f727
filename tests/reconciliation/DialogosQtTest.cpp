// The on-screen standard boxes: the run-time's button sets and answer codes,
// the icons, the default button, Esc, the input box and the date picker.
// Each box is answered by keys or clicks once it is shown.

#include "platform/ui/DialogosQt.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCalendarWidget>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {

using plataforma::DialogosQt;
namespace estilo = plataforma::estilo;
namespace respuesta = plataforma::respuesta;

// Runs `accion` on the modal box as soon as the event loop shows it.
void alAparecer(std::function<void(QWidget*)> accion) {
    QTimer::singleShot(0, [accion = std::move(accion)] {
        QWidget* caja = QApplication::activeModalWidget();
        ASSERT_NE(caja, nullptr);
        accion(caja);
    });
}

QStringList textosDeBotones(QMessageBox* caja) {
    QStringList textos;
    for (QAbstractButton* b : caja->buttons()) textos << b->text();
    return textos;
}

QPushButton* botonConTexto(QMessageBox* caja, const QString& texto) {
    for (QAbstractButton* b : caja->buttons())
        if (b->text() == texto) return qobject_cast<QPushButton*>(b);
    return nullptr;
}

struct CasoMensaje {
    int estilo;
    QStringList botones;
    QMessageBox::Icon icono;
    QString predeterminado;
    QString pulsado;
    int respuestaEsperada;
};

class DialogosQtMensaje : public ::testing::TestWithParam<CasoMensaje> {};

TEST_P(DialogosQtMensaje, MuestraLosBotonesDelEstiloYRespondeSuCodigo) {
    const CasoMensaje& caso = GetParam();
    DialogosQt dialogos;
    QStringList vistos;
    QMessageBox::Icon iconoVisto = QMessageBox::NoIcon;
    QString predeterminadoVisto;
    alAparecer([&](QWidget* w) {
        auto* caja = qobject_cast<QMessageBox*>(w);
        ASSERT_NE(caja, nullptr);
        vistos = textosDeBotones(caja);
        iconoVisto = caja->icon();
        predeterminadoVisto = caja->defaultButton() ? caja->defaultButton()->text() : QString();
        QPushButton* boton = botonConTexto(caja, caso.pulsado);
        ASSERT_NE(boton, nullptr);
        QTest::mouseClick(boton, Qt::LeftButton);
    });
    const int r = dialogos.mensaje(QStringLiteral("Texto"), caso.estilo, QStringLiteral("Título"));
    EXPECT_EQ(vistos, caso.botones);
    EXPECT_EQ(iconoVisto, caso.icono);
    EXPECT_EQ(predeterminadoVisto, caso.predeterminado);
    EXPECT_EQ(r, caso.respuestaEsperada);
}

INSTANTIATE_TEST_SUITE_P(
    Estilos, DialogosQtMensaje,
    ::testing::Values(
        CasoMensaje{estilo::SoloAceptar, {"Aceptar"}, QMessageBox::NoIcon, "Aceptar", "Aceptar", respuesta::Aceptar},
        CasoMensaje{estilo::AceptarCancelar | estilo::Informacion, {"Aceptar", "Cancelar"},
                    QMessageBox::Information, "Aceptar", "Cancelar", respuesta::Cancelar},
        CasoMensaje{estilo::AbortarReintentarIgnorar | estilo::Critico, {"Abortar", "Reintentar", "Ignorar"},
                    QMessageBox::Critical, "Abortar", "Reintentar", respuesta::Reintentar},
        CasoMensaje{estilo::AbortarReintentarIgnorar | estilo::Critico, {"Abortar", "Reintentar", "Ignorar"},
                    QMessageBox::Critical, "Abortar", "Ignorar", respuesta::Ignorar},
        CasoMensaje{estilo::SiNoCancelar | estilo::Pregunta | 512, {"Sí", "No", "Cancelar"},
                    QMessageBox::Question, "Cancelar", "Sí", respuesta::Si},
        CasoMensaje{estilo::SiNo | estilo::Exclamacion | 256, {"Sí", "No"}, QMessageBox::Warning, "No", "No",
                    respuesta::No},
        CasoMensaje{estilo::ReintentarCancelar | estilo::Critico, {"Reintentar", "Cancelar"},
                    QMessageBox::Critical, "Reintentar", "Reintentar", respuesta::Reintentar}));

struct CasoEscape {
    int estilo;
    int respuestaEsperada;
};

class DialogosQtEscape : public ::testing::TestWithParam<CasoEscape> {};

// Esc answers Cancel where there is one, OK when it is the only button.
TEST_P(DialogosQtEscape, EscRespondeCancelarOElAceptarSolo) {
    DialogosQt dialogos;
    alAparecer([](QWidget* caja) { QTest::keyClick(caja, Qt::Key_Escape); });
    EXPECT_EQ(dialogos.mensaje(QStringLiteral("Texto"), GetParam().estilo, {}), GetParam().respuestaEsperada);
}

INSTANTIATE_TEST_SUITE_P(Estilos, DialogosQtEscape,
                         ::testing::Values(CasoEscape{estilo::SoloAceptar, respuesta::Aceptar},
                                           CasoEscape{estilo::AceptarCancelar, respuesta::Cancelar},
                                           CasoEscape{estilo::SiNoCancelar, respuesta::Cancelar},
                                           CasoEscape{estilo::ReintentarCancelar, respuesta::Cancelar}));

// With Abort, Retry and Ignore Esc does nothing: the box waits for a button.
TEST(DialogosQt, EscNoCierraAbortarReintentarIgnorar) {
    DialogosQt dialogos;
    bool siguiaAbierta = false;
    alAparecer([&](QWidget* w) {
        QTest::keyClick(w, Qt::Key_Escape);
        siguiaAbierta = w->isVisible();
        QTest::mouseClick(botonConTexto(qobject_cast<QMessageBox*>(w), QStringLiteral("Ignorar")), Qt::LeftButton);
    });
    EXPECT_EQ(dialogos.mensaje(QStringLiteral("x"), estilo::AbortarReintentarIgnorar, {}), respuesta::Ignorar);
    EXPECT_TRUE(siguiaAbierta);
}

TEST(DialogosQt, LaCajaDeEntradaDevuelveLoEscritoOVacioAlCancelar) {
    DialogosQt dialogos;
    QString titulo, pregunta, inicial;
    alAparecer([&](QWidget* w) {
        auto* caja = qobject_cast<QInputDialog*>(w);
        ASSERT_NE(caja, nullptr);
        titulo = caja->windowTitle();
        pregunta = caja->labelText();
        auto* editor = caja->findChild<QLineEdit*>();
        ASSERT_NE(editor, nullptr);
        inicial = editor->text();
        editor->selectAll();
        QTest::keyClicks(editor, QStringLiteral("clave nueva"));
        QTest::keyClick(editor, Qt::Key_Return);
    });
    EXPECT_EQ(dialogos.entrada(QStringLiteral("ingrese el password:"), QStringLiteral("Password Access"),
                               QStringLiteral("vieja")),
              QStringLiteral("clave nueva"));
    EXPECT_EQ(titulo, QStringLiteral("Password Access"));
    EXPECT_EQ(pregunta, QStringLiteral("ingrese el password:"));
    EXPECT_EQ(inicial, QStringLiteral("vieja"));

    alAparecer([](QWidget* w) { QTest::keyClick(w, Qt::Key_Escape); });
    EXPECT_EQ(dialogos.entrada(QStringLiteral("p"), QStringLiteral("t"), QStringLiteral("algo")), QString());
}

// The picker opens on today; Enter takes the highlighted day, written with
// two-digit day and month and the full year in the workstation's order.
TEST(DialogosQt, ElSelectorDeFechaAceptaConEnterYCancelaConEsc) {
    DialogosQt dialogos;
    alAparecer([](QWidget* w) {
        auto* calendario = w->findChild<QCalendarWidget*>();
        ASSERT_NE(calendario, nullptr);
        calendario->setSelectedDate(QDate(2024, 3, 5));
        QWidget* vista = calendario->findChild<QAbstractItemView*>();
        ASSERT_NE(vista, nullptr);
        QTest::keyClick(vista, Qt::Key_Return);
    });
    EXPECT_EQ(dialogos.elegirFecha(), QStringLiteral("05/03/2024"));

    alAparecer([](QWidget* w) {
        QWidget* vista = w->findChild<QCalendarWidget*>()->findChild<QAbstractItemView*>();
        QTest::keyClick(vista, Qt::Key_Escape);
    });
    EXPECT_EQ(dialogos.elegirFecha(), QString());
}

}  // namespace
