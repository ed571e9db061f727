#include "reconciliation/ImagenesEstado.h"

#include <QPainter>
#include <QPainterPath>

namespace conciliacion {

QString ImagenesEstado::textoEstado(const QString& clave) {
    if (clave == AbiertaM) return QStringLiteral("Momentaneamente");
    return clave;
}

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

// apertura 1: the shackle raised, its free leg out of the body; 2: the
// shackle swung aside, standing on one leg at the body's right.
QPixmap ImagenesEstado::candado(const QColor& cuerpo, const QColor& borde, int apertura) {
    QPixmap p(Lado, Lado);
    p.fill(Qt::transparent);
    QPainter pintor(&p);
    pintor.setRenderHint(QPainter::Antialiasing);

    const bool girado = apertura == 2;
    const QRectF caja = girado ? QRectF(1.5, 8.5, 10, 7) : QRectF(2.5, 8.5, 11, 7);
    QPainterPath arco;
    if (girado) {
        arco.moveTo(8.5, 9);
        arco.lineTo(8.5, 4.5);
        arco.arcTo(QRectF(8.5, 1, 6, 7), 180, -180);
        arco.lineTo(14.5, 6);
    } else {
        arco.moveTo(11, 9);
        arco.lineTo(11, 4.5);
        arco.arcTo(QRectF(5, 1, 6, 7), 0, 180);
        arco.lineTo(5, 6);
    }
    pintor.setPen(QPen(QColor(0x60, 0x60, 0x60), 1.8, Qt::SolidLine, Qt::FlatCap));
    pintor.setBrush(Qt::NoBrush);
    pintor.drawPath(arco);

    pintor.setPen(QPen(borde, 1));
    pintor.setBrush(cuerpo);
    pintor.drawRoundedRect(caja, 1.5, 1.5);
    pintor.setPen(Qt::NoPen);
    pintor.setBrush(borde);
    const double centro = caja.center().x();
    pintor.drawEllipse(QRectF(centro - 1, 10.5, 2, 2));
    pintor.drawRect(QRectF(centro - 0.5, 12, 1, 2));
    return p;
}

}  // namespace conciliacion
