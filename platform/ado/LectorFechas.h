#pragma once

#include <QChar>
#include <QDate>
#include <QTime>
#include <QString>
#include <QStringView>
#include <array>
#include <optional>

namespace ado {

// Reads many texts in a row as FormatoRegional::leerFechaHora reads them, for
// a job that tries every cell of a large grid. The workstation's date format
// is taken once, when the reader is made. The shapes a grid of dates holds
// (day, month and year as digits in the workstation's order, optionally
// followed by hh:mm:ss) are read directly; every other text, and any text
// whose direct reading is in doubt, goes to leerFechaHora itself, so both
// always give the same date and time of day.
//
// The answer is the date and the time the text writes, not a moment of the
// workstation's clock: making one asks the system for its time zone rules
// (a look at the zone file each time), which would cost a large grid more
// than reading it.
class LectorFechas {
public:
    struct FechaHora {
        QDate fecha;
        QTime hora;  // midnight for a date alone
    };

    LectorFechas();

    // The date and time the text writes; unset when it is neither a date nor
    // a date and a time.
    std::optional<FechaHora> leer(const QString& texto) const;

private:
    enum class Campo { Dia, Mes, Anio };

    std::optional<FechaHora> leerDirecto(QStringView texto) const;
    std::optional<QDate> leerFechaDirecta(const char16_t*& c, const char16_t* fin) const;
    static std::optional<QTime> leerHoraDirecta(QStringView texto);

    // The workstation's format as three numeric fields and the two
    // characters between them; unset when it has another shape (a month
    // name, quoted text), and then every text goes to leerFechaHora.
    bool directo_ = false;
    std::array<Campo, 3> campos_{};
    std::array<char16_t, 2> separadores_{};
};

}  // namespace ado
