// The rewriting of SQL Server's statements for the embedded engine and for
// PostgreSQL.
#include "Entrada.h"
#include "platform/ado/DialectoPostgres.h"
#include "platform/ado/DialectoSqlite.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t largo) {
    const fuzz::Eleccion e = fuzz::elegir(datos, largo);
    const QString sentencia = QString::fromUtf8(e.resto);
    // Half the runs see every column as a date, so the date rewriting runs too.
    const ado::DialectoSqlite sqlite(e.opcion % 2 ? ado::DialectoSqlite::TipoDeclarado(
                                                       [](const QString&, const QString&) { return QStringLiteral("DATETIME"); })
                                                 : ado::DialectoSqlite::TipoDeclarado());
    const ado::DialectoPostgres postgres;
    const bool pareja = fuzz::comillas(sentencia) % 2 == 0;
    for (const ado::DialectoSql* dialecto : {static_cast<const ado::DialectoSql*>(&sqlite),
                                             static_cast<const ado::DialectoSql*>(&postgres)}) {
        const QString nueva = dialecto->reescribir(sentencia);
        fuzz::exigir(!pareja || fuzz::comillas(nueva) % 2 == 0, "the rewriting unbalanced a quote",
                     sentencia + QStringLiteral("\n->\n") + nueva);
    }
    return 0;
}
