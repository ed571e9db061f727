// The suite's command line and the bare server name.
#include "Entrada.h"
#include "session/LineaComandos.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t largo) {
    const QString linea = fuzz::texto(datos, largo);
    sesion::LineaComandos::Parametros p = sesion::LineaComandos::leer(linea);
    const bool oracle = sesion::LineaComandos::extraer(linea).servidor.startsWith(QLatin1Char('#'));
    fuzz::exigir(oracle != p.cadenaConexion.isEmpty(), "an Oracle server without its connection text", linea);
    fuzz::exigir(p.caja == QStringLiteral("1") || linea.contains(QStringLiteral("@Caja"), Qt::CaseInsensitive),
                 "a cash register without its key", linea);
    // The bare name is cut from the server's text, never made up.
    const QString nombre = sesion::LineaComandos::NombreServidor(linea);
    fuzz::exigir(linea.contains(nombre), "the server name is not part of the text", linea);
    const QString delServidor = sesion::LineaComandos::NombreServidor(p.servidor);
    fuzz::exigir(p.servidor.contains(delServidor), "the server name is not part of the server", p.servidor);
    return 0;
}
