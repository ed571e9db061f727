#include "platform/ado/TextoConexion.h"

namespace ado {

namespace {

bool esUnaDe(const QString& clave, const QStringList& claves) {
    for (const QString& c : claves)
        if (clave.compare(c, Qt::CaseInsensitive) == 0) return true;
    return false;
}

}  // namespace

TextoConexion::TextoConexion(const QString& texto) {
    for (const QString& parte : texto.split(u';')) {
        const qsizetype igual = parte.indexOf(u'=');
        if (igual < 0) continue;
        const QString clave = parte.left(igual).trimmed();
        if (clave.isEmpty()) continue;
        pares_.emplace_back(clave, parte.mid(igual + 1).trimmed());
    }
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
