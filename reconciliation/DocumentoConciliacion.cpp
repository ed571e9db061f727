#include "reconciliation/DocumentoConciliacion.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPen>
#include <QPdfWriter>

namespace conciliacion {

namespace {

// Positions on the page are in millimetres, turned into the device's units
// as they are drawn; font sizes stay in points, which the device resolves.
constexpr double kMargen = 18.0;
constexpr double kMmPorPulgada = 25.4;

Qt::Alignment alineacion(const QString& codigo) {
    const QString c = codigo.trimmed().toUpper();
    if (c == QLatin1String("DER")) return Qt::AlignRight;
    if (c == QLatin1String("CEN")) return Qt::AlignHCenter;
    return Qt::AlignLeft;
}

QFont fuente(double puntos, bool negrita = false) {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPointSizeF(puntos);
    f.setBold(negrita);
    return f;
}

// Device units per millimetre.
struct Escala {
    double f;
    QRectF rect(double x, double y, double w, double h) const { return QRectF(x * f, y * f, w * f, h * f); }
    QPointF punto(double x, double y) const { return QPointF(x * f, y * f); }
};

// One "label: value" line of the data block.
double renglonDato(QPainter& p, const Escala& e, double y, double ancho, const QString& etiqueta,
                   const QString& valor) {
    p.setFont(fuente(10, true));
    p.drawText(e.rect(kMargen, y, 45, 6), Qt::AlignLeft | Qt::AlignVCenter, etiqueta);
    p.setFont(fuente(10));
    p.drawText(e.rect(kMargen + 45, y, ancho - 2 * kMargen - 45, 6), Qt::AlignLeft | Qt::AlignVCenter, valor);
    return y + 7;
}

}  // namespace

DocumentoConciliacion::Diseno DocumentoConciliacion::disenoPorNombre(const QString& nombre) {
    return nombre == QLatin1String("ConciliacionBancaria") ? Diseno::Bancaria : Diseno::Cuentas;
}

QString DocumentoConciliacion::tituloEfectivo() const {
    if (!titulo.trimmed().isEmpty()) return titulo;
    return diseno == Diseno::Bancaria ? QStringLiteral("Conciliación Bancaria")
                                      : QStringLiteral("Conciliación de Cuentas");
}

std::array<QString, 4> DocumentoConciliacion::etiquetasSaldos() const {
    if (diseno == Diseno::Bancaria)
        return {QStringLiteral("Saldo anterior según libros"), QStringLiteral("Partidas pendientes de conciliar"),
                QStringLiteral("Partidas conciliadas"), QStringLiteral("Saldo actual según libros")};
    return {QStringLiteral("Saldo anterior de la cuenta"), QStringLiteral("Importe a conciliar"),
            QStringLiteral("Importe conciliado"), QStringLiteral("Saldo actual de la cuenta")};
}

void DocumentoConciliacion::imprimir(QPagedPaintDevice& dispositivo) const {
    dispositivo.setPageSize(QPageSize(QPageSize::A4));
    dispositivo.setPageOrientation(QPageLayout::Portrait);
    dispositivo.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    QPainter pintor;
    if (!pintor.begin(&dispositivo)) return;
    const double porMm = dispositivo.logicalDpiX() / kMmPorPulgada;
    dibujar(pintor, dispositivo.width() / porMm, dispositivo.height() / porMm, porMm);
    pintor.end();
}

bool DocumentoConciliacion::guardarPdf(const QString& archivo) const {
    QPdfWriter pdf(archivo);
    pdf.setResolution(300);
    pdf.setTitle(tituloEfectivo() + QLatin1Char(' ') + identificador);
    pdf.setCreator(QStringLiteral("QUINTARO"));
    QPainter prueba;
    if (!prueba.begin(&pdf)) return false;
    prueba.end();
    imprimir(pdf);
    return true;
}

void DocumentoConciliacion::dibujar(QPainter& p, double ancho, double alto, double porMm) const {
    const Escala e{porMm};
    p.setPen(QPen(Qt::black, 0.3 * porMm));
    const double util = ancho - 2 * kMargen;
    // Header: the company in one corner, the moment of printing in the other.
    p.setFont(fuente(9, true));
    p.drawText(e.rect(kMargen, kMargen, util, 6), alineacion(esquinaIzquierda) | Qt::AlignVCenter, empresa);
    p.setFont(fuente(8));
    p.drawText(e.rect(kMargen, kMargen + 6, util, 5), alineacion(esquinaDerecha) | Qt::AlignVCenter,
               QStringLiteral("Emitido: ") + emitido);
    p.drawLine(e.punto(kMargen, kMargen + 12), e.punto(ancho - kMargen, kMargen + 12));

    p.setFont(fuente(16, true));
    p.drawText(e.rect(kMargen, kMargen + 16, util, 10), Qt::AlignHCenter | Qt::AlignVCenter, tituloEfectivo());
    p.setFont(fuente(11));
    p.drawText(e.rect(kMargen, kMargen + 26, util, 7), Qt::AlignHCenter | Qt::AlignVCenter,
               QStringLiteral("Conciliación N° ") + identificador);

    double y = kMargen + 40;
    const QString etiquetaCuenta =
        diseno == Diseno::Bancaria ? QStringLiteral("Cuenta bancaria:") : QStringLiteral("Cuenta:");
    y = renglonDato(p, e, y, ancho, etiquetaCuenta, cuenta + QStringLiteral("  ") + descripcion);
    y = renglonDato(p, e, y, ancho, QStringLiteral("Fecha:"), fecha);
    y = renglonDato(p, e, y, ancho, QStringLiteral("Período:"), periodo);
    if (!segundoPeriodo.isEmpty()) y = renglonDato(p, e, y, ancho, QStringLiteral("Segundo período:"), segundoPeriodo);
    if (!estado.isEmpty()) y = renglonDato(p, e, y, ancho, QStringLiteral("Estado:"), estado);
    y = renglonDato(p, e, y, ancho, QStringLiteral("Comentario:"), observaciones);

    // The balances, labels left and amounts right, in a framed block.
    y += 6;
    p.setFont(fuente(11, true));
    p.drawText(e.rect(kMargen, y, util, 7), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Saldos"));
    y += 8;
    const double inicioBloque = y;
    const auto etiquetas = etiquetasSaldos();
    for (std::size_t i = 0; i < saldos.size(); ++i) {
        const bool ultimo = i + 1 == saldos.size();
        if (ultimo) p.drawLine(e.punto(kMargen + util * 0.55, y + 0.5), e.punto(ancho - kMargen - 3, y + 0.5));
        p.setFont(fuente(10.5, ultimo));
        p.drawText(e.rect(kMargen + 3, y + 1, util * 0.6, 7), Qt::AlignLeft | Qt::AlignVCenter, etiquetas[i]);
        p.drawText(e.rect(kMargen + util * 0.55, y + 1, util * 0.45 - 3, 7), Qt::AlignRight | Qt::AlignVCenter,
                   saldos[i]);
        y += 9;
    }
    p.drawRect(e.rect(kMargen, inicioBloque - 1, util, y - inicioBloque + 2));

    // Footer.
    const double pie = alto - kMargen;
    p.drawLine(e.punto(kMargen, pie - 7), e.punto(ancho - kMargen, pie - 7));
    p.setFont(fuente(8));
    p.drawText(e.rect(kMargen, pie - 6, util, 5), Qt::AlignLeft | Qt::AlignVCenter, emitido);
    p.drawText(e.rect(kMargen, pie - 6, util, 5), Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("Página 1 de 1"));
}

}  // namespace conciliacion
