#include "platform/ado/proveedores/ProveedorOracle.h"

#include "platform/ado/CadenaOdbc.h"

namespace ado {

QString ProveedorOracle::cadenaOdbc(const TextoConexion& texto, const QString& usuario, const QString& contrasena,
                                    const QStringList& instalados) const {
    const QString driver = controlador("QUINTARO_DRIVER_ORACLE", {}, QStringLiteral("Oracle"), instalados);
    if (driver.isEmpty()) sinControlador(QStringLiteral("Oracle"));
    const QStringList conocidas = {QStringLiteral("Provider"), QStringLiteral("Data Source"),
                                   QStringLiteral("User Id"), QStringLiteral("Password"),
                                   QStringLiteral("Persist Security Info")};
    CadenaOdbc cadena;
    cadena.controlador(driver)
        .agregar(QStringLiteral("DBQ"), texto.valor({QStringLiteral("Data Source")}))
        .agregarSiHay(QStringLiteral("UID"), usuario.isEmpty() ? texto.valor({QStringLiteral("User Id")}) : usuario)
        .agregarSiHay(QStringLiteral("PWD"),
                      contrasena.isEmpty() ? texto.valor({QStringLiteral("Password")}) : contrasena);
    for (const auto& [clave, valor] : texto.otros(conocidas)) cadena.agregar(clave, valor);
    return cadena.texto();
}

}  // namespace ado
