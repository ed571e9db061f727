#pragma once

#include "platform/ado/TablaDatos.h"
#include "platform/ado/odbc/SentenciaOdbc.h"

#include <functional>

namespace ado::odbc {

// Fetches the current result set of a statement whole: describes its
// columns (letting the provider adjust each description) and reads every row.
class LectorResultados {
public:
    using Ajuste = std::function<void(DescripcionColumna&)>;

    static TablaDatos leer(SentenciaOdbc& sentencia, const Ajuste& ajustar);

private:
    static DescripcionColumna describir(SentenciaOdbc& sentencia, SQLUSMALLINT columna);
    static Variant leerValor(SentenciaOdbc& sentencia, SQLUSMALLINT columna, Lectura lectura);
    static Variant leerFechaEnTexto(SentenciaOdbc& sentencia, SQLUSMALLINT columna);
};

}  // namespace ado::odbc
