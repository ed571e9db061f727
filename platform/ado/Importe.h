#pragma once

#include <QChar>
#include <QString>
#include <compare>
#include <cstdint>

namespace ado {

// A fixed-point amount with four decimals, the way money is held: an integer
// count of ten-thousandths. Never a double, so sums and comparisons are exact.
class Importe {
public:
    constexpr Importe() = default;
    static constexpr Importe desdeDiezmilesimos(std::int64_t d) { Importe i; i.d_ = d; return i; }

    // Reads "1234.5", "-0,25", "12" with the given decimal separator; rounds
    // half away from zero past the fourth decimal. Returns false when the text
    // is not a number.
    static bool leer(const QString& texto, QChar separadorDecimal, Importe& resultado);

    std::int64_t diezmilesimos() const { return d_; }
    double aDouble() const { return static_cast<double>(d_) / 10000.0; }
    static Importe desdeDouble(double v);

    // Shortest text: no trailing zero decimals, no separator for whole amounts.
    QString texto(QChar separadorDecimal) const;

    friend constexpr bool operator==(Importe a, Importe b) { return a.d_ == b.d_; }
    friend constexpr auto operator<=>(Importe a, Importe b) { return a.d_ <=> b.d_; }
    friend constexpr Importe operator+(Importe a, Importe b) { return desdeDiezmilesimos(a.d_ + b.d_); }
    friend constexpr Importe operator-(Importe a, Importe b) { return desdeDiezmilesimos(a.d_ - b.d_); }

private:
    std::int64_t d_ = 0;
};

}  // namespace ado
