#pragma once

#include "data/DialogoAcceso.h"

#include <QString>

namespace plataforma { class Dialogos; }

namespace sesion {

// What the session object gets when it has to ask for the connection and the
// program has no connection dialog: a message that says how to start the
// program, and a refusal, so that no session is opened.
class AccesoSinDialogo : public datos::DialogoAcceso {
public:
    explicit AccesoSinDialogo(plataforma::Dialogos& dialogos) : dialogos_(dialogos) {}

    bool pedirConexion(QString& servidor, QString& baseDatos, QString& usuario,
                       QString& contrasena, int& plataforma) override;

    static QString mensaje();
    static QString titulo();

private:
    plataforma::Dialogos& dialogos_;
};

}  // namespace sesion
