#pragma once

#include "data/DialogoAcceso.h"

#include <QString>
#include <functional>

namespace datos { class DB_Dll; }

namespace sesion {

class frmAcceso;

// How the session asks for the connection on screen: a fresh "Control de
// Acceso" dialog for each request, preset with the session's values and the
// platform "SQL Server", shown modally; what the user accepted comes back.
class AccesoConDialogo : public datos::DialogoAcceso {
public:
    // `sesion` is the main database session (the dialog's registrations use
    // its connection).
    explicit AccesoConDialogo(datos::DB_Dll& sesion);

    bool pedirConexion(QString& servidor, QString& baseDatos, QString& usuario,
                       QString& contrasena, int& plataforma) override;

    // Shows the prepared dialog and returns when it is hidden; by default a
    // modal run. Tests put their own in to play the user.
    std::function<void(frmAcceso&)> mostrar;

private:
    datos::DB_Dll& sesion_;
};

}  // namespace sesion
