// The lookup definitions file, consultas.qzt: fixed-length records whose
// fields come back cleaned of their padding.
//
// A damaged file can still hand on NUL bytes inside a field; that is being
// mended apart, so this target does not check for them yet.
#include "Entrada.h"
#include "lookup/ArchivoConsultas.h"
#include "lookup/RegistroConsulta.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t largo) {
    const fuzz::Eleccion e = fuzz::elegir(datos, largo);
    const consultas::ArchivoConsultas archivo(fuzz::carpeta() + QStringLiteral("consultas.qzt"));
    fuzz::escribir(archivo.ruta(), e.resto);
    // Look for the table of the first record, or one of the suite's own.
    const QString primera = consultas::ArchivoConsultas::limpiar(
        QString::fromLatin1(e.resto.mid(consultas::RegistroConsulta::AnchoNombre, consultas::RegistroConsulta::AnchoTabla)));
    const QList<consultas::RegistroConsulta> propias = consultas::ArchivoConsultas::definicionesIncorporadas();
    const QString tabla = e.opcion % 2 || propias.isEmpty() ? primera : propias[e.opcion % propias.size()].Tabla;
    if (const std::optional<consultas::RegistroConsulta> r = archivo.buscarTabla(tabla)) {
        fuzz::exigir(consultas::ArchivoConsultas::limpiar(r->Tabla).compare(tabla.trimmed(), Qt::CaseInsensitive) == 0,
                     "a record of another table", tabla);
    }
    return 0;
}
