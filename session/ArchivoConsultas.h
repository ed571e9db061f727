#pragma once

namespace sesion {

class Global;

// Writes the built-in lookup definitions into the file named by
// global.gConsultas.gRutaMascaraConsultas.
void CrearArchivoConsultas(Global& global);

}  // namespace sesion
