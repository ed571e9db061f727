// The date and time recognition: the workstation's date texts and the
// quoted literals the Oracle rewriting takes for dates.
#include "Entrada.h"
#include "data/ReconocedorFechas.h"
#include "platform/ado/FormatoRegional.h"
#include <QLocale>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Argentina));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t largo) {
    const QString texto = fuzz::texto(datos, largo);
    const QDate hoy(2026, 12, 10);
    const std::optional<QDate> fecha = datos::ReconocedorFechas::fecha(texto, hoy);
    fuzz::exigir(!fecha || fecha->isValid(), "a recognised date does not exist", texto);
    const std::optional<QTime> hora = datos::ReconocedorFechas::hora(texto, hoy);
    fuzz::exigir(!hora || hora->isValid(), "a recognised time does not exist", texto);
    fuzz::exigir(!hora || fecha, "a time without its date", texto);
    (void)ado::FormatoRegional::leerFechaHora(texto);
    return 0;
}
