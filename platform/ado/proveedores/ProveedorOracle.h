#pragma once

#include "platform/ado/Proveedor.h"

namespace ado {

// "OraOLEDB.Oracle.1": Oracle through the installed Oracle ODBC driver; the
// data source is the service name.
class ProveedorOracle : public Proveedor {
public:
    QString cadenaOdbc(const TextoConexion& texto, const QString& usuario, const QString& contrasena,
                       const QStringList& controladoresInstalados) const override;
    QString origen() const override { return QStringLiteral("OraOLEDB"); }
    QString citar(const QString& identificador) const override { return identificador; }
};

}  // namespace ado
