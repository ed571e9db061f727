#include "platform/ado/LexicoSql.h"

namespace ado {

namespace {

bool letraDePalabra(QChar c) { return c.isLetterOrNumber() || c == u'_' || c == u'@' || c == u'#' || c == u'$'; }

// End of a quoted piece that starts at `i` and closes with `cierre`; a doubled
// closing character stands for itself. An unclosed piece runs to the end.
qsizetype finCitado(const QString& t, qsizetype i, QChar cierre) {
    qsizetype j = i + 1;
    while (j < t.size()) {
        if (t[j] == cierre) {
            if (j + 1 < t.size() && t[j + 1] == cierre) {
                j += 2;
                continue;
            }
            return j + 1;
        }
        ++j;
    }
    return t.size();
}

qsizetype finNumero(const QString& t, qsizetype i) {
    qsizetype j = i;
    while (j < t.size() && (t[j].isDigit() || t[j] == u'.')) ++j;
    if (j < t.size() && (t[j] == u'e' || t[j] == u'E')) {
        qsizetype k = j + 1;
        if (k < t.size() && (t[k] == u'+' || t[k] == u'-')) ++k;
        if (k < t.size() && t[k].isDigit()) {
            j = k;
            while (j < t.size() && t[j].isDigit()) ++j;
        }
    }
    return j;
}

bool operadorDoble(const QString& t, qsizetype i) {
    if (i + 1 >= t.size()) return false;
    const QString par = t.mid(i, 2);
    return par == QLatin1String("<=") || par == QLatin1String(">=") || par == QLatin1String("<>") ||
           par == QLatin1String("!=") || par == QLatin1String("||");
}

}  // namespace

bool LexicoSql::Token::es(const char* palabra) const {
    return clase == Clase::Palabra && texto.compare(QLatin1String(palabra), Qt::CaseInsensitive) == 0;
}

std::vector<LexicoSql::Token> LexicoSql::separar(const QString& t) {
    std::vector<Token> tokens;
    qsizetype i = 0;
    while (i < t.size()) {
        const QChar c = t[i];
        Clase clase = Clase::Simbolo;
        qsizetype fin = i + 1;
        if (c.isSpace()) {
            clase = Clase::Espacio;
            while (fin < t.size() && t[fin].isSpace()) ++fin;
        } else if (c == u'-' && i + 1 < t.size() && t[i + 1] == u'-') {
            clase = Clase::Comentario;
            fin = t.indexOf(u'\n', i);
            fin = fin < 0 ? t.size() : fin;
        } else if (c == u'/' && i + 1 < t.size() && t[i + 1] == u'*') {
            clase = Clase::Comentario;
            fin = t.indexOf(QLatin1String("*/"), i + 2);
            fin = fin < 0 ? t.size() : fin + 2;
        } else if (c == u'\'') {
            clase = Clase::Cadena;
            fin = finCitado(t, i, u'\'');
        } else if (c == u'"') {
            clase = Clase::Nombre;
            fin = finCitado(t, i, u'"');
        } else if (c == u'[') {
            clase = Clase::Nombre;
            fin = finCitado(t, i, u']');
        } else if (c.isDigit()) {
            clase = Clase::Numero;
            fin = finNumero(t, i);
        } else if (letraDePalabra(c)) {
            clase = Clase::Palabra;
            while (fin < t.size() && letraDePalabra(t[fin])) ++fin;
        } else if (operadorDoble(t, i)) {
            fin = i + 2;
        }
        tokens.push_back({clase, t.mid(i, fin - i)});
        i = fin;
    }
    return tokens;
}

QString LexicoSql::unir(const std::vector<Token>& tokens) {
    QString texto;
    for (const Token& t : tokens) texto += t.texto;
    return texto;
}

QString LexicoSql::fueraDeCadenas(const QString& texto, const std::function<QString(const QString&)>& cambiar) {
    QString resultado, tramo;
    for (const Token& t : separar(texto)) {
        if (t.clase != Clase::Cadena) {
            tramo += t.texto;
            continue;
        }
        resultado += cambiar(tramo) + t.texto;
        tramo.clear();
    }
    return resultado + cambiar(tramo);
}

QString LexicoSql::sinCadenas(const QString& texto) {
    QString resultado;
    for (const Token& t : separar(texto))
        if (t.clase != Clase::Cadena) resultado += t.texto;
    return resultado;
}

}  // namespace ado
