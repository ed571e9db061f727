#include "session/RegistroAcceso.h"

#include "data/ActualizarDatoScript.h"
#include "data/DB_Dll.h"
#include "data/LiteralesSql.h"
#include "platform/Aplicacion.h"
#include "platform/Pasos.h"
#include "platform/ado/Recordset.h"
#include "session/Global.h"

#include <QDateTime>

namespace sesion {

namespace {

// The suite's supervisor, who is logged with the program as task.
const QString& supervisor() {
    static const QString nombre = QStringLiteral("SUPERVISOR QUORVEL MC");
    return nombre;
}

QString mayusculas(const QString& texto) { return datos::recortar(texto).toUpper(); }

// The menu entry granted to the user whose process names the program. The
// values are quoted as literals: a name with an apostrophe must still find
// its rights and must never change the statement.
QString sentenciaTarea(const QString& usuario, const QString& formulario) {
    return QStringLiteral("SELECT TA_TAREAS.USUARIO, TA_MENU.Proceso, TA_MENU.Clave , TA_MENU.Nombre ")
           + QStringLiteral(" FROM TA_TAREAS  with(nolock) INNER JOIN TA_MENU ON TA_TAREAS.TAREA = TA_MENU.Clave ")
           + QStringLiteral(" WHERE (TA_TAREAS.USUARIO = '") + datos::comillasSql(usuario)
           + QStringLiteral(" ') AND (TA_MENU.Proceso LIKE '%") + datos::comillasSql(formulario)
           + QStringLiteral("%')");
}

// One run of the usage log.
class Registro {
public:
    explicit Registro(Global& global) : g_(global) {}

    void registrar(const QString& formularioDado) {
        ado::Recordset rs;
        plataforma::ejecutarSaltandoErrores({
            [&] { formulario_ = formularioDado.isEmpty() ? plataforma::nombreEjecutable() : formularioDado; }, // 1.
            [&] { g_.gUsuarioLogeado = g_.DB.gUsuario; },                                      // 2.
            [&] { buscarTarea(rs); },                                                          // 3.-5.
            [&] { g_.DB.CierraRecordset(rs); },                                                // 6.
            [&] { sentencias_ = QStringList{QString()}; },                                     // 7.
            [&] { agregarCampos(); },                                                          // 8.
            [&] { ArmarSentencia(campos_, sentencias_, QStringLiteral("Control_Acceso"), false); }, // 9.
            [&] { escribirFila(); },                                                           // 10.
        });
    }

private:
    // A rights query that fails (a missing table, a lost connection) names
    // the task as a query without rows does: the executable's name for the
    // users who get it then, empty for the others.
    void buscarTarea(ado::Recordset& rs) {
        bool concedida = false;
        plataforma::ejecutarSaltandoErrores({[&] {
            g_.DB.AbrirRecordset(sentenciaTarea(g_.gUsuarioLogeado, formulario_), rs);
            if (rs.EOF_()) return;
            concedida = true;
            tarea_ = g_.gUtilidades.valor(rs.Fields(QStringLiteral("Nombre")));
        }});
        if (!concedida && usaElNombreDelEjecutable()) tarea_ = plataforma::nombreEjecutable();
    }

    bool usaElNombreDelEjecutable() const {
        return g_.DB.gDBName.compare(g_.gUsuarioLogeado, Qt::CaseInsensitive) == 0
               || g_.gUsuarioLogeado.compare(supervisor(), Qt::CaseInsensitive) == 0;
    }

    void agregarCampos() {
        const QString comilla = QStringLiteral("'");
        QString maquina = mayusculas(g_.gDatosEquipo.nombreMaquina());
        QString usuario = mayusculas(g_.gUsuarioLogeado);
        QString formulario = mayusculas(formulario_);
        QString tarea = mayusculas(tarea_);
        QString ingreso = QDateTime::currentDateTime().toString(datos::formatoFechaQt() + u' '
                                                                + datos::formatoHoraQt());
        AgregarCampo(campos_, g_.DB, QStringLiteral("Maquina"), maquina, comilla, true);
        AgregarCampo(campos_, g_.DB, QStringLiteral("Usuario"), usuario, comilla, false);
        AgregarCampo(campos_, g_.DB, QStringLiteral("Formulario"), formulario, comilla, false);
        AgregarCampo(campos_, g_.DB, QStringLiteral("Tarea"), tarea, comilla, false);
        AgregarCampo(campos_, g_.DB, QStringLiteral("Ingreso"), ingreso, comilla, false);
        AgregarCampo(campos_, g_.DB, QStringLiteral("NombreUsuario"), g_.gUsuarioLogeado, comilla, false);
    }

    void escribirFila() {
        bool huboError = false;
        long numeroError = 0;
        QString sentenciaEjecutada;
        QString mensajeError;
        datos::GActualizarDatoScript(g_.DB, sentencias_, huboError, numeroError, false, false,
                                     sentenciaEjecutada, mensajeError, true);
    }

    Global& g_;
    QString formulario_;
    QString tarea_;
    CamposPendientes campos_;
    QStringList sentencias_;
};

}  // namespace

void RegistrarAcceso(Global& global, const QString& formulario) { Registro(global).registrar(formulario); }

void AgregarCampo(CamposPendientes& campos, datos::DB_Dll& sesion, const QString& nombre,
                  QString& valor, const QString& comilla, bool nuevaLista) {
    if (nuevaLista) campos.clear();
    valor.remove(u'\'');
    const QString literal = valor.toUpper() == QLatin1String("NULL")
                                ? QStringLiteral("Null")
                                : sesion.SQLValue(ado::Variant(valor), comilla).texto();
    campos.push_back({nombre, literal});
}

void ArmarSentencia(CamposPendientes& campos, QStringList& sentencias, const QString& tabla,
                    bool conservar) {
    QStringList nombres;
    QStringList literales;
    for (const CampoPendiente& campo : campos) {
        if (campo.nombre.isEmpty()) continue;
        nombres << campo.nombre;
        literales << campo.literal;
    }
    sentencias << QStringLiteral("INSERT INTO ") + tabla + QStringLiteral(" ") + QStringLiteral("(")
                      + nombres.join(u',') + QStringLiteral(")") + QStringLiteral(" VALUES (")
                      + literales.join(u',') + QStringLiteral(")")
               << QString();
    if (!conservar) campos = CamposPendientes{CampoPendiente{}};
}

}  // namespace sesion
