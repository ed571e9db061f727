#include "platform/Aplicacion.h"

#include "platform/CarpetasPrograma.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace plataforma {

QString carpetaAplicacion() {
    const CarpetasPrograma carpetas = CarpetasPrograma::delProceso();
    // A first start of an installed copy finds no folder of its own yet;
    // when it cannot be made, writing there fails where each file is written.
    if (carpetas.instalada()) carpetas.crearPropios();
    return carpetas.propios();
}

QString carpetaArchivosInstalados() { return CarpetasPrograma::delProceso().instalados(); }

QString carpetaEjecutable() { return CarpetasPrograma::delProceso().ejecutables(); }

QString rutaEjecutable() {
    if (QCoreApplication::instance()) return QCoreApplication::applicationFilePath();
    return QFile::symLinkTarget(QStringLiteral("/proc/self/exe"));
}

QString nombreEjecutable() { return QFileInfo(rutaEjecutable()).completeBaseName(); }

QString carpetaTemporal() { return comoCarpeta(QDir::tempPath()); }

QString comoCarpeta(QString carpeta) {
    carpeta = QDir::fromNativeSeparators(carpeta);
    if (!carpeta.endsWith(u'/')) carpeta += u'/';
    return carpeta;
}

}  // namespace plataforma
