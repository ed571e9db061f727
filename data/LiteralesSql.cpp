#include "data/LiteralesSql.h"

namespace datos {

QString comillasSql(const QString& texto) {
    QString resultado = texto;
    return resultado.replace(QLatin1Char('\''), QStringLiteral("''"));
}

QString FormatoFechaHora() { return QStringLiteral("dd/mm/yy hh:mm"); }
QString FormatoFecha() { return QStringLiteral("dd/mm/yy"); }
QString FormatoHora() { return QStringLiteral("hh:mm"); }

QString formatoFechaHoraQt() { return QStringLiteral("dd/MM/yy hh:mm"); }
QString formatoFechaQt() { return QStringLiteral("dd/MM/yy"); }
QString formatoHoraQt() { return QStringLiteral("hh:mm"); }

}  // namespace datos

namespace datos {

QString recortar(const QString& texto) {
    qsizetype inicio = 0;
    qsizetype fin = texto.size();
    while (inicio < fin && texto.at(inicio) == QLatin1Char(' ')) ++inicio;
    while (fin > inicio && texto.at(fin - 1) == QLatin1Char(' ')) --fin;
    return texto.mid(inicio, fin - inicio);
}

double valorNumerico(const QString& texto) {
    qsizetype i = 0;
    const qsizetype n = texto.size();
    while (i < n && texto.at(i).isSpace()) ++i;
    const qsizetype inicio = i;
    if (i < n && (texto.at(i) == QLatin1Char('-') || texto.at(i) == QLatin1Char('+'))) ++i;
    bool hayDigitos = false;
    bool hayPunto = false;
    for (; i < n; ++i) {
        const QChar c = texto.at(i);
        if (c.isDigit() && c.unicode() < 128) {
            hayDigitos = true;
        } else if (c == QLatin1Char('.') && !hayPunto) {
            hayPunto = true;
        } else {
            break;
        }
    }
    if (!hayDigitos) return 0.0;
    return texto.mid(inicio, i - inicio).toDouble();
}

QString numeroSql(double numero) {
    // 15 significant digits: what a double holds reliably.
    return QString::number(numero, 'g', 15);
}

}  // namespace datos
