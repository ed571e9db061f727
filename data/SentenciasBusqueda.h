#pragma once

#include "platform/ado/Variant.h"

#include <QString>

namespace datos {

// The SELECT statements of the session's row lookups, in the SQL Server
// dialect, before synonyms. The type code chooses how the searched value is
// written: 8 text between single quotes (quotes inside doubled), 7 a date
// (as given, trimmed), 3/5/4 a number (read from the text, "." as decimal
// point), anything else the text as given.
class SentenciasBusqueda {
public:
    static QString existeEnTabla(const QString& tabla, const QString& valorBuscado,
                                 const QString& campo, const ado::Variant& tipoDato,
                                 const QString& condicion);
    static QString existeEnTablaST(const QString& tabla, const QString& valorBuscado,
                                   const QString& campo, const ado::Variant& tipoDato,
                                   const QString& condicion);
    static QString datosTabla(const QString& tabla, const QString& valorBuscado,
                              const QString& campo, const ado::Variant& tipoDato,
                              const QString& condicion, bool usaTrim);

    // The type codes, by kind.
    enum class Clase { Texto, Fecha, Numero, Otro };
    static Clase clase(const ado::Variant& tipoDato);

private:
    // " " when the condition carries its own " WHERE ", else " WHERE ".
    static QString union_(const QString& condicion);
    static QString numero(const QString& valor);
};

}  // namespace datos
