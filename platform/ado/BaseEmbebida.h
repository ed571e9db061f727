#pragma once

#include <QString>
#include <QStringList>

namespace ado {

// Creates the embedded database file `archivoDb` (through the same SQLite
// ODBC driver the connections use) and runs `scripts` on it in order. Each
// entry is either the path of an existing ".sql" file, read as UTF-8, or SQL
// text itself. The scripts are written for SQLite: a statement ends with ";"
// and a line end (or a blank), outside quotes and a trigger's BEGIN...END.
// An existing file is kept and the scripts run on it.
// Raises plataforma::RuntimeError (with the failing statement in the
// description) when the file cannot be created or a statement fails.
void crearBaseEmbebida(const QString& archivoDb, const QStringList& scripts);

}  // namespace ado
