#pragma once

// What every fuzz target shares: the input as text, a scratch folder for the
// file readers, and the check that stops the run when something that must
// always hold does not.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace fuzz {

inline QByteArray bytes(const std::uint8_t* datos, std::size_t largo) {
    return QByteArray(reinterpret_cast<const char*>(datos), static_cast<qsizetype>(largo));
}

inline QString texto(const std::uint8_t* datos, std::size_t largo) {
    return QString::fromUtf8(bytes(datos, largo));
}

// The first byte chooses among the target's variants; the rest is the input.
struct Eleccion {
    std::uint8_t opcion = 0;
    QByteArray resto;
};

inline Eleccion elegir(const std::uint8_t* datos, std::size_t largo) {
    if (largo == 0) return {};
    return {datos[0], bytes(datos + 1, largo - 1)};
}

// A folder that lives as long as the fuzzer's process.
inline const QString& carpeta() {
    static const QTemporaryDir dir;
    static const QString ruta = dir.path() + QLatin1Char('/');
    return ruta;
}

inline void escribir(const QString& ruta, const QByteArray& contenido) {
    QFile archivo(ruta);
    if (!archivo.open(QIODevice::WriteOnly | QIODevice::Truncate)) std::abort();
    archivo.write(contenido);
}

inline qsizetype comillas(const QString& s) { return s.count(QLatin1Char('\'')); }

[[noreturn]] inline void falla(const char* que, const QString& detalle) {
    // The whole detail, NUL bytes included.
    const QByteArray texto = detalle.toUtf8();
    std::fprintf(stderr, "invariant broken: %s\n", que);
    std::fwrite(texto.constData(), 1, static_cast<std::size_t>(texto.size()), stderr);
    std::fputc('\n', stderr);
    std::abort();
}

inline void exigir(bool cierto, const char* que, const QString& detalle = {}) {
    if (!cierto) falla(que, detalle);
}

}  // namespace fuzz
