#pragma once

#include "platform/ado/DialectoSql.h"

namespace ado {

// SQL Server's dialect for PostgreSQL. Beside the common rewriting: a
// quoted name that is a plain identifier ([Codigo], "Codigo") becomes the
// server's lower-case name, since the tables were created with unquoted
// names; one that needs its quotes ([DEBE-HABER]) keeps its letters. ISNULL
// becomes COALESCE, LEN(x) LENGTH(RTRIM(x)) (SQL Server does not count the
// trailing blanks), CHARINDEX STRPOS, GETDATE() LOCALTIMESTAMP; "+" between
// texts becomes "||" where a literal text shows it is a concatenation;
// CONVERT(type, x[, style]) a CAST, or a TO_CHAR/TO_TIMESTAMP for the date
// styles; SQL Server's type names their PostgreSQL equals; and LIKE becomes
// ILIKE, as SQL Server's usual collation ignores letter case. Dates written
// day first need nothing: the session reads them so (DateStyle).
class DialectoPostgres : public DialectoSql {
public:
    // The server's name for a table or column the program writes as
    // `nombre`: a plain identifier folded to lower case, as the server folds
    // unquoted names; one that needs quotes ("DEBE-HABER") as written.
    static QString nombreEnServidor(const QString& nombre);

protected:
    QString nombreCitado(const QString& interior) const override;
    std::optional<QString> funcionRenombrada(const Token& t) const override;
    QString funcionPosicion() const override { return QStringLiteral("STRPOS"); }
    QString fechaActual() const override { return QStringLiteral("LOCALTIMESTAMP"); }
    void prepararTokens(Tokens& tokens) const override;

private:
    static void convertir(Tokens& tokens);
    static void tiposDeCast(Tokens& tokens);
    static void comparacionesDeTexto(Tokens& tokens);
    // SQL Server's type written in `tipo`, in PostgreSQL's words.
    static Tokens tipoPostgres(const Tokens& tipo);
};

}  // namespace ado
