#include "session/Apariencia.h"

#include "session/Global.h"

namespace sesion {

// The window keeps the platform's own style for now.
void AplicarEstilo(Global&, QWidget&) {}

// The status bar keeps its design-time texts for now.
void MostrarDatosSesion(Global&, QStatusBar&, const QString&) {}

}  // namespace sesion
