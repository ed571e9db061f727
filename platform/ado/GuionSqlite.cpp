#include "platform/ado/GuionSqlite.h"

#include "platform/ado/LexicoSql.h"

namespace ado {

namespace {

// Whether the ";" at `i` ends a statement: white space or the end of the
// text follows it, perhaps after a comment.
bool terminaSentencia(const std::vector<LexicoSql::Token>& tokens, std::size_t i) {
    for (std::size_t j = i + 1; j < tokens.size(); ++j) {
        const auto& t = tokens[j];
        if (t.clase == LexicoSql::Clase::Espacio) return true;
        if (t.clase != LexicoSql::Clase::Comentario) return false;
    }
    return true;
}

}  // namespace

QStringList GuionSqlite::sentencias(const QString& guion) {
    const auto tokens = LexicoSql::separar(guion);
    QStringList lista;
    QString actual;
    int bloques = 0;
    bool enDisparador = false;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        const auto& t = tokens[i];
        actual += t.texto;
        if (t.es("TRIGGER")) enDisparador = true;
        if (enDisparador && (t.es("BEGIN") || t.es("CASE"))) ++bloques;
        if (enDisparador && t.es("END") && bloques > 0) --bloques;
        if (!t.simbolo(";") || bloques > 0 || !terminaSentencia(tokens, i)) continue;
        if (!actual.trimmed().isEmpty() && actual.trimmed() != QLatin1String(";")) lista << actual.trimmed();
        actual.clear();
        enDisparador = false;
    }
    if (!actual.trimmed().isEmpty()) lista << actual.trimmed();
    return lista;
}

}  // namespace ado
