#pragma once

#include "platform/ado/Errors.h"
#include "platform/ado/odbc/TextoOdbc.h"

#include <sql.h>
#include <sqlext.h>

#include <functional>
#include <vector>

namespace ado::odbc {

// The one checked wrapper every ODBC call of the layer goes through. A
// failing return code has its diagnostic records read (SQLGetDiagRec, in
// order; the wide call for a driver that takes wide texts), each normalised by the provider and numbered the way ADO numbers
// them, added to the connection's Errors, and the first raised to the caller
// as plataforma::RuntimeError. Warnings (SQL_SUCCESS_WITH_INFO) are not
// errors: callers read a non-empty list as a failed command.
class VerificadorOdbc {
public:
    using Normalizador = std::function<void(Error&)>;

    // `textos`: how the driver of the connections it checks takes texts;
    // the connection and its statements follow it.
    VerificadorOdbc(Errors& errores, Normalizador normalizar, QString origen, Textos textos)
        : errores_(errores), normalizar_(std::move(normalizar)), origen_(std::move(origen)), textos_(textos) {}

    // Returns `rc` when it is a success (with or without information) or
    // SQL_NO_DATA; raises otherwise.
    SQLRETURN operator()(SQLRETURN rc, SQLSMALLINT tipoManejador, SQLHANDLE manejador) const;

    // The same checks for the calls of a connection attempt: their
    // diagnostics all carry ADO's number for a failed connection (the one the
    // session's lost-connection path reacts to), whatever state the driver
    // gives (a login time-out is HYT00, a refused login 28000).
    VerificadorOdbc alConectar() const {
        VerificadorOdbc v(*this);
        v.alConectar_ = true;
        return v;
    }

    // Records `error` (already numbered) and raises it.
    [[noreturn]] void fallar(Error error) const;

    static std::vector<Error> diagnosticos(SQLSMALLINT tipoManejador, SQLHANDLE manejador, Textos textos);

    const QString& origen() const { return origen_; }
    Textos textos() const { return textos_; }

private:
    Errors& errores_;
    Normalizador normalizar_;
    QString origen_;
    Textos textos_;
    bool alConectar_ = false;
};

}  // namespace ado::odbc
