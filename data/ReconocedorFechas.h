#pragma once

#include <QDate>
#include <QTime>
#include <QString>
#include <optional>

namespace datos {

// Which quoted texts of a statement the Oracle rewriting takes for dates. It
// reads them as the suite's workstations do, day before month, and accepts:
//
//   - day, month and year: "d/m/yy", "d/m/yyyy" with one or two digits for
//     day and month and "/", "-" or "." as separator (the same one twice:
//     "1/2-2024" is no date). A two-digit year 00-29 is 2000-2029, 30-99 is
//     1930-1999. A four-digit year must be 100 or later.
//   - day and month without a year: "d/m" or "d-m", in the year of `hoy`.
//     "d.m" reads as a number ("1.5"), so it is none.
//   - a time of day: "h:mm" or "h:mm:ss" (hours 0-23, minutes and seconds
//     0-59), alone or behind one of the dates above with blanks between.
//
// The date must exist in the calendar ("31/02/2024", "29/02/2023" are none).
// Blanks around the text are ignored. A text that reads wholly as a number
// ("2024", "12.5", "-3", "1,5") is never a date, nor is anything with month
// names, AM/PM or other words.
//
// A time alone stands for the run-time's day zero, 30/12/1899 (the date part
// of a pure time); a date with a time stands for its date. `hora` gives the
// time of day such a text carries, so that the rewriting can keep it: an
// opening stamped "10/12/2026 09:15:00" must not reach the table as midnight.
class ReconocedorFechas {
public:
    static std::optional<QDate> fecha(const QString& texto, const QDate& hoy = QDate::currentDate());
    // The time of day of a text that `fecha` reads as a date; none when it
    // carries no time ("01/02/2024") or is no date.
    static std::optional<QTime> hora(const QString& texto, const QDate& hoy = QDate::currentDate());

    // The run-time's day zero: what a time without a date stands for.
    static QDate diaCero() { return QDate(1899, 12, 30); }

private:
    static bool esNumero(const QString& texto);
    static std::optional<QDate> soloFecha(const QString& texto, const QDate& hoy);
    static bool esHora(const QString& texto);
    static QTime leerHora(const QString& texto);
};

}  // namespace datos
