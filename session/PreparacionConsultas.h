#pragma once

#include <QString>

namespace sesion {

// What start-up prepares for the lookup service: the session's connection
// text and the lookup definitions file to build the lookups from.
struct PreparacionConsultas {
    QString gConnString;
    bool gUsarMascarasConsultas = false;
    QString gRutaMascaraConsultas;
};

}  // namespace sesion
