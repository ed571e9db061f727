#include "platform/ado/Variant.h"

#include "platform/ado/FormatoRegional.h"

#include <cmath>

namespace ado {

namespace {

const QDate origenFechas(1899, 12, 30);  // day 0 of the run-time's date serial numbers

template <class... F> struct Visitante : F... { using F::operator()...; };
template <class... F> Visitante(F...) -> Visitante<F...>;

// The leading numeric part of a text, written with "." as separator: blanks,
// a sign, digits, a decimal separator ("." or the workstation's) and digits,
// an exponent. "" when the text does not start with a number.
QString parteNumericaInicial(const QString& texto) {
    const QChar regional = FormatoRegional::separadorDecimal();
    QString numero;
    qsizetype i = 0;
    while (i < texto.size() && texto[i].isSpace()) ++i;
    if (i < texto.size() && (texto[i] == u'+' || texto[i] == u'-')) numero += texto[i++];
    bool hayDigitos = false;
    while (i < texto.size() && texto[i].isDigit()) { numero += texto[i++]; hayDigitos = true; }
    if (i < texto.size() && (texto[i] == u'.' || texto[i] == regional)) {
        numero += u'.';
        ++i;
        while (i < texto.size() && texto[i].isDigit()) { numero += texto[i++]; hayDigitos = true; }
    }
    if (!hayDigitos) return {};
    if (i + 1 < texto.size() && (texto[i] == u'e' || texto[i] == u'E')) {
        qsizetype j = i + 1;
        QString exponente = QStringLiteral("e");
        if (j < texto.size() && (texto[j] == u'+' || texto[j] == u'-')) exponente += texto[j++];
        qsizetype inicio = j;
        while (j < texto.size() && texto[j].isDigit()) exponente += texto[j++];
        if (j > inicio) numero += exponente;
    }
    return numero;
}

double diasDesdeOrigen(const QDateTime& f) {
    const double dias = static_cast<double>(origenFechas.daysTo(f.date()));
    return dias + f.time().msecsSinceStartOfDay() / 86400000.0;
}

QDateTime fechaDeDias(double dias) {
    if (!std::isfinite(dias)) return {};
    const double enteros = std::floor(dias);
    const auto ms = static_cast<int>(std::llround((dias - enteros) * 86400000.0));
    return QDateTime(origenFechas.addDays(static_cast<qint64>(enteros)), QTime(0, 0)).addMSecs(ms);
}

QString textoDoble(double d) {
    QString texto = QString::number(d, 'g', 15).toUpper();
    texto.replace(u'.', FormatoRegional::separadorDecimal());
    return texto;
}

// The run-time's True is -1.
constexpr std::int64_t enteroDeBooleano(bool b) { return b ? -1 : 0; }

}  // namespace

QString Variant::texto() const {
    return std::visit(Visitante{
        [](std::monostate) { return QString(); },
        [](bool b) { return b ? QStringLiteral("Verdadero") : QStringLiteral("Falso"); },
        [](std::int64_t n) { return QString::number(n); },
        [](double d) { return textoDoble(d); },
        [](ado::Importe i) { return i.texto(FormatoRegional::separadorDecimal()); },
        [](const QString& s) { return s; },
        [](const QDateTime& f) { return f.isValid() ? FormatoRegional::textoFechaHora(f) : QString(); },
    }, v_);
}

double Variant::aDouble() const {
    return std::visit(Visitante{
        [](std::monostate) { return 0.0; },
        [](bool b) { return static_cast<double>(enteroDeBooleano(b)); },
        [](std::int64_t n) { return static_cast<double>(n); },
        [](double d) { return d; },
        [](ado::Importe i) { return i.aDouble(); },
        [](const QString& s) { return parteNumericaInicial(s).toDouble(); },
        [](const QDateTime& f) { return f.isValid() ? diasDesdeOrigen(f) : 0.0; },
    }, v_);
}

std::int64_t Variant::aEntero() const {
    return std::visit(Visitante{
        [](std::monostate) -> std::int64_t { return 0; },
        [](bool b) { return enteroDeBooleano(b); },
        [](std::int64_t n) { return n; },
        [](ado::Importe i) {
            // Half to even, as the run-time rounds to a whole number.
            return static_cast<std::int64_t>(std::nearbyint(static_cast<long double>(i.diezmilesimos()) / 10000.0L));
        },
        [this](const auto&) {
            const double d = aDouble();
            return std::isfinite(d) ? static_cast<std::int64_t>(std::nearbyint(d)) : std::int64_t{0};
        },
    }, v_);
}

ado::Importe Variant::aImporte() const {
    return std::visit(Visitante{
        [](std::monostate) { return ado::Importe(); },
        [](bool b) { return ado::Importe::desdeDiezmilesimos(enteroDeBooleano(b) * 10000); },
        [](std::int64_t n) { return ado::Importe::desdeDiezmilesimos(n * 10000); },
        [](ado::Importe i) { return i; },
        [](const QString& s) {
            ado::Importe i;
            return ado::Importe::leer(parteNumericaInicial(s), u'.', i) ? i : ado::Importe();
        },
        [this](const auto&) { return ado::Importe::desdeDouble(aDouble()); },
    }, v_);
}

bool Variant::aBooleano() const {
    if (const auto* s = std::get_if<QString>(&v_)) {
        const QString t = s->trimmed();
        if (t.compare(QStringLiteral("Verdadero"), Qt::CaseInsensitive) == 0 ||
            t.compare(QStringLiteral("True"), Qt::CaseInsensitive) == 0)
            return true;
        if (t.compare(QStringLiteral("Falso"), Qt::CaseInsensitive) == 0 ||
            t.compare(QStringLiteral("False"), Qt::CaseInsensitive) == 0)
            return false;
    }
    if (const auto* b = std::get_if<bool>(&v_)) return *b;
    return aDouble() != 0.0;
}

QDateTime Variant::aFechaHora() const {
    return std::visit(Visitante{
        [](std::monostate) { return QDateTime(); },
        [](const QDateTime& f) { return f; },
        [](const QString& s) { return FormatoRegional::leerFechaHora(s); },
        [](bool) { return QDateTime(); },
        [this](const auto&) { return fechaDeDias(aDouble()); },
    }, v_);
}

}  // namespace ado
