#include "session/RegistroAcceso.h"

#include "session/Global.h"

namespace sesion {

// The usage log is not written yet.
void RegistrarAcceso(Global&, const QString&) {}

}  // namespace sesion
