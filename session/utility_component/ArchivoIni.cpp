#include "session/utility_component/ArchivoIni.h"

#include "platform/Aplicacion.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

namespace utilidades {

namespace {

QString rutaDelArchivo(const QString& archivo) {
    if (QFileInfo(archivo).isAbsolute() || archivo.contains(QLatin1Char('/'))) return archivo;
    return plataforma::carpetaAplicacion() + archivo;
}

// INI files come from Windows editors as often as from Linux ones: UTF-8 when
// the bytes are valid UTF-8, else the Latin-1 of the suite's workstations.
QString textoDelArchivo(QFile& archivo) {
    const QByteArray bytes = archivo.readAll();
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString texto = utf8(bytes);
    if (utf8.hasError()) texto = QString::fromLatin1(bytes);
    if (texto.startsWith(QChar(0xFEFF))) texto.remove(0, 1);
    return texto;
}

QString sinComillas(const QString& valor) {
    if (valor.size() >= 2 && valor.startsWith(QLatin1Char('"')) && valor.endsWith(QLatin1Char('"')))
        return valor.mid(1, valor.size() - 2);
    return valor;
}

bool esSeccion(const QString& linea, QString& nombre) {
    if (!linea.startsWith(QLatin1Char('['))) return false;
    const qsizetype cierre = linea.indexOf(QLatin1Char(']'));
    if (cierre < 0) return false;
    nombre = linea.mid(1, cierre - 1).trimmed();
    return true;
}

}  // namespace

QString ArchivoIni::leer(const QString& archivo, const QString& seccion, const QString& clave,
                         const QString& predeterminado) const {
    QFile ini(rutaDelArchivo(archivo));
    if (!ini.open(QIODevice::ReadOnly)) return predeterminado;

    const QString buscada = seccion.trimmed();
    const QString claveBuscada = clave.trimmed();
    bool enLaSeccion = false;
    const QStringList lineas = textoDelArchivo(ini).split(QLatin1Char('\n'));
    for (const QString& cruda : lineas) {
        const QString linea = cruda.trimmed();
        if (linea.isEmpty() || linea.startsWith(QLatin1Char(';'))) continue;
        QString nombre;
        if (esSeccion(linea, nombre)) {
            enLaSeccion = nombre.compare(buscada, Qt::CaseInsensitive) == 0;
            continue;
        }
        if (!enLaSeccion) continue;
        const qsizetype igual = linea.indexOf(QLatin1Char('='));
        if (igual < 0) continue;
        if (linea.left(igual).trimmed().compare(claveBuscada, Qt::CaseInsensitive) == 0)
            return sinComillas(linea.mid(igual + 1).trimmed());
    }
    return predeterminado;
}

}  // namespace utilidades
