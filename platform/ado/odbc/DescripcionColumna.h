#pragma once

#include <sql.h>

#include <QString>

namespace ado::odbc {

// How a column's values are read from the driver and held.
enum class Lectura { Texto, Entero, Doble, Importe, FechaHora, Booleano };

// What the driver tells about one result column, as the provider may adjust
// it before the layer chooses how to read it.
struct DescripcionColumna {
    QString nombre;
    SQLSMALLINT tipoSql = SQL_VARCHAR;
    SQLULEN tamano = 0;
    SQLSMALLINT decimales = 0;
    QString nombreTipo;   // the type's name in the engine (SQL_DESC_TYPE_NAME)
    QString tablaBase;    // the table the column comes from, when the driver knows
    QString columnaBase;
    // The engine keeps dates as text that its driver would misread: the
    // layer reads the text and understands it itself.
    bool fechaEnTexto = false;
};

}  // namespace ado::odbc
