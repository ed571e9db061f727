#include "reconciliation/BotonConDibujo.h"

#include <QStyleOptionToolButton>
#include <QStylePainter>

namespace conciliacion {

BotonConDibujo::BotonConDibujo(QWidget* padre) : QToolButton(padre) {
    setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
}

void BotonConDibujo::paintEvent(QPaintEvent*) {
    QStylePainter pintor(this);
    QStyleOptionToolButton opcion;
    initStyleOption(&opcion);
    // The style draws the bevel only; picture and caption are placed here.
    opcion.text.clear();
    opcion.icon = QIcon();
    pintor.drawComplexControl(QStyle::CC_ToolButton, opcion);

    const QRect area = rect().adjusted(3, 4, -3, -3);
    const QSize lado = iconSize();
    const QRect dibujo(area.center().x() - lado.width() / 2, area.top(), lado.width(), lado.height());
    icon().paint(&pintor, dibujo, Qt::AlignCenter, isEnabled() ? QIcon::Normal : QIcon::Disabled);
    const QRect texto(area.left(), dibujo.bottom() + 3, area.width(), area.bottom() - dibujo.bottom() - 3);
    pintor.drawText(texto, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, text());
}

}  // namespace conciliacion
