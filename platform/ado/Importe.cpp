#include "platform/ado/Importe.h"

#include <cmath>
#include <optional>

namespace ado {

namespace {

// The parts of a written number: sign, all digits in order, how many of them
// stand before the decimal separator, and a power of ten to apply.
struct NumeroEscrito {
    bool negativo = false;
    QString digitos;
    qsizetype enteros = 0;
    int exponente = 0;
};

bool leerExponente(const QString& t, qsizetype& i, int& exponente) {
    if (i >= t.size() || (t[i] != u'e' && t[i] != u'E')) return true;
    ++i;
    bool negativo = false;
    if (i < t.size() && (t[i] == u'+' || t[i] == u'-')) negativo = t[i++] == u'-';
    qsizetype inicio = i;
    int valor = 0;
    while (i < t.size() && t[i].isDigit() && valor < 1000) valor = valor * 10 + t[i++].digitValue();
    if (i == inicio) return false;
    exponente = negativo ? -valor : valor;
    return true;
}

std::optional<NumeroEscrito> descomponer(const QString& texto, QChar separador) {
    const QString t = texto.trimmed();
    NumeroEscrito n;
    qsizetype i = 0;
    if (i < t.size() && (t[i] == u'+' || t[i] == u'-')) n.negativo = t[i++] == u'-';
    while (i < t.size() && t[i].isDigit()) n.digitos += t[i++];
    n.enteros = n.digitos.size();
    if (i < t.size() && t[i] == separador) {
        ++i;
        while (i < t.size() && t[i].isDigit()) n.digitos += t[i++];
    }
    if (n.digitos.isEmpty() || !leerExponente(t, i, n.exponente) || i != t.size()) return std::nullopt;
    return n;
}

// Ten-thousandths of the number, rounded half away from zero.
std::optional<std::int64_t> diezmilesimosDe(const NumeroEscrito& n) {
    const qsizetype enteros = n.enteros + n.exponente;
    std::int64_t valor = 0;
    auto digito = [&](qsizetype posicion) -> int {
        return posicion >= 0 && posicion < n.digitos.size() ? n.digitos[posicion].digitValue() : 0;
    };
    // Digits from the first one through the fourth decimal.
    for (qsizetype p = 0; p < enteros + 4; ++p) {
        if (__builtin_mul_overflow(valor, 10, &valor) || __builtin_add_overflow(valor, digito(p), &valor))
            return std::nullopt;
    }
    if (digito(enteros + 4) >= 5 && __builtin_add_overflow(valor, 1, &valor)) return std::nullopt;
    return n.negativo ? -valor : valor;
}

}  // namespace

bool Importe::leer(const QString& texto, QChar separadorDecimal, Importe& resultado) {
    const auto numero = descomponer(texto, separadorDecimal);
    if (!numero) return false;
    const auto valor = diezmilesimosDe(*numero);
    if (!valor) return false;
    resultado = desdeDiezmilesimos(*valor);
    return true;
}

Importe Importe::desdeDouble(double v) {
    // Through the shortest text of the double, so that 0.1 stays 0.1 and a
    // half past the fourth decimal rounds the way it reads.
    Importe resultado;
    if (!std::isfinite(v) || !leer(QString::number(v, 'g', 15), u'.', resultado)) return {};
    return resultado;
}

QString Importe::texto(QChar separadorDecimal) const {
    const bool negativo = d_ < 0;
    // Unsigned, so that the smallest value has a magnitude too.
    const std::uint64_t magnitud = negativo ? 0 - static_cast<std::uint64_t>(d_) : static_cast<std::uint64_t>(d_);
    QString texto = QString::number(magnitud / 10000);
    QString decimales = QStringLiteral("%1").arg(magnitud % 10000, 4, 10, QChar(u'0'));
    while (decimales.endsWith(u'0')) decimales.chop(1);
    if (!decimales.isEmpty()) texto += separadorDecimal + decimales;
    return negativo ? u'-' + texto : texto;
}

}  // namespace ado
