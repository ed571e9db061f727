#include "session/AccesoConDialogo.h"

#include "session/frmAcceso.h"

#include <QComboBox>
#include <QLineEdit>

namespace sesion {

AccesoConDialogo::AccesoConDialogo(datos::DB_Dll& sesion)
    : mostrar([](frmAcceso& dialogo) { dialogo.exec(); }), sesion_(sesion) {}

bool AccesoConDialogo::pedirConexion(QString& servidor, QString& baseDatos, QString& usuario,
                                     QString& contrasena, int& plataforma) {
    frmAcceso dialogo(sesion_);
    dialogo.TxtDbName()->setText(baseDatos);
    dialogo.TxtServidor()->setText(servidor);
    dialogo.TxtUserId()->setText(usuario);
    dialogo.TxtUserPassword()->setText(contrasena);
    dialogo.CboPlataformaDB()->setCurrentIndex(0);
    mostrar(dialogo);
    if (!dialogo.Aceptar) return false;
    baseDatos = dialogo.TxtDbName()->text();
    servidor = dialogo.TxtServidor()->text();
    usuario = dialogo.TxtUserId()->text();
    contrasena = dialogo.TxtUserPassword()->text();
    plataforma = dialogo.CboPlataformaDB()->currentIndex();
    return true;
}

}  // namespace sesion
