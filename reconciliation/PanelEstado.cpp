#include "reconciliation/PanelEstado.h"

#include "platform/ui/Twips.h"

#include <algorithm>

namespace twips = plataforma::twips;

namespace conciliacion {

namespace {
constexpr int AnchoPredeterminado = 1440;  // twips
}

PanelEstado::PanelEstado(const QString& clave, const QString& texto, QWidget* padre)
    : QLabel(texto, padre) {
    setObjectName(clave);
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
}

QSize PanelEstado::sizeHint() const {
    const QSize propio = QLabel::sizeHint();
    return {std::max(propio.width(), twips::aPixeles(AnchoPredeterminado)), propio.height()};
}

QSize PanelEstado::minimumSizeHint() const { return {0, QLabel::minimumSizeHint().height()}; }

}  // namespace conciliacion
