#include "session/utility_component/Utilidades.h"

#include "platform/RuntimeError.h"
#include "platform/ui/Dialogos.h"

#include <QByteArray>
#include <QLocale>
#include <QRegularExpression>
#include <QStringList>
#include <limits>

namespace utilidades {

namespace {

constexpr std::int64_t DiezmilesimosPorUnidad = 10000;
constexpr int DecimalesImporte = 4;

[[noreturn]] void desbordamiento(const QString& texto) {
    throw plataforma::RuntimeError(6, QStringLiteral("Desbordamiento: ") + texto,
                                   QStringLiteral("Utilidades"));
}

bool esDigito(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

int saltarBlancos(const QString& texto, int i) {
    while (i < texto.size() && texto.at(i) == QLatin1Char(' ')) ++i;
    return i;
}

// A group separator counts only between whole groups of three digits
// ("1.234.567"), so a lone separator or a short group ends the number there.
bool separadorDeMilesValido(const QString& texto, int i, const QString& miles) {
    if (miles.isEmpty() || !texto.mid(i).startsWith(miles)) return false;
    const int inicioGrupo = i + int(miles.size());
    for (int k = 0; k < 3; ++k)
        if (inicioGrupo + k >= texto.size() || !esDigito(texto.at(inicioGrupo + k))) return false;
    return inicioGrupo + 3 >= texto.size() || !esDigito(texto.at(inicioGrupo + 3));
}

// Adds one digit to a count of units, raising the overflow error beyond the
// 64-bit range.
std::int64_t agregarDigito(std::int64_t acumulado, int digito, std::int64_t escala,
                           const QString& texto) {
    const std::int64_t maximo = std::numeric_limits<std::int64_t>::max();
    if (acumulado > (maximo - digito * escala) / 10) desbordamiento(texto);
    return acumulado * 10 + digito * escala;
}

}  // namespace

QString Utilidades::ajustar(const QString& texto, int ancho) const {
    return texto.left(qMax(0, ancho));
}

ado::Importe Utilidades::importe(const QString& texto) const {
    const QLocale regional;
    const QString separador = regional.decimalPoint();
    // Texts written with a decimal point are common (figures pasted from
    // elsewhere, the database's own text), so "." is read as the decimal
    // separator when the workstation's one does not occur.
    const QString decimal = texto.contains(separador) ? separador : QStringLiteral(".");
    const QString miles = regional.groupSeparator() == decimal ? QString() : regional.groupSeparator();

    int i = saltarBlancos(texto, 0);
    bool negativo = false;
    if (i < texto.size() && (texto.at(i) == QLatin1Char('-') || texto.at(i) == QLatin1Char('+'))) {
        negativo = texto.at(i) == QLatin1Char('-');
        i = saltarBlancos(texto, i + 1);
    }

    std::int64_t diezmilesimos = 0;
    bool hayDigitos = false;
    while (i < texto.size()) {
        if (esDigito(texto.at(i))) {
            diezmilesimos = agregarDigito(diezmilesimos, texto.at(i).digitValue(),
                                          DiezmilesimosPorUnidad, texto);
            hayDigitos = true;
            ++i;
        } else if (hayDigitos && separadorDeMilesValido(texto, i, miles)) {
            i += int(miles.size());
        } else {
            break;
        }
    }

    if (texto.mid(i).startsWith(decimal)) {
        i += int(decimal.size());
        std::int64_t escala = DiezmilesimosPorUnidad;
        int leidos = 0;
        bool redondearArriba = false;
        while (i < texto.size() && esDigito(texto.at(i))) {
            const int digito = texto.at(i).digitValue();
            if (leidos < DecimalesImporte) {
                escala /= 10;
                diezmilesimos += digito * escala;
                if (diezmilesimos < 0) desbordamiento(texto);
            } else if (leidos == DecimalesImporte) {
                redondearArriba = digito >= 5;  // half away from zero
            }
            hayDigitos = true;
            ++leidos;
            ++i;
        }
        if (redondearArriba) {
            if (diezmilesimos == std::numeric_limits<std::int64_t>::max()) desbordamiento(texto);
            ++diezmilesimos;
        }
    }

    if (!hayDigitos) return {};
    return ado::Importe::desdeDiezmilesimos(negativo ? -diezmilesimos : diezmilesimos);
}

long Utilidades::numero(const QString& texto) const {
    int i = saltarBlancos(texto, 0);
    bool negativo = false;
    if (i < texto.size() && (texto.at(i) == QLatin1Char('-') || texto.at(i) == QLatin1Char('+'))) {
        negativo = texto.at(i) == QLatin1Char('-');
        i = saltarBlancos(texto, i + 1);
    }
    std::int64_t valor = 0;
    for (; i < texto.size() && esDigito(texto.at(i)); ++i) {
        valor = agregarDigito(valor, texto.at(i).digitValue(), 1, texto);
        if (valor > std::numeric_limits<long>::max()) desbordamiento(texto);
    }
    return static_cast<long>(negativo ? -valor : valor);
}

QString Utilidades::valor(const ado::Variant& v) const {
    return v.esNulo() ? QString() : v.texto();
}

int Utilidades::contarPalabras(const QString& texto) const {
    static const QRegularExpression blancos(QStringLiteral("\\s+"));
    return int(texto.split(blancos, Qt::SkipEmptyParts).size());
}

QString Utilidades::quitar(const QString& texto, const QString& caracteres) {
    QString resultado = texto;
    for (QChar c : caracteres) resultado.remove(c);
    return resultado;
}

QString Utilidades::reemplazar(const QString& texto, const QString& buscar, const QString& por) const {
    if (buscar.isEmpty()) return texto;
    QString resultado = texto;
    return resultado.replace(buscar, por);
}

QString Utilidades::reemplazarPrimero(const QString& texto, const QString& buscar,
                                      const QString& por) const {
    const qsizetype donde = buscar.isEmpty() ? -1 : texto.indexOf(buscar);
    if (donde < 0) return texto;
    QString resultado = texto;
    return resultado.replace(donde, buscar.size(), por);
}

QString Utilidades::elegirFecha() const {
    return dialogos_.elegirFecha();
}

QString Utilidades::codigo(const QString& texto, int ancho) const {
    return texto.trimmed().rightJustified(ancho, QLatin1Char(' '));
}

int Utilidades::dialogoError(const plataforma::RuntimeError& error) const {
    const QString texto = QStringLiteral("Error %1: %2").arg(error.Number()).arg(error.Description().trimmed());
    const QString titulo = error.Source().isEmpty() ? QStringLiteral("Error") : error.Source();
    const int respuesta = dialogos_.mensaje(
        texto, plataforma::estilo::AbortarReintentarIgnorar | plataforma::estilo::Critico, titulo);
    switch (respuesta) {
    case plataforma::respuesta::Reintentar:
    case plataforma::respuesta::Ignorar: return respuesta;
    default: return plataforma::respuesta::Abortar;  // a closed box gives up
    }
}

namespace {

// The cipher: the text's UTF-8 bytes mixed with a position-dependent key and
// written as upper-case hexadecimal, so the result holds only 0-9 and A-F and
// can stand in a comma-separated file.
constexpr char ClaveCifrado[] = "Zantar2-Quintaro";

char mezclar(char byte, qsizetype posicion) {
    const auto largo = qsizetype(sizeof(ClaveCifrado) - 1);
    return char(byte ^ ClaveCifrado[posicion % largo] ^ char(posicion * 7));
}

}  // namespace

QString Utilidades::cifrar(const QString& texto) const {
    QByteArray bytes = texto.toUtf8();
    for (qsizetype i = 0; i < bytes.size(); ++i) bytes[i] = mezclar(bytes[i], i);
    return QString::fromLatin1(bytes.toHex().toUpper());
}

QString Utilidades::descifrar(const QString& texto) const {
    static const QRegularExpression hexadecimal(QStringLiteral("\\A(?:[0-9A-Fa-f]{2})*\\z"));
    if (!hexadecimal.match(texto).hasMatch())
        throw plataforma::RuntimeError(plataforma::numero::ArgumentoInvalido,
                                       QStringLiteral("El texto no está cifrado."),
                                       QStringLiteral("Utilidades"));
    QByteArray bytes = QByteArray::fromHex(texto.toLatin1());
    for (qsizetype i = 0; i < bytes.size(); ++i) bytes[i] = mezclar(bytes[i], i);
    return QString::fromUtf8(bytes);
}

QString Utilidades::carpeta(const QString& carpeta) const {
    // An empty folder stays empty (the current folder): a lone "/" would send
    // files to the root.
    if (carpeta.isEmpty() || carpeta.endsWith(QLatin1Char('/'))) return carpeta;
    return carpeta + QLatin1Char('/');
}

}  // namespace utilidades
