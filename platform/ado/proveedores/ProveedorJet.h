#pragma once

#include "platform/ado/Proveedor.h"

namespace ado {

// The Jet providers ("Microsoft.Jet.OLEDB.4.0", "Microsoft.Jet.OLEDB.3.51"):
// an Access file read through the MDBTools ODBC driver.
class ProveedorJet : public Proveedor {
public:
    QString cadenaOdbc(const TextoConexion& texto, const QString& usuario, const QString& contrasena,
                       const QStringList& controladoresInstalados) const override;
    QString origen() const override { return QStringLiteral("Microsoft JET Database Engine"); }
    // MDBTools' registered driver has only the narrow calls.
    odbc::Textos textos() const override { return odbc::Textos::Utf8; }
    bool admiteBaseActual() const override { return false; }
    bool admiteAislamiento() const override { return false; }
};

}  // namespace ado
