#include "session/ArchivoConsultas.h"

#include "lookup/ArchivoConsultas.h"
#include "session/Global.h"

namespace sesion {

void CrearArchivoConsultas(Global& global) {
    consultas::ArchivoConsultas(global.gConsultas.gRutaMascaraConsultas).agregarIncorporadas();
}

}  // namespace sesion
