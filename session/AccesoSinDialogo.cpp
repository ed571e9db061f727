#include "session/AccesoSinDialogo.h"

#include "platform/ui/Dialogos.h"

namespace sesion {

QString AccesoSinDialogo::mensaje() {
    return QStringLiteral(
        "Faltan el servidor o el usuario en la línea de comandos. Inicie el programa desde el "
        "menú del sistema o con --demo.");
}

QString AccesoSinDialogo::titulo() {
    return QStringLiteral("Apertura Momentanea de Conciliaciones");
}

bool AccesoSinDialogo::pedirConexion(QString&, QString&, QString&, QString&, int&) {
    dialogos_.mensaje(mensaje(), plataforma::estilo::SoloAceptar | plataforma::estilo::Exclamacion,
                      titulo());
    return false;
}

}  // namespace sesion
