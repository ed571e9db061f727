#include "platform/ado/odbc/ParametrosOdbc.h"

#include "platform/ado/FormatoRegional.h"

namespace ado::odbc {

namespace {

template <class... F> struct Visitante : F... { using F::operator()...; };
template <class... F> Visitante(F...) -> Visitante<F...>;

// A date-and-time column the engine itself understands takes the moment as
// a timestamp: no text in a date order the server might read otherwise.
bool vaComoMomento(const ParametrosOdbc::Destino& destino) {
    return !destino.fechaEnTexto && (destino.tipoSql == SQL_TYPE_TIMESTAMP || destino.tipoSql == SQL_DATETIME);
}

SQL_TIMESTAMP_STRUCT momentoDe(const QDateTime& f) {
    const QDate d = f.date();
    const QTime t = f.time();
    SQL_TIMESTAMP_STRUCT m{};
    m.year = static_cast<SQLSMALLINT>(d.year());
    m.month = static_cast<SQLUSMALLINT>(d.month());
    m.day = static_cast<SQLUSMALLINT>(d.day());
    m.hour = static_cast<SQLUSMALLINT>(t.hour());
    m.minute = static_cast<SQLUSMALLINT>(t.minute());
    m.second = static_cast<SQLUSMALLINT>(t.second());
    return m;
}

}  // namespace

void ParametrosOdbc::agregar(const Variant& valor, const Destino& destino) {
    Parametro p;
    p.destino = destino;
    std::visit(Visitante{
        [&](std::monostate) { p.indicador = SQL_NULL_DATA; },
        [&](bool b) { p.esTexto = false; p.tipoC = SQL_C_BIT; p.bit = b ? 1 : 0; p.indicador = 0; },
        [&](std::int64_t n) { p.esTexto = false; p.tipoC = SQL_C_SBIGINT; p.entero = n; p.indicador = 0; },
        [&](double d) { p.esTexto = false; p.tipoC = SQL_C_DOUBLE; p.doble = d; p.indicador = 0; },
        [&](Importe i) { p.texto = i.texto(u'.'); },
        [&](const QString& s) { p.texto = s; },
        [&](const QDateTime& f) {
            if (!vaComoMomento(destino)) {
                p.texto = FormatoRegional::textoIso(f);
                return;
            }
            p.esTexto = false;
            p.tipoC = SQL_C_TYPE_TIMESTAMP;
            p.momento = momentoDe(f);
            p.indicador = 0;
        },
    }, valor.crudo());
    lista_.push_back(std::move(p));
}

// A text goes as the statement's driver takes texts: UTF-16 through
// SQL_C_WCHAR, or UTF-8 through SQL_C_CHAR. Answers its length in bytes (the
// indicator's unit).
SQLLEN ParametrosOdbc::prepararTexto(Parametro& p, Textos textos) {
    SQLLEN bytes = 0;
    if (textos == Textos::Anchos) {
        p.tipoC = SQL_C_WCHAR;
        bytes = static_cast<SQLLEN>(p.texto.size() * sizeof(SQLWCHAR));
    } else {
        p.tipoC = SQL_C_CHAR;
        p.utf8 = p.texto.toUtf8();
        bytes = p.utf8.size();
    }
    if (p.indicador != SQL_NULL_DATA) p.indicador = bytes;
    return bytes;
}

void ParametrosOdbc::vincular(SentenciaOdbc& sentencia) {
    SQLUSMALLINT posicion = 1;
    for (Parametro& p : lista_) {
        const SQLLEN largo = p.esTexto ? prepararTexto(p, sentencia.textos()) : 0;
        void* dato = p.tipoC == SQL_C_SBIGINT ? static_cast<void*>(&p.entero)
                     : p.tipoC == SQL_C_DOUBLE ? static_cast<void*>(&p.doble)
                     : p.tipoC == SQL_C_BIT    ? static_cast<void*>(&p.bit)
                     : p.tipoC == SQL_C_TYPE_TIMESTAMP ? static_cast<void*>(&p.momento)
                     : p.tipoC == SQL_C_WCHAR  ? static_cast<void*>(p.texto.data())
                                               : static_cast<void*>(p.utf8.data());
        // A text's column size counts its characters (its bytes in UTF-8).
        SQLULEN tamano = p.destino.tamano;
        if (p.esTexto) {
            const auto unidades = static_cast<SQLULEN>(p.tipoC == SQL_C_WCHAR ? p.texto.size() : p.utf8.size());
            if (tamano < unidades) tamano = unidades;
        }
        if (tamano == 0) tamano = 1;
        sentencia.vincular(posicion++, p.tipoC, p.destino.tipoSql, tamano, p.destino.decimales, dato, largo,
                           &p.indicador);
    }
}

}  // namespace ado::odbc
