#include "platform/ado/OrigenActualizable.h"

#include "platform/ado/LexicoSql.h"

namespace ado {

namespace {

QString sinComillas(const LexicoSql::Token& t) {
    if (t.clase != LexicoSql::Clase::Nombre) return t.texto;
    return t.texto.mid(1, t.texto.size() - 2);
}

}  // namespace

QString OrigenActualizable::tabla(const QString& consulta) {
    const auto tokens = LexicoSql::separar(consulta);
    int nivel = 0;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        if (tokens[i].simbolo("(")) ++nivel;
        if (tokens[i].simbolo(")")) --nivel;
        if (nivel != 0 || !tokens[i].es("FROM")) continue;
        // The name, perhaps written owner.table or [owner].[table]: its last part.
        QString nombre;
        for (std::size_t j = i + 1; j < tokens.size(); ++j) {
            const auto& t = tokens[j];
            if (!t.significativo() && nombre.isEmpty()) continue;
            if (t.clase == LexicoSql::Clase::Palabra || t.clase == LexicoSql::Clase::Nombre) nombre = sinComillas(t);
            else if (!t.simbolo(".")) break;
        }
        return nombre;
    }
    return {};
}

}  // namespace ado
