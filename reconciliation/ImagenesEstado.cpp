#include "reconciliation/ImagenesEstado.h"

#include <QPainter>
#include <QPainterPath>

namespace conciliacion {

QStringList ImagenesEstado::claves() { return {Finalizada, AbiertaM, Abierta}; }

QPixmap ImagenesEstado::imagen(const QString& clave) {
    if (clave == Finalizada) return finalizada();
    if (clave == AbiertaM) return candado(QColor(0xF0, 0xA8, 0x18), QColor(0x9A, 0x60, 0x00), 1);
    if (clave == Abierta) return candado(QColor(0x3C, 0x7D, 0xD9), QColor(0x1D, 0x4A, 0x8C), 2);
    QPixmap vacia(Lado, Lado);
    vacia.fill(Qt::transparent);
    return vacia;
}

QPixmap ImagenesEstado::finalizada() {
    QPixmap p(Lado, Lado);
    p.fill(Qt::transparent);
    QPainter pintor(&p);
    pintor.setRenderHint(QPainter::Antialiasing);
    pintor.setPen(QPen(QColor(0x1E, 0x7B, 0x34), 1));
    pintor.setBrush(QColor(0x34, 0xA8, 0x53));
    pintor.drawEllipse(QRectF(0.5, 0.5, 15, 15));
    QPainterPath tilde;
    tilde.moveTo(4, 8.5);
    tilde.lineTo(7, 11.5);
    tilde.lineTo(12, 5);
    pintor.setPen(QPen(Qt::white, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    pintor.setBrush(Qt::NoBrush);
    pintor.drawPath(tilde);
    return p;
}

// apertura 0 closed, 1 shackle raised on its right leg, 2 shackle swung to the left.
QPixmap ImagenesEstado::candado(const QColor& cuerpo, const QColor& borde, int apertura) {
    QPixmap p(Lado, Lado);
    p.fill(Qt::transparent);
    QPainter pintor(&p);
    pintor.setRenderHint(QPainter::Antialiasing);

    QPainterPath arco;
    if (apertura == 2) {
        arco.moveTo(3.5, 7);
        arco.lineTo(3.5, 4.5);
        arco.arcTo(QRectF(-2.5, 0.5, 6, 8), 0, 180);
        arco.lineTo(-2.5, 6);
    } else {
        const double alto = apertura == 1 ? 3.0 : 0.0;
        arco.moveTo(11.5, 7);
        arco.lineTo(11.5, 5.5 - alto);
        arco.arcTo(QRectF(4.5, 1.5 - alto, 7, 8), 0, 180);
        arco.lineTo(4.5, apertura == 1 ? 4.5 - alto : 7);
    }
    pintor.setPen(QPen(QColor(0x60, 0x60, 0x60), 1.8, Qt::SolidLine, Qt::FlatCap));
    pintor.setBrush(Qt::NoBrush);
    pintor.drawPath(arco);

    pintor.setPen(QPen(borde, 1));
    pintor.setBrush(cuerpo);
    pintor.drawRoundedRect(QRectF(2.5, 7.5, 11, 8), 1.5, 1.5);
    pintor.setPen(Qt::NoPen);
    pintor.setBrush(borde);
    pintor.drawEllipse(QRectF(7, 9.5, 2, 2));
    pintor.drawRect(QRectF(7.5, 11, 1, 2.5));
    return p;
}

}  // namespace conciliacion
