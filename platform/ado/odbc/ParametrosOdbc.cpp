#include "platform/ado/odbc/ParametrosOdbc.h"

#include "platform/ado/FormatoRegional.h"

namespace ado::odbc {

namespace {

template <class... F> struct Visitante : F... { using F::operator()...; };
template <class... F> Visitante(F...) -> Visitante<F...>;

}  // namespace

void ParametrosOdbc::agregar(const Variant& valor, const Destino& destino) {
    Parametro p;
    p.destino = destino;
    std::visit(Visitante{
        [&](std::monostate) { p.indicador = SQL_NULL_DATA; },
        [&](bool b) { p.tipoC = SQL_C_BIT; p.bit = b ? 1 : 0; p.indicador = 0; },
        [&](std::int64_t n) { p.tipoC = SQL_C_SBIGINT; p.entero = n; p.indicador = 0; },
        [&](double d) { p.tipoC = SQL_C_DOUBLE; p.doble = d; p.indicador = 0; },
        [&](Importe i) { p.texto = i.texto(u'.').toUtf8(); },
        [&](const QString& s) { p.texto = s.toUtf8(); },
        [&](const QDateTime& f) { p.texto = FormatoRegional::textoIso(f).toUtf8(); },
    }, valor.crudo());
    if (p.tipoC == SQL_C_CHAR && p.indicador != SQL_NULL_DATA) p.indicador = p.texto.size();
    lista_.push_back(std::move(p));
}

void ParametrosOdbc::vincular(SentenciaOdbc& sentencia) {
    SQLUSMALLINT posicion = 1;
    for (Parametro& p : lista_) {
        void* dato = p.tipoC == SQL_C_SBIGINT ? static_cast<void*>(&p.entero)
                     : p.tipoC == SQL_C_DOUBLE ? static_cast<void*>(&p.doble)
                     : p.tipoC == SQL_C_BIT    ? static_cast<void*>(&p.bit)
                                               : static_cast<void*>(p.texto.data());
        const SQLLEN largo = p.tipoC == SQL_C_CHAR ? p.texto.size() : 0;
        SQLULEN tamano = p.destino.tamano;
        if (p.tipoC == SQL_C_CHAR && tamano < static_cast<SQLULEN>(p.texto.size()))
            tamano = static_cast<SQLULEN>(p.texto.size());
        if (tamano == 0) tamano = 1;
        sentencia.vincular(posicion++, p.tipoC, p.destino.tipoSql, tamano, p.destino.decimales, dato, largo,
                           &p.indicador);
    }
}

}  // namespace ado::odbc
