#pragma once

#include <QString>

namespace sesion {

class Global;

// Records this use of the program in the usage log. An empty `formulario`
// stands for the program itself.
void RegistrarAcceso(Global& global, const QString& formulario);

}  // namespace sesion
