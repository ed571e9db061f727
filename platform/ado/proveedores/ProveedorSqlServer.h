#pragma once

#include "platform/ado/Proveedor.h"

namespace ado {

// "SQLOLEDB": Microsoft SQL Server through Microsoft's ODBC driver or FreeTDS.
class ProveedorSqlServer : public Proveedor {
public:
    // `esSqlServer` false: an engine reached through a data source that this
    // layer does not know, whose statements go as written; it gets none of
    // SQL Server's session settings.
    explicit ProveedorSqlServer(bool esSqlServer = true) : esSqlServer_(esSqlServer) {}

    QString cadenaOdbc(const TextoConexion& texto, const QString& usuario, const QString& contrasena,
                       const QStringList& controladoresInstalados) const override;
    QString origen() const override { return QStringLiteral("Microsoft OLE DB Provider for SQL Server"); }
    // The program writes date literals in the workstation's order
    // ('05/03/2024' under es_AR); the session reads them in that order
    // whatever language the login has.
    void conectado(odbc::ConexionOdbc& conexion, const odbc::VerificadorOdbc& verificar,
                   long segundosEspera) override;
    // "SET DATEFORMAT dmy" under es_AR (FormatoRegional::ordenFecha).
    static QString ordenDeFechas();

    // The server, database, user and password a SQL Server connection text
    // names, under any of the keys ADO accepts for them.
    static QString servidor(const TextoConexion& texto);
    static QString base(const TextoConexion& texto);
    static QString usuario(const TextoConexion& texto);
    static QString contrasena(const TextoConexion& texto);
    // How the driver wants a server written "host", "host:port", "host,port"
    // or "host\instance": the pairs to add to the connection string.
    static std::vector<std::pair<QString, QString>> claveServidor(const QString& servidor, bool esFreeTds);

    static const QStringList& clavesConocidas();

private:
    bool esSqlServer_;
};

}  // namespace ado
