#pragma once

#include "platform/ado/Variant.h"

#include <QString>

namespace ado {

// ADO data type codes the layer reports.
namespace tipo {
inline constexpr int SmallInt = 2, Integer = 3, Single = 4, Double = 5, Currency = 6, Date = 7,
                     BSTR = 8, Boolean = 11, Decimal = 14, TinyInt = 16, UnsignedTinyInt = 17,
                     BigInt = 20, Binary = 128, Char = 129, WChar = 130, Numeric = 131,
                     DBDate = 133, DBTime = 134, DBTimeStamp = 135, VarChar = 200,
                     LongVarChar = 201, VarWChar = 202, LongVarWChar = 203, VarBinary = 204,
                     LongVarBinary = 205;
}

// One column of a recordset's current row.
class Field {
public:
    Field(QString nombre, int tipoAdo, long tamanoDefinido)
        : name_(std::move(nombre)), type_(tipoAdo), definedSize_(tamanoDefinido) {}

    const QString& Name() const { return name_; }
    int Type() const { return type_; }
    long DefinedSize() const { return definedSize_; }

    // Raises 3021 when the recordset has no current row (BOF or EOF).
    const Variant& Value() const;
    // Assigning is allowed on an updatable recordset with a current row: it
    // starts changing that row unless one is being added (raises 3219 on a
    // read-only recordset, 3021 without a current row).
    void setValue(const Variant& v);

private:
    friend class Recordset;
    QString name_;
    int type_;
    long definedSize_;
    Variant* valor_ = nullptr;  // points into the recordset's current row
    class Recordset* dueno_ = nullptr;
};

}  // namespace ado
