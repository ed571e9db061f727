#include "platform/ado/LectorFechas.h"

#include "platform/ado/FormatoRegional.h"

#include <QDateTime>

namespace ado {

namespace {

// Reads `minimo` to `maximo` ASCII digits at `c`, leaving `c` after them;
// -1 when there are fewer or more. (Straight over the characters: this runs
// for every cell of a large grid.)
int leerDigitos(const char16_t*& c, const char16_t* fin, int minimo, int maximo) {
    int valor = 0;
    int leidos = 0;
    for (; c != fin && *c >= u'0' && *c <= u'9'; ++c) {
        if (++leidos > maximo) return -1;
        valor = valor * 10 + (*c - u'0');
    }
    return leidos < minimo ? -1 : valor;
}

// A text the engine's ISO reading could take ("2024-03-05", "2024/03/05"):
// four characters, a punctuation mark, two, another one. Such texts are left
// to leerFechaHora, which tries the ISO form before the workstation's.
bool podriaSerIso(QStringView fecha) {
    return fecha.size() >= 10 && fecha[4].isPunct() && fecha[7].isPunct();
}

}  // namespace

LectorFechas::LectorFechas() {
    // The widened format: "dd", "MM" and "yyyy" once each, one character
    // between them ("dd/MM/yyyy", "MM/dd/yyyy", "dd.MM.yyyy").
    const QString formato = FormatoRegional::formatoFecha();
    qsizetype i = 0;
    std::array<bool, 3> vistos{};
    for (int n = 0; n < 3; ++n) {
        const QStringView resto = QStringView(formato).mid(i);
        Campo campo;
        qsizetype largo;
        if (resto.startsWith(u"dd") && !resto.startsWith(u"ddd")) {
            campo = Campo::Dia, largo = 2;
        } else if (resto.startsWith(u"MM") && !resto.startsWith(u"MMM")) {
            campo = Campo::Mes, largo = 2;
        } else if (resto.startsWith(u"yyyy") && !resto.startsWith(u"yyyyy")) {
            campo = Campo::Anio, largo = 4;
        } else {
            return;
        }
        if (vistos[int(campo)]) return;
        vistos[int(campo)] = true;
        campos_[n] = campo;
        i += largo;
        if (n == 2) break;
        if (i >= formato.size()) return;
        const QChar separador = formato[i];
        if (separador.isLetterOrNumber() || separador == u'\'' || separador.isSpace()) return;
        separadores_[n] = separador.unicode();
        ++i;
    }
    directo_ = i == formato.size();
}

std::optional<LectorFechas::FechaHora> LectorFechas::leer(const QString& texto) const {
    if (directo_)
        if (std::optional<FechaHora> leida = leerDirecto(QStringView(texto).trimmed())) return leida;
    const QDateTime general = FormatoRegional::leerFechaHora(texto);
    if (!general.isValid()) return std::nullopt;
    return FechaHora{general.date(), general.time()};
}

// The date, then where leerFechaHora cuts the text (a blank or a "T") the
// time; unset whenever either part is not of a shape read here.
std::optional<LectorFechas::FechaHora> LectorFechas::leerDirecto(QStringView texto) const {
    const char16_t* c = texto.utf16();
    const char16_t* fin = c + texto.size();
    const std::optional<QDate> dia = leerFechaDirecta(c, fin);
    if (!dia) return std::nullopt;
    if (c != fin && *c != u' ' && *c != u'T') return std::nullopt;
    const QStringView hora = c == fin ? QStringView() : QStringView(c + 1, fin).trimmed();
    if (hora.isEmpty()) return FechaHora{*dia, QTime(0, 0)};
    const std::optional<QTime> momento = leerHoraDirecta(hora);
    if (!momento) return std::nullopt;
    return FechaHora{*dia, *momento};
}

// Day and month with one or two digits, the year with four, in the
// workstation's order and with its separators; an existing date.
std::optional<QDate> LectorFechas::leerFechaDirecta(const char16_t*& c, const char16_t* fin) const {
    const char16_t* inicio = c;
    std::array<int, 3> valores{};
    for (int n = 0; n < 3; ++n) {
        const bool anio = campos_[n] == Campo::Anio;
        valores[int(campos_[n])] = leerDigitos(c, fin, anio ? 4 : 1, anio ? 4 : 2);
        if (valores[int(campos_[n])] < 0) return std::nullopt;
        if (n == 2) break;
        if (c == fin || *c != separadores_[n]) return std::nullopt;
        ++c;
    }
    if (podriaSerIso(QStringView(inicio, c))) return std::nullopt;
    const QDate fecha(valores[int(Campo::Anio)], valores[int(Campo::Mes)], valores[int(Campo::Dia)]);
    if (!fecha.isValid()) return std::nullopt;
    return fecha;
}

// hh:mm:ss, two digits each, a time that exists.
std::optional<QTime> LectorFechas::leerHoraDirecta(QStringView texto) {
    const char16_t* c = texto.utf16();
    const char16_t* fin = c + texto.size();
    std::array<int, 3> valores{};
    for (int n = 0; n < 3; ++n) {
        valores[n] = leerDigitos(c, fin, 2, 2);
        if (valores[n] < 0) return std::nullopt;
        if (n < 2 && (c == fin || *c++ != u':')) return std::nullopt;
    }
    if (c != fin) return std::nullopt;
    const QTime hora(valores[0], valores[1], valores[2]);
    if (!hora.isValid()) return std::nullopt;
    return hora;
}

}  // namespace ado
