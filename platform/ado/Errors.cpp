#include "platform/ado/Errors.h"

#include "platform/RuntimeError.h"

namespace ado {

const Error& Errors::Item(long indice) const {
    if (indice < 0 || indice >= Count())
        throw plataforma::RuntimeError(plataforma::numero::ElementoNoEncontrado,
                                       QStringLiteral("No se encontró el elemento en la colección que corresponde al nombre o al ordinal solicitado."),
                                       QStringLiteral("ADODB.Errors"));
    return lista_[static_cast<std::size_t>(indice)];
}

long numeroAdoDeSqlState(const QString& sqlState) {
    namespace n = plataforma::numero;
    if (sqlState.startsWith(QLatin1String("08"))) return n::FallaProveedor;
    if (sqlState.startsWith(QLatin1String("23"))) return n::ViolacionIntegridad;
    if (sqlState == QLatin1String("42S02")) return n::TablaInexistente;
    if (sqlState.startsWith(QLatin1String("42")) || sqlState.startsWith(QLatin1String("37"))) return n::ErrorSintaxis;
    if (sqlState == QLatin1String("HYT00")) return n::TiempoAgotado;
    // SQLOLEDB's number for any other failure of a command (a conversion, a
    // division by zero, a deadlock...). The unspecified failure stays for a
    // lost or refused connection, which the session answers by reconnecting:
    // an ordinary error taken for one would be sent again and its
    // transaction thrown away.
    return n::ErrorSintaxis;
}

bool servidorInalcanzable(const Errors& diagnosticos) {
    bool sinRespuesta = false;
    for (const Error& e : diagnosticos) {
        const QString& estado = e.SQLState;
        // A server that answered: whatever else the driver adds, it is there.
        if (estado.startsWith(QLatin1String("28")) || estado == QLatin1String("08004")) return false;
        if (estado.startsWith(QLatin1String("08")) || estado == QLatin1String("HYT00") ||
            estado == QLatin1String("HYT01"))
            sinRespuesta = true;
    }
    return sinRespuesta;
}

}  // namespace ado
