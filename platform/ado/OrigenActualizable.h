#pragma once

#include <QString>

namespace ado {

// The table an updatable recordset writes to: the one named after the first
// FROM of its query, without brackets, owner or table hints.
class OrigenActualizable {
public:
    static QString tabla(const QString& consulta);
};

}  // namespace ado
