#pragma once

#include <QString>
#include <QStringList>

namespace ado {

// Cuts a script written for SQLite into its statements: each ends with a ";"
// that closes its line, outside quoted text and comments and outside the
// BEGIN...END body of a trigger. Statements without a final ";" end with the
// text.
class GuionSqlite {
public:
    static QStringList sentencias(const QString& guion);
};

}  // namespace ado
