#include "session/Configuracion.h"

#include "session/Global.h"

namespace sesion {

// The statistics session is not opened yet: the command time-out stays at
// its default.
void ConectarEstadisticas(Global&) {}

// The company settings are not loaded yet: every setting keeps its default.
void CargarConfiguracion(Global&, const QString&) {}

}  // namespace sesion
