#pragma once

#include <QString>

namespace plataforma {

// Facts about the running program and its workstation, read from the process
// and its environment (nothing here is stored). Which folder holds what is
// decided by CarpetasPrograma; these are its answers for this process.

// The program's folder, ending in "/": where the program keeps the files it
// writes and reads back (BASES.TXT, QZERR.LOG, the lookup files, cn000pr.ini,
// the demo databases). The executable's folder, or the one QUINTARO_CARPETA
// names; on an installed copy the user's data folder, created when missing.
QString carpetaAplicacion();

// The folder of the files shipped with the program and only read (Styles/,
// demo-sql/, htmlhelp/), ending in "/". The same as carpetaAplicacion()
// except on an installed copy.
QString carpetaArchivosInstalados();

// The folder of the executable and of the programs it starts, ending in "/"
// (the one QUINTARO_CARPETA names, when set).
QString carpetaEjecutable();

// The running executable's full path, also before (or without) a
// QCoreApplication.
QString rutaEjecutable();

// The executable's file name without extension ("quintaro").
QString nombreEjecutable();

// The system's temporary folder, ending in "/".
QString carpetaTemporal();

// `carpeta` with "/" separators and one "/" at its end.
QString comoCarpeta(QString carpeta);

}  // namespace plataforma
