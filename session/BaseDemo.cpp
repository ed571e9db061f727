#include "session/BaseDemo.h"

#include "platform/Aplicacion.h"
#include "platform/RuntimeError.h"
#include "platform/ado/BaseEmbebida.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

namespace sesion {

namespace {

// The scripts of each database, in the order they run: schema, then rows.
const QStringList& scriptsEmpresa() {
    static const QStringList scripts{QStringLiteral("empresa-esquema.sql"),
                                     QStringLiteral("empresa-datos.sql")};
    return scripts;
}

const QStringList& scriptsEstadisticas() {
    static const QStringList scripts{QStringLiteral("estadisticas.sql")};
    return scripts;
}

QString conBarra(const QString& carpeta) {
    return carpeta.endsWith(QLatin1Char('/')) ? carpeta : carpeta + QLatin1Char('/');
}

QStringList rutas(const QString& carpetaScripts, const QStringList& nombres) {
    QStringList resultado;
    for (const QString& nombre : nombres) {
        const QString ruta = conBarra(carpetaScripts) + nombre;
        if (!QFileInfo::exists(ruta))
            throw plataforma::RuntimeError(
                53, QStringLiteral("No se encuentra el archivo ") + ruta, QStringLiteral("BaseDemo"));
        resultado << ruta;
    }
    return resultado;
}

// Builds one database under a temporary name and puts it in place only when
// every script ran, so that a failure never leaves a half-built file where
// the program would take it for a finished one.
void construir(const QString& carpeta, const QString& baseDatos, const QStringList& scripts) {
    const QString destino = conBarra(carpeta) + baseDatos + QStringLiteral(".db");
    const QString provisorio = destino + QStringLiteral(".nuevo");
    QFile::remove(provisorio);
    try {
        ado::crearBaseEmbebida(provisorio, scripts);
    } catch (...) {
        QFile::remove(provisorio);
        throw;
    }
    QFile::remove(destino);
    if (!QFile::rename(provisorio, destino)) {
        QFile::remove(provisorio);
        throw plataforma::RuntimeError(75, QStringLiteral("No se pudo crear ") + destino,
                                       QStringLiteral("BaseDemo"));
    }
}

}  // namespace

QString BaseDemo::carpetaScripts() {
    const QString indicada = qEnvironmentVariable("QUINTARO_DEMO_SQL");
    if (!indicada.isEmpty()) return conBarra(indicada);
    return plataforma::carpetaArchivosInstalados() + QStringLiteral("demo-sql/");
}

void BaseDemo::crear(const QString& carpeta, const QString& carpetaDeScripts) {
    const QStringList empresa = rutas(carpetaDeScripts, scriptsEmpresa());
    const QStringList estadisticas = rutas(carpetaDeScripts, scriptsEstadisticas());
    if (!QDir().mkpath(carpeta))
        throw plataforma::RuntimeError(75, QStringLiteral("No se pudo crear la carpeta ") + carpeta,
                                       QStringLiteral("BaseDemo"));
    construir(carpeta, baseEstadisticas(), estadisticas);
    // The company database last: its presence marks a finished demo.
    construir(carpeta, baseDatos(), empresa);
}

QString BaseDemo::preparar() {
    const QString carpeta = plataforma::carpetaAplicacion() + QStringLiteral("demo");
    if (!QFileInfo::exists(carpeta + QLatin1Char('/') + baseDatos() + QStringLiteral(".db")))
        crear(carpeta, carpetaScripts());
    return lineaComandos();
}

QString BaseDemo::lineaComandos(const QString& servidor, const QString& usuarioDemo) {
    return QStringLiteral("@Server=") + servidor + QStringLiteral(";@DbName=") + baseDatos() +
           QStringLiteral(";@Usuario=") + usuarioDemo + QStringLiteral(";@Password=") + contrasena() +
           QStringLiteral(";@Caja=1");
}

}  // namespace sesion
