#include "platform/ado/Recordset.h"
#include "session/Configuracion.h"
#include "session/Global.h"
#include "support/BaseDemo.h"
#include "support/DialogosGuion.h"

#include <QFile>
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace {

// The demo databases with the main session open as start-up leaves it.
class Configuracion : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(demo.valida()) << demo.error().toStdString(); }

    void abrir(const QString& usuario = prueba::BaseDemo::usuario()) {
        global.DB.gServidor = demo.servidor();
        global.DB.gDBName = demo.baseDatos();
        global.DB.gUsuario = usuario;
        global.DB.gUserPassWord = demo.contrasena();
        global.DB.OpenServerADODB();
        ASSERT_TRUE(global.DB.gOpenFlag);
        global.gUsuarioLogeado = usuario;
    }

    // Runs statements on one of the demo databases through a session of its own.
    void ejecutarEn(const QString& base, const QString& sql) {
        datos::DB_Dll sesion(dialogos);
        sesion.gServidor = demo.servidor();
        sesion.gDBName = base;
        sesion.gUsuario = demo.usuario();
        sesion.gUserPassWord = demo.contrasena();
        sesion.OpenServerADODB(false, 3, QString(), false);
        ASSERT_TRUE(sesion.gOpenFlag);
        QString texto = sql;
        sesion.EjecutaConsultaSQL(texto);
        ASSERT_EQ(sesion.gCnn().errors().Count(), 0) << sql.toStdString();
    }

    // Leaves `clave` holding `valor`, or absent when there is none.
    void poner(const QString& base, const QString& clave, const std::optional<QString>& valor) {
        ejecutarEn(base, QStringLiteral("DELETE FROM TA_CONFIGURACION WHERE CLAVE = '%1'").arg(clave));
        if (valor)
            ejecutarEn(base, QStringLiteral("INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('%1', '%2')")
                                 .arg(clave, *valor));
    }

    // VALOR and Grupo of a row of the statistics settings ("-" when missing).
    std::string filaEstadisticas(const QString& clave) {
        datos::DB_Dll sesion(dialogos);
        sesion.gServidor = demo.servidor();
        sesion.gDBName = QStringLiteral("QZ_ESTADISTICAS");
        sesion.gUsuario = demo.usuario();
        sesion.OpenServerADODB(false, 3, QString(), false);
        ado::Recordset rs;
        sesion.AbrirRecordset(QStringLiteral("SELECT CLAVE, VALOR, Grupo FROM TA_CONFIGURACION WHERE CLAVE = '") +
                                  clave + QLatin1Char('\''),
                              rs);
        if (rs.State() == ado::estado::Cerrado || rs.EOF_()) return "-";
        return (rs[QStringLiteral("CLAVE")].texto() + QLatin1Char('|') + rs[QStringLiteral("VALOR")].texto() +
                QLatin1Char('|') + rs[QStringLiteral("Grupo")].texto())
            .toStdString();
    }

    prueba::BaseDemo demo;
    prueba::DialogosGuion dialogos;
    sesion::Global global{dialogos};
};

// ---- Cfg -------------------------------------------------------------------

TEST_F(Configuracion, SinSesionAbiertaCfgRespondeVacio) {
    EXPECT_EQ(sesion::Cfg(global, QStringLiteral("NOMBRE")), QString());
    EXPECT_EQ(sesion::Cfg(global, QStringLiteral("THEME")), QString());
}

TEST_F(Configuracion, CfgLeeValorYAuxiliarYUnBlancoSiFalta) {
    abrir();
    ejecutarEn(demo.baseDatos(), QStringLiteral("INSERT INTO TA_CONFIGURACION (CLAVE, VALOR, valoraux) "
                                                "VALUES ('CONAUX', 'principal', 'secundario')"));
    QString aux = QStringLiteral("antes");
    EXPECT_EQ(sesion::Cfg(global, QStringLiteral(" conaux "), aux), QStringLiteral("principal"));
    EXPECT_EQ(aux, QStringLiteral("secundario"));
    EXPECT_EQ(sesion::Cfg(global, QStringLiteral("NoExiste"), aux), QStringLiteral(" "));
    EXPECT_EQ(aux, QString());
    EXPECT_EQ(sesion::Cfg(global, QStringLiteral("NOMBRE")), QStringLiteral("Distribuidora del Litoral S.A."));
    EXPECT_EQ(global.gTablaConfiguracion, QStringLiteral("TA_CONFIGURACION"));
    EXPECT_TRUE(dialogos.mensajes().empty());
}

TEST_F(Configuracion, ThemeFaltanteOEnBlancoEsUno) {
    abrir();
    EXPECT_EQ(sesion::Cfg(global, QStringLiteral("theme")), QStringLiteral("1"));
    poner(demo.baseDatos(), QStringLiteral("THEME"), QStringLiteral("   "));
    EXPECT_EQ(sesion::Cfg(global, QStringLiteral("THEME")), QStringLiteral("1"));
    poner(demo.baseDatos(), QStringLiteral("THEME"), QStringLiteral("3"));
    EXPECT_EQ(sesion::Cfg(global, QStringLiteral("THEME")), QStringLiteral("3"));
}

// A settings table that cannot be read: the session's own box comes first
// (Abort), then the reading's error treatment, where only Ignore would go
// on; Retry gives up with "" like Abort instead of asking again.
class LecturaFallida : public Configuracion, public ::testing::WithParamInterface<int> {};

TEST_P(LecturaFallida, TerminaVaciaTrasUnaSolaPregunta) {
    abrir();
    global.gTablaConfiguracion = QStringLiteral("TA_NO_EXISTE");
    dialogos.responder(plataforma::respuesta::Abortar);
    dialogos.responder(GetParam());
    dialogos.responder(plataforma::respuesta::Abortar);  // a second ask, if one came, gives up

    EXPECT_EQ(sesion::Cfg(global, QStringLiteral("NOMBRE")), QString());

    std::size_t tratamientos = 0;
    for (const auto& m : dialogos.mensajes())
        if (m.titulo.startsWith(QStringLiteral("Cfg - "))) ++tratamientos;
    EXPECT_EQ(tratamientos, 1u);
}

INSTANTIATE_TEST_SUITE_P(Respuestas, LecturaFallida,
                         ::testing::Values(plataforma::respuesta::Reintentar, plataforma::respuesta::Abortar));

TEST_F(Configuracion, UnaComillaEnLaClaveNoRompeLaSentencia) {
    abrir();
    ejecutarEn(demo.baseDatos(),
               QStringLiteral("INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('D''ARTAGNAN', 'mosquetero')"));
    EXPECT_EQ(sesion::Cfg(global, QStringLiteral("D'Artagnan")), QStringLiteral("mosquetero"));
    EXPECT_EQ(sesion::Cfg(global, QStringLiteral("x' OR '1'='1")), QStringLiteral(" "));
    EXPECT_TRUE(dialogos.mensajes().empty());
}

// ---- CargarConfiguracion -----------------------------------------------------

struct CasoCarga {
    const char* nombre;
    std::vector<std::pair<const char*, std::optional<const char*>>> filas;
    std::function<std::string(const sesion::Global&)> leer;
    const char* esperado;
};

void PrintTo(const CasoCarga& caso, std::ostream* os) { *os << caso.nombre; }

std::string si(bool b) { return b ? "si" : "no"; }

class CargaDeConfiguracion : public Configuracion, public ::testing::WithParamInterface<CasoCarga> {};

TEST_P(CargaDeConfiguracion, ConvierteCadaClave) {
    const CasoCarga& caso = GetParam();
    for (const auto& [clave, valor] : caso.filas)
        poner(demo.baseDatos(), QString::fromLatin1(clave),
              valor ? std::optional<QString>(QString::fromUtf8(*valor)) : std::nullopt);
    abrir();
    sesion::CargarConfiguracion(global, QStringLiteral("/opt/quintaro/"));
    EXPECT_EQ(caso.leer(global), caso.esperado);
    EXPECT_EQ(global.gTablaConfiguracion, QStringLiteral("ta_configuracion"));
    EXPECT_TRUE(dialogos.mensajes().empty());
}

using Fila = std::pair<const char*, std::optional<const char*>>;
const std::optional<const char*> falta = std::nullopt;

INSTANTIATE_TEST_SUITE_P(
    Tabla, CargaDeConfiguracion,
    ::testing::Values(
        CasoCarga{"DecimalesTalCual", {Fila{"CantidadDecimales", " 2"}},
                  [](const auto& g) { return g.gConfiguracion.CantidadDecimales.toStdString(); }, " 2"},
        CasoCarga{"DecimalesFaltantesUnBlanco", {Fila{"CantidadDecimales", falta}},
                  [](const auto& g) { return g.gConfiguracion.CantidadDecimales.toStdString(); }, " "},
        CasoCarga{"SiExactoSinRecortar", {Fila{"UsaConsultaLike", " SI"}},
                  [](const auto& g) { return si(g.gConfiguracion.UsaConsultaLike); }, "no"},
        CasoCarga{"SiEnMinusculas", {Fila{"UsaConsultaLike", "si"}},
                  [](const auto& g) { return si(g.gConfiguracion.UsaConsultaLike); }, "si"},
        CasoCarga{"SiRecortado", {Fila{"RazonSocialPorUneg", " Si "}},
                  [](const auto& g) { return si(g.gConfiguracion.RazonSocialPorUneg); }, "si"},
        CasoCarga{"ConfidencialidadLlegaALaSesion", {Fila{"SS_CONFIDENCIALIDAD", "SI"}},
                  [](const auto& g) { return si(g.DB.gConfidencialidad && g.gConfiguracion.SSConfidencialidad); },
                  "si"},
        CasoCarga{"ConfidencialidadNo", {Fila{"SS_CONFIDENCIALIDAD", "NO"}},
                  [](const auto& g) { return si(g.DB.gConfidencialidad); }, "no"},
        CasoCarga{"OrdenDeTrabajoFaltanteSi", {Fila{"ModuloOrdenDeTrabajo", falta}},
                  [](const auto& g) { return si(g.gConfiguracion.ModuloOrdenDeTrabajo); }, "si"},
        CasoCarga{"OrdenDeTrabajoNoRecortado", {Fila{"ModuloOrdenDeTrabajo", " no "}},
                  [](const auto& g) { return si(g.gConfiguracion.ModuloOrdenDeTrabajo); }, "no"},
        CasoCarga{"ModificaPrecioFaltanteNo", {Fila{"V_ModificaCPrecio", falta}},
                  [](const auto& g) { return si(g.gConfiguracion.VModificaCPrecio); }, "no"},
        CasoCarga{"ModificaPrecioNo", {Fila{"V_ModificaCPrecio", "no"}},
                  [](const auto& g) { return si(g.gConfiguracion.VModificaCPrecio); }, "no"},
        CasoCarga{"ModificaPrecioX", {Fila{"V_ModificaCPrecio", "X"}},
                  [](const auto& g) { return si(g.gConfiguracion.VModificaCPrecio); }, "si"},
        CasoCarga{"ModificaPrecioEnBlanco", {Fila{"C_ModificaCPrecio", "   "}},
                  [](const auto& g) { return si(g.gConfiguracion.CModificaCPrecio); }, "no"},
        CasoCarga{"TextoRecortado", {Fila{"TituloClientes", "  Clientes  "}},
                  [](const auto& g) { return g.gConfiguracion.TituloClientes.toStdString(); }, "Clientes"},
        CasoCarga{"TextoFaltanteVacio", {Fila{"CuentaCtroDist", falta}},
                  [](const auto& g) { return "[" + g.gConfiguracion.CuentaCtroDist.toStdString() + "]"; }, "[]"},
        CasoCarga{"EnteroAlComienzo", {Fila{"PERIODO", "2025 anual"}},
                  [](const auto& g) { return std::to_string(g.gConfiguracion.Periodo); }, "2025"},
        CasoCarga{"EnteroSinNumero", {Fila{"PERIODO", "anual"}},
                  [](const auto& g) { return std::to_string(g.gConfiguracion.Periodo); }, "0"},
        CasoCarga{"EnteroDesbordadoDejaElDefecto", {Fila{"PERIODO", "99999"}},
                  [](const auto& g) { return std::to_string(g.gConfiguracion.Periodo); }, "0"},
        CasoCarga{"ImporteConComa", {Fila{"MaxDto", " 12,5 "}},
                  [](const auto& g) { return std::to_string(g.gConfiguracion.MaxDto.diezmilesimos()); }, "125000"},
        CasoCarga{"FondoFaltanteAmarillo", {Fila{"CFondo", falta}},
                  [](const auto& g) { return std::to_string(g.gConfiguracion.CFondo); }, "16776960"},
        CasoCarga{"FondoCeroAmarillo", {Fila{"CFondo", "0"}},
                  [](const auto& g) { return std::to_string(g.gConfiguracion.CFondo); }, "16776960"},
        CasoCarga{"FondoDado", {Fila{"CFondo", "255"}},
                  [](const auto& g) { return std::to_string(g.gConfiguracion.CFondo); }, "255"},
        CasoCarga{"LetraCeroQuedaCero", {Fila{"CLetra", "0"}},
                  [](const auto& g) { return std::to_string(g.gConfiguracion.CLetra); }, "0"},
        CasoCarga{"CondicionIvaDeLaEmpresa", {Fila{"CONDIVAEMPRESA", "2"}, Fila{"CONDIVA", "3"}},
                  [](const auto& g) { return std::to_string(g.gConfiguracion.CondIvaEmpresa); }, "2"},
        CasoCarga{"CondicionIvaCeroTomaLaGeneral", {Fila{"CONDIVAEMPRESA", "0"}, Fila{"CONDIVA", "3"}},
                  [](const auto& g) { return std::to_string(g.gConfiguracion.CondIvaEmpresa); }, "3"},
        CasoCarga{"CondicionIvaAmbasCeroEsUno", {Fila{"CONDIVAEMPRESA", "0"}, Fila{"CONDIVA", "0"}},
                  [](const auto& g) { return std::to_string(g.gConfiguracion.CondIvaEmpresa); }, "1"},
        CasoCarga{"CondicionIvaFaltantesEsUno", {Fila{"CONDIVAEMPRESA", falta}, Fila{"CONDIVA", falta}},
                  [](const auto& g) { return std::to_string(g.gConfiguracion.CondIvaEmpresa); }, "1"},
        CasoCarga{"TopFaltanteMil", {Fila{"Top_Default", falta}},
                  [](const auto& g) { return g.gConfiguracion.TopDefault.toStdString(); }, "1000"},
        CasoCarga{"TopEnBlancoMil", {Fila{"Top_Default", "  "}},
                  [](const auto& g) { return g.gConfiguracion.TopDefault.toStdString(); }, "1000"},
        CasoCarga{"TopDadoTalCual", {Fila{"Top_Default", " 50"}},
                  [](const auto& g) { return g.gConfiguracion.TopDefault.toStdString(); }, " 50"},
        CasoCarga{"StockEnConsultasPasaPorElValor", {Fila{"MostrarStockenConsultas", "SI"}},
                  [](const auto& g) { return si(g.gConfiguracion.MostrarStockenConsultas); }, "si"},
        CasoCarga{"ArchivoDeTareasEnLaCarpeta", {},
                  [](const auto& g) { return g.gConfiguracion.ArchivoDocTareas.toStdString(); },
                  "/opt/quintaro/QZDOCTareas.qzt"}),
    [](const auto& caso) { return std::string(caso.param.nombre); });

// The user's row: business unit and the pro-forma permission.
struct CasoUsuario {
    const char* usuario;
    const char* proforma;
    const char* unidad;
    bool usaProforma;
};

class UsuarioDeLaConfiguracion : public Configuracion, public ::testing::WithParamInterface<CasoUsuario> {};

TEST_P(UsuarioDeLaConfiguracion, TomaUnidadYProformaDeSuFila) {
    const CasoUsuario& caso = GetParam();
    poner(demo.baseDatos(), QStringLiteral("UsaFacturaProforma"), QString::fromLatin1(caso.proforma));
    abrir();
    global.gUsuarioLogeado = QString::fromLatin1(caso.usuario);
    sesion::CargarConfiguracion(global, QStringLiteral("/"));
    EXPECT_EQ(global.gConfiguracion.UNegocio.toStdString(), caso.unidad);
    EXPECT_EQ(global.gConfiguracion.UsaFacturaProforma, caso.usaProforma);
}

INSTANTIATE_TEST_SUITE_P(Tabla, UsuarioDeLaConfiguracion,
                         ::testing::Values(CasoUsuario{"mgomez", "SI", "   1", true},
                                           CasoUsuario{"jperez", "SI", "   2", false},
                                           CasoUsuario{"jperez", "NO", "   2", false},
                                           CasoUsuario{"nadie", "SI", "   1", true},
                                           CasoUsuario{"o'hara", "SI", "   1", true}));

// ---- ConectarEstadisticas ----------------------------------------------------

struct CasoTimeOut {
    const char* nombre;
    std::optional<const char*> guardado;
    int esperado;
    const char* filaDespues;
};

void PrintTo(const CasoTimeOut& caso, std::ostream* os) { *os << caso.nombre; }

class TimeOutDeEstadisticas : public Configuracion, public ::testing::WithParamInterface<CasoTimeOut> {};

TEST_P(TimeOutDeEstadisticas, LeeYCorrigeElTiempoDeEspera) {
    const CasoTimeOut& caso = GetParam();
    poner(QStringLiteral("QZ_ESTADISTICAS"), QStringLiteral("TIMEOUT"),
          caso.guardado ? std::optional<QString>(QString::fromLatin1(*caso.guardado)) : std::nullopt);
    abrir();
    sesion::ConectarEstadisticas(global);
    EXPECT_EQ(global.gTimeOut, caso.esperado);
    EXPECT_TRUE(global.gEstadisticas().gOpenFlag);
    EXPECT_EQ(filaEstadisticas(QStringLiteral("TIMEOUT")), caso.filaDespues);
    EXPECT_TRUE(dialogos.mensajes().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Tabla, TimeOutDeEstadisticas,
    ::testing::Values(CasoTimeOut{"Cuarenta", "45", 45, "TIMEOUT|45|"},
                      CasoTimeOut{"CeroSeEscribeCero", "0", 360, "TIMEOUT|0|BaseDeDatos"},
                      CasoTimeOut{"TextoSeEscribeCero", "nunca", 360, "TIMEOUT|0|BaseDeDatos"},
                      CasoTimeOut{"FaltanteSeAgrega", std::nullopt, 360, "TIMEOUT|0|BaseDeDatos"}),
    [](const auto& caso) { return std::string(caso.param.nombre); });

TEST_F(Configuracion, SinBaseDeEstadisticasQuedaElDefectoSinAvisar) {
    ASSERT_TRUE(QFile::remove(demo.archivoEstadisticas()));
    abrir();
    global.gTimeOut = 12;
    sesion::ConectarEstadisticas(global);
    EXPECT_EQ(global.gTimeOut, 360);
    EXPECT_FALSE(global.gEstadisticas().gOpenFlag);
    EXPECT_TRUE(dialogos.mensajes().empty());
}

TEST_F(Configuracion, GrabaCfgQZActualizaSinPerderElAuxiliar) {
    abrir();
    sesion::ConectarEstadisticas(global);
    sesion::GrabaCfgQZ(global, QStringLiteral(" nueva "), QStringLiteral(" valor "), QStringLiteral(" aux "), true,
                       QStringLiteral("Grupo1"), false);
    QString aux;
    EXPECT_EQ(sesion::CfgQZ(global, QStringLiteral("NUEVA"), aux), QStringLiteral(" valor "));
    EXPECT_EQ(aux, QStringLiteral("aux"));
    sesion::GrabaCfgQZ(global, QStringLiteral("NUEVA"), QStringLiteral(" otro "), QString(), false,
                       QStringLiteral("Grupo2"), true);
    EXPECT_EQ(sesion::CfgQZ(global, QStringLiteral("nueva"), aux), QStringLiteral("otro"));
    EXPECT_EQ(aux, QStringLiteral("aux"));
    EXPECT_EQ(filaEstadisticas(QStringLiteral("NUEVA")), "NUEVA|otro|Grupo2");
    EXPECT_TRUE(dialogos.mensajes().empty());
}

}  // namespace
