#include "platform/ado/TextoConexion.h"

namespace ado {

namespace {

bool esUnaDe(const QString& clave, const QStringList& claves) {
    for (const QString& c : claves)
        if (clave.compare(c, Qt::CaseInsensitive) == 0) return true;
    return false;
}

qsizetype finDelPar(const QString& texto, qsizetype desde) {
    const qsizetype puntoYComa = texto.indexOf(u';', desde);
    return puntoYComa < 0 ? texto.size() : puntoYComa;
}

}  // namespace

TextoConexion::TextoConexion(const QString& texto) {
    qsizetype inicio = 0;
    while (inicio < texto.size()) {
        const qsizetype puntoYComa = finDelPar(texto, inicio);
        const qsizetype igual = texto.indexOf(u'=', inicio);
        // A piece without "=" names nothing.
        if (igual < 0 || igual > puntoYComa) {
            inicio = puntoYComa + 1;
            continue;
        }
        const QString clave = texto.mid(inicio, igual - inicio).trimmed();
        qsizetype fin = 0;
        const QString valor = leerValor(texto, igual + 1, fin);
        if (!clave.isEmpty()) pares_.emplace_back(clave, valor);
        inicio = fin + 1;
    }
}

QString TextoConexion::leerValor(const QString& texto, qsizetype desde, qsizetype& fin) {
    qsizetype i = desde;
    while (i < texto.size() && texto[i].isSpace()) ++i;
    if (i < texto.size() && texto[i] == u'{') {
        QString valor;
        for (qsizetype j = i + 1; j < texto.size(); ++j) {
            if (texto[j] != u'}') {
                valor += texto[j];
                continue;
            }
            if (j + 1 < texto.size() && texto[j + 1] == u'}') {
                valor += u'}';
                ++j;
                continue;
            }
            // Whatever stands between the closing brace and the ";" is not
            // part of the value.
            fin = finDelPar(texto, j + 1);
            return valor;
        }
        // A brace never closed is no quoting: the value is read as written.
    }
    fin = finDelPar(texto, desde);
    return texto.mid(desde, fin - desde).trimmed();
}

QString TextoConexion::escrito(const QString& valor) {
    const bool ambiguo = valor.contains(u';') || valor.contains(u'=') || valor.contains(u'{') ||
                         valor.contains(u'}') ||
                         (!valor.isEmpty() && (valor.front().isSpace() || valor.back().isSpace()));
    if (!ambiguo) return valor;
    return u'{' + QString(valor).replace(u'}', QStringLiteral("}}")) + u'}';
}

QString TextoConexion::valor(const QStringList& claves) const {
    for (const QString& c : claves)
        for (const auto& [clave, valor] : pares_)
            if (clave.compare(c, Qt::CaseInsensitive) == 0) return valor;
    return {};
}

bool TextoConexion::contiene(const QStringList& claves) const {
    for (const auto& par : pares_)
        if (esUnaDe(par.first, claves)) return true;
    return false;
}

std::vector<std::pair<QString, QString>> TextoConexion::otros(const QStringList& conocidas) const {
    std::vector<std::pair<QString, QString>> resto;
    for (const auto& par : pares_)
        if (!esUnaDe(par.first, conocidas)) resto.push_back(par);
    return resto;
}

}  // namespace ado
