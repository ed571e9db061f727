#pragma once

#include "platform/ado/DialectoSql.h"

#include <QString>
#include <functional>
#include <optional>

namespace ado {

// SQL Server's dialect for SQLite: [names] become "names" as written,
// ISNULL/SUBSTRING/CHARINDEX/GETDATE become IFNULL/SUBSTR/INSTR/
// datetime('now', 'localtime'), and a date literal written in the
// workstation's order becomes an ISO date where it is compared, since SQLite
// compares dates as text.
//
// A date written into a date column (INSERT ... VALUES, UPDATE ... SET) in
// the workstation's order is stored in ISO form too, when `tipoDeclarado`
// says the column is one; text columns keep exactly what the user wrote.
class DialectoSqlite : public DialectoSql {
public:
    using TipoDeclarado = std::function<QString(const QString& tabla, const QString& columna)>;

    explicit DialectoSqlite(TipoDeclarado tipoDeclarado = {}) : tipoDeclarado_(std::move(tipoDeclarado)) {}

protected:
    QString nombreCitado(const QString& interior) const override;
    std::optional<QString> funcionRenombrada(const Token& t) const override;
    QString funcionPosicion() const override { return QStringLiteral("INSTR"); }
    QString fechaActual() const override { return QStringLiteral("datetime('now', 'localtime')"); }
    std::optional<QString> literalComparado(const QString& literal) const override { return fechaIso(literal); }
    void prepararTokens(Tokens& tokens) const override { fechasAlmacenadas(tokens); }

private:
    static std::optional<QString> fechaIso(const QString& literal);

    bool esColumnaFecha(const QString& tabla, const QString& columna) const;
    void fechasAlmacenadas(Tokens& tokens) const;
    void fechasInsertadas(Tokens& tokens, qsizetype i, const QString& tabla) const;
    void fechasAsignadas(Tokens& tokens, qsizetype i, const QString& tabla) const;

    TipoDeclarado tipoDeclarado_;
};

}  // namespace ado
