#pragma once

namespace sesion {

class Global;

// The start-up sequence, run once from the main window's load: reads the
// session parameters from the command line, opens the main session (ending
// the program when none could be opened) and prepares the shared services.
// `cursor` is the cursor location handed to the connection (3, client side).
//
// A failing step with error 5 is passed over; any other error ends the
// sequence without a message.
void InicioSistema(Global& global, long cursor);

}  // namespace sesion
