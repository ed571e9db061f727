#include "platform/ado/BaseEmbebida.h"

#include "platform/RuntimeError.h"
#include "platform/ado/Errors.h"
#include "platform/ado/GuionSqlite.h"
#include "platform/ado/odbc/ConexionOdbc.h"
#include "platform/ado/odbc/EntornoOdbc.h"
#include "platform/ado/odbc/SentenciaOdbc.h"
#include "platform/ado/odbc/VerificadorOdbc.h"
#include "platform/ado/proveedores/ProveedorSqlite.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace ado {

namespace {

QString textoDelGuion(const QString& entrada) {
    const bool esArchivo = !entrada.contains(u'\n') && entrada.trimmed().endsWith(QLatin1String(".sql"), Qt::CaseInsensitive) &&
                           QFileInfo(entrada.trimmed()).isFile();
    if (!esArchivo) return entrada;
    QFile archivo(entrada.trimmed());
    if (!archivo.open(QIODevice::ReadOnly))
        throw plataforma::RuntimeError(plataforma::numero::FallaProveedor,
                                       QStringLiteral("No se puede leer el guion %1").arg(entrada));
    return QString::fromUtf8(archivo.readAll());
}

}  // namespace

void crearBaseEmbebida(const QString& archivoDb, const QStringList& scripts) {
    QDir().mkpath(QFileInfo(archivoDb).absolutePath());
    Errors errores;
    const ProveedorSqlite proveedor{QFileInfo(archivoDb).absolutePath()};
    const odbc::VerificadorOdbc verificar(errores, [&proveedor](Error& e) { proveedor.normalizar(e); },
                                          proveedor.origen(), proveedor.textos());
    const odbc::EntornoOdbc entorno;
    odbc::ConexionOdbc conexion(entorno, ProveedorSqlite::cadenaArchivo(archivoDb, true), 15, verificar);
    ProveedorSqlite(QFileInfo(archivoDb).absolutePath()).conectado(conexion, verificar, 15);
    for (const QString& guion : scripts) {
        for (const QString& sentencia : GuionSqlite::sentencias(textoDelGuion(guion))) {
            try {
                odbc::SentenciaOdbc s(conexion, verificar, 0);
                s.ejecutar(sentencia);
            } catch (const plataforma::RuntimeError& e) {
                throw plataforma::RuntimeError(e.Number(), e.Description() + QStringLiteral("\nEn: ") + sentencia,
                                               e.Source());
            }
        }
    }
}

}  // namespace ado
