#include "platform/ado/FormatoRegional.h"

#include <QLocale>
#include <QRegularExpression>
#include <QTime>
#include <algorithm>

namespace ado {

namespace {

qsizetype largoDeRacha(const QString& texto, qsizetype desde) {
    qsizetype fin = desde;
    while (fin < texto.size() && texto[fin] == texto[desde]) ++fin;
    return fin - desde;
}

// The widened form of one run of a repeated format letter.
QString rachaEnsanchada(QChar letra, qsizetype largo) {
    if (letra == u'd' && largo == 1) return QStringLiteral("dd");
    if (letra == u'M' && largo == 1) return QStringLiteral("MM");
    if (letra == u'y' && largo <= 2) return QStringLiteral("yyyy");
    return QString(largo, letra);
}

QDate leerFechaRegional(const QString& texto) {
    // The day and month may come with one or two digits; the widened format
    // wants two, so the padded form is tried after the literal one.
    QDate fecha = QDate::fromString(texto, FormatoRegional::formatoFecha());
    if (fecha.isValid()) return fecha;
    QString corto = FormatoRegional::formatoFecha();
    corto.replace(QStringLiteral("dd"), QStringLiteral("d")).replace(QStringLiteral("MM"), QStringLiteral("M"));
    return QDate::fromString(texto, corto);
}

// Where the date of a date-and-time text ends: at its first blank or "T";
// -1 when it has neither.
qsizetype finDeFecha(const QString& texto) {
    const qsizetype blanco = texto.indexOf(u' ');
    const qsizetype t = texto.indexOf(u'T');
    return blanco < 0 ? t : t < 0 ? blanco : std::min(blanco, t);
}

QTime leerHora(const QString& texto) {
    for (const char* formato : {"hh:mm:ss", "h:mm:ss", "hh:mm", "h:mm", "hh:mm:ss.zzz"}) {
        QTime hora = QTime::fromString(texto, QString::fromLatin1(formato));
        if (hora.isValid()) return hora;
    }
    return {};
}

}  // namespace

QString FormatoRegional::ensancharFormato(const QString& formato) {
    QString resultado;
    for (qsizetype i = 0; i < formato.size();) {
        if (formato[i] == u'\'') {  // quoted literal text passes unchanged
            qsizetype fin = formato.indexOf(u'\'', i + 1);
            fin = fin < 0 ? formato.size() : fin + 1;
            resultado += formato.mid(i, fin - i);
            i = fin;
            continue;
        }
        qsizetype largo = largoDeRacha(formato, i);
        resultado += rachaEnsanchada(formato[i], largo);
        i += largo;
    }
    return resultado;
}

// A locale whose short date names the month ("d MMM yyyy", the C locale of a
// machine without regional settings) would give a date text that the
// suite's programs and the engines cannot read back: its dates are written
// with digits, in the locale's order, joined by "/".
QString FormatoRegional::formatoFecha() {
    const QString delLocale = QLocale().dateFormat(QLocale::ShortFormat);
    if (!delLocale.contains(QStringLiteral("MMM"))) return ensancharFormato(delLocale);
    QStringList partes;
    for (const QChar parte : ordenDe(delLocale))
        partes << (parte == u'd' ? QStringLiteral("dd") : parte == u'm' ? QStringLiteral("MM") : QStringLiteral("yyyy"));
    return partes.join(u'/');
}

QString FormatoRegional::ordenFecha() { return ordenDe(formatoFecha()); }

QString FormatoRegional::ordenDe(const QString& formato) {
    QString orden;
    bool literal = false;
    for (const QChar letra : formato) {
        if (letra == u'\'') literal = !literal;
        if (literal) continue;
        const QChar parte = letra == u'M' ? QChar(u'm') : letra;
        if ((parte == u'd' || parte == u'm' || parte == u'y') && !orden.contains(parte)) orden += parte;
    }
    // A format that does not name the three parts (none Qt ships) is read
    // day first, as the suite's workstations write dates.
    return orden.size() == 3 ? orden : QStringLiteral("dmy");
}

QChar FormatoRegional::separadorDecimal() {
    const QString punto = QLocale().decimalPoint();
    return punto.isEmpty() ? QChar(u'.') : punto[0];
}

QString FormatoRegional::textoFecha(const QDate& fecha) {
    return QLocale().toString(fecha, formatoFecha());
}

QString FormatoRegional::textoFechaHora(const QDateTime& fechaHora) {
    QString texto = textoFecha(fechaHora.date());
    const QTime hora = fechaHora.time();
    if (hora.hour() != 0 || hora.minute() != 0 || hora.second() != 0)
        texto += u' ' + hora.toString(formatoHora());
    return texto;
}

QString FormatoRegional::textoIso(const QDateTime& fechaHora) {
    const QTime hora = fechaHora.time();
    const bool medianoche = hora.hour() == 0 && hora.minute() == 0 && hora.second() == 0;
    return fechaHora.toString(medianoche ? QStringLiteral("yyyy-MM-dd") : QStringLiteral("yyyy-MM-dd hh:mm:ss"));
}

QDateTime FormatoRegional::leerFechaHora(const QString& texto) {
    const QString limpio = texto.trimmed();
    if (limpio.isEmpty()) return {};
    QString parteFecha = limpio;
    QString parteHora;
    const qsizetype corte = finDeFecha(limpio);
    if (corte > 0) {
        parteFecha = limpio.left(corte);
        parteHora = limpio.mid(corte + 1).trimmed();
    }
    QDate fecha = QDate::fromString(parteFecha, Qt::ISODate);
    if (!fecha.isValid()) fecha = leerFechaRegional(parteFecha);
    if (!fecha.isValid()) return {};
    if (parteHora.isEmpty()) return QDateTime(fecha, QTime(0, 0));
    const QTime hora = leerHora(parteHora);
    return hora.isValid() ? QDateTime(fecha, hora) : QDateTime();
}

QDate FormatoRegional::leerFechaEscrita(const QString& texto) {
    const QString limpio = texto.trimmed();
    static const QRegularExpression patron(QStringLiteral(R"(^(\d{1,4})[/.-](\d{1,4})[/.-](\d{1,4})$)"));
    const QRegularExpressionMatch partes = patron.match(limpio);
    if (!partes.hasMatch()) return {};
    const QString orden = ordenFecha();
    int dia = 0, mes = 0, anio = -1;
    for (int i = 0; i < 3; ++i) {
        const QString digitos = partes.captured(i + 1);
        const QChar parte = orden[i];
        if (parte == u'y') {
            if (digitos.size() == 2) anio = 1930 + (digitos.toInt() + 70) % 100;
            else if (digitos.size() == 4) anio = digitos.toInt();
        } else if (digitos.size() <= 2) {
            (parte == u'd' ? dia : mes) = digitos.toInt();
        }
    }
    return anio < 0 ? QDate() : QDate(anio, mes, dia);
}

}  // namespace ado
