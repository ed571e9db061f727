#include "platform/ado/proveedores/ProveedorOrigenDatos.h"

#include "platform/ado/CadenaOdbc.h"
#include "platform/ado/proveedores/ProveedorPostgres.h"
#include "platform/ado/proveedores/ProveedorSqlServer.h"
#include "platform/ado/proveedores/ProveedorSqlite.h"

namespace ado {

ProveedorOrigenDatos::ProveedorOrigenDatos(QString nombre, QString controlador)
    : nombre_(std::move(nombre)), controlador_(std::move(controlador)),
      motor_(std::make_unique<ProveedorSqlServer>(false)) {}

QString ProveedorOrigenDatos::cadenaOdbc(const TextoConexion& texto, const QString& usuario,
                                         const QString& contrasena, const QStringList&) const {
    CadenaOdbc cadena;
    cadena.agregar(QStringLiteral("DSN"), nombre_);
    // A SQLite data source names its database file itself: the session's
    // database name would take its place.
    if (!controlador_.contains(QLatin1String("SQLite"), Qt::CaseInsensitive))
        cadena.agregarSiHay(QStringLiteral("Database"), ProveedorSqlServer::base(texto).trimmed());
    cadena.agregarSiHay(QStringLiteral("UID"), usuario.isEmpty() ? ProveedorSqlServer::usuario(texto) : usuario);
    cadena.agregarSiHay(QStringLiteral("PWD"),
                        contrasena.isEmpty() ? ProveedorSqlServer::contrasena(texto) : contrasena);
    return cadena.texto();
}

QString ProveedorOrigenDatos::origen() const {
    return conectado_ ? motor_->origen() : QStringLiteral("Microsoft OLE DB Provider for ODBC Drivers");
}

// Known before the driver answers, from the driver the data source names: a
// SQLite driver and the ANSI builds of the others (psqlODBC's "PostgreSQL
// ANSI") have only the narrow calls, where they take UTF-8 as it is.
odbc::Textos ProveedorOrigenDatos::textos() const {
    const bool soloEstrechas = controlador_.contains(QLatin1String("SQLite"), Qt::CaseInsensitive) ||
                               controlador_.contains(QLatin1String("ANSI"), Qt::CaseInsensitive);
    return soloEstrechas ? odbc::Textos::Utf8 : odbc::Textos::Anchos;
}

std::unique_ptr<Proveedor> ProveedorOrigenDatos::motorPara(const QString& nombreDbms) {
    if (nombreDbms.startsWith(QLatin1String("PostgreSQL"), Qt::CaseInsensitive))
        return std::make_unique<ProveedorPostgres>();
    if (nombreDbms.startsWith(QLatin1String("SQLite"), Qt::CaseInsensitive))
        return std::make_unique<ProveedorSqlite>(QString());
    const bool esSqlServer = nombreDbms.contains(QLatin1String("SQL Server"), Qt::CaseInsensitive);
    return std::make_unique<ProveedorSqlServer>(esSqlServer);
}

void ProveedorOrigenDatos::conectado(odbc::ConexionOdbc& conexion, const odbc::VerificadorOdbc& verificar,
                                     long segundosEspera) {
    motor_ = motorPara(conexion.informacion(SQL_DBMS_NAME));
    conectado_ = true;
    motor_->conectado(conexion, verificar, segundosEspera);
}

}  // namespace ado
