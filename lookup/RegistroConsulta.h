#pragma once

#include <QByteArray>
#include <QString>

namespace consultas {

// One lookup definition as the definitions file holds it: a fixed-length
// record of single-byte Latin-1 text, each field left-aligned and padded with
// blanks, ending in CR LF so that the file reads as lines in a text editor.
class RegistroConsulta {
public:
    static constexpr int AnchoNombre = 100;
    static constexpr int AnchoTabla = 100;
    static constexpr int AnchoCampos = 500;
    static constexpr int AnchoCondicion = 500;
    static constexpr int AnchoFin = 2;
    static constexpr int Largo = AnchoNombre + AnchoTabla + AnchoCampos + AnchoCondicion + AnchoFin;

    QString Nombre;     // label of the definition; the lookup itself ignores it
    QString Tabla;      // table or view a lookup names
    QString Campos;     // "|COL1|COL2|": the first column is the search and sort column
    QString Condicion;  // fixed filter, without WHERE

    // The record's 1202 bytes; longer texts are cut at their field's width.
    QByteArray bytes() const;
    // The record read from `datos` (missing bytes read as 0). The fields keep
    // their padding: callers clean them as they need.
    static RegistroConsulta desdeBytes(const QByteArray& datos);
    // Whether `datos` cannot be trusted as a record: shorter than a whole
    // one (a file cut short), or with a NUL byte inside a field's text. NUL
    // bytes after a field's text are padding some writers leave, not damage.
    static bool danado(const QByteArray& datos);
};

}  // namespace consultas
