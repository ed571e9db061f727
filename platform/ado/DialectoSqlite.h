#pragma once

#include "platform/ado/LexicoSql.h"

#include <QString>
#include <functional>
#include <optional>
#include <vector>

namespace ado {

// Rewrites one statement from SQL Server's dialect into SQLite's, token by
// token, so that quoted values and names are never touched by mistake:
// table hints ("with(nolock)") go, TOP n becomes a LIMIT at the end of its
// own (sub)query, [names] become "names", ISNULL/LEN/SUBSTRING/CHARINDEX/
// GETDATE become their SQLite forms, the owner "dbo" goes from qualified
// names (the engine has no owner schemas), and a date literal written in the
// workstation's order becomes an ISO date where it is compared.
//
// A date written into a date column (INSERT ... VALUES, UPDATE ... SET) in
// the workstation's order is stored in ISO form too, when `tipoDeclarado`
// says the column is one; text columns keep exactly what the user wrote.
class DialectoSqlite {
public:
    using TipoDeclarado = std::function<QString(const QString& tabla, const QString& columna)>;

    explicit DialectoSqlite(TipoDeclarado tipoDeclarado = {}) : tipoDeclarado_(std::move(tipoDeclarado)) {}

    QString reescribir(const QString& sentencia) const;

private:
    using Tokens = std::vector<LexicoSql::Token>;
    // What the rewriting knows about the (sub)query it is in.
    struct Nivel {
        std::optional<QString> limite;  // the TOP moved to its end
        bool listaIn = false;           // the parentheses of an IN (...)
        bool enSet = false;             // between SET and WHERE/FROM of an UPDATE
        bool entreBetween = false;      // after BETWEEN, before its AND
    };

    // "dbo.X", "[dbo].[X]": the owner goes, the name stays as written.
    static void quitarDueno(Tokens& tokens);
    static void quitarSugerencias(Tokens& tokens);
    static void invertirCharindex(Tokens& tokens);
    static Tokens transformar(const Tokens& tokens);
    // Skips "TOP n [PERCENT] [WITH TIES]" starting at `top`, recording the
    // LIMIT it becomes; answers its last token, none when it stays.
    static std::optional<qsizetype> quitarTop(const Tokens& tokens, qsizetype top, Nivel& nivel);
    // Whether a literal after `anterior` is compared (and so may be a date).
    static bool esComparada(const LexicoSql::Token* anterior, const Nivel& nivel, bool andDeBetween);

    static qsizetype siguiente(const Tokens& tokens, qsizetype i);
    static qsizetype cierre(const Tokens& tokens, qsizetype abre);
    static bool esSugerencia(const Tokens& tokens, qsizetype abre, qsizetype cierra);
    static std::optional<QString> fechaIso(const QString& literal);
    static QString nombreSimple(const Tokens& tokens, qsizetype& i);

    bool esColumnaFecha(const QString& tabla, const QString& columna) const;
    void fechasAlmacenadas(Tokens& tokens) const;
    void fechasInsertadas(Tokens& tokens, qsizetype i, const QString& tabla) const;
    void fechasAsignadas(Tokens& tokens, qsizetype i, const QString& tabla) const;

    TipoDeclarado tipoDeclarado_;
};

}  // namespace ado
