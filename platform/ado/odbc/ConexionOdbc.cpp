#include "platform/ado/odbc/ConexionOdbc.h"

namespace ado::odbc {

ConexionOdbc::ConexionOdbc(const EntornoOdbc& entorno, const QString& cadena, long segundosEsperaConexion,
                           const VerificadorOdbc& verificar)
    : h_(ManejadorOdbc<SQL_HANDLE_DBC>::asignar(entorno.get())), textos_(verificar.textos()) {
    const VerificadorOdbc conectar = verificar.alConectar();
    if (!h_) conectar(SQL_ERROR, SQL_HANDLE_ENV, entorno.get());
    // Without a login time-out a server that accepts the connection and never
    // answers would hold the program for ever.
    SQLSetConnectAttr(h_.get(), SQL_ATTR_LOGIN_TIMEOUT,
                      reinterpret_cast<SQLPOINTER>(static_cast<SQLULEN>(segundosEsperaConexion)), 0);
    // The text may carry a password: no copy of it stays behind.
    if (textos_ == Textos::Anchos) {
        TextoAncho texto(cadena);
        const SQLRETURN rc = SQLDriverConnectW(h_.get(), nullptr, texto.puntero(), SQL_NTS, nullptr, 0, nullptr,
                                               SQL_DRIVER_NOPROMPT);
        texto.borrar();
        conectar(rc, SQL_HANDLE_DBC, h_.get());
        return;
    }
    QByteArray texto = cadena.toUtf8();
    const SQLRETURN rc = SQLDriverConnect(h_.get(), nullptr, reinterpret_cast<SQLCHAR*>(texto.data()), SQL_NTS,
                                          nullptr, 0, nullptr, SQL_DRIVER_NOPROMPT);
    texto.fill('\0');
    conectar(rc, SQL_HANDLE_DBC, h_.get());
}

ConexionOdbc::~ConexionOdbc() {
    if (!h_) return;
    if (enManual_) SQLEndTran(SQL_HANDLE_DBC, h_.get(), SQL_ROLLBACK);
    SQLDisconnect(h_.get());
}

void ConexionOdbc::fijarEntero(SQLINTEGER atributo, SQLULEN valor, const VerificadorOdbc& verificar) {
    verificar(SQLSetConnectAttr(h_.get(), atributo, reinterpret_cast<SQLPOINTER>(valor), 0), SQL_HANDLE_DBC,
              h_.get());
}

void ConexionOdbc::fijarTexto(SQLINTEGER atributo, const QString& valor, const VerificadorOdbc& verificar) {
    if (textos_ == Textos::Anchos) {
        TextoAncho texto(valor);
        verificar(SQLSetConnectAttrW(h_.get(), atributo, texto.puntero(), SQL_NTS), SQL_HANDLE_DBC, h_.get());
        return;
    }
    QByteArray texto = valor.toUtf8();
    verificar(SQLSetConnectAttr(h_.get(), atributo, texto.data(), SQL_NTS), SQL_HANDLE_DBC, h_.get());
}

QString ConexionOdbc::informacion(SQLUSMALLINT tipo) const {
    if (textos_ == Textos::Anchos) {
        SQLWCHAR texto[512] = {};
        SQLSMALLINT largo = 0;
        if (!SQL_SUCCEEDED(SQLGetInfoW(h_.get(), tipo, texto, sizeof texto, &largo))) return {};
        return desdeAncho(texto);
    }
    char texto[512] = {};
    SQLSMALLINT largo = 0;
    if (!SQL_SUCCEEDED(SQLGetInfo(h_.get(), tipo, texto, sizeof texto, &largo))) return {};
    return QString::fromUtf8(texto);
}

void ConexionOdbc::confirmacionAutomatica(bool activa, const VerificadorOdbc& verificar) {
    fijarEntero(SQL_ATTR_AUTOCOMMIT, activa ? SQL_AUTOCOMMIT_ON : SQL_AUTOCOMMIT_OFF, verificar);
    enManual_ = !activa;
}

void ConexionOdbc::terminarTransaccion(bool confirmar, const VerificadorOdbc& verificar) {
    verificar(SQLEndTran(SQL_HANDLE_DBC, h_.get(), confirmar ? SQL_COMMIT : SQL_ROLLBACK), SQL_HANDLE_DBC,
              h_.get());
}

}  // namespace ado::odbc
