#pragma once

#include <QString>
#include <functional>
#include <vector>

namespace ado {

// Cuts a SQL text into tokens, keeping every character: joined again the
// tokens give back the text. Quoted literals ('...'), quoted names ("..." and
// [...]) and comments are tokens of their own, so nothing inside them is taken
// for a keyword.
class LexicoSql {
public:
    enum class Clase { Espacio, Comentario, Palabra, Numero, Cadena, Nombre, Simbolo };
    struct Token {
        Clase clase;
        QString texto;
        bool es(const char* palabra) const;  // a word, ignoring case
        bool simbolo(const char* s) const { return clase == Clase::Simbolo && texto == QLatin1String(s); }
        bool significativo() const { return clase != Clase::Espacio && clase != Clase::Comentario; }
    };

    static std::vector<Token> separar(const QString& texto);
    static QString unir(const std::vector<Token>& tokens);

    // The text with `cambiar` applied to each stretch between quoted
    // literals ('...'), the literals kept as written: a rewriting of names
    // never touches a value the user typed.
    static QString fueraDeCadenas(const QString& texto, const std::function<QString(const QString&)>& cambiar);
    // The text with every quoted literal left out, to look for names in.
    static QString sinCadenas(const QString& texto);
};

}  // namespace ado
