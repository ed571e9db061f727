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

    // The first record whose table, cleaned, equals `tabla` (trimmed,
    // ignoring case); nothing when no record does or the file cannot be read.
    std::optional<RegistroConsulta> buscarTabla(const QString& tabla) const;

    // A field's text without the bytes 0 and 255 that padding may leave,
    // trimmed.
    static QString limpiar(const QString& campo);

    const QString& ruta() const { return ruta_; }

private:
    QString ruta_;
};

}  // namespace consultas
