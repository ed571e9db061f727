#pragma once

#include "platform/ado/Variant.h"

#include <QString>
#include <optional>

namespace datos {

// The statements of the session's aggregate searches and column maintenance,
// in the SQL Server dialect. They go to the connection as built: no synonyms,
// no Oracle rewriting.
class SentenciasAgregados {
public:
    // A missing condition adds nothing; a given one, even empty, adds
    // " WHERE " and the condition trimmed (so an empty one fails at the server).
    static QString maximo(const QString& tabla, const QString& campo,
                          const std::optional<QString>& condicion);
    static QString minimo(const QString& tabla, const QString& campo,
                          const std::optional<QString>& condicion);
    // Adds " WHERE " and the condition only when it is not blank.
    static QString ultimoCodigo(const QString& tabla, const QString& campo, const QString& condicion);

    // The article view's codes that begin with "0" are not real articles: the
    // condition that leaves them out of a maximum.
    static QString sinCodigosCero(const std::optional<QString>& condicion);

    // ALTER TABLE dbo.<tabla> ADD <campo> <tipo> Null|Not Null [CONSTRAINT DF_... DEFAULT (...)].
    // A numeric default is written with "." as decimal point whatever the
    // workstation uses; any other default as its text.
    static QString agregarCampo(const QString& tabla, const QString& campo, const QString& tipo,
                                bool permiteNulos, const std::optional<ado::Variant>& valorDefault);

private:
    static QString donde(const std::optional<QString>& condicion);
    static QString textoDefault(const ado::Variant& valor);
};

}  // namespace datos
