#pragma once

#include "platform/ado/Variant.h"

#include <QString>

namespace sesion {

class Global;

// The settings store: key/value rows of the settings table, in the company
// database (main session) and in the statistics database (gEstadisticas).
// The readers never raise: a missing key reads as a single blank with an
// empty auxiliary value.

// A company setting; "" while the main session is not open. `aux` receives
// the row's auxiliary value.
QString Cfg(Global& global, const QString& clave, QString& aux);
QString Cfg(Global& global, const QString& clave);

// An installation-wide setting of the statistics database.
QString CfgQZ(Global& global, const QString& clave, QString& aux);
QString CfgQZ(Global& global, const QString& clave);

// Inserts or updates one row of the statistics database's settings. The key
// is stored upper-cased and trimmed; an empty `aux` leaves the stored one.
// Failures are passed over.
void GrabaCfgQZ(Global& global, const QString& clave, const ado::Variant& valor,
                const QString& aux, bool politicaNegocio, const QString& grupo, bool recortar);

// Opens the statistics session and leaves the command time-out in
// global.gTimeOut (360 when nothing is configured).
void ConectarEstadisticas(Global& global);

// Loads the company settings into global.gConfiguracion (and the
// confidentiality flag into the main session); `carpeta` is the program's
// folder, ending in "/".
void CargarConfiguracion(Global& global, const QString& carpeta);

}  // namespace sesion
