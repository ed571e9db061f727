// The statement splitter, in both its modes.
#include "Entrada.h"
#include "platform/ado/SeparadorSentencias.h"

using ado::SeparadorSentencias;

// Each statement is cut from its own place in the text, in order, and the
// places do not overlap.
static void comprobar(const QString& texto, const std::vector<SeparadorSentencias::Tramo>& tramos) {
    qsizetype desde = 0;
    for (const SeparadorSentencias::Tramo& t : tramos) {
        fuzz::exigir(t.inicio >= desde && t.inicio <= t.fin && t.fin <= texto.size(),
                     "a statement out of its place", texto);
        fuzz::exigir(texto.mid(t.inicio, t.fin - t.inicio).contains(t.sentencia),
                     "a statement is not the text of its place", texto);
        desde = t.fin;
    }
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t largo) {
    const fuzz::Eleccion e = fuzz::elegir(datos, largo);
    const QString texto = QString::fromUtf8(e.resto);
    const bool literal = e.opcion % 2;
    const QString entrada = literal && e.opcion & 2 ? SeparadorSentencias::limpiar(texto) : texto;
    const SeparadorSentencias separador(literal ? SeparadorSentencias::Modo::Literal : SeparadorSentencias::Modo::Embebido);
    comprobar(entrada, separador.separar(entrada));
    (void)separador.siguiente(entrada);
    return 0;
}
