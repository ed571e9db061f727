#include "platform/ado/odbc/VerificadorOdbc.h"

#include "platform/ado/FallaDeConexion.h"

#include <iterator>
#include <utility>

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

// One diagnostic record: false past the last one.
bool leerRegistro(SQLSMALLINT tipoManejador, SQLHANDLE manejador, SQLSMALLINT registro, Textos textos, Error& e) {
    SQLINTEGER nativo = 0;
    SQLSMALLINT largo = 0;
    if (textos == Textos::Anchos) {
        SQLWCHAR estado[6] = {};
        SQLWCHAR mensaje[2048] = {};
        if (!SQL_SUCCEEDED(SQLGetDiagRecW(tipoManejador, manejador, registro, estado, &nativo, mensaje,
                                          static_cast<SQLSMALLINT>(std::size(mensaje)), &largo)))
            return false;
        e.SQLState = desdeAncho(estado);
        e.Description = desdeAncho(mensaje);
    } else {
        SQLCHAR estado[6] = {};
        SQLCHAR mensaje[2048] = {};
        if (!SQL_SUCCEEDED(SQLGetDiagRec(tipoManejador, manejador, registro, estado, &nativo, mensaje,
                                         sizeof mensaje, &largo)))
            return false;
        e.SQLState = QString::fromLatin1(reinterpret_cast<const char*>(estado));
        e.Description = QString::fromUtf8(reinterpret_cast<const char*>(mensaje));
    }
    e.NativeError = nativo;
    e.Description = sinPrefijos(e.Description);
    return true;
}

}  // namespace

std::vector<Error> VerificadorOdbc::diagnosticos(SQLSMALLINT tipoManejador, SQLHANDLE manejador, Textos textos) {
    std::vector<Error> lista;
    Error e;
    for (SQLSMALLINT registro = 1; leerRegistro(tipoManejador, manejador, registro, textos, e); ++registro)
        lista.push_back(std::exchange(e, Error{}));
    return lista;
}

SQLRETURN VerificadorOdbc::operator()(SQLRETURN rc, SQLSMALLINT tipoManejador, SQLHANDLE manejador) const {
    if (SQL_SUCCEEDED(rc) || rc == SQL_NO_DATA) return rc;
    std::vector<Error> lista =
        rc == SQL_INVALID_HANDLE ? std::vector<Error>{} : diagnosticos(tipoManejador, manejador, textos_);
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
