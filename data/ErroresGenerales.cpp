#include "data/ErroresGenerales.h"

#include "data/DB_Dll.h"
#include "data/LiteralesSql.h"
#include "data/RegistroErrores.h"
#include "platform/Aplicacion.h"
#include "platform/Pasos.h"
#include "platform/ui/Dialogos.h"
#include "session/utility_component/DatosEquipo.h"
#include "session/utility_component/Utilidades.h"

#include <QDateTime>

namespace datos {

namespace {

// The workstation's temporary folder: the "tmp" folder when "temp" is set,
// else the folder the workstation data gives for error logs.
QString rutaLogGeneral(const utilidades::Utilidades& utilidades) {
    QString carpeta;
    if (!qEnvironmentVariable("temp").isEmpty()) carpeta = qEnvironmentVariable("tmp");
    carpeta = recortar(carpeta);
    if (carpeta.isEmpty()) carpeta = utilidades::DatosEquipo().carpetaLogErrores();
    carpeta = utilidades.carpeta(carpeta);
    if (!carpeta.endsWith(QLatin1Char('/'))) carpeta += QLatin1Char('/');
    return carpeta + QStringLiteral("QZERR.LOG");
}

// AUX_ERR's Fecha as the column holds it: the suite's text column gets the
// workstation's writing of the moment; a server whose column is a date type
// gets the moment itself, which the layer binds as a timestamp.
ado::Variant fechaDelRegistro(const ado::Field& columna, const QDateTime& momento) {
    if (DB_Dll::adodate(columna.Type())) return momento;
    return momento.toString(formatoFechaHoraQt());
}

}  // namespace

int TratamientoErroresGeneral(DB_Dll& principal, const plataforma::RuntimeError& CodErr,
                              std::optional<int> Botones, std::optional<QString> Rutina) {
    const utilidades::Utilidades utilidades(principal.dialogos());
    // 3. The log is open from here to the end, whatever happens.
    RegistroErrores registro(rutaLogGeneral(utilidades));
    // 4.
    const QString mensaje = QStringLiteral("Ha ocurrido el Siguiente Error (")
                            + QString::number(CodErr.Number()) + QStringLiteral(") ")
                            + recortar(CodErr.Description());
    // 5.
    const QString lugar = Rutina ? *Rutina + QStringLiteral(" - ") : QString();
    // 6.
    const QString titulo = lugar + CodErr.Source() + QStringLiteral(" Aviso al operador!!! - 2 ");
    // 7.
    const int estiloCaja =
        Botones.value_or(plataforma::estilo::AbortarReintentarIgnorar | plataforma::estilo::Critico);
    // 8.
    if (CodErr.Number() == 0) return 0;
    // 9.
    const int respuesta = principal.dialogos().mensaje(mensaje, estiloCaja, titulo);
    // 10.
    registro.escribir(RegistroErrores::linea(QDateTime::currentDateTime(), lugar, mensaje, respuesta));
    return respuesta;
}

void RegistrarErrorAux(DB_Dll& principal, const QString& SentenciaSQL, QString& Proceso, long Error,
                       const QString& Descripcion) {
    const utilidades::Utilidades utilidades(principal.dialogos());
    const QString ejecutable = plataforma::nombreEjecutable();
    ado::Recordset fila;
    auto poner = [&fila](const char* columna, const ado::Variant& valor) {
        fila.Fields(QString::fromLatin1(columna)).setValue(valor);
    };
    // Nothing here may fail the caller, which is already handling a failure.
    plataforma::ejecutarSaltandoErrores({
        // 1.
        [&] {
            if (Proceso.isEmpty()) Proceso = ejecutable;
        },
        // 2.
        [&] {
            principal.AbrirRecordset(QStringLiteral("select  top 1 * from AUX_ERR  with(nolock) "), fila,
                                     {}, ado::cursor::Dynamic, ado::bloqueo::Optimistic, -1, true);
        },
        // 3.
        [&] { fila.AddNew(); },
        [&] { poner("Proceso", ejecutable); },
        [&] { poner("Fecha", fechaDelRegistro(fila.Fields(QStringLiteral("Fecha")), QDateTime::currentDateTime())); },
        [&] { poner("Error", Error); },
        [&] { poner("Descripcion", utilidades.ajustar(Descripcion, 250)); },
        [&] { poner("SQL", SentenciaSQL); },
        [&] { poner("pc", utilidades::DatosEquipo().nombreMaquina()); },
        [&] { poner("Usuario", principal.gUsuario); },
        [&] { fila.Update(); },
        [&] { principal.CierraRecordset(fila); },
    });
}

}  // namespace datos
