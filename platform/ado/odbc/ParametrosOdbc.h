#pragma once

#include "platform/ado/Variant.h"
#include "platform/ado/odbc/SentenciaOdbc.h"

#include <QByteArray>
#include <deque>

namespace ado::odbc {

// The values bound to a prepared statement's markers, kept alive until it
// has run. Each value goes as the C type that carries it exactly: whole
// numbers as such, amounts as text, so that no amount passes through a
// double; a date as a timestamp into a date-and-time column, otherwise as
// ISO text; texts in the form the statement's driver takes them.
class ParametrosOdbc {
public:
    struct Destino {
        SQLSMALLINT tipoSql = SQL_VARCHAR;  // the column's type
        SQLULEN tamano = 0;
        SQLSMALLINT decimales = 0;
        // The engine keeps the column's dates as text (DescripcionColumna).
        bool fechaEnTexto = false;
    };

    void agregar(const Variant& valor, const Destino& destino);
    void vincular(SentenciaOdbc& sentencia);

private:
    struct Parametro {
        bool esTexto = true;  // texts, amounts, dates and nulls
        SQLSMALLINT tipoC = SQL_C_CHAR;
        Destino destino;
        QString texto;
        QByteArray utf8;
        SQLBIGINT entero = 0;
        double doble = 0;
        unsigned char bit = 0;
        SQL_TIMESTAMP_STRUCT momento{};
        SQLLEN indicador = 0;
    };
    static SQLLEN prepararTexto(Parametro& p, Textos textos);

    std::deque<Parametro> lista_;  // a deque: bound addresses never move
};

}  // namespace ado::odbc
