#pragma once

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace prueba {

// A workbook read back by a reader that shares nothing with the writer
// (openpyxl, through leer_libro.py), so the tests see what a spreadsheet
// program would open.
class LectorLibro {
public:
    struct Celda {
        QString ref;      // "A1"
        QVariant valor;   // number, text, or the date as ISO text
        QString tipo;     // "numero", "fecha", "texto"
        QString formato;  // number format
        double tamanio = 0;
        bool negrita = false;
        QString color;    // font colour, ARGB
        QString relleno;  // solid fill colour, ARGB; empty without fill
        QStringList bordes;  // left, right, top, bottom
    };

    explicit LectorLibro(const QString& archivo);

    bool valido() const { return error_.isEmpty(); }
    const QString& error() const { return error_; }

    const QStringList& hojas() const { return hojas_; }
    int filas() const { return filas_; }
    // Width of a column with a width of its own ("A"); -1 without one.
    double ancho(const QString& columna) const { return columnas_.value(columna, -1); }
    // The cell, or an empty one (tipo "") when it holds nothing.
    Celda celda(const QString& ref) const { return celdas_.value(ref); }
    int celdasConValor() const { return int(celdas_.size()); }

private:
    QString error_;
    QStringList hojas_;
    int filas_ = 0;
    QMap<QString, double> columnas_;
    QMap<QString, Celda> celdas_;
};

}  // namespace prueba
