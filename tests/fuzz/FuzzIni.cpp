// The suite's INI files.
#include "Entrada.h"
#include "session/utility_component/ArchivoIni.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t largo) {
    const fuzz::Eleccion e = fuzz::elegir(datos, largo);
    const QString ruta = fuzz::carpeta() + QStringLiteral("prueba.ini");
    fuzz::escribir(ruta, e.resto);
    // Ask for a section and key that the file names when it names any.
    const QString texto = QString::fromLatin1(e.resto);
    const qsizetype abre = texto.indexOf(QLatin1Char('['));
    const qsizetype cierra = texto.indexOf(QLatin1Char(']'), abre + 1);
    const QString seccion = abre >= 0 && cierra > abre ? texto.mid(abre + 1, cierra - abre - 1) : QStringLiteral("Empresa");
    const qsizetype igual = texto.indexOf(QLatin1Char('='), cierra + 1);
    const qsizetype linea = texto.lastIndexOf(QLatin1Char('\n'), igual);
    const QString clave = igual > 0 && e.opcion % 2 ? texto.mid(linea + 1, igual - linea - 1) : QStringLiteral("Servidor");
    const QString valor = utilidades::ArchivoIni().leer(ruta, seccion, clave, QStringLiteral("-"));
    fuzz::exigir(!valor.contains(QLatin1Char('\n')), "a value runs past its line", valor);
    return 0;
}
