#include "platform/ado/odbc/VerificadorOdbc.h"

#include "platform/ado/FallaDeConexion.h"

namespace ado::odbc {

namespace {

// Drivers prefix their messages with the components that passed them on
// ("[unixODBC][Driver Manager]", "[SQLite]"); ADO's descriptions carry the
// message alone.
QString sinPrefijos(QString mensaje) {
    while (mensaje.startsWith(u'[')) {
        const qsizetype cierre = mensaje.indexOf(u']');
        if (cierre < 0) break;
        mensaje.remove(0, cierre + 1);
    }
    return mensaje.trimmed();
}

}  // namespace

std::vector<Error> VerificadorOdbc::diagnosticos(SQLSMALLINT tipoManejador, SQLHANDLE manejador) {
    std::vector<Error> lista;
    for (SQLSMALLINT registro = 1;; ++registro) {
        SQLCHAR estado[6] = {};
        SQLINTEGER nativo = 0;
        SQLCHAR mensaje[2048] = {};
        SQLSMALLINT largo = 0;
        const SQLRETURN rc = SQLGetDiagRec(tipoManejador, manejador, registro, estado, &nativo, mensaje,
                                           sizeof mensaje, &largo);
        if (!SQL_SUCCEEDED(rc)) break;
        Error e;
        e.SQLState = QString::fromLatin1(reinterpret_cast<const char*>(estado));
        e.NativeError = nativo;
        e.Description = sinPrefijos(QString::fromUtf8(reinterpret_cast<const char*>(mensaje)));
        lista.push_back(std::move(e));
    }
    return lista;
}

SQLRETURN VerificadorOdbc::operator()(SQLRETURN rc, SQLSMALLINT tipoManejador, SQLHANDLE manejador) const {
    if (SQL_SUCCEEDED(rc) || rc == SQL_NO_DATA) return rc;
    std::vector<Error> lista =
        rc == SQL_INVALID_HANDLE ? std::vector<Error>{} : diagnosticos(tipoManejador, manejador);
    if (lista.empty())
        lista.push_back(Error{0, QStringLiteral("Error no especificado"), QStringLiteral("HY000"), 0, {}});
    for (Error& e : lista) {
        if (normalizar_) normalizar_(e);
        e.Number = alConectar_ ? plataforma::numero::FallaProveedor : numeroAdoDeSqlState(e.SQLState);
        e.Source = origen_;
        errores_.Add(e);
    }
    const Error& primero = lista.front();
    throw plataforma::RuntimeError(primero.Number, primero.Description, primero.Source);
}

void VerificadorOdbc::fallar(Error error) const {
    error.Source = origen_;
    errores_.Add(error);
    throw FallaDeConexion(std::move(error));
}

}  // namespace ado::odbc
