#pragma once

#include <QString>

namespace datos {

// The connection dialog as the session object sees it: it shows the four
// connection texts and the platform list (0 = SQL Server, higher = Oracle),
// lets the user change them and answers whether the user accepted. On
// acceptance the arguments hold what the user left in the dialog; on cancel
// they are left as they came.
class DialogoAcceso {
public:
    virtual ~DialogoAcceso() = default;

    virtual bool pedirConexion(QString& servidor, QString& baseDatos, QString& usuario,
                               QString& contrasena, int& plataforma) = 0;
};

}  // namespace datos
