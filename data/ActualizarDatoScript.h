#pragma once

#include <QString>
#include <QStringList>

namespace ado { class Errors; }

namespace datos {

class DB_Dll;

// Runs a list of statements on the main session as one transaction: the list
// goes out as one batch opened by "BEGIN TRANSACTION"; the connection's error
// list decides between "COMMIT TRANSACTION" and "ROLLBACK TRANSACTION". A
// failure is recorded as a row of AUX_ERR and, unless it is one of the quiet
// cases the caller asked for or `MostrarMensaje` is false, shown to the
// operator.
//
// Blank entries of `Sentencias` are skipped; when every entry is blank
// nothing is sent and the out-parameters other than `HuboError` keep what the
// caller gave. `ControlaDuplicados` (native 2627) and `ControlaRelaciones`
// (native 547) hand such a first error back quietly: `MensajeError` is then
// its description alone and nothing is shown.
void GActualizarDatoScript(DB_Dll& sesion, const QStringList& Sentencias, bool& HuboError,
                           long& NumeroError, bool ControlaDuplicados, bool ControlaRelaciones,
                           QString& SentenciaEjecutada, QString& MensajeError, bool MostrarMensaje);

// The operator's message for a failed batch: "number : description" and CR LF
// for the first error alone, or for every error but the last when there are
// more (the last one is the server's notice that the batch was ended).
QString mensajeErroresScript(const ado::Errors& errores);

}  // namespace datos
