// The synonyms that send ordinary users to the restricted tables.
#include "Entrada.h"
#include "data/Sinonimos.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t largo) {
    const fuzz::Eleccion e = fuzz::elegir(datos, largo);
    const QString sentencia = QString::fromUtf8(e.resto);
    const datos::Sinonimos::Contexto contexto{(e.opcion & 1) != 0, (e.opcion & 2) != 0,
                                              e.opcion & 4 ? QStringLiteral("CONCILIA") : QStringLiteral("otro")};
    const QString enviada = datos::Sinonimos::aplicar(sentencia, contexto);
    fuzz::exigir(!enviada.contains(QStringLiteral("@Admin_"), Qt::CaseInsensitive) ||
                     sentencia.count(QStringLiteral("@Admin_"), Qt::CaseInsensitive) > 1,
                 "a marker reaches the server", sentencia);
    fuzz::exigir(fuzz::comillas(enviada) == fuzz::comillas(sentencia), "the synonyms changed a quote", sentencia);
    const QString limpia = datos::Sinonimos::sinMarcas(sentencia);
    fuzz::exigir(limpia.size() <= sentencia.size(), "removing markers made the text longer", sentencia);
    return 0;
}
