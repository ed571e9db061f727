#include "session/EleccionEstilo.h"

#include "platform/FuncionesBasicas.h"
#include "session/utility_component/ArchivoIni.h"

#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStringList>
#include <cmath>

namespace sesion {

namespace {

QString textoDe(const QVariant& valor) {
    // A value holding commas comes back as a list.
    if (valor.typeId() == QMetaType::QStringList) return valor.toStringList().join(u',');
    return valor.toString();
}

// The skin number is a whole number of the suite's Integer range: a
// fraction is dropped, and a number beyond the range counts as none.
std::int16_t numeroDeEstilo(const QString& valor) {
    const double numero = std::trunc(plataforma::numeroInicial(valor));
    if (numero < INT16_MIN || numero > INT16_MAX) return 0;
    return static_cast<std::int16_t>(numero);
}

QString leerTexto(const QString& ruta) {
    QFile archivo(ruta);
    if (!archivo.open(QIODevice::ReadOnly | QIODevice::Text)) return QString();
    return QString::fromUtf8(archivo.readAll());
}

// Each key of the INI replaces its "@key@" mark in the sheet.
QString conColores(QString hoja, const QString& rutaIni) {
    if (!QFileInfo(rutaIni).isReadable()) return hoja;
    QSettings colores(rutaIni, QSettings::IniFormat);
    for (const QString& clave : colores.allKeys()) {
        const QString nombre = clave.section(u'/', -1);
        hoja.replace(u'@' + nombre + u'@', textoDe(colores.value(clave)).trimmed());
    }
    return hoja;
}

}  // namespace

EleccionEstilo EleccionEstilo::porNumero(std::int16_t numero) {
    switch (numero) {
    case 1: return {numero, QStringLiteral("Styles/Vista.cjstyles"), QString()};
    case 2: return {numero, QStringLiteral("Styles/WinXP.Luna.cjstyles"), QString()};
    case 3: return {numero, QStringLiteral("Styles/WinXP.Royale.cjstyles"), QString()};
    case 4: return {numero, QStringLiteral("Styles/iTunes"), QStringLiteral("Normalitunes.ini")};
    default: return {numero, QStringLiteral("Styles/Office2007.cjstyles"), QString()};
    }
}

// Read as the suite's other programs read the file: section and key in any
// letter case, and a Windows editor's Latin-1 names (MUÑOZ) found too.
std::int16_t EleccionEstilo::numeroDelUsuario(const QString& carpeta, const QString& usuarioEstacion) {
    const QString seccion = usuarioEstacion.toUpper() + QStringLiteral("Styles");
    return numeroDeEstilo(utilidades::ArchivoIni().leer(carpeta + archivoIni(), seccion, QStringLiteral("Styles"),
                                                        QStringLiteral("1")));
}

QString EleccionEstilo::hojaDeEstilo(const QString& carpeta) const {
    const QString ruta = carpeta + archivo;
    const QString hoja = leerTexto(ruta);
    if (hoja.isEmpty() || ini.isEmpty()) return hoja;
    return conColores(hoja, QFileInfo(ruta).absolutePath() + u'/' + ini);
}

}  // namespace sesion
