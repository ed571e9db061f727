#pragma once

#include <QString>
#include <QVector>

namespace consultas {

// The remembered column widths of the lookup window, "CONSULTASLEN.QZT" in
// the application folder: one line per table in the comma-separated quoted
// form, "TABLE","2500|1200|" + CR LF, widths in twips in column order.
//
// A save never leaves the file half-written: the new contents go to
// "CONSULTASLEN.AUX" first, which then takes the file's place.
class ArchivoAnchos {
public:
    // `carpeta` ends with a separator.
    explicit ArchivoAnchos(const QString& carpeta);

    QString ruta() const;
    QString rutaAuxiliar() const;

    // The widths of every line naming `tabla` (any letter case), a later line
    // over an earlier one; each list stops at the first width without its
    // closing "|". Empty when the file or the table is missing.
    QVector<QVector<double>> leer(const QString& tabla) const;

    // Replaces the table's line (all lines naming it) by one holding
    // `anchos`, keeping every other table's line as it was. False when the
    // files could not be written; the width file is then left untouched.
    bool grabar(const QString& tabla, const QVector<double>& anchos) const;

    // One line's two fields, split at the comma outside the quotes.
    static bool separarLinea(const QString& linea, QString& tabla, QString& anchos);
    static QVector<double> leerAnchos(QString anchos);

private:
    QString carpeta_;
};

}  // namespace consultas
