#pragma once

#include <QString>

namespace sesion {

// What start-up prepares for the lookup service: the session's connection
// text and the lookup definitions file to build the lookups from. The
// service takes these values when it is created, on its first use.
struct PreparacionConsultas {
    QString gConnString;
    bool gUsarMascarasConsultas = false;
    QString gRutaMascaraConsultas;
};

}  // namespace sesion
