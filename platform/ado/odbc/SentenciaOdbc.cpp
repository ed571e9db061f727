#include "platform/ado/odbc/SentenciaOdbc.h"

#include <array>

namespace ado::odbc {

namespace {

// An optional catalogue argument: absent is a null pointer (no restriction).
// It goes as the connection takes texts.
class ArgumentoCatalogo {
public:
    ArgumentoCatalogo(const std::optional<QString>& valor, Textos textos)
        : presente_(valor.has_value()), ancho_(valor.value_or(QString())),
          estrecho_(textos == Textos::Utf8 && valor ? valor->toUtf8() : QByteArray()) {}
    SQLCHAR* estrecho() { return presente_ ? reinterpret_cast<SQLCHAR*>(estrecho_.data()) : nullptr; }
    SQLWCHAR* ancho() { return presente_ ? ancho_.puntero() : nullptr; }
    SQLSMALLINT largoEstrecho() const { return presente_ ? static_cast<SQLSMALLINT>(estrecho_.size()) : 0; }
    SQLSMALLINT largoAncho() const { return presente_ ? static_cast<SQLSMALLINT>(ancho_.largo()) : 0; }

private:
    bool presente_;
    TextoAncho ancho_;
    QByteArray estrecho_;
};

}  // namespace

SentenciaOdbc::SentenciaOdbc(const ConexionOdbc& conexion, const VerificadorOdbc& verificar, long segundosEspera)
    : h_(ManejadorOdbc<SQL_HANDLE_STMT>::asignar(conexion.get())), verificar_(verificar),
      textos_(conexion.textos()) {
    if (!h_) verificar_(SQL_ERROR, SQL_HANDLE_DBC, conexion.get());
    // Not every driver keeps a time-out; one that refuses it runs without.
    SQLSetStmtAttr(h_.get(), SQL_ATTR_QUERY_TIMEOUT,
                   reinterpret_cast<SQLPOINTER>(static_cast<SQLULEN>(segundosEspera < 0 ? 0 : segundosEspera)), 0);
}

void SentenciaOdbc::ejecutar(const QString& texto) {
    if (textos_ == Textos::Anchos) {
        TextoAncho t(texto);
        comprobar(SQLExecDirectW(h_.get(), t.puntero(), static_cast<SQLINTEGER>(t.largo())));
        return;
    }
    QByteArray t = texto.toUtf8();
    comprobar(SQLExecDirect(h_.get(), reinterpret_cast<SQLCHAR*>(t.data()), static_cast<SQLINTEGER>(t.size())));
}

void SentenciaOdbc::preparar(const QString& texto) {
    if (textos_ == Textos::Anchos) {
        TextoAncho t(texto);
        comprobar(SQLPrepareW(h_.get(), t.puntero(), static_cast<SQLINTEGER>(t.largo())));
        return;
    }
    QByteArray t = texto.toUtf8();
    comprobar(SQLPrepare(h_.get(), reinterpret_cast<SQLCHAR*>(t.data()), static_cast<SQLINTEGER>(t.size())));
}

DescripcionColumna SentenciaOdbc::describir(SQLUSMALLINT columna) const {
    DescripcionColumna d;
    SQLSMALLINT largoNombre = 0, anulable = 0;
    if (textos_ == Textos::Anchos) {
        std::array<SQLWCHAR, 512> nombre{};
        comprobar(SQLDescribeColW(h_.get(), columna, nombre.data(), static_cast<SQLSMALLINT>(nombre.size()),
                                  &largoNombre, &d.tipoSql, &d.tamano, &d.decimales, &anulable));
        d.nombre = desdeAncho(nombre.data());
        return d;
    }
    std::array<SQLCHAR, 512> nombre{};
    comprobar(SQLDescribeCol(h_.get(), columna, nombre.data(), static_cast<SQLSMALLINT>(nombre.size()), &largoNombre,
                             &d.tipoSql, &d.tamano, &d.decimales, &anulable));
    d.nombre = QString::fromUtf8(reinterpret_cast<const char*>(nombre.data()));
    return d;
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
    if (textos_ == Textos::Anchos) {
        std::array<SQLWCHAR, 512> buffer{};
        SQLSMALLINT largo = 0;
        if (!SQL_SUCCEEDED(SQLColAttributeW(h_.get(), columna, campo, buffer.data(),
                                            static_cast<SQLSMALLINT>(sizeof buffer), &largo, nullptr)))
            return {};
        return desdeAncho(buffer.data());
    }
    std::array<char, 512> buffer{};
    SQLSMALLINT largo = 0;
    if (!SQL_SUCCEEDED(SQLColAttribute(h_.get(), columna, campo, buffer.data(),
                                       static_cast<SQLSMALLINT>(buffer.size()), &largo, nullptr)))
        return {};
    return QString::fromUtf8(buffer.data());
}

bool SentenciaOdbc::leerTexto(SQLUSMALLINT columna, QString& valor) {
    return textos_ == Textos::Anchos ? leerTextoAncho(columna, valor) : leerTextoUtf8(columna, valor);
}

// Long texts come in pieces; each call fills the buffer but for its
// terminating zero. The indicator counts bytes.
bool SentenciaOdbc::leerTextoAncho(SQLUSMALLINT columna, QString& valor) {
    QString acumulado;
    std::array<SQLWCHAR, 2048> buffer{};
    constexpr auto bytes = static_cast<SQLLEN>(sizeof buffer);
    for (;;) {
        SQLLEN indicador = 0;
        const SQLRETURN rc = comprobar(SQLGetData(h_.get(), columna, SQL_C_WCHAR, buffer.data(), bytes, &indicador));
        if (rc == SQL_NO_DATA) break;
        if (indicador == SQL_NULL_DATA) return false;
        const bool truncado = indicador == SQL_NO_TOTAL || indicador >= bytes;
        acumulado += desdeAncho(buffer.data(), truncado ? static_cast<qsizetype>(buffer.size() - 1)
                                                        : static_cast<qsizetype>(indicador / sizeof(SQLWCHAR)));
        if (rc == SQL_SUCCESS || !truncado) break;
    }
    valor = acumulado;
    return true;
}

bool SentenciaOdbc::leerTextoUtf8(SQLUSMALLINT columna, QString& valor) {
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
    llamarCatalogo(SQLTablesW, SQLTables, {catalogo, esquema, tabla, tipos});
}

void SentenciaOdbc::columnasDe(const std::optional<QString>& catalogo, const std::optional<QString>& esquema,
                               const std::optional<QString>& tabla, const std::optional<QString>& columna) {
    llamarCatalogo(SQLColumnsW, SQLColumns, {catalogo, esquema, tabla, columna});
}

// SQLTables and SQLColumns take the same four arguments, wide or narrow.
void SentenciaOdbc::llamarCatalogo(CatalogoAncho ancha, CatalogoEstrecho estrecha,
                                   const std::array<std::optional<QString>, 4>& valores) {
    ArgumentoCatalogo a(valores[0], textos_), b(valores[1], textos_), c(valores[2], textos_), d(valores[3], textos_);
    if (textos_ == Textos::Anchos)
        comprobar(ancha(h_.get(), a.ancho(), a.largoAncho(), b.ancho(), b.largoAncho(), c.ancho(), c.largoAncho(),
                        d.ancho(), d.largoAncho()));
    else
        comprobar(estrecha(h_.get(), a.estrecho(), a.largoEstrecho(), b.estrecho(), b.largoEstrecho(), c.estrecho(),
                           c.largoEstrecho(), d.estrecho(), d.largoEstrecho()));
}

void SentenciaOdbc::clavePrimaria(const QString& tabla) {
    ArgumentoCatalogo t(std::optional<QString>(tabla), textos_);
    if (textos_ == Textos::Anchos)
        comprobar(SQLPrimaryKeysW(h_.get(), nullptr, 0, nullptr, 0, t.ancho(), t.largoAncho()));
    else
        comprobar(SQLPrimaryKeys(h_.get(), nullptr, 0, nullptr, 0, t.estrecho(), t.largoEstrecho()));
}

void SentenciaOdbc::vincular(SQLUSMALLINT posicion, SQLSMALLINT tipoC, SQLSMALLINT tipoSql, SQLULEN tamano,
                             SQLSMALLINT decimales, void* valor, SQLLEN largo, SQLLEN* indicador) {
    comprobar(SQLBindParameter(h_.get(), posicion, SQL_PARAM_INPUT, tipoC, tipoSql, tamano, decimales, valor,
                               largo, indicador));
}

}  // namespace ado::odbc
