#pragma once

#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

namespace ado {

// An ADO connection text read as its "key=value;" pairs. Keys are compared
// trimmed and without regard to case, so "Database =" is the key Database;
// values keep their blanks but for the ends. A value between braces
// ("Pwd={a;b}}c};") is taken whole, with "}}" standing for one "}", so that a
// password or user may hold ";", "=" or braces.
class TextoConexion {
public:
    explicit TextoConexion(const QString& texto);

    // The value of the first of `claves` present; "" when none is.
    QString valor(const QStringList& claves) const;
    bool contiene(const QStringList& claves) const;

    // The pairs whose key is none of `conocidas`, in their order.
    std::vector<std::pair<QString, QString>> otros(const QStringList& conocidas) const;

    // `valor` as a connection text (ADO's or ODBC's) must carry it to read
    // back whole: between braces, each "}" doubled, when it holds ";", "=",
    // a brace or blanks at its ends; unchanged otherwise.
    static QString escrito(const QString& valor);

private:
    // Reads the value that starts at `desde`; `fin` receives the position of
    // the ";" that ends the pair (or the text's length).
    static QString leerValor(const QString& texto, qsizetype desde, qsizetype& fin);

    std::vector<std::pair<QString, QString>> pares_;
};

}  // namespace ado
