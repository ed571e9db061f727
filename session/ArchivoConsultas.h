#pragma once

namespace sesion {

class Global;

// Appends the built-in lookup definitions to the file named by
// global.gConsultas.gRutaMascaraConsultas.
void CrearArchivoConsultas(Global& global);

}  // namespace sesion
