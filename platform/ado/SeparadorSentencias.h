#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace ado {

// Cuts a command text into statements at the statement keywords ("INSERT ",
// "DELETE ", "UPDATE ", "CREATE ", "DROP ", "ALTER ", "SET TRANSACTION",
// "COMMIT", "ROLLBACK", "IF NOT EXIST", "IF EXIST", "GRANT "), the way the
// script runner of the session object runs a SQL Server text on a provider
// that takes one statement per call.
//
// Literal: a keyword starts a statement wherever it occurs, ignoring case,
// even inside a quoted value or at the end of a longer word; text in front of
// the first keyword is dropped; a statement loses its blanks (spaces only) at
// both ends. This is the script runner's own behaviour, kept as it is.
//
// Embedded: keywords count only as whole words outside quoted values, names,
// comments and parentheses, outside BEGIN...END and CASE...END blocks and not
// after AFTER/BEFORE/OF/FOR/ON (a trigger's event, "ON DELETE CASCADE");
// "BEGIN TRAN[SACTION]", "SET NOCOUNT" and ";" also separate; text in front of
// the first keyword is a statement of its own; statements are trimmed of all
// white space and a closing ";". Otherwise a reason such as "error en el
// update del lunes" inside an INSERT's quotes would cut the INSERT in two.
class SeparadorSentencias {
public:
    enum class Modo { Literal, Embebido };

    // One statement: its place in the text (`fin` one past its last
    // character) and its trimmed text.
    struct Tramo {
        qsizetype inicio = 0;
        qsizetype fin = 0;
        QString sentencia;
    };

    explicit SeparadorSentencias(Modo modo) : modo_(modo) {}

    static const QStringList& palabrasClave();

    // The script runner's cleaning of a text before it is cut: SET NOCOUNT
    // ON/OFF and GO lines removed, line ends turned into blanks, the
    // transaction statements turned into "SET TRANSACTION", "COMMIT" and
    // "ROLLBACK".
    static QString limpiar(const QString& texto);

    // The first statement of `texto`; none when no keyword occurs (and, in the
    // embedded mode, nothing but blanks is left).
    std::optional<Tramo> siguiente(const QString& texto) const;

    // Every statement, in order.
    std::vector<Tramo> separar(const QString& texto) const;

private:
    std::optional<Tramo> siguienteLiteral(const QString& texto) const;
    std::vector<Tramo> separarEmbebido(const QString& texto) const;

    Modo modo_;
};

}  // namespace ado
