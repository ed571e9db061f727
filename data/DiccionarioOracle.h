#pragma once

#include <QDate>
#include <QString>

namespace utilidades { class Utilidades; }

namespace datos {

// Rewrites a statement written in SQL Server's dialect for Oracle, by a fixed
// sequence of textual rules; it never parses the SQL. The session decides
// whether its connection is an Oracle one and calls this only then.
//
// A text of fewer than two words is a single word: "LEN" (any case) becomes
// "LENGTH", anything else comes back unchanged. Otherwise the rules run in
// this order, every search and replacement ignoring letter case:
//
//   1. TOP n: the first "top" of the text is taken for the TOP (even inside a
//      longer word, e.g. a column "laptop" before the real TOP); the count
//      moves to a ROWNUM condition behind the body, and the GROUP BY / ORDER
//      BY tail of the statement moves behind that condition.
//   2. " LEN(" with zero to four blanks before the parenthesis -> " LENGTH(".
//   3. [name] -> "name".
//   4. Quoted literals that read as dates (see ReconocedorFechas) ->
//      TO_DATE('dd/mm/yyyy','DD/MM/YYYY'), or with a time of day, when the
//      literal carries one, TO_DATE('dd/mm/yyyy hh:mm:ss','DD/MM/YYYY
//      HH24:MI:SS'); one already inside a TO_DATE stays a single TO_DATE.
//   5. CHARINDEX(find, search[, start]) -> InStr(search, find[, start]):
//      Oracle's INSTR takes the searched text first, so the first two
//      arguments change places when they can be found (balanced parentheses,
//      commas outside quotes and nested calls); otherwise only the name
//      changes.
//   6. CONVERT(NVARCHAR, -> TO_CHAR(, CONVERT(INT, -> TO_NUMBER(.
//   7. From the first "WHERE " on: "= ''" and "=''" -> " IS NULL ".
//   8. The date style 103 inside a TO_CHAR( -> 'DD/MM/YYYY'.
//   9. SUBSTRING( -> SUBSTR(.
//  10. ISNULL( -> NVL(.
//
// A text with an odd number of single quotes cannot be read into literals:
// rule 4 raises run-time error 5 (invalid procedure call or argument), which
// reaches the caller's error treatment.
class DiccionarioOracle {
public:
    // `hoy` gives the year of a day and month written without one.
    explicit DiccionarioOracle(const utilidades::Utilidades& utilidades,
                               QDate hoy = QDate::currentDate());

    QString traducir(const QString& valor) const;

private:
    static QString top(const QString& valor);
    static QString len(QString texto);
    static QString corchetes(QString texto);
    QString fechas(const QString& texto) const;
    static QString charindex(const QString& texto);
    static QString convert(QString texto);
    static QString textoVacio(const QString& texto);
    static QString estiloFecha(QString texto);
    static QString substring(QString texto);
    static QString isnull(QString texto);

    const utilidades::Utilidades& utilidades_;
    QDate hoy_;
};

}  // namespace datos
