#pragma once

#include <QDateTime>
#include <QString>
#include <cstdint>
#include <variant>

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

// A field value or a literal: null, Boolean, whole number, double, fixed-point
// amount, text or date-time.
class Variant {
public:
    enum class Tipo { Nulo, Booleano, Entero, Doble, Importe, Texto, FechaHora };

    Variant() = default;
    Variant(bool b) : v_(b) {}
    Variant(int n) : v_(static_cast<std::int64_t>(n)) {}
    Variant(long n) : v_(static_cast<std::int64_t>(n)) {}
    Variant(long long n) : v_(static_cast<std::int64_t>(n)) {}
    Variant(double d) : v_(d) {}
    Variant(ado::Importe i) : v_(i) {}
    Variant(const QString& s) : v_(s) {}
    Variant(const char* s) : v_(QString::fromUtf8(s)) {}
    Variant(const QDateTime& f) : v_(f) {}

    static Variant nulo() { return Variant(); }

    Tipo tipo() const { return static_cast<Tipo>(v_.index()); }
    bool esNulo() const { return tipo() == Tipo::Nulo; }

    // Text form, as the run-time converts a value to text: numbers and dates in
    // the workstation's regional format (QLocale()), Booleans as "Verdadero" /
    // "Falso", a date without time as the short date, null as "".
    QString texto() const;

    // Numeric forms; text is read from its leading numeric part. Null is 0.
    double aDouble() const;
    std::int64_t aEntero() const;
    ado::Importe aImporte() const;
    bool aBooleano() const;
    QDateTime aFechaHora() const;  // invalid when not a date

    const std::variant<std::monostate, bool, std::int64_t, double, ado::Importe, QString, QDateTime>&
    crudo() const { return v_; }

    friend bool operator==(const Variant&, const Variant&) = default;

private:
    std::variant<std::monostate, bool, std::int64_t, double, ado::Importe, QString, QDateTime> v_;
};

}  // namespace ado
