#pragma once

#include "platform/ado/LexicoSql.h"

#include <QString>
#include <optional>
#include <vector>

namespace ado {

// Rewrites one statement from SQL Server's dialect into another engine's,
// token by token, so that quoted values and names are never touched by
// mistake. What every engine needs is done here: the owner "dbo" goes from
// qualified names (dbo.X, [dbo].[X]), table hints ("with(nolock)") go, TOP n
// becomes a LIMIT at the end of its own (sub)query, N'...' loses its N,
// LEN(x) becomes LENGTH(RTRIM(x)) (LEN does not count trailing blanks), "+"
// becomes "||" in a chain whose operands show it joins texts (a literal
// text, no number), CHARINDEX(a, b) becomes the engine's position function
// with the arguments turned round, and GETDATE() the engine's local time. How names
// are quoted, which functions change their name, and what a compared
// literal becomes is each engine's own.
class DialectoSql {
public:
    virtual ~DialectoSql() = default;

    QString reescribir(const QString& sentencia) const;

protected:
    using Token = LexicoSql::Token;
    using Tokens = std::vector<Token>;

    // A quoted name's content ([a b] -> a b) in the engine's quotes.
    virtual QString nombreCitado(const QString& interior) const = 0;
    // The engine's name for a SQL Server function that only differs in name.
    virtual std::optional<QString> funcionRenombrada(const Token& t) const = 0;
    // The engine's function for CHARINDEX(a, b), taking (b, a).
    virtual QString funcionPosicion() const = 0;
    // The engine's local date and time, for GETDATE().
    virtual QString fechaActual() const = 0;
    // What a literal that the statement compares becomes (a date written in
    // the workstation's order, for an engine that compares dates as text).
    virtual std::optional<QString> literalComparado(const QString& /*literal*/) const { return std::nullopt; }
    // The engine's own passes over the whole statement, before the common ones.
    virtual void prepararTokens(Tokens& /*tokens*/) const {}

    static qsizetype siguiente(const Tokens& tokens, qsizetype i);
    static qsizetype anterior(const Tokens& tokens, qsizetype i);
    static qsizetype cierre(const Tokens& tokens, qsizetype abre);
    // The name at i (perhaps owner.name, quoted or not): its last part
    // without quotes; i ends on its last token.
    static QString nombreSimple(const Tokens& tokens, qsizetype& i);
    // The parentheses of a call of `funcion` written at i ("(" and its
    // matching ")"); none when i holds no such call or it is never closed.
    struct Parentesis {
        qsizetype abre;
        qsizetype cierra;
    };
    static std::optional<Parentesis> llamada(const Tokens& tokens, qsizetype i, const char* funcion);
    // The arguments of the call whose "(" is at `abre` and ")" at `cierra`,
    // each without the blanks at its ends.
    static std::vector<Tokens> argumentos(const Tokens& tokens, qsizetype abre, qsizetype cierra);
    static Token palabra(const QString& t) { return {LexicoSql::Clase::Palabra, t}; }
    static Token simbolo(const QString& t) { return {LexicoSql::Clase::Simbolo, t}; }
    static Token espacio() { return {LexicoSql::Clase::Espacio, QStringLiteral(" ")}; }

private:
    // What the rewriting knows about the (sub)query it is in.
    struct Nivel {
        std::optional<QString> limite;  // the TOP moved to its end
        bool listaIn = false;           // the parentheses of an IN (...)
        bool enSet = false;             // between SET and WHERE/FROM of an UPDATE
        bool entreBetween = false;      // after BETWEEN, before its AND
    };

    static void quitarDueno(Tokens& tokens);
    static void quitarSugerencias(Tokens& tokens);
    static void largos(Tokens& tokens);
    static void concatenaciones(Tokens& tokens);
    // The last token of the operand that starts at i; -1 when none starts there.
    static qsizetype finDeOperando(const Tokens& tokens, qsizetype i);
    void invertirCharindex(Tokens& tokens) const;
    Tokens transformar(const Tokens& tokens) const;
    // Skips "TOP n [PERCENT] [WITH TIES]" starting at `top`, recording the
    // LIMIT it becomes; answers its last token, none when it stays.
    static std::optional<qsizetype> quitarTop(const Tokens& tokens, qsizetype top, Nivel& nivel);
    // Whether a literal after `anterior` is compared (and so may be a date).
    static bool esComparada(const Token* anterior, const Nivel& nivel, bool andDeBetween);
    static bool esSugerencia(const Tokens& tokens, qsizetype abre, qsizetype cierra);
};

}  // namespace ado
