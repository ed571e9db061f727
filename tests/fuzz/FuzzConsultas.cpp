// The lookup definitions file, consultas.qzt: fixed-length records whose
// fields come back cleaned of their padding.
// Whatever the bytes, a definition found is a sound record of the table asked
// for, and its cleaned fields hold no NUL byte.
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
    if (const std::optional<consultas::RegistroConsulta> r = archivo.buscarTabla(tabla).registro) {
        fuzz::exigir(consultas::ArchivoConsultas::limpiar(r->Tabla).compare(tabla.trimmed(), Qt::CaseInsensitive) == 0,
                     "a record of another table", tabla);
        fuzz::exigir(!consultas::RegistroConsulta::danado(r->bytes()), "a damaged record", tabla);
        for (const QString& campo : {r->Tabla, r->Campos, r->Condicion})
            fuzz::exigir(!consultas::ArchivoConsultas::limpiar(campo).contains(QChar(0)), "a NUL byte in a field", tabla);
    }
    return 0;
}
