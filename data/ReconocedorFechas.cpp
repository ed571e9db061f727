#include "data/ReconocedorFechas.h"

#include <QRegularExpression>
#include <QStringList>

namespace datos {

std::optional<QDate> ReconocedorFechas::fecha(const QString& texto, const QDate& hoy) {
    const QString limpio = texto.trimmed();
    if (limpio.isEmpty() || esNumero(limpio)) return std::nullopt;
    if (esHora(limpio)) return diaCero();
    // A date, possibly followed by a time after one or more blanks.
    static const QRegularExpression conHora(QStringLiteral("^(\\S+)\\s+(\\S+)$"));
    const QRegularExpressionMatch partes = conHora.match(limpio);
    if (partes.hasMatch()) {
        if (!esHora(partes.captured(2))) return std::nullopt;
        return soloFecha(partes.captured(1), hoy);
    }
    return soloFecha(limpio, hoy);
}

std::optional<QTime> ReconocedorFechas::hora(const QString& texto, const QDate& hoy) {
    if (!fecha(texto, hoy)) return std::nullopt;
    const QString limpio = texto.trimmed();
    const QString ultimaParte = limpio.section(QRegularExpression(QStringLiteral("\\s+")), -1);
    if (!esHora(ultimaParte)) return std::nullopt;
    return leerHora(ultimaParte);
}

QTime ReconocedorFechas::leerHora(const QString& texto) {
    const QStringList partes = texto.split(u':');
    return QTime(partes[0].toInt(), partes[1].toInt(), partes.size() > 2 ? partes[2].toInt() : 0);
}

bool ReconocedorFechas::esNumero(const QString& texto) {
    static const QRegularExpression numero(QStringLiteral("^[+-]?([0-9]+([.,][0-9]*)?|[.,][0-9]+)$"));
    return numero.match(texto).hasMatch();
}

std::optional<QDate> ReconocedorFechas::soloFecha(const QString& texto, const QDate& hoy) {
    static const QRegularExpression forma(
        QStringLiteral("^([0-9]{1,2})([/.\\-])([0-9]{1,2})(?:\\2([0-9]{4}|[0-9]{2}))?$"));
    const QRegularExpressionMatch m = forma.match(texto);
    if (!m.hasMatch()) return std::nullopt;
    const int dia = m.captured(1).toInt();
    const int mes = m.captured(3).toInt();
    int anio = hoy.year();
    const QString textoAnio = m.captured(4);
    if (textoAnio.size() == 2) {
        const int corto = textoAnio.toInt();
        anio = corto < 30 ? 2000 + corto : 1900 + corto;
    } else if (textoAnio.size() == 4) {
        anio = textoAnio.toInt();
        if (anio < 100) return std::nullopt;
    }
    const QDate resultado(anio, mes, dia);
    if (!resultado.isValid()) return std::nullopt;
    return resultado;
}

bool ReconocedorFechas::esHora(const QString& texto) {
    static const QRegularExpression forma(QStringLiteral("^([0-9]{1,2}):([0-9]{2})(?::([0-9]{2}))?$"));
    const QRegularExpressionMatch m = forma.match(texto);
    if (!m.hasMatch()) return false;
    const bool conSegundos = m.capturedLength(3) > 0;
    return m.captured(1).toInt() <= 23 && m.captured(2).toInt() <= 59
           && (!conSegundos || m.captured(3).toInt() <= 59);
}

}  // namespace datos
