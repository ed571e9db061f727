#pragma once

#include <QString>

namespace sesion {

class Global;

// The company and statistics settings.

// Opens the statistics session and leaves the command time-out in
// global.gTimeOut (360 when nothing is configured).
void ConectarEstadisticas(Global& global);

// Loads the company settings into the session; `carpeta` is the program's
// folder, ending in "/".
void CargarConfiguracion(Global& global, const QString& carpeta);

}  // namespace sesion
