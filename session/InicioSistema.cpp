#include "session/InicioSistema.h"

#include "platform/Aplicacion.h"
#include "platform/FuncionesBasicas.h"
#include "platform/Pasos.h"
#include "platform/RuntimeError.h"
#include "platform/ado/Connection.h"
#include "platform/ui/Dialogos.h"
#include "session/ArchivoConsultas.h"
#include "session/Configuracion.h"
#include "session/Global.h"
#include "session/LineaComandos.h"
#include "session/RegistroAcceso.h"

namespace sesion {

namespace {

// The sequence's one error rule: error 5 (invalid argument) is passed over
// and the next step runs; any other error ends the sequence without a
// message.
int reglaDelInicio(const plataforma::RuntimeError& error) {
    return error.Number() == plataforma::numero::ArgumentoInvalido ? plataforma::SeguirConElSiguiente
                                                                   : plataforma::respuesta::Abortar;
}

class Arranque {
public:
    Arranque(Global& global, long cursor) : g_(global), cursor_(cursor) {}

    void ejecutar() {
        // Ordinary users see the restricted counterparts until the company's
        // confidentiality setting has been read: a start-up that ends before
        // the settings, or cannot read them, never shows confidential data.
        g_.DB.gConfidencialidad = true;
        const bool conectado = plataforma::ejecutarPasos(
            {[this] { tomarCarpetaAplicacion(); },      // 1
             [this] { tomarLineaComandos(); },          // 2
             [this] { extraerParametros(); },           // 3
             [this] { aplicarReglaOracle(); },          // 4
             [this] { llenarSesion(); },                // 5
             [this] { abrirSesion(); }},                // 6
            reglaDelInicio);
        // 7. Without a session nothing of the program works: it ends, also
        // when a step before the opening ended the sequence.
        if (!sesionAbierta()) {
            g_.terminarPrograma();
            return;
        }
        if (!conectado) return;

        // 8. Statistics session, logged-in user, time-out and isolation.
        if (!plataforma::ejecutarPasos(
                {[this] { ConectarEstadisticas(g_); },
                 [this] { g_.gUsuarioLogeado = g_.DB.gUsuario; },
                 [this] { g_.DB.gCnn().setCommandTimeout(g_.gTimeOut); },
                 [this] { g_.DB.gCnn().setIsolationLevel(ado::aislamiento::LecturaNoConfirmada); }},
                reglaDelInicio))
            return;

        // 9. What needs a database: report, lookups and settings.
        if (!g_.DB.gDBName.isEmpty() &&
            !plataforma::ejecutarPasos(
                {[this] { prepararCadenaReporte(); },                       // 9.1
                 [this] { g_.gReporte.setCarpeta(instalados_); },           // 9.2
                 [this] { g_.DB.gCnn().setDefaultDatabase(g_.DB.gDBName); },  // 9.3
                 [this] { prepararConsultas(); },                           // 9.4
                 [this] { crearArchivoConsultasQueFalta(); },               // 9.5
                 [this] { g_.DB.gCnn().setDefaultDatabase(g_.DB.gDBName); },  // 9.6
                 [this] { CargarConfiguracion(g_, carpeta_); }},            // 9.7
                reglaDelInicio))
            return;

        // 10. The usage log, for the program itself.
        plataforma::ejecutarPasos({[this] { RegistrarAcceso(g_, QString()); }}, reglaDelInicio);
    }

private:
    // The files the program writes go to the application folder; the help
    // and the report layouts are read from the files shipped with it, which
    // an installed copy keeps apart.
    void tomarCarpetaAplicacion() {
        carpeta_ = g_.gUtilidades.carpeta(plataforma::carpetaAplicacion());
        instalados_ = g_.gUtilidades.carpeta(plataforma::carpetaArchivosInstalados());
        g_.gArchivoAyuda = instalados_ + QStringLiteral("htmlhelp/zantarplus.chm");
    }

    void tomarLineaComandos() { linea_ = g_.lineaComandos(); }

    void extraerParametros() {
        parametros_ = LineaComandos::extraer(linea_);
        g_.gCaja = parametros_.caja;
    }

    void aplicarReglaOracle() { LineaComandos::aplicarReglaOracle(parametros_); }

    void llenarSesion() {
        g_.DB.gUsuario = parametros_.usuario;
        g_.DB.gDBName = parametros_.baseDatos;
        g_.DB.gUserPassWord = parametros_.contrasena;
        g_.DB.gServidor = LineaComandos::NombreServidor(parametros_.servidor);
    }

    void abrirSesion() {
        const bool pedirParametros =
            parametros_.servidor.trimmed().isEmpty() || parametros_.usuario.trimmed().isEmpty();
        g_.DB.OpenServerADODB(pedirParametros, cursor_, parametros_.cadenaConexion, true, true);
    }

    // The flag alone can stay set after a failed opening that was only
    // reported; the connection itself has the last word.
    bool sesionAbierta() {
        return g_.DB.gOpenFlag && g_.DB.gCnn().State() == ado::estado::Abierto;
    }

    void prepararCadenaReporte() {
        g_.gCadenaReporte = QStringLiteral("DSN=") + g_.DB.gDBName + QStringLiteral("; UID=") +
                            g_.DB.gUsuario + QStringLiteral("; PWD=") + g_.DB.gUserPassWord;
    }

    void prepararConsultas() {
        g_.gConsultas.gConnString = g_.DB.gConnString;
        g_.gConsultas.gUsarMascarasConsultas = true;
        g_.gConsultas.gRutaMascaraConsultas = carpeta_ + QStringLiteral("consultas.qzt");
    }

    // A definitions file that cannot be created (a read-only folder, a
    // folder of that name) is reported and start-up goes on: the lookups
    // then build their statements from the tables, and the settings and the
    // usage log that follow must not be lost with it.
    void crearArchivoConsultasQueFalta() {
        if (plataforma::ExisteArchivo(g_.gConsultas.gRutaMascaraConsultas)) return;
        try {
            CrearArchivoConsultas(g_);
        } catch (const plataforma::RuntimeError& error) {
            g_.DB.TratamientoErrores(error, plataforma::estilo::SoloAceptar | plataforma::estilo::Critico,
                                     QStringLiteral("CrearArchivoConsultas"));
        }
    }

    Global& g_;
    long cursor_;
    QString carpeta_;
    QString instalados_;
    QString linea_;
    LineaComandos::Parametros parametros_;
};

}  // namespace

void InicioSistema(Global& global, long cursor) {
    Arranque(global, cursor).ejecutar();
}

}  // namespace sesion
