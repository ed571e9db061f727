#include "session/Configuracion.h"

#include "data/LiteralesSql.h"
#include "platform/Pasos.h"
#include "platform/RuntimeError.h"
#include "platform/ado/Recordset.h"
#include "session/Global.h"

#include <cmath>
#include <limits>

namespace sesion {

namespace {

const QString kEstadisticas = QStringLiteral("QZ_ESTADISTICAS");
const QString kClaveEstadisticas = QStringLiteral("KV_PARAMETRICOS");
constexpr std::int16_t kTimeOutPorDefecto = 360;
constexpr std::int32_t kFondoPorDefecto = 0xFFFF00;
constexpr long kDesbordamiento = 6;  // overflow

bool esClaveDeFecha(const QString& clave) {
    return clave.compare(QLatin1String("[FECHA HASTA]"), Qt::CaseInsensitive) == 0 ||
           clave.compare(QLatin1String("[FECHA DESDE]"), Qt::CaseInsensitive) == 0;
}

// The key goes between quotes: a quote inside it is doubled, so a key can
// never end the literal.
QString sentenciaLectura(const QString& tabla, const QString& clave) {
    const QString limpia = clave.trimmed();
    QString sql = QStringLiteral("SELECT VALOR, valoraux FROM ") + tabla +
                  QStringLiteral(" with(nolock)  WHERE CLAVE = '") + datos::comillasSql(limpia) +
                  QLatin1Char('\'');
    return esClaveDeFecha(limpia) ? sql.toUpper() : sql;
}

// Cfg and CfgQZ: the same reading on one session or the other.
QString leerClave(Global& global, datos::DB_Dll& sesion, const QString& clave, QString& aux,
                  const QString& lugar) {
    QString respuesta;
    QString sql;
    ado::Recordset rs;
    // Only Ignore goes on; any other answer, Retry included, gives up with "":
    // a settings table that is not there would otherwise be asked for again
    // and again.
    const auto tratar = [&](const plataforma::RuntimeError& error) {
        const int contestada = global.DB.TratamientoErrores(error, std::nullopt, lugar);
        return contestada == plataforma::SeguirConElSiguiente ? contestada : 0;
    };
    const bool completo = plataforma::ejecutarPasos(
        {[&] {
             if (global.gTablaConfiguracion.trimmed().isEmpty())
                 global.gTablaConfiguracion = QStringLiteral("TA_CONFIGURACION");
         },
         [&] { sql = sentenciaLectura(global.gTablaConfiguracion, clave); },
         [&] { sesion.AbrirRecordset(sql, rs); },
         [&] {
             if (rs.BOF()) {
                 respuesta = QStringLiteral(" ");
                 aux.clear();
             } else {
                 respuesta = global.gUtilidades.valor(rs.Fields(QStringLiteral("Valor")));
                 aux = global.gUtilidades.valor(rs.Fields(QStringLiteral("ValorAux")));
             }
         },
         [&] { sesion.CierraRecordset(rs); },
         [&] {
             if (clave.compare(QLatin1String("THEME"), Qt::CaseInsensitive) == 0 && respuesta.trimmed().isEmpty())
                 respuesta = QStringLiteral("1");
         }},
        tratar);
    if (completo) return respuesta;
    plataforma::ejecutarSaltandoErrores({[&] {
        if (rs.State() != ado::estado::Cerrado) rs.Close();
    }});
    return QString();
}

// ---- Conversions of the settings' texts -----------------------------------

bool igual(const QString& a, const char* b) { return a.compare(QLatin1String(b), Qt::CaseInsensitive) == 0; }

bool banderaSi(const QString& valor) { return igual(valor, "SI"); }
bool banderaSiRecortado(const QString& valor) { return igual(valor.trimmed(), "SI"); }
bool banderaNoEsNo(const QString& valor) { return !igual(valor.trimmed(), "NO"); }
bool banderaPuestaYNoNo(const QString& valor) {
    return !(valor.trimmed().isEmpty() || igual(valor, "NO"));
}

// The leading whole number, as the 16-bit integer the suite keeps; beyond that
// range it overflows (error 6) and the setting keeps its default.
std::int16_t entero16(const utilidades::Utilidades& util, const QString& valor) {
    const long n = util.numero(valor);
    if (n < std::numeric_limits<std::int16_t>::min() || n > std::numeric_limits<std::int16_t>::max())
        throw plataforma::RuntimeError(kDesbordamiento, QStringLiteral("Overflow"),
                                       QStringLiteral("CargarConfiguracion"));
    return static_cast<std::int16_t>(n);
}

std::int32_t color(const utilidades::Utilidades& util, const QString& valor) {
    const double d = std::nearbyint(util.importe(valor).aDouble());
    if (d < std::numeric_limits<std::int32_t>::min() || d > std::numeric_limits<std::int32_t>::max())
        throw plataforma::RuntimeError(kDesbordamiento, QStringLiteral("Overflow"),
                                       QStringLiteral("CargarConfiguracion"));
    return static_cast<std::int32_t>(d);
}

// ---- CargarConfiguracion's pieces ----------------------------------------

class CargaConfiguracion {
public:
    CargaConfiguracion(Global& global, const QString& carpeta)
        : g_(global), u_(global.gUtilidades), c_(global.gConfiguracion), carpeta_(carpeta) {}

    void ejecutar() {
        g_.gTablaConfiguracion = QStringLiteral("ta_configuracion");
        plataforma::ejecutarSaltandoErrores(
            {[this] { c_.MostrarStockenConsultas = banderaSi(u_.valor(ado::Variant(cfg("MostrarStockenConsultas")))); },
             [this] { c_.TituloClientes = cfg("TituloClientes").trimmed(); },
             [this] { c_.TituloProveedores = cfg("TituloProveedores").trimmed(); },
             [this] { c_.ArchivoDocTareas = carpeta_ + QStringLiteral("QZDOCTareas.qzt"); },
             [this] { c_.ExigeClaveConsultaLikeArticulos = banderaSi(cfg("EXIGECLAVECONSULTALIKEARTICULOS")); },
             [this] { c_.UsaConsultaLike = banderaSi(cfg("UsaConsultaLike")); },
             [this] { c_.CantidadDecimales = cfg("CantidadDecimales"); },
             [this] { leerConfidencialidad(); },
             [this] { c_.UsaMultilesMonedas = banderaSi(cfg("UsaMultilesMonedas")); },
             [this] { c_.UsaFacturaProforma = banderaSi(cfg("UsaFacturaProforma")); },
             [this] { c_.UsaCCosto = banderaSi(cfg("USACCOSTO")); },
             [this] { c_.UsaStkStockUdKg = banderaSi(cfg("USA_STK_STOCK_UDKG")); },
             [this] { leerUsuario(); },
             [this] { if (c_.UNegocio.isEmpty()) c_.UNegocio = QStringLiteral("   1"); },
             [this] { c_.UnidadDeMedidaM3 = cfg("UNIDADDEMEDIDA_M3").trimmed(); },
             [this] { c_.UnidadDeMedidaBL = cfg("UNIDADDEMEDIDA_BL").trimmed(); },
             [this] { c_.UnidadDeMedidaKG = cfg("UNIDADDEMEDIDA_KG").trimmed(); },
             [this] { c_.Periodo = entero16(u_, cfg("PERIODO")); },
             [this] { c_.RazonSocialPorUneg = banderaSiRecortado(cfg("RazonSocialPorUneg")); },
             [this] { c_.ValidaCodigoBarra = banderaSiRecortado(cfg("VALIDACODIGOBARRA")); },
             [this] { c_.CFondo = color(u_, cfg("CFondo")); },
             [this] { if (c_.CFondo == 0) c_.CFondo = kFondoPorDefecto; },
             [this] { c_.CLetra = color(u_, cfg("CLetra")); },
             [this] { c_.ModuloOrdenDeTrabajo = banderaNoEsNo(cfg("ModuloOrdenDeTrabajo")); },
             [this] { c_.VModificaCPrecio = banderaPuestaYNoNo(cfg("V_ModificaCPrecio")); },
             [this] { c_.CModificaCPrecio = banderaPuestaYNoNo(cfg("C_ModificaCPrecio")); },
             [this] { c_.Maderera = banderaPuestaYNoNo(cfg("MADERERA")); },
             [this] { c_.MadTiras = cfg("MAD_TIRAS").trimmed(); },
             [this] { c_.MadP2 = cfg("MAD_P2").trimmed(); },
             [this] { c_.MadML = cfg("MAD_ML").trimmed(); },
             [this] { c_.MadM2 = cfg("MAD_M2").trimmed(); },
             [this] { c_.MadHojas = cfg("MAD_HOJAS").trimmed(); },
             [this] { c_.MadMLP2 = cfg("MAD_ML_P2").trimmed(); },
             [this] { c_.MadM2P2 = cfg("MAD_M2_P2").trimmed(); },
             [this] { c_.MadMLM2 = cfg("MAD_ML_M2").trimmed(); },
             [this] { c_.CuentaCtroDist = cfg("CuentaCtroDist").trimmed(); },
             [this] { c_.MaxDto = u_.importe(cfg("MaxDto").trimmed()); },
             [this] { c_.MaxDtoProforma = u_.importe(cfg("MaxDtoProforma").trimmed()); },
             [this] { c_.PideClaveStockNeg = banderaPuestaYNoNo(cfg("PideClave_StockNeg")); },
             [this] { c_.PideClaveMarkUpBase = banderaPuestaYNoNo(cfg("PideClave_MarkUpBase")); },
             [this] { c_.PideClaveLimiteCredito = banderaPuestaYNoNo(cfg("PideClave_LimiteCredito")); },
             [this] { c_.SSBloqueoActivo = banderaSi(cfg("SS_BloqueoActivo")); },
             [this] { c_.UtilizarFechaDia = banderaSi(cfg("UTILIZARFECHADIA")); },
             [this] { c_.AsignacionAutomaticaDeLoteING = banderaSi(cfg("AsignacionAutomaticaDeLoteING")); },
             [this] { c_.AsignacionAutomaticaDeLoteINGOP = banderaSi(cfg("AsignacionAutomaticaDeLoteINGOP")); },
             [this] { c_.CondIvaEmpresa = entero16(u_, cfg("CONDIVAEMPRESA")); },
             [this] { if (c_.CondIvaEmpresa == 0) c_.CondIvaEmpresa = entero16(u_, cfg("CONDIVA")); },
             [this] { if (c_.CondIvaEmpresa == 0) c_.CondIvaEmpresa = 1; },
             [this] { c_.TopDefault = cfg("Top_Default"); },
             [this] { if (c_.TopDefault.trimmed().isEmpty()) c_.TopDefault = QStringLiteral("1000"); }});
    }

private:
    QString cfg(const char* clave) { return Cfg(g_, QString::fromLatin1(clave)); }

    // The reader answers "" when it could not read the setting (a missing
    // key reads " "): ordinary users are then kept to the restricted
    // counterparts rather than shown what the company may keep confidential.
    void leerConfidencialidad() {
        const QString valor = cfg("SS_CONFIDENCIALIDAD");
        c_.SSConfidencialidad = banderaSi(valor);
        g_.DB.gConfidencialidad = valor.isEmpty() || c_.SSConfidencialidad;
    }

    // The logged-in user's own row: business unit, and whether the pro-forma
    // invoice the company allows is also allowed to this user.
    void leerUsuario() {
        QString sql = QStringLiteral("Select * from ta_usuarios  with(nolock)  where Nombre = '") +
                      datos::comillasSql(g_.gUsuarioLogeado) + QLatin1Char('\'');
        ado::Recordset rs;
        g_.DB.AbrirRecordset(sql, rs);
        if (!rs.BOF()) {
            c_.UNegocio = u_.valor(rs.Fields(QStringLiteral("UNegocio")));
            if (c_.UsaFacturaProforma) c_.UsaFacturaProforma = rs.Fields(QStringLiteral("verproforma")).Value().aBooleano();
        }
        g_.DB.CierraRecordset(rs);
    }

    Global& g_;
    const utilidades::Utilidades& u_;
    ConfiguracionEmpresa& c_;
    QString carpeta_;
};

// The statistics session: the main session's server and provider, its own
// database and fixed user.
void apuntarEstadisticas(Global& global) {
    datos::DB_Dll& est = global.gEstadisticas();
    est.gProveedor = datos::DB_Dll::pSQLOLEDB();
    est.gServidor = global.DB.gServidor;
    est.gDBName = kEstadisticas;
    est.gUsuario = kEstadisticas;
    est.gUserPassWord = kClaveEstadisticas;
}

bool estadisticasAbiertas(Global& global) {
    datos::DB_Dll& est = global.gEstadisticas();
    return est.gOpenFlag && est.gCnn().State() == ado::estado::Abierto;
}

void leerTimeOut(Global& global) {
    global.gTimeOut = entero16(global.gUtilidades, CfgQZ(global, QStringLiteral("TimeOut")));
    if (global.gTimeOut == 0)
        GrabaCfgQZ(global, QStringLiteral("TimeOut"), ado::Variant(static_cast<int>(global.gTimeOut)),
                   QString(), false, QStringLiteral("BaseDeDatos"), true);
}

}  // namespace

QString Cfg(Global& global, const QString& clave, QString& aux) {
    if (!global.DB.gOpenFlag) return QString();
    return leerClave(global, global.DB, clave, aux, QStringLiteral("Cfg"));
}

QString Cfg(Global& global, const QString& clave) {
    QString aux;
    return Cfg(global, clave, aux);
}

QString CfgQZ(Global& global, const QString& clave, QString& aux) {
    return leerClave(global, global.gEstadisticas(), clave, aux, QStringLiteral("CfgQZ"));
}

QString CfgQZ(Global& global, const QString& clave) {
    QString aux;
    return CfgQZ(global, clave, aux);
}

void GrabaCfgQZ(Global& global, const QString& clave, const ado::Variant& valor, const QString& aux,
                bool politicaNegocio, const QString& grupo, bool recortar) {
    datos::DB_Dll& est = global.gEstadisticas();
    const utilidades::Utilidades& u = global.gUtilidades;
    QString sql = QStringLiteral("SELECT * FROM ") + global.gTablaConfiguracion +
                  QStringLiteral(" with(nolock)  WHERE CLAVE = '") + datos::comillasSql(clave) +
                  QLatin1Char('\'');
    ado::Recordset rs;
    plataforma::ejecutarSaltandoErrores(
        {[&] { est.AbrirRecordset(sql, rs, &est.gCnn(), ado::cursor::Dynamic, ado::bloqueo::Optimistic); },
         [&] {
             if (rs.BOF()) rs.AddNew();
             else rs.MoveFirst();
         },
         [&] { rs.Fields(QStringLiteral("Grupo")).setValue(u.valor(ado::Variant(grupo))); },
         [&] { rs.Fields(QStringLiteral("Clave")).setValue(clave.trimmed().toUpper()); },
         [&] {
             const QString texto = u.valor(valor);
             rs.Fields(QStringLiteral("Valor")).setValue(recortar ? texto.trimmed() : texto);
         },
         [&] { rs.Fields(QStringLiteral("PoliticaNegocio")).setValue(politicaNegocio); },
         [&] { if (!aux.isEmpty()) rs.Fields(QStringLiteral("ValorAux")).setValue(aux.trimmed()); },
         [&] { rs.Update(); },
         [&] { est.CierraRecordset(rs); }});
}

void ConectarEstadisticas(Global& global) {
    global.gTimeOut = kTimeOutPorDefecto;
    plataforma::ejecutarSaltandoErrores(
        {[&] { if (estadisticasAbiertas(global)) global.gEstadisticas().gCnn().Close(); },
         [&] { apuntarEstadisticas(global); },
         [&] { global.gEstadisticas().OpenServerADODB(false, 3, QString(), true, false); },
         [&] {
             if (!estadisticasAbiertas(global)) return;
             plataforma::ejecutarSaltandoErrores(
                 {[&] { global.gEstadisticas().gCnn().setDefaultDatabase(kEstadisticas); },
                  [&] { leerTimeOut(global); }});
         }});
    if (global.gTimeOut == 0) global.gTimeOut = kTimeOutPorDefecto;
}

void CargarConfiguracion(Global& global, const QString& carpeta) {
    CargaConfiguracion(global, carpeta).ejecutar();
}

}  // namespace sesion
