#pragma once

#include <QChar>
#include <QDate>
#include <QDateTime>
#include <QString>

namespace ado {

// How the workstation writes dates and numbers as text, read from QLocale()
// (the default locale, which follows the system's regional settings).
class FormatoRegional {
public:
    // The short date format with the day and month written with two digits
    // and the year with four: "dd/MM/yyyy" under es_AR. Qt's own short format
    // there is "d/M/yy", but the suite's workstations show and type dates as
    // dd/mm/yyyy, and a two-digit year would make a stored text ambiguous.
    // Always digits: a locale that names the month gets "dd/MM/yyyy" in its
    // own order.
    static QString formatoFecha();
    static QString formatoHora() { return QStringLiteral("hh:mm:ss"); }
    // The order of day, month and year in formatoFecha() as SQL Server's SET
    // DATEFORMAT names it: "dmy" under es_AR, "mdy" under en_US, "ymd"
    // under sv_SE.
    static QString ordenFecha();

    static QChar separadorDecimal();

    static QString textoFecha(const QDate& fecha);
    // A date-time at midnight shows as the date alone, as the run-time does.
    static QString textoFechaHora(const QDateTime& fechaHora);

    // Reads a date, or a date and a time, written in the workstation's order
    // (one- or two-digit day and month) or in ISO form ("2024-03-05",
    // "2024-03-05 10:00:00", "2024-03-05T10:00:00"). Invalid when neither.
    static QDateTime leerFechaHora(const QString& texto);

    // A date as a user types it: day, month and year as digits in the
    // workstation's order separated by "/", "-" or ".", with one or two
    // digits for day and month and two or four for the year ("25/03/24",
    // "25-03-2024", "25.3.2024" under es_AR). A two-digit year falls in
    // 1930-2029, the window the suite's Windows workstations apply.
    static QDate leerFechaEscrita(const QString& texto);

    // The form the embedded engine keeps a date-time in: "yyyy-MM-dd" at
    // midnight, "yyyy-MM-dd hh:mm:ss" otherwise. Compared as text, these
    // order as SQL Server orders datetime values: a day equals its midnight
    // and precedes every later time of that day.
    static QString textoIso(const QDateTime& fechaHora);

    // Widens a Qt date format: "d" → "dd", "M" → "MM", "yy" → "yyyy".
    static QString ensancharFormato(const QString& formato);

private:
    // The order of day, month and year in a Qt date format ("dmy").
    static QString ordenDe(const QString& formato);
};

}  // namespace ado
