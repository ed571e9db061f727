#include "platform/ado/odbc/SentenciaOdbc.h"

#include <array>

namespace ado::odbc {

namespace {

// An optional catalogue argument: absent is a null pointer (no restriction).
class ArgumentoCatalogo {
public:
    explicit ArgumentoCatalogo(const std::optional<QString>& valor)
        : presente_(valor.has_value()), texto_(valor ? valor->toUtf8() : QByteArray()) {}
    SQLCHAR* puntero() { return presente_ ? reinterpret_cast<SQLCHAR*>(texto_.data()) : nullptr; }
    SQLSMALLINT largo() const { return presente_ ? static_cast<SQLSMALLINT>(texto_.size()) : 0; }

private:
    bool presente_;
    QByteArray texto_;
};

}  // namespace

SentenciaOdbc::SentenciaOdbc(const ConexionOdbc& conexion, const VerificadorOdbc& verificar, long segundosEspera)
    : h_(ManejadorOdbc<SQL_HANDLE_STMT>::asignar(conexion.get())), verificar_(verificar) {
    if (!h_) verificar_(SQL_ERROR, SQL_HANDLE_DBC, conexion.get());
    // Not every driver keeps a time-out; one that refuses it runs without.
    SQLSetStmtAttr(h_.get(), SQL_ATTR_QUERY_TIMEOUT,
                   reinterpret_cast<SQLPOINTER>(static_cast<SQLULEN>(segundosEspera < 0 ? 0 : segundosEspera)), 0);
}

void SentenciaOdbc::ejecutar(const QString& texto) {
    QByteArray t = texto.toUtf8();
    comprobar(SQLExecDirect(h_.get(), reinterpret_cast<SQLCHAR*>(t.data()), static_cast<SQLINTEGER>(t.size())));
}

void SentenciaOdbc::preparar(const QString& texto) {
    QByteArray t = texto.toUtf8();
    comprobar(SQLPrepare(h_.get(), reinterpret_cast<SQLCHAR*>(t.data()), static_cast<SQLINTEGER>(t.size())));
}

void SentenciaOdbc::ejecutarPreparada() { comprobar(SQLExecute(h_.get())); }

SQLSMALLINT SentenciaOdbc::columnas() const {
    SQLSMALLINT n = 0;
    comprobar(SQLNumResultCols(h_.get(), &n));
    return n;
}

SQLLEN SentenciaOdbc::filasAfectadas() const {
    SQLLEN n = -1;
    if (!SQL_SUCCEEDED(SQLRowCount(h_.get(), &n))) return -1;
    return n;
}

bool SentenciaOdbc::siguienteFila() { return comprobar(SQLFetch(h_.get())) != SQL_NO_DATA; }

bool SentenciaOdbc::siguienteResultado() { return comprobar(SQLMoreResults(h_.get())) != SQL_NO_DATA; }

QString SentenciaOdbc::atributoTexto(SQLUSMALLINT columna, SQLUSMALLINT campo) const {
    std::array<char, 512> buffer{};
    SQLSMALLINT largo = 0;
    if (!SQL_SUCCEEDED(SQLColAttribute(h_.get(), columna, campo, buffer.data(),
                                       static_cast<SQLSMALLINT>(buffer.size()), &largo, nullptr)))
        return {};
    return QString::fromUtf8(buffer.data());
}

bool SentenciaOdbc::leerTexto(SQLUSMALLINT columna, QString& valor) {
    // Long texts come in pieces; each call fills the buffer but for its
    // terminating zero.
    QByteArray acumulado;
    std::array<char, 4096> buffer{};
    for (;;) {
        SQLLEN indicador = 0;
        const SQLRETURN rc =
            comprobar(SQLGetData(h_.get(), columna, SQL_C_CHAR, buffer.data(), buffer.size(), &indicador));
        if (rc == SQL_NO_DATA) break;
        if (indicador == SQL_NULL_DATA) return false;
        const bool truncado =
            indicador == SQL_NO_TOTAL || indicador >= static_cast<SQLLEN>(buffer.size());
        acumulado.append(buffer.data(), truncado ? static_cast<qsizetype>(buffer.size() - 1)
                                                 : static_cast<qsizetype>(indicador));
        if (rc == SQL_SUCCESS || !truncado) break;
    }
    valor = QString::fromUtf8(acumulado);
    return true;
}

bool SentenciaOdbc::leerFijo(SQLUSMALLINT columna, SQLSMALLINT tipoC, void* destino, SQLLEN largo) {
    SQLLEN indicador = 0;
    comprobar(SQLGetData(h_.get(), columna, tipoC, destino, largo, &indicador));
    return indicador != SQL_NULL_DATA;
}

void SentenciaOdbc::tablas(const std::optional<QString>& catalogo, const std::optional<QString>& esquema,
                           const std::optional<QString>& tabla, const std::optional<QString>& tipos) {
    ArgumentoCatalogo c(catalogo), e(esquema), t(tabla), y(tipos);
    comprobar(SQLTables(h_.get(), c.puntero(), c.largo(), e.puntero(), e.largo(), t.puntero(), t.largo(),
                        y.puntero(), y.largo()));
}

void SentenciaOdbc::columnasDe(const std::optional<QString>& catalogo, const std::optional<QString>& esquema,
                               const std::optional<QString>& tabla, const std::optional<QString>& columna) {
    ArgumentoCatalogo c(catalogo), e(esquema), t(tabla), k(columna);
    comprobar(SQLColumns(h_.get(), c.puntero(), c.largo(), e.puntero(), e.largo(), t.puntero(), t.largo(),
                         k.puntero(), k.largo()));
}

void SentenciaOdbc::clavePrimaria(const QString& tabla) {
    ArgumentoCatalogo t{std::optional<QString>(tabla)};
    comprobar(SQLPrimaryKeys(h_.get(), nullptr, 0, nullptr, 0, t.puntero(), t.largo()));
}

void SentenciaOdbc::vincular(SQLUSMALLINT posicion, SQLSMALLINT tipoC, SQLSMALLINT tipoSql, SQLULEN tamano,
                             SQLSMALLINT decimales, void* valor, SQLLEN largo, SQLLEN* indicador) {
    comprobar(SQLBindParameter(h_.get(), posicion, SQL_PARAM_INPUT, tipoC, tipoSql, tamano, decimales, valor,
                               largo, indicador));
}

}  // namespace ado::odbc
