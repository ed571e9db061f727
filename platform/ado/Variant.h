#pragma once

#include "platform/ado/Importe.h"

#include <QDateTime>
#include <QString>
#include <cstdint>
#include <variant>

namespace ado {

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
