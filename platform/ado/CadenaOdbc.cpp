#include "platform/ado/CadenaOdbc.h"

#include "platform/ado/TextoConexion.h"

namespace ado {

CadenaOdbc& CadenaOdbc::agregar(const QString& clave, const QString& valor) {
    texto_ += clave + u'=' + TextoConexion::escrito(valor) + u';';
    return *this;
}

CadenaOdbc& CadenaOdbc::controlador(const QString& nombre) {
    texto_ += QStringLiteral("Driver={") + QString(nombre).replace(u'}', QStringLiteral("}}")) + QStringLiteral("};");
    return *this;
}

}  // namespace ado
