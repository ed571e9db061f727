#pragma once

#include <QString>
#include <array>

class QPagedPaintDevice;
class QPainter;

namespace conciliacion {

// One reconciliation report ready to draw: the layout's texts, the
// reconciliation's data and its four balances, drawn on one page (preview,
// printer or PDF file).
//
// The two layouts share the page: a header with two corners (the company's
// name and the moment of printing, each aligned as its code says), the
// title, the reconciliation's data, the balances with their labels, and a
// footer with the date and the page number. The bank layout speaks of the
// bank statement and the books; the accounts layout of the account.
class DocumentoConciliacion {
public:
    enum class Diseno { Bancaria, Cuentas };

    // Layout by its name: "ConciliacionBancaria" is the bank layout, any
    // other name the accounts layout.
    static Diseno disenoPorNombre(const QString& nombre);

    Diseno diseno = Diseno::Cuentas;
    QString titulo;             // empty: the layout's own title
    QString empresa;
    QString identificador;      // as shown, without padding
    QString cuenta;
    QString descripcion;
    QString fecha;
    QString periodo;            // "desde - hasta" of the first period
    QString segundoPeriodo;     // of the second period; empty when none
    QString observaciones;
    QString estado;
    // Previous balance, to be reconciled, reconciled, current balance, as
    // the formulas gave them.
    std::array<QString, 4> saldos;
    QString esquinaIzquierda = QStringLiteral("IZQ");
    QString esquinaDerecha = QStringLiteral("DER");
    QString emitido;            // date and time of printing, as shown

    QString tituloEfectivo() const;
    // The labels of the four balances in this layout.
    std::array<QString, 4> etiquetasSaldos() const;

    // Draws the page on a printer or PDF writer.
    void imprimir(QPagedPaintDevice& dispositivo) const;
    // Writes the report to a PDF file; false when the file cannot be written.
    bool guardarPdf(const QString& archivo) const;

private:
    // `ancho` and `alto` in millimetres; `porMm` device units per millimetre.
    void dibujar(QPainter& pintor, double ancho, double alto, double porMm) const;
};

}  // namespace conciliacion
