#pragma once

#include "platform/RuntimeError.h"

#include <QString>
#include <optional>

namespace datos {

class DB_Dll;

// The error treatment of the program's routines outside the session object:
// shows the error (by default Abort/Retry/Ignore with the critical icon)
// through the main session's dialogs, appends a line to QZERR.LOG in the
// workstation's temporary folder and answers the button pressed (0 without a
// box when the error number is 0).
int TratamientoErroresGeneral(DB_Dll& principal, const plataforma::RuntimeError& CodErr,
                              std::optional<int> Botones = std::nullopt,
                              std::optional<QString> Rutina = std::nullopt);

// Records a failed statement as a row of AUX_ERR through the main session.
// Never raises; an empty `Proceso` receives the executable's name.
void RegistrarErrorAux(DB_Dll& principal, const QString& SentenciaSQL, QString& Proceso,
                       long Error, const QString& Descripcion);

}  // namespace datos
