#include "session/ArchivoConsultas.h"

#include "session/Global.h"

namespace sesion {

// No definitions file is written yet: lookups build their statements from
// the table itself.
void CrearArchivoConsultas(Global&) {}

}  // namespace sesion
