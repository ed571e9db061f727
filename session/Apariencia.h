#pragma once

#include <QString>

class QStatusBar;
class QWidget;

namespace sesion {

class Global;

// The workstation user's skin (see EleccionEstilo), applied to the main
// window as its style sheet. A missing or unreadable skin file leaves the
// window's own look.
void AplicarEstilo(Global& global, QWidget& ventana);

// The session banner in the main window's status bar; `mensaje` goes to the
// message panel. The banner is written once: a later call only changes the
// message. On the way the cash register gets its row when it has none.
void MostrarDatosSesion(Global& global, QStatusBar& barra, const QString& mensaje);

// "V." + major + "." + minor + "." + revision of a version text, each number
// without leading zeros.
QString textoVersion(const QString& version);

}  // namespace sesion
