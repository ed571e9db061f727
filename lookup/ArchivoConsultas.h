#pragma once

#include "lookup/RegistroConsulta.h"

#include <QList>
#include <QString>
#include <optional>

namespace consultas {

// The lookup definitions file ("consultas.qzt"): records of
// RegistroConsulta::Largo bytes, record n at byte (n - 1) * Largo.
class ArchivoConsultas {
public:
    explicit ArchivoConsultas(QString ruta) : ruta_(std::move(ruta)) {}

    // The suite's built-in definitions, in the order they are written.
    static QList<RegistroConsulta> definicionesIncorporadas();

    // Writes the built-in definitions after the file's last whole record,
    // creating the file when missing; a file that already holds them gets
    // them again. Raises error 75 when the file cannot be written.
    void agregarIncorporadas() const;

    // What a search through the file found.
    struct Hallazgo {
        std::optional<RegistroConsulta> registro;  // the definition, when one matches
        QList<qint64> danados;                     // damaged records passed over (1 is the first)
    };

    // The first sound record whose table, cleaned, equals `tabla` (trimmed,
    // ignoring case). A damaged record (RegistroConsulta::danado) is passed
    // over and its number kept. No definition when no sound record matches
    // or the file cannot be read.
    Hallazgo buscarTabla(const QString& tabla) const;

    // A field's text without the bytes 0 and 255 that padding may leave,
    // trimmed.
    static QString limpiar(const QString& campo);

    const QString& ruta() const { return ruta_; }

private:
    QString ruta_;
};

}  // namespace consultas
