#include "platform/ado/proveedores/ProveedorJet.h"

#include "platform/ado/CadenaOdbc.h"
#include "platform/ado/FallaDeConexion.h"

#include <QFileInfo>

namespace ado {

QString ProveedorJet::cadenaOdbc(const TextoConexion& texto, const QString&, const QString&,
                                 const QStringList& instalados) const {
    const QString driver =
        controlador("QUINTARO_DRIVER_ACCESS", {QStringLiteral("MDBTools")}, QStringLiteral("MDBTools"), instalados);
    if (driver.isEmpty()) sinControlador(QStringLiteral("Access"));
    const QString archivo = texto.valor({QStringLiteral("Data Source")});
    // Jet's own number for a missing file travels as the state, as the
    // program expects of this provider.
    if (!QFileInfo(archivo).isFile())
        throw FallaDeConexion(FallaDeConexion::alConectar(
            QStringLiteral("3024"), 3024, QStringLiteral("No se pudo encontrar el archivo '%1'.").arg(archivo),
            origen()));
    return CadenaOdbc().controlador(driver).agregar(QStringLiteral("DBQ"), archivo).texto();
}

}  // namespace ado
