#pragma once

#include "platform/ado/odbc/DescripcionColumna.h"

namespace ado::odbc {

// The ADO type code of a column and the way its values are read, from its
// ODBC type. Amounts (DECIMAL/NUMERIC with decimals, money) are read as text
// into a fixed-point Importe, never through a double.
class TiposColumna {
public:
    static int tipoAdo(const DescripcionColumna& c);
    static Lectura lectura(const DescripcionColumna& c);
    static long tamanoDefinido(const DescripcionColumna& c);
    static bool esDinero(const DescripcionColumna& c);
};

}  // namespace ado::odbc
