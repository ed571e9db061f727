#pragma once

#include <QString>
#include <cstdint>

namespace sesion {

class Global;

// Starts another program of the suite and hands it the open session on its
// command line, in the format start-up reads:
//
//   " ; @server=S; @dbname=D; @usuario=U; @Password=P; @ParametroAdicional=X;
//    kemo@ ; @UsuarioLogeado = L; @Caja=C;"   (one line)
//
// `designacion` names the program: a text holding a path separator ("\" or
// "/") is a full path after its first 6 characters ("SHELL:/opt/x/prog"); a
// text holding "SHELL" is a program of this program's folder after its first
// 6 characters ("SHELL:PROG"); any other text is a program of this program's
// folder. When `parametro` holds a blank only the text after its first blank
// is sent, and the caller's variable keeps that. The started program's
// process number goes to `proceso`; it runs on its own, nobody waits for it.
// A start that fails goes to the session's error treatment ("MenuExes").
void MenuExes(Global& global, const QString& designacion, QString& parametro,
              std::int32_t& proceso);

// MenuExes's pieces: the text after the program path, and the program path.
QString colaDeParametros(const Global& global, const QString& parametro);
QString rutaDelPrograma(const QString& designacion, const QString& carpetaPrograma);

}  // namespace sesion
