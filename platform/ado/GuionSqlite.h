#pragma once

#include <QString>
#include <QStringList>

namespace ado {

// Cuts a script written for SQLite into its statements: each ends with a ";"
// followed by white space (a line end, usually) or by the end of the text,
// outside quoted text and comments and outside the BEGIN...END body of a
// trigger. A last statement without ";" ends with the text.
class GuionSqlite {
public:
    static QStringList sentencias(const QString& guion);
};

}  // namespace ado
