#pragma once

#include "data/DB_Dll.h"
#include "session/AccesoSinDialogo.h"
#include "session/ConfiguracionEmpresa.h"
#include "session/PreparacionConsultas.h"
#include "session/utility_component/ArchivoIni.h"
#include "session/utility_component/DatosEquipo.h"
#include "session/utility_component/Reporte.h"
#include "session/utility_component/Teclado.h"
#include "session/utility_component/Utilidades.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <memory>

namespace consultas { class Lib_ClsCons3; }
namespace plataforma { class Dialogos; }

namespace sesion {

// The program-wide objects and session values, in one place. main() owns the
// one instance and hands it by reference to the windows; nothing reaches it
// any other way.
//
// The public data members are the module's values: start-up fills them and
// the rest of the program reads them.
class Global {
public:
    explicit Global(plataforma::Dialogos& dialogos);
    ~Global();
    Global(const Global&) = delete;
    Global& operator=(const Global&) = delete;

    plataforma::Dialogos& dialogos;

    // The utility component's instances.
    utilidades::Utilidades gUtilidades;
    utilidades::ArchivoIni gArchivoIni;
    utilidades::DatosEquipo gDatosEquipo;
    utilidades::Teclado gTeclado;
    utilidades::Reporte gReporte;

    // The main database session.
    datos::DB_Dll DB;

    // Session values.
    QString gUsuarioLogeado;            // user of the open connection
    QString gCaja = QStringLiteral("1");  // cash-register number
    QString gCadenaReporte;             // connection text for the report component
    std::int16_t gTimeOut = 360;        // command time-out of the main connection, seconds
    QString gTablaConfiguracion;        // the settings table
    QString gArchivoAyuda;              // the application's help file
    std::int16_t gEstilo = 0;           // the skin number read for the workstation user
    ConfiguracionEmpresa gConfiguracion;  // the company settings start-up loads

    // The lookup service's set-up.
    PreparacionConsultas gConsultas;
    // The lookup service, created on first use (after start-up) from the
    // set-up above and the company settings.
    consultas::Lib_ClsCons3& gClsCons3();

    // The statistics session, on the main session's server; created on first
    // use.
    datos::DB_Dll& gEstadisticas();

    // Where start-up reads the session parameters from: by default the
    // process's arguments after the program name, joined by blanks.
    std::function<QString()> lineaComandos;

    // Ends the program at once. By default it leaves the process; tests put
    // their own in.
    std::function<void()> terminarPrograma;

private:
    AccesoSinDialogo accesoSinDialogo_;
    std::unique_ptr<datos::DB_Dll> estadisticas_;
    std::unique_ptr<consultas::Lib_ClsCons3> clsCons3_;
};

}  // namespace sesion
