#include "output/Dll_Display.h"

#include "output/Lbf_CtrlDisplay.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLocale>
#include <QPushButton>

namespace salida {

namespace {

// A line's value as the workstation writes it: a fraction with its decimal
// separator, a null value as nothing.
QString textoDeLinea(const QVariant& valor) {
    if (valor.isNull()) return QString();
    const int tipo = valor.metaType().id();
    if (tipo == QMetaType::Double || tipo == QMetaType::Float)
        return QString::number(valor.toDouble(), 'g', 15).replace(u'.', QLocale().decimalPoint());
    return valor.toString();
}

}  // namespace

Dll_Display::Dll_Display() = default;
Dll_Display::~Dll_Display() = default;

Lbf_CtrlDisplay& Dll_Display::ventanaCreada() {
    if (!ventana_) {
        ventana_ = std::make_unique<Lbf_CtrlDisplay>();
        ultimoRefresco_.invalidate();
    }
    return *ventana_;
}

void Dll_Display::CartelInicio(const QString& Titulo, bool PermiteCancelar) {
    Lbf_CtrlDisplay& ventana = ventanaCreada();
    ventana.setWindowTitle(Titulo);
    ventana.CmdDisplayCancelar()->setVisible(PermiteCancelar);
    ventana.show();
    ultimoRefresco_.invalidate();
}

void Dll_Display::CartelMostrar(bool& Cancelado, const std::optional<QVariant>& L1,
                                const std::optional<QVariant>& l2, const std::optional<QVariant>& l3) {
    Lbf_CtrlDisplay& ventana = ventanaCreada();
    const std::optional<QVariant>* lineas[] = {&L1, &l2, &l3};
    for (int i = 0; i < Lbf_CtrlDisplay::Lineas; ++i)
        if (lineas[i]->has_value()) ventana.LblCtrol(i)->setText(textoDeLinea(**lineas[i]));
    const bool refrescar = tocaRefrescar();
    if (refrescar) ventana.repaint();
    Cancelado = ventana.cancelacionPedida();
    if (refrescar) {
        QCoreApplication::processEvents();
        ultimoRefresco_.start();
    }
}

bool Dll_Display::tocaRefrescar() const {
    return !ultimoRefresco_.isValid() || ultimoRefresco_.elapsed() >= IntervaloRefresco;
}

void Dll_Display::CartelCerrar() {
    if (ventana_) ventana_->hide();
    ventana_.reset();
}

void Dll_Display::setSiempre_Visible(bool siempre) {
    Lbf_CtrlDisplay& ventana = ventanaCreada();
    const bool visible = ventana.isVisible();
    ventana.setWindowFlag(Qt::WindowStaysOnTopHint, siempre);
    // Changing the window's flags hides it; a shown window comes back.
    if (visible) ventana.show();
}

}  // namespace salida
