#include "platform/ado/odbc/EntornoOdbc.h"

namespace ado::odbc {

EntornoOdbc::EntornoOdbc() : h_(ManejadorOdbc<SQL_HANDLE_ENV>::asignar(SQL_NULL_HANDLE)) {
    if (h_)
        SQLSetEnvAttr(h_.get(), SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
}

QStringList EntornoOdbc::controladores() const {
    QStringList nombres;
    if (!h_) return nombres;
    SQLUSMALLINT direccion = SQL_FETCH_FIRST;
    for (;;) {
        SQLCHAR nombre[512] = {};
        SQLCHAR atributos[2048] = {};
        SQLSMALLINT largoNombre = 0, largoAtributos = 0;
        const SQLRETURN rc = SQLDrivers(h_.get(), direccion, nombre, sizeof nombre, &largoNombre, atributos,
                                        sizeof atributos, &largoAtributos);
        if (!SQL_SUCCEEDED(rc)) break;
        nombres << QString::fromUtf8(reinterpret_cast<const char*>(nombre));
        direccion = SQL_FETCH_NEXT;
    }
    return nombres;
}

std::vector<EntornoOdbc::OrigenDatos> EntornoOdbc::origenesDeDatos() const {
    std::vector<OrigenDatos> origenes;
    if (!h_) return origenes;
    SQLUSMALLINT direccion = SQL_FETCH_FIRST;
    for (;;) {
        SQLCHAR nombre[SQL_MAX_DSN_LENGTH + 1] = {};
        SQLCHAR controlador[1024] = {};
        SQLSMALLINT largoNombre = 0, largoControlador = 0;
        const SQLRETURN rc = SQLDataSources(h_.get(), direccion, nombre, sizeof nombre, &largoNombre, controlador,
                                            sizeof controlador, &largoControlador);
        if (!SQL_SUCCEEDED(rc)) break;
        origenes.push_back({QString::fromUtf8(reinterpret_cast<const char*>(nombre)),
                            QString::fromUtf8(reinterpret_cast<const char*>(controlador))});
        direccion = SQL_FETCH_NEXT;
    }
    return origenes;
}

}  // namespace ado::odbc
