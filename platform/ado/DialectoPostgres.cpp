#include "platform/ado/DialectoPostgres.h"

#include <QRegularExpression>

namespace ado {

namespace {

using Clase = LexicoSql::Clase;
using Token = LexicoSql::Token;

bool esNombreSimple(const QString& nombre) {
    static const QRegularExpression simple(QStringLiteral(R"(^[A-Za-z_][A-Za-z0-9_$]*$)"));
    return simple.match(nombre).hasMatch();
}

// SQL Server's date styles of CONVERT and the same picture for TO_CHAR.
QString formatoDeEstilo(const QString& estilo) {
    static const std::pair<const char*, const char*> estilos[] = {
        {"1", "MM/DD/YY"},     {"3", "DD/MM/YY"},           {"23", "YYYY-MM-DD"},
        {"101", "MM/DD/YYYY"}, {"103", "DD/MM/YYYY"},       {"104", "DD.MM.YYYY"},
        {"105", "DD-MM-YYYY"}, {"108", "HH24:MI:SS"},       {"112", "YYYYMMDD"},
        {"120", "YYYY-MM-DD HH24:MI:SS"}, {"121", "YYYY-MM-DD HH24:MI:SS.MS"},
    };
    for (const auto& [numero, formato] : estilos)
        if (estilo == QLatin1String(numero)) return QString::fromLatin1(formato);
    return {};
}

bool esTipoDeFecha(const Token& t) {
    return t.es("DATETIME") || t.es("SMALLDATETIME") || t.es("DATE") || t.es("DATETIME2");
}

}  // namespace

QString DialectoPostgres::nombreEnServidor(const QString& nombre) {
    return esNombreSimple(nombre) ? nombre.toLower() : nombre;
}

QString DialectoPostgres::nombreCitado(const QString& interior) const {
    return u'"' + nombreEnServidor(interior).replace(u'"', QStringLiteral("\"\"")) + u'"';
}

std::optional<QString> DialectoPostgres::funcionRenombrada(const Token& t) const {
    if (t.es("ISNULL")) return QStringLiteral("COALESCE");
    return std::nullopt;
}

void DialectoPostgres::prepararTokens(Tokens& tokens) const {
    convertir(tokens);
    tiposDeCast(tokens);
    comparacionesDeTexto(tokens);
}

DialectoPostgres::Tokens DialectoPostgres::tipoPostgres(const Tokens& tipo) {
    if (tipo.empty()) return tipo;
    Tokens resultado = tipo;
    const Token& t = tipo.front();
    QString nombre;
    if (t.es("NVARCHAR")) nombre = QStringLiteral("VARCHAR");
    else if (t.es("NCHAR")) nombre = QStringLiteral("CHAR");
    else if (t.es("NTEXT")) nombre = QStringLiteral("TEXT");
    else if (esTipoDeFecha(t) && !t.es("DATE")) nombre = QStringLiteral("TIMESTAMP");
    else if (t.es("TINYINT") || t.es("BIT")) nombre = QStringLiteral("SMALLINT");
    else if (t.es("FLOAT")) nombre = QStringLiteral("DOUBLE PRECISION");
    else if (t.es("MONEY")) nombre = QStringLiteral("NUMERIC(19,4)");
    if (!nombre.isEmpty()) resultado.front() = palabra(nombre);
    return resultado;
}

void DialectoPostgres::convertir(Tokens& tokens) {
    // From the last one back, so that one nested in another's arguments is
    // rewritten first.
    for (qsizetype i = static_cast<qsizetype>(tokens.size()) - 1; i >= 0; --i) {
        const auto p = llamada(tokens, i, "CONVERT");
        if (!p) continue;
        const qsizetype cierra = p->cierra;
        const std::vector<Tokens> args = argumentos(tokens, p->abre, cierra);
        if (args.size() < 2 || args.size() > 3 || args[0].empty()) continue;
        const Tokens tipo = tipoPostgres(args[0]);
        const QString formato = args.size() == 3 ? formatoDeEstilo(LexicoSql::unir(args[2]).trimmed()) : QString();
        Tokens nuevo;
        const auto agregar = [&nuevo](const Tokens& parte) { nuevo.insert(nuevo.end(), parte.begin(), parte.end()); };
        if (!formato.isEmpty() && esTipoDeFecha(args[0].front())) {
            // a text read with the style's picture
            agregar({palabra(QStringLiteral("CAST")), simbolo(QStringLiteral("(")), palabra(QStringLiteral("TO_TIMESTAMP")),
                     simbolo(QStringLiteral("("))});
            agregar(args[1]);
            agregar({simbolo(QStringLiteral(",")), espacio(), {Clase::Cadena, u'\'' + formato + u'\''},
                     simbolo(QStringLiteral(")")), espacio(), palabra(QStringLiteral("AS")), espacio()});
            agregar(tipo);
            nuevo.push_back(simbolo(QStringLiteral(")")));
        } else if (!formato.isEmpty()) {
            // a date written with the style's picture
            agregar({palabra(QStringLiteral("TO_CHAR")), simbolo(QStringLiteral("("))});
            agregar(args[1]);
            agregar({simbolo(QStringLiteral(",")), espacio(), {Clase::Cadena, u'\'' + formato + u'\''},
                     simbolo(QStringLiteral(")"))});
        } else {
            agregar({palabra(QStringLiteral("CAST")), simbolo(QStringLiteral("("))});
            agregar(args[1]);
            agregar({espacio(), palabra(QStringLiteral("AS")), espacio()});
            agregar(tipo);
            nuevo.push_back(simbolo(QStringLiteral(")")));
        }
        tokens.erase(tokens.begin() + i, tokens.begin() + cierra + 1);
        tokens.insert(tokens.begin() + i, nuevo.begin(), nuevo.end());
    }
}

void DialectoPostgres::tiposDeCast(Tokens& tokens) {
    for (qsizetype i = 0; i < static_cast<qsizetype>(tokens.size()); ++i) {
        const auto p = llamada(tokens, i, "CAST");
        if (!p) continue;
        int nivel = 0;
        for (qsizetype j = p->abre + 1; j < p->cierra; ++j) {
            if (tokens[j].simbolo("(")) ++nivel;
            if (tokens[j].simbolo(")")) --nivel;
            if (nivel != 0 || !tokens[j].es("AS")) continue;
            const qsizetype tipo = siguiente(tokens, j);
            if (tipo < p->cierra) tokens[tipo] = tipoPostgres({tokens[tipo]}).front();
            break;
        }
    }
}

void DialectoPostgres::comparacionesDeTexto(Tokens& tokens) {
    for (Token& t : tokens)
        if (t.es("LIKE")) t = palabra(QStringLiteral("ILIKE"));
}

}  // namespace ado
