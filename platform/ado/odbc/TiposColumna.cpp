#include "platform/ado/odbc/TiposColumna.h"

#include "platform/ado/Field.h"

#include <sqlext.h>

namespace ado::odbc {

bool TiposColumna::esDinero(const DescripcionColumna& c) {
    return c.nombreTipo.contains(QLatin1String("money"), Qt::CaseInsensitive);
}

int TiposColumna::tipoAdo(const DescripcionColumna& c) {
    switch (c.tipoSql) {
    case SQL_CHAR: return tipo::Char;
    case SQL_VARCHAR: return tipo::VarChar;
    case SQL_LONGVARCHAR: return tipo::LongVarChar;
    case SQL_WCHAR: return tipo::WChar;
    case SQL_WVARCHAR: return tipo::VarWChar;
    case SQL_WLONGVARCHAR: return tipo::LongVarWChar;
    case SQL_BIT: return tipo::Boolean;
    case SQL_TINYINT: return tipo::UnsignedTinyInt;
    case SQL_SMALLINT: return tipo::SmallInt;
    case SQL_INTEGER: return tipo::Integer;
    case SQL_BIGINT: return tipo::BigInt;
    case SQL_REAL: return tipo::Single;
    case SQL_FLOAT:
    case SQL_DOUBLE: return tipo::Double;
    case SQL_DECIMAL:
    case SQL_NUMERIC: return esDinero(c) ? tipo::Currency : tipo::Numeric;
    case SQL_TYPE_DATE: return tipo::DBDate;
    case SQL_TYPE_TIME: return tipo::DBTime;
    case SQL_TYPE_TIMESTAMP:
    case SQL_DATETIME: return tipo::DBTimeStamp;
    case SQL_BINARY: return tipo::Binary;
    case SQL_VARBINARY: return tipo::VarBinary;
    case SQL_LONGVARBINARY: return tipo::LongVarBinary;
    default: return tipo::VarChar;
    }
}

Lectura TiposColumna::lectura(const DescripcionColumna& c) {
    switch (c.tipoSql) {
    case SQL_BIT: return Lectura::Booleano;
    case SQL_TINYINT:
    case SQL_SMALLINT:
    case SQL_INTEGER:
    case SQL_BIGINT: return Lectura::Entero;
    case SQL_REAL:
    case SQL_FLOAT:
    case SQL_DOUBLE: return Lectura::Doble;
    case SQL_DECIMAL:
    case SQL_NUMERIC:
        if (c.decimales > 0 || esDinero(c)) return Lectura::Importe;
        return c.tamano <= 18 ? Lectura::Entero : Lectura::Texto;
    case SQL_TYPE_DATE:
    case SQL_TYPE_TIME:
    case SQL_TYPE_TIMESTAMP:
    case SQL_DATETIME: return Lectura::FechaHora;
    default: return Lectura::Texto;
    }
}

long TiposColumna::tamanoDefinido(const DescripcionColumna& c) {
    // Fixed-size types report their size in bytes, as ADO does.
    switch (c.tipoSql) {
    case SQL_TINYINT: return 1;
    case SQL_SMALLINT: return 2;
    case SQL_INTEGER:
    case SQL_REAL: return 4;
    case SQL_BIGINT:
    case SQL_FLOAT:
    case SQL_DOUBLE: return 8;
    default: break;
    }
    switch (lectura(c)) {
    case Lectura::Entero:
    case Lectura::Doble: return 19;
    case Lectura::Importe: return esDinero(c) ? 8 : 19;
    case Lectura::FechaHora: return 16;
    case Lectura::Booleano: return 2;
    case Lectura::Texto: break;
    }
    return static_cast<long>(c.tamano);
}

}  // namespace ado::odbc
