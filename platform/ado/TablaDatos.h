#pragma once

#include "platform/ado/Variant.h"
#include "platform/ado/odbc/DescripcionColumna.h"

#include <vector>

namespace ado {

// One result set fetched whole: its columns and its rows.
struct TablaDatos {
    struct Columna {
        odbc::DescripcionColumna descripcion;
        int tipoAdo = 0;
        long tamanoDefinido = 0;
        odbc::Lectura lectura = odbc::Lectura::Texto;
    };
    std::vector<Columna> columnas;
    std::vector<std::vector<Variant>> filas;
};

}  // namespace ado
