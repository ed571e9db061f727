#pragma once

#include "platform/ado/odbc/EntornoOdbc.h"
#include "platform/ado/odbc/ManejadorOdbc.h"
#include "platform/ado/odbc/VerificadorOdbc.h"

#include <QString>

namespace ado::odbc {

// One live ODBC connection: connected on construction, disconnected (any open
// transaction rolled back) on destruction. Move-only through its handle. Its
// texts travel as the checks it is opened with say (Textos).
class ConexionOdbc {
public:
    // Raises through `verificar` when the driver refuses.
    ConexionOdbc(const EntornoOdbc& entorno, const QString& cadena, long segundosEsperaConexion,
                 const VerificadorOdbc& verificar);
    ~ConexionOdbc();
    ConexionOdbc(ConexionOdbc&&) noexcept = default;
    ConexionOdbc& operator=(ConexionOdbc&&) = delete;
    ConexionOdbc(const ConexionOdbc&) = delete;
    ConexionOdbc& operator=(const ConexionOdbc&) = delete;

    SQLHDBC get() const { return h_.get(); }
    // How its driver takes texts, as the checks it was opened with say.
    Textos textos() const { return textos_; }

    void fijarEntero(SQLINTEGER atributo, SQLULEN valor, const VerificadorOdbc& verificar);
    void fijarTexto(SQLINTEGER atributo, const QString& valor, const VerificadorOdbc& verificar);
    // A text answer of SQLGetInfo (SQL_DBMS_NAME, SQL_DBMS_VER, ...); "" when
    // the driver has none.
    QString informacion(SQLUSMALLINT tipo) const;
    void confirmacionAutomatica(bool activa, const VerificadorOdbc& verificar);
    void terminarTransaccion(bool confirmar, const VerificadorOdbc& verificar);

private:
    ManejadorOdbc<SQL_HANDLE_DBC> h_;
    Textos textos_;
    bool enManual_ = false;  // autocommit off: a transaction may be open
};

}  // namespace ado::odbc
