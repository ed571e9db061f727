#pragma once

#include <QString>

namespace utilidades {

// Facts about the workstation.
class DatosEquipo {
public:
    QString nombreMaquina() const;      // the host name
    QString usuarioEstacion() const;    // the login name
    QString carpetaLogErrores() const;  // the system's temporary folder, ending in "/"
};

}  // namespace utilidades
