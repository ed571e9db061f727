#include "platform/Aplicacion.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace plataforma {

namespace {

QString conBarraFinal(QString carpeta) {
    carpeta = QDir::fromNativeSeparators(carpeta);
    if (!carpeta.endsWith(u'/')) carpeta += u'/';
    return carpeta;
}

// The running executable, also before (or without) a QCoreApplication.
QFileInfo ejecutable() {
    if (QCoreApplication::instance()) return QFileInfo(QCoreApplication::applicationFilePath());
    return QFileInfo(QFile::symLinkTarget(QStringLiteral("/proc/self/exe")));
}

}  // namespace

QString carpetaAplicacion() {
    const QString elegida = qEnvironmentVariable("QUINTARO_CARPETA").trimmed();
    if (!elegida.isEmpty()) return conBarraFinal(QDir(elegida).absolutePath());
    return conBarraFinal(ejecutable().absolutePath());
}

QString nombreEjecutable() { return ejecutable().completeBaseName(); }

QString carpetaTemporal() { return conBarraFinal(QDir::tempPath()); }

}  // namespace plataforma
