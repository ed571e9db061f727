#include "session/Global.h"

#include "lookup/Lib_ClsCons3.h"
#include "session/Configuracion.h"
#include "session/LineaComandos.h"

#include <cstdlib>

namespace sesion {

Global::Global(plataforma::Dialogos& dialogosDelPrograma)
    : dialogos(dialogosDelPrograma),
      gUtilidades(dialogosDelPrograma),
      DB(dialogosDelPrograma),
      lineaComandos(&LineaComandos::delProceso),
      terminarPrograma([] { std::exit(EXIT_SUCCESS); }),
      accesoSinDialogo_(dialogosDelPrograma) {
    DB.dialogoAcceso = &accesoSinDialogo_;
    // The session ends the program when the user gives up a lost connection;
    // it does so through the same hook as start-up.
    DB.terminarPrograma = [this] { terminarPrograma(); };
}

Global::~Global() = default;

datos::DB_Dll& Global::gEstadisticas() {
    if (!estadisticas_) estadisticas_ = std::make_unique<datos::DB_Dll>(dialogos, &DB);
    return *estadisticas_;
}

consultas::Lib_ClsCons3& Global::gClsCons3() {
    if (!clsCons3_) {
        clsCons3_ = std::make_unique<consultas::Lib_ClsCons3>(
            DB, dialogos, [this](const QString& clave) { return Cfg(*this, clave); });
        clsCons3_->gConnString = gConsultas.gConnString;
        clsCons3_->gUsarMascarasConsultas = gConsultas.gUsarMascarasConsultas;
        clsCons3_->gRutaMascaraConsultas = gConsultas.gRutaMascaraConsultas;
    }
    return *clsCons3_;
}

}  // namespace sesion
