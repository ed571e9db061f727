#pragma once

#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

namespace ado {

// An ADO connection text read as its "key=value;" pairs. Keys are compared
// trimmed and without regard to case, so "Database =" is the key Database;
// values keep their blanks but for the ends.
class TextoConexion {
public:
    explicit TextoConexion(const QString& texto);

    // The value of the first of `claves` present; "" when none is.
    QString valor(const QStringList& claves) const;
    bool contiene(const QStringList& claves) const;

    // The pairs whose key is none of `conocidas`, in their order.
    std::vector<std::pair<QString, QString>> otros(const QStringList& conocidas) const;

private:
    std::vector<std::pair<QString, QString>> pares_;
};

}  // namespace ado
