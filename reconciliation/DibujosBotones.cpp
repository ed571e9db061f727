#include "reconciliation/DibujosBotones.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace conciliacion {

template <typename Dibujo>
QIcon DibujosBotones::dibujar(Dibujo dibujo) {
    QPixmap lienzo(Lado, Lado);
    lienzo.fill(Qt::transparent);
    QPainter pintor(&lienzo);
    pintor.setRenderHint(QPainter::Antialiasing);
    dibujo(pintor);
    pintor.end();
    return QIcon(lienzo);
}

// Two arrows chasing each other round a circle.
QIcon DibujosBotones::cargar() {
    return dibujar([](QPainter& p) {
        const QColor azul(0x1F, 0x6F, 0xC5);
        p.setPen(QPen(azul, 3.5, Qt::SolidLine, Qt::FlatCap));
        const QRectF aro(6, 6, 20, 20);
        p.drawArc(aro, 30 * 16, 140 * 16);
        p.drawArc(aro, 210 * 16, 140 * 16);
        p.setPen(Qt::NoPen);
        p.setBrush(azul);
        p.drawPolygon(QPolygonF({QPointF(2, 12), QPointF(10, 12), QPointF(5.5, 19)}));
        p.drawPolygon(QPolygonF({QPointF(30, 20), QPointF(22, 20), QPointF(26.5, 13)}));
    });
}

// A printed sheet with lines of text and a folded corner.
QIcon DibujosBotones::reporte() {
    return dibujar([](QPainter& p) {
        QPainterPath hoja;
        hoja.moveTo(6.5, 2.5);
        hoja.lineTo(20.5, 2.5);
        hoja.lineTo(26.5, 8.5);
        hoja.lineTo(26.5, 29.5);
        hoja.lineTo(6.5, 29.5);
        hoja.closeSubpath();
        p.setPen(QPen(QColor(0x55, 0x55, 0x55), 1));
        p.setBrush(Qt::white);
        p.drawPath(hoja);
        p.drawLine(QPointF(20.5, 2.5), QPointF(20.5, 8.5));
        p.drawLine(QPointF(20.5, 8.5), QPointF(26.5, 8.5));
        p.setPen(QPen(QColor(0x1F, 0x6F, 0xC5), 1.5));
        for (int y = 12; y <= 26; y += 4) p.drawLine(QPointF(9.5, y), QPointF(23.5, y));
    });
}

// An amber padlock with its shackle raised: the reconciliation reopened.
QIcon DibujosBotones::apertura() {
    return dibujar([](QPainter& p) {
        QPainterPath arco;
        arco.moveTo(22, 15);
        arco.lineTo(22, 9);
        arco.arcTo(QRectF(9, 2, 13, 14), 0, 180);
        arco.lineTo(9, 8);
        p.setPen(QPen(QColor(0x60, 0x60, 0x60), 3, Qt::SolidLine, Qt::FlatCap));
        p.drawPath(arco);
        p.setPen(QPen(QColor(0x9A, 0x60, 0x00), 1.5));
        p.setBrush(QColor(0xF0, 0xA8, 0x18));
        p.drawRoundedRect(QRectF(5, 15, 22, 15), 2.5, 2.5);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x9A, 0x60, 0x00));
        p.drawEllipse(QRectF(14, 19, 4, 4));
        p.drawRect(QRectF(15, 22, 2, 5));
    });
}

// A clock face: what happened and when.
QIcon DibujosBotones::historial() {
    return dibujar([](QPainter& p) {
        p.setPen(QPen(QColor(0x33, 0x33, 0x33), 2));
        p.setBrush(QColor(0xF4, 0xF4, 0xE8));
        p.drawEllipse(QRectF(3, 3, 26, 26));
        p.setPen(QPen(QColor(0x33, 0x33, 0x33), 1.5));
        for (int hora = 0; hora < 12; ++hora) {
            p.save();
            p.translate(16, 16);
            p.rotate(hora * 30.0);
            p.drawLine(QPointF(0, -11), QPointF(0, -9));
            p.restore();
        }
        p.setPen(QPen(QColor(0xB0, 0x20, 0x20), 2.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(16, 16), QPointF(16, 8));
        p.drawLine(QPointF(16, 16), QPointF(22, 19));
    });
}

// An open door with a red arrow leaving through it.
QIcon DibujosBotones::salir() {
    return dibujar([](QPainter& p) {
        p.setPen(QPen(QColor(0x5A, 0x3A, 0x1A), 1.5));
        p.setBrush(QColor(0xC8, 0x96, 0x5A));
        p.drawRect(QRectF(4, 3, 16, 26));
        p.setBrush(QColor(0x8B, 0x5A, 0x2B));
        p.drawPolygon(QPolygonF({QPointF(4, 3), QPointF(12, 6), QPointF(12, 31), QPointF(4, 29)}));
        const QColor rojo(0xC6, 0x28, 0x28);
        p.setPen(QPen(rojo, 3.5, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(QPointF(15, 16), QPointF(25, 16));
        p.setPen(Qt::NoPen);
        p.setBrush(rojo);
        p.drawPolygon(QPolygonF({QPointF(24, 10), QPointF(31, 16), QPointF(24, 22)}));
    });
}

}  // namespace conciliacion
