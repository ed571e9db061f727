#pragma once

#include "platform/ado/Proveedor.h"

namespace ado {

// "SQLOLEDB": Microsoft SQL Server through Microsoft's ODBC driver or FreeTDS.
class ProveedorSqlServer : public Proveedor {
public:
    QString cadenaOdbc(const TextoConexion& texto, const QString& usuario, const QString& contrasena,
                       const QStringList& controladoresInstalados) const override;
    QString origen() const override { return QStringLiteral("Microsoft OLE DB Provider for SQL Server"); }

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
};

}  // namespace ado
