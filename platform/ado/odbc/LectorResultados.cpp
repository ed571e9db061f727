#include "platform/ado/odbc/LectorResultados.h"

#include "platform/ado/FormatoRegional.h"
#include "platform/ado/odbc/TiposColumna.h"

#include <array>
#include <clocale>

namespace ado::odbc {

namespace {

QDateTime fechaDe(const SQL_TIMESTAMP_STRUCT& t) {
    return QDateTime(QDate(t.year, t.month, t.day),
                     QTime(t.hour, t.minute, t.second, static_cast<int>(t.fraction / 1000000)));
}

}  // namespace

DescripcionColumna LectorResultados::describir(SentenciaOdbc& sentencia, SQLUSMALLINT columna) {
    DescripcionColumna d = sentencia.describir(columna);
    d.nombreTipo = sentencia.atributoTexto(columna, SQL_DESC_TYPE_NAME);
    d.tablaBase = sentencia.atributoTexto(columna, SQL_DESC_BASE_TABLE_NAME);
    d.columnaBase = sentencia.atributoTexto(columna, SQL_DESC_BASE_COLUMN_NAME);
    return d;
}

Variant LectorResultados::leerFechaEnTexto(SentenciaOdbc& sentencia, SQLUSMALLINT columna) {
    QString texto;
    if (!sentencia.leerTexto(columna, texto)) return {};
    const QDateTime fecha = FormatoRegional::leerFechaHora(texto);
    // Text that is no date is shown as it was stored, not as an empty date.
    return fecha.isValid() ? Variant(fecha) : Variant(texto);
}

Variant LectorResultados::leerValor(SentenciaOdbc& sentencia, SQLUSMALLINT columna, Lectura lectura) {
    switch (lectura) {
    case Lectura::Entero: {
        SQLBIGINT n = 0;
        return sentencia.leerFijo(columna, SQL_C_SBIGINT, &n, sizeof n) ? Variant(static_cast<long long>(n))
                                                                          : Variant();
    }
    case Lectura::Doble: {
        double d = 0;
        return sentencia.leerFijo(columna, SQL_C_DOUBLE, &d, sizeof d) ? Variant(d) : Variant();
    }
    case Lectura::Booleano: {
        unsigned char b = 0;
        return sentencia.leerFijo(columna, SQL_C_BIT, &b, sizeof b) ? Variant(b != 0) : Variant();
    }
    case Lectura::FechaHora: {
        SQL_TIMESTAMP_STRUCT t{};
        return sentencia.leerFijo(columna, SQL_C_TYPE_TIMESTAMP, &t, sizeof t) ? Variant(fechaDe(t)) : Variant();
    }
    case Lectura::Importe: {
        // As text, so that no amount passes through a double. Some drivers
        // (psqlODBC) write it with the C library's decimal point, which the
        // workstation's regional settings make a comma.
        QString texto;
        if (!sentencia.leerTexto(columna, texto)) return {};
        Importe i;
        if (Importe::leer(texto, u'.', i)) return Variant(i);
        const QChar puntoDeLaBiblioteca = QLatin1Char(*std::localeconv()->decimal_point);
        if (puntoDeLaBiblioteca != u'.' && Importe::leer(texto, puntoDeLaBiblioteca, i)) return Variant(i);
        return Variant(texto);
    }
    case Lectura::Texto: break;
    }
    QString texto;
    return sentencia.leerTexto(columna, texto) ? Variant(texto) : Variant();
}

TablaDatos LectorResultados::leer(SentenciaOdbc& sentencia, const Ajuste& ajustar) {
    TablaDatos tabla;
    const SQLSMALLINT n = sentencia.columnas();
    for (SQLUSMALLINT c = 1; c <= n; ++c) {
        TablaDatos::Columna columna;
        columna.descripcion = describir(sentencia, c);
        if (ajustar) ajustar(columna.descripcion);
        columna.tipoAdo = TiposColumna::tipoAdo(columna.descripcion);
        columna.lectura = TiposColumna::lectura(columna.descripcion);
        columna.tamanoDefinido = TiposColumna::tamanoDefinido(columna.descripcion);
        tabla.columnas.push_back(std::move(columna));
    }
    while (sentencia.siguienteFila()) {
        std::vector<Variant> fila;
        fila.reserve(tabla.columnas.size());
        for (SQLUSMALLINT c = 1; c <= n; ++c) {
            const auto& columna = tabla.columnas[c - 1];
            fila.push_back(columna.lectura == Lectura::FechaHora && columna.descripcion.fechaEnTexto
                               ? leerFechaEnTexto(sentencia, c)
                               : leerValor(sentencia, c, columna.lectura));
        }
        tabla.filas.push_back(std::move(fila));
    }
    return tabla;
}

}  // namespace ado::odbc
