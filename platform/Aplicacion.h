#pragma once

#include <QString>

namespace plataforma {

// Facts about the running program and its workstation, read from the process
// and its environment (nothing here is stored).

// The program's folder, ending in "/": the executable's folder, unless the
// environment variable QUINTARO_CARPETA names another (tests and installed
// copies use it).
QString carpetaAplicacion();

// The executable's file name without extension ("quintaro").
QString nombreEjecutable();

// The system's temporary folder, ending in "/".
QString carpetaTemporal();

}  // namespace plataforma
