#pragma once

#include <QString>

class QStatusBar;
class QWidget;

namespace sesion {

class Global;

// The workstation user's visual style, applied to the main window.
void AplicarEstilo(Global& global, QWidget& ventana);

// The session banner in the main window's status bar; `mensaje` goes to the
// message panel.
void MostrarDatosSesion(Global& global, QStatusBar& barra, const QString& mensaje);

}  // namespace sesion
