#include "platform/ado/Proveedor.h"

#include "platform/Aplicacion.h"
#include "platform/ado/FallaDeConexion.h"
#include "platform/ado/TrazaSql.h"
#include "platform/ado/odbc/ConexionOdbc.h"
#include "platform/ado/odbc/SentenciaOdbc.h"
#include "platform/ado/proveedores/ProveedorJet.h"
#include "platform/ado/proveedores/ProveedorOracle.h"
#include "platform/ado/proveedores/ProveedorOrigenDatos.h"
#include "platform/ado/proveedores/ProveedorSqlServer.h"
#include "platform/ado/proveedores/ProveedorSqlite.h"

#include <QDir>
#include <QFileInfo>

namespace ado {

namespace {

// The folder of the embedded engine a server name stands for; "" when the
// name is a SQL Server's. An absolute path always is the engine's, even when
// the folder is gone (no SQL Server is named so: the engine reports the
// missing file, as a server that cannot be reached). A name relative to the
// program's folder is the engine's only when that folder holds the
// database's file: ".", and names such as "Styles" that happen to match one
// of the program's folders, name SQL Servers too.
QString carpetaDelServidor(const QString& servidor, const QString& base) {
    if (servidor.isEmpty()) return {};
    if (QDir::isAbsolutePath(servidor)) return QDir::cleanPath(servidor);
    const QFileInfo info(QDir(plataforma::carpetaAplicacion()), servidor);
    if (!info.isDir()) return {};
    const bool tieneLaBase = ProveedorSqlite::esNombreDeBase(base) &&
                             QFileInfo(QDir(info.absoluteFilePath()).filePath(base + QStringLiteral(".db"))).isFile();
    return tieneLaBase ? info.absoluteFilePath() : QString();
}

}  // namespace

std::unique_ptr<Proveedor> Proveedor::elegir(const TextoConexion& texto,
                                             const std::vector<odbc::EntornoOdbc::OrigenDatos>& origenes) {
    const QString nombre = texto.valor({QStringLiteral("Provider")});
    if (nombre.startsWith(QLatin1String("OraOLEDB"), Qt::CaseInsensitive) ||
        nombre.startsWith(QLatin1String("MSDAORA"), Qt::CaseInsensitive))
        return std::make_unique<ProveedorOracle>();
    if (nombre.startsWith(QLatin1String("Microsoft.Jet"), Qt::CaseInsensitive) ||
        nombre.startsWith(QLatin1String("Microsoft.ACE"), Qt::CaseInsensitive))
        return std::make_unique<ProveedorJet>();
    const QString servidor = ProveedorSqlServer::servidor(texto).trimmed();
    const QString carpeta = carpetaDelServidor(servidor, ProveedorSqlServer::base(texto).trimmed());
    if (!carpeta.isEmpty()) return std::make_unique<ProveedorSqlite>(carpeta);
    for (const auto& origen : origenes)
        if (!servidor.isEmpty() && origen.nombre.compare(servidor, Qt::CaseInsensitive) == 0)
            return std::make_unique<ProveedorOrigenDatos>(origen.nombre, origen.controlador);
    return std::make_unique<ProveedorSqlServer>();
}

QString Proveedor::controlador(const char* variableEntorno, const QStringList& preferidos, const QString& parte,
                               const QStringList& instalados) {
    const QString elegido = qEnvironmentVariable(variableEntorno).trimmed();
    if (!elegido.isEmpty()) return elegido;
    for (const QString& p : preferidos)
        if (instalados.contains(p, Qt::CaseInsensitive)) return p;
    if (!parte.isEmpty())
        for (const QString& i : instalados)
            if (i.contains(parte, Qt::CaseInsensitive)) return i;
    return {};
}

void Proveedor::prepararSesion(odbc::ConexionOdbc& conexion, const odbc::VerificadorOdbc& verificar,
                               long segundosEspera, const QString& sentencia) {
    TrazaSql::anotar(sentencia);
    odbc::SentenciaOdbc s(conexion, verificar, segundosEspera);
    s.ejecutar(sentencia);
}

void Proveedor::sinControlador(const QString& quien) const {
    throw FallaDeConexion(FallaDeConexion::alConectar(
        QStringLiteral("IM002"), 0,
        QStringLiteral("No hay instalado un controlador ODBC para %1").arg(quien), origen()));
}

void Proveedor::comenzarTransaccion(odbc::ConexionOdbc& conexion, const odbc::VerificadorOdbc& verificar,
                                    long) const {
    conexion.confirmacionAutomatica(false, verificar);
}

// A COMMIT the server refused leaves the transaction open: manual-commit
// mode stays, so that the caller's ROLLBACK still reaches it.
void Proveedor::terminarTransaccion(odbc::ConexionOdbc& conexion, bool confirmar,
                                    const odbc::VerificadorOdbc& verificar, long) const {
    conexion.terminarTransaccion(confirmar, verificar);
    conexion.confirmacionAutomatica(true, verificar);
}

}  // namespace ado
