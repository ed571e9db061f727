// The utility component's amounts, numbers and codes, read under the
// workstations' regional settings.
#include "DialogosGuion.h"
#include "Entrada.h"
#include "platform/RuntimeError.h"
#include "session/utility_component/Utilidades.h"
#include <QLocale>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Argentina));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t largo) {
    const fuzz::Eleccion e = fuzz::elegir(datos, largo);
    const QString texto = QString::fromUtf8(e.resto);
    prueba::DialogosGuion dialogos;
    const utilidades::Utilidades u(dialogos);
    try {
        (void)u.importe(texto).texto(QLatin1Char(','));
    } catch (const plataforma::RuntimeError& error) {
        fuzz::exigir(error.Number() == 6, "an amount fails with other than overflow", texto);
    }
    try {
        (void)u.numero(texto);
    } catch (const plataforma::RuntimeError& error) {
        fuzz::exigir(error.Number() == 6, "a number fails with other than overflow", texto);
    }
    // A code is padded, never cut.
    const int ancho = e.opcion % 40;
    const QString codigo = u.codigo(texto, ancho);
    fuzz::exigir(codigo.endsWith(texto.trimmed()), "a code lost characters", texto);
    fuzz::exigir(codigo.size() >= ancho, "a code is narrower than its width", texto);
    fuzz::exigir(u.ajustar(texto, ancho).size() <= ancho, "a fitted text is wider than its column", texto);
    return 0;
}
