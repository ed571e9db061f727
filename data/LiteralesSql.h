#pragma once

#include <QString>

namespace datos {

// Pieces of SQL text shared by every module that writes statements.

// A text as the content of an SQL string literal: every single quote doubled,
// so that the value neither ends the literal early nor changes the statement.
// The caller adds the enclosing quotes.
QString comillasSql(const QString& texto);

// The suite's shared date and time formats, in the run-time's notation
// ("mm" is the month in a date and the minutes after "hh") ...
QString FormatoFechaHora();  // "dd/mm/yy hh:mm"
QString FormatoFecha();      // "dd/mm/yy"
QString FormatoHora();       // "hh:mm"

// ... and the same formats for QDateTime::toString / QDate / QTime.
QString formatoFechaHoraQt();  // "dd/MM/yy hh:mm"
QString formatoFechaQt();      // "dd/MM/yy"
QString formatoHoraQt();       // "hh:mm"

}  // namespace datos

namespace datos {

// The text without blanks (spaces only) at both ends, as the statement texts
// and the error log trim their pieces; tabs and line breaks stay.
QString recortar(const QString& texto);

// The leading number of a text, read with "." as decimal point whatever the
// workstation's settings (leading blanks skipped, an optional sign, digits
// with at most one point); 0 when the text does not begin with a number.
double valorNumerico(const QString& texto);

// A number as it goes into an SQL statement: "." as decimal point, no group
// separators, no exponent for ordinary magnitudes ("15", "1234.5", "-0.25").
QString numeroSql(double numero);

}  // namespace datos
