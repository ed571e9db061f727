#include "platform/ado/SeparadorSentencias.h"

#include "platform/ado/LexicoSql.h"

#include <vector>

namespace ado {

namespace {

using Token = LexicoSql::Token;

// Which characters of `texto` lie inside a quoted value ('...', with ''
// standing for a quote): a keyword there is part of a value the user typed.
std::vector<bool> dentroDeComillas(const QString& texto) {
    std::vector<bool> dentro(static_cast<std::size_t>(texto.size()), false);
    bool abierta = false;
    for (qsizetype i = 0; i < texto.size(); ++i) {
        if (texto[i] == u'\'') abierta = !abierta;  // '' closes and reopens: still inside
        else dentro[static_cast<std::size_t>(i)] = abierta;
    }
    return dentro;
}

// The first keyword at or after `desde` outside a quoted value; -1 when none.
qsizetype primeraPalabraClave(const QString& texto, qsizetype desde) {
    const std::vector<bool> dentro = dentroDeComillas(texto);
    qsizetype menor = -1;
    for (const QString& clave : SeparadorSentencias::palabrasClave()) {
        qsizetype p = texto.indexOf(clave, desde, Qt::CaseInsensitive);
        while (p >= 0 && dentro[static_cast<std::size_t>(p)]) p = texto.indexOf(clave, p + 1, Qt::CaseInsensitive);
        if (p >= 0 && (menor < 0 || p < menor)) menor = p;
    }
    return menor;
}

QString sinBlancosExtremos(const QString& texto) {
    qsizetype inicio = 0, fin = texto.size();
    while (inicio < fin && texto[inicio] == u' ') ++inicio;
    while (fin > inicio && texto[fin - 1] == u' ') --fin;
    return texto.mid(inicio, fin - inicio);
}

QString reemplazar(QString texto, const char* de, const char* a) {
    return texto.replace(QLatin1String(de), QLatin1String(a), Qt::CaseInsensitive);
}

// The significant tokens that follow position i, up to `cuantos`.
std::vector<const Token*> proximos(const std::vector<Token>& tokens, std::size_t i, std::size_t cuantos) {
    std::vector<const Token*> lista;
    for (std::size_t j = i + 1; j < tokens.size() && lista.size() < cuantos; ++j)
        if (tokens[j].significativo()) lista.push_back(&tokens[j]);
    return lista;
}

bool esTran(const Token* t) { return t && (t->es("TRAN") || t->es("TRANSACTION")); }

bool empiezaConExist(const Token* t) {
    return t && t->clase == LexicoSql::Clase::Palabra && t->texto.startsWith(QLatin1String("EXIST"), Qt::CaseInsensitive);
}

// Whether the word at i starts a statement, by the keywords of the embedded
// mode.
bool iniciaSentencia(const std::vector<Token>& tokens, std::size_t i) {
    const Token& t = tokens[i];
    const auto sig = proximos(tokens, i, 2);
    const Token* uno = sig.size() > 0 ? sig[0] : nullptr;
    const Token* dos = sig.size() > 1 ? sig[1] : nullptr;
    if (t.es("INSERT") || t.es("DELETE") || t.es("UPDATE") || t.es("CREATE") || t.es("DROP") || t.es("ALTER") ||
        t.es("GRANT") || t.es("COMMIT") || t.es("ROLLBACK"))
        return true;
    if (t.es("SET")) return uno && (uno->es("TRANSACTION") || uno->es("NOCOUNT"));
    if (t.es("BEGIN")) return esTran(uno);
    if (t.es("IF")) return empiezaConExist(uno) || (uno && uno->es("NOT") && empiezaConExist(dos));
    return false;
}

// CASE and a BEGIN that is not a transaction's open a block closed by END.
bool abreBloque(const std::vector<Token>& tokens, std::size_t i) {
    if (tokens[i].es("CASE")) return true;
    const auto sig = proximos(tokens, i, 1);
    return tokens[i].es("BEGIN") && !esTran(sig.empty() ? nullptr : sig.front());
}

bool tras(const Token* anterior) {
    return anterior && (anterior->es("AFTER") || anterior->es("BEFORE") || anterior->es("OF") ||
                        anterior->es("FOR") || anterior->es("ON") || anterior->es("INSTEAD"));
}

bool cierraNocount(const Token* anterior, const Token* penultimo, const Token& t) {
    return penultimo && penultimo->es("SET") && anterior->es("NOCOUNT") && (t.es("ON") || t.es("OFF"));
}

// A statement's text without white space or a closing ";" at its ends.
QString recortado(const QString& texto) {
    QString t = texto.trimmed();
    while (t.endsWith(u';')) t = t.chopped(1).trimmed();
    return t;
}

}  // namespace

const QStringList& SeparadorSentencias::palabrasClave() {
    static const QStringList claves = {
        QStringLiteral("INSERT "), QStringLiteral("DELETE "),          QStringLiteral("UPDATE "),
        QStringLiteral("CREATE "), QStringLiteral("DROP "),            QStringLiteral("ALTER "),
        QStringLiteral("SET TRANSACTION"), QStringLiteral("COMMIT"),   QStringLiteral("ROLLBACK"),
        QStringLiteral("IF NOT EXIST"),    QStringLiteral("IF EXIST"), QStringLiteral("GRANT ")};
    return claves;
}

QString SeparadorSentencias::limpiar(const QString& texto) {
    QString t = reemplazar(texto, "SET NOCOUNT ON", "");
    t = reemplazar(t, "SET NOCOUNT OFF", "");
    t = reemplazar(t, " GO ", " ");
    t = reemplazar(t, "\r\nGO ", " ");
    t = reemplazar(t, "\r\nGO ", " ");
    t = reemplazar(t, "\r\nGO\r\n", " ");
    t = reemplazar(t, "\r\n", " ");
    t = reemplazar(t, "\r", " ");
    t = reemplazar(t, "BEGIN TRANSACTION", "SET TRANSACTION");
    t = reemplazar(t, "BEGIN TRANS", "SET TRANSACTION");
    t = reemplazar(t, "COMMIT TRANSACTION", "COMMIT");
    t = reemplazar(t, "COMMIT TRANS", "COMMIT");
    t = reemplazar(t, "ROLLBACK TRANSACTION", "ROLLBACK");
    t = reemplazar(t, "ROLLBACK TRANS", "ROLLBACK");
    return t;
}

std::optional<SeparadorSentencias::Tramo> SeparadorSentencias::siguienteLiteral(const QString& texto) const {
    const qsizetype inicio = primeraPalabraClave(texto, 0);
    if (inicio < 0) return std::nullopt;
    qsizetype fin = primeraPalabraClave(texto, inicio + 1);
    if (fin < 0) fin = texto.size();
    return Tramo{inicio, fin, sinBlancosExtremos(texto.mid(inicio, fin - inicio))};
}

std::vector<SeparadorSentencias::Tramo> SeparadorSentencias::separarEmbebido(const QString& texto) const {
    const std::vector<Token> tokens = LexicoSql::separar(texto);
    std::vector<qsizetype> cortes{0};  // where each statement begins
    int parentesis = 0, bloques = 0;
    const Token* anterior = nullptr;
    const Token* penultimo = nullptr;
    qsizetype posicion = 0;
    for (std::size_t i = 0; i < tokens.size(); posicion += tokens[i].texto.size(), ++i) {
        const Token& t = tokens[i];
        if (!t.significativo()) continue;
        if (t.simbolo("(")) ++parentesis;
        else if (t.simbolo(")")) parentesis = std::max(0, parentesis - 1);
        else if (parentesis == 0 && abreBloque(tokens, i)) ++bloques;
        else if (parentesis == 0 && t.es("END") && bloques > 0) --bloques;
        else if (parentesis == 0 && bloques == 0 && t.simbolo(";")) cortes.push_back(posicion + 1);
        else if (parentesis == 0 && bloques == 0 && !tras(anterior) && iniciaSentencia(tokens, i)) cortes.push_back(posicion);
        if (cierraNocount(anterior, penultimo, t)) {
            // SET NOCOUNT ON is whole at its ON: what follows starts afresh.
            cortes.push_back(posicion + t.texto.size());
            anterior = penultimo = nullptr;
            continue;
        }
        penultimo = anterior;
        anterior = &t;
    }
    cortes.push_back(texto.size());
    std::vector<Tramo> tramos;
    for (std::size_t k = 0; k + 1 < cortes.size(); ++k) {
        const QString sentencia = recortado(texto.mid(cortes[k], cortes[k + 1] - cortes[k]));
        if (!sentencia.isEmpty()) tramos.push_back({cortes[k], cortes[k + 1], sentencia});
    }
    return tramos;
}

std::optional<SeparadorSentencias::Tramo> SeparadorSentencias::siguiente(const QString& texto) const {
    if (modo_ == Modo::Literal) return siguienteLiteral(texto);
    auto tramos = separarEmbebido(texto);
    if (tramos.empty()) return std::nullopt;
    return tramos.front();
}

std::vector<SeparadorSentencias::Tramo> SeparadorSentencias::separar(const QString& texto) const {
    if (modo_ == Modo::Embebido) return separarEmbebido(texto);
    std::vector<Tramo> tramos;
    qsizetype base = 0;
    QString resto = texto;
    while (auto tramo = siguienteLiteral(resto)) {
        tramos.push_back({base + tramo->inicio, base + tramo->fin, tramo->sentencia});
        base += tramo->fin;
        resto = resto.mid(tramo->fin);
    }
    return tramos;
}

}  // namespace ado
