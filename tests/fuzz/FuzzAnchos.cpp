// The lookup window's remembered column widths, CONSULTASLEN.QZT.
#include "Entrada.h"
#include "lookup/ArchivoAnchos.h"
#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t largo) {
    const QByteArray contenido = fuzz::bytes(datos, largo);
    const consultas::ArchivoAnchos archivo(fuzz::carpeta());
    fuzz::escribir(archivo.ruta(), contenido);
    // The table of the first line, as a user's lookup would name it.
    QString tabla, anchos;
    const QString primera = QString::fromLatin1(contenido.left(contenido.indexOf('\n')));
    if (consultas::ArchivoAnchos::separarLinea(primera, tabla, anchos)) {
        for (double ancho : consultas::ArchivoAnchos::leerAnchos(anchos))
            fuzz::exigir(!std::isnan(ancho), "a width that is not a number", anchos);
    }
    for (const QVector<double>& lista : archivo.leer(tabla.isEmpty() ? QStringLiteral("CUENTAS") : tabla))
        for (double ancho : lista) fuzz::exigir(!std::isnan(ancho), "a width that is not a number", primera);
    return 0;
}
