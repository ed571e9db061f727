#pragma once

#include <QString>

namespace ado {

// Builds an ODBC connection string. A value that could be misread (holding
// ";", "=", braces or blanks at its ends) is written between braces, so a
// password such as "a;b" reaches the driver whole instead of cutting the
// string (TextoConexion::escrito).
class CadenaOdbc {
public:
    CadenaOdbc& agregar(const QString& clave, const QString& valor);
    // "Driver={name};": driver names hold blanks, always written in braces.
    CadenaOdbc& controlador(const QString& nombre);
    CadenaOdbc& agregarSiHay(const QString& clave, const QString& valor) {
        return valor.isEmpty() ? *this : agregar(clave, valor);
    }
    const QString& texto() const { return texto_; }

private:
    QString texto_;
};

}  // namespace ado
