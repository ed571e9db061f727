#include "platform/CarpetasPrograma.h"

#include "platform/Aplicacion.h"

#include <QDir>
#include <QFileInfo>

namespace plataforma {

namespace {

// XDG_DATA_HOME counts only as an absolute path; without it, the default the
// freedesktop.org rules give it.
QString carpetaDatosDelUsuario(const CarpetasPrograma::Entorno& entorno) {
    if (QDir::isAbsolutePath(entorno.datosUsuario)) return comoCarpeta(entorno.datosUsuario);
    return comoCarpeta(entorno.casa) + QStringLiteral(".local/share/");
}

}  // namespace

CarpetasPrograma CarpetasPrograma::delProceso() {
    return segun({QFileInfo(rutaEjecutable()).absolutePath(),
                  qEnvironmentVariable("QUINTARO_CARPETA").trimmed(),
                  qEnvironmentVariable("XDG_DATA_HOME"), QDir::homePath()});
}

CarpetasPrograma CarpetasPrograma::segun(const Entorno& entorno) {
    CarpetasPrograma carpetas;
    if (!entorno.carpetaElegida.isEmpty()) {
        const QString una = comoCarpeta(QDir(entorno.carpetaElegida).absolutePath());
        carpetas.ejecutables_ = carpetas.instalados_ = carpetas.propios_ = una;
        return carpetas;
    }
    carpetas.ejecutables_ = comoCarpeta(entorno.carpetaEjecutable);
    const QFileInfo compartida(QDir(entorno.carpetaEjecutable).filePath(datosRelativosAlEjecutable()));
    if (!compartida.isDir()) {
        carpetas.instalados_ = carpetas.propios_ = carpetas.ejecutables_;
        return carpetas;
    }
    carpetas.instalada_ = true;
    carpetas.instalados_ = comoCarpeta(QDir::cleanPath(compartida.absoluteFilePath()));
    carpetas.propios_ = carpetaDatosDelUsuario(entorno) + QStringLiteral("quintaro/");
    return carpetas;
}

bool CarpetasPrograma::crearPropios() const {
    const QString propia = QDir(propios_).absolutePath();
    if (QFileInfo(propia).isDir()) return true;
    // The folders above it as the system makes them; this one for its owner.
    if (!QDir().mkpath(QFileInfo(propia).absolutePath())) return false;
    return QDir().mkdir(propia, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner)
           || QFileInfo(propia).isDir();
}

QString CarpetasPrograma::datosRelativosAlEjecutable() {
    return QStringLiteral(QUINTARO_DATOS_DESDE_EJECUTABLE);
}

}  // namespace plataforma
