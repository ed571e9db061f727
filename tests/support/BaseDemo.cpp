#include "support/BaseDemo.h"

#include "platform/RuntimeError.h"
#include "session/BaseDemo.h"

namespace prueba {

BaseDemo::BaseDemo() {
    if (!carpeta_.isValid()) {
        error_ = QStringLiteral("No se pudo crear la carpeta temporal: ") + carpeta_.errorString();
        return;
    }
    try {
        sesion::BaseDemo::crear(carpeta_.path(), sesion::BaseDemo::carpetaScripts());
    } catch (const plataforma::RuntimeError& e) {
        error_ = QStringLiteral("(%1) %2").arg(e.Number()).arg(e.Description());
    }
}

QString BaseDemo::baseDatos() { return sesion::BaseDemo::baseDatos(); }
QString BaseDemo::usuario() { return sesion::BaseDemo::usuario(); }
QString BaseDemo::contrasena() { return sesion::BaseDemo::contrasena(); }

QString BaseDemo::archivo() const {
    return carpeta_.filePath(baseDatos() + QStringLiteral(".db"));
}

QString BaseDemo::archivoEstadisticas() const {
    return carpeta_.filePath(sesion::BaseDemo::baseEstadisticas() + QStringLiteral(".db"));
}

QString BaseDemo::lineaComandos(const QString& usuarioDemo) const {
    return sesion::BaseDemo::lineaComandos(servidor(), usuarioDemo);
}

QString BaseDemo::textoConexion(const QString& usuarioDemo) const {
    return QStringLiteral("PROVIDER=SQLOLEDB;Server=") + servidor() + QStringLiteral(";Database =") +
           baseDatos() + QStringLiteral(";UId=") + usuarioDemo + QStringLiteral(";Pwd=") +
           contrasena() + QStringLiteral(";");
}

}  // namespace prueba
