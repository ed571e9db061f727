#include "EntornoTemporal.h"
#include "platform/RuntimeError.h"
#include "platform/ado/Connection.h"
#include "platform/ado/Recordset.h"
#include "platform/ui/Dialogos.h"
#include "session/AccesoSinDialogo.h"
#include "session/BaseDemo.h"
#include "session/Global.h"
#include "session/InicioSistema.h"
#include "support/BaseDemo.h"
#include "support/DialogosGuion.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace {

// A program folder of its own, the demo databases, the scripted user and the
// global module, with the end of the program counted instead of done.
class Inicio : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(demo.valida()) << demo.error().toStdString();
        ASSERT_TRUE(programa.isValid());
        global.terminarPrograma = [this] { ++terminaciones; };
    }

    void iniciar(const QString& linea) {
        global.lineaComandos = [linea] { return linea; };
        sesion::InicioSistema(global, 3);
    }

    QString carpetaPrograma() const { return programa.path() + QLatin1Char('/'); }

    std::string mensajes() const {
        std::string todos;
        for (const auto& m : dialogos.mensajes()) todos += m.texto.toStdString() + "\n";
        return todos;
    }

    bool sesionAbierta() {
        return global.DB.gOpenFlag && global.DB.gCnn().State() == ado::estado::Abierto;
    }

    prueba::BaseDemo demo;
    QTemporaryDir programa;
    prueba::EntornoTemporal carpeta{"QUINTARO_CARPETA", programa.path()};
    prueba::DialogosGuion dialogos;
    sesion::Global global{dialogos};
    int terminaciones = 0;
};

TEST_F(Inicio, AbreLaSesionYDejaLosValoresDelModulo) {
    iniciar(demo.lineaComandos());

    EXPECT_EQ(terminaciones, 0);
    EXPECT_TRUE(dialogos.mensajes().empty()) << mensajes();
    ASSERT_TRUE(sesionAbierta());
    EXPECT_EQ(global.DB.gServidor, demo.servidor());
    EXPECT_EQ(global.DB.gDBName, QStringLiteral("ZANTAR_DEMO"));
    EXPECT_EQ(global.DB.gUsuario, QStringLiteral("mgomez"));
    EXPECT_TRUE(global.DB.gEsAdmin);
    EXPECT_EQ(global.gUsuarioLogeado, QStringLiteral("mgomez"));
    EXPECT_EQ(global.gCaja, QStringLiteral("1"));
    EXPECT_EQ(global.gTimeOut, 360);
    EXPECT_EQ(global.DB.gCnn().CommandTimeout(), 360);
    EXPECT_EQ(global.DB.gCnn().IsolationLevel(), 256);
    EXPECT_EQ(global.gCadenaReporte, QStringLiteral("DSN=ZANTAR_DEMO; UID=mgomez; PWD=demo"));
    EXPECT_EQ(global.gReporte.carpeta(), carpetaPrograma());
    EXPECT_EQ(global.gArchivoAyuda, carpetaPrograma() + QStringLiteral("htmlhelp/zantarplus.chm"));
    EXPECT_TRUE(global.gConsultas.gUsarMascarasConsultas);
    EXPECT_EQ(global.gConsultas.gRutaMascaraConsultas, carpetaPrograma() + QStringLiteral("consultas.qzt"));
    EXPECT_EQ(global.gConsultas.gConnString, global.DB.gConnString);
    EXPECT_FALSE(global.gConsultas.gConnString.isEmpty());

    // The session reaches the company's data.
    ado::Recordset rs;
    global.DB.AbrirRecordset(QStringLiteral("SELECT COUNT(*) AS N FROM MV_CONCILIACION_CAB"), rs);
    ASSERT_EQ(rs.State(), ado::estado::Abierto) << mensajes();
    EXPECT_EQ(rs.Fields(0L).Value().aEntero(), 16);
}

TEST_F(Inicio, UnUsuarioComunConOtraCaja) {
    iniciar(QStringLiteral("@Server=%1;@DbName=ZANTAR_DEMO;@Usuario=jperez;@Password=x;@Caja=2")
                .arg(demo.servidor()));

    EXPECT_EQ(terminaciones, 0);
    ASSERT_TRUE(sesionAbierta()) << mensajes();
    EXPECT_FALSE(global.DB.gEsAdmin);
    EXPECT_EQ(global.gUsuarioLogeado, QStringLiteral("jperez"));
    EXPECT_EQ(global.gCaja, QStringLiteral("2"));
    EXPECT_EQ(global.gCadenaReporte, QStringLiteral("DSN=ZANTAR_DEMO; UID=jperez; PWD=x"));
}

TEST_F(Inicio, LaLineaDelModoDemoAbreLaBaseDeLaCarpetaDelPrograma) {
    iniciar(sesion::BaseDemo::preparar());

    EXPECT_EQ(terminaciones, 0);
    ASSERT_TRUE(sesionAbierta()) << mensajes();
    EXPECT_EQ(global.DB.gServidor, QStringLiteral("demo"));
    EXPECT_TRUE(QFileInfo::exists(carpetaPrograma() + QStringLiteral("demo/ZANTAR_DEMO.db")));
}

// ---- confidentiality never fails open ------------------------------------------

TEST_F(Inicio, UnArchivoDeDefinicionesQueNoSePuedeCrearSeInformaYElInicioSigue) {
    ASSERT_TRUE(QDir(programa.path()).mkdir(QStringLiteral("consultas.qzt")));
    iniciar(QStringLiteral("@Server=%1;@DbName=ZANTAR_DEMO;@Usuario=jperez;@Password=x").arg(demo.servidor()));

    EXPECT_EQ(terminaciones, 0);
    ASSERT_EQ(dialogos.mensajes().size(), 1u) << mensajes();
    EXPECT_TRUE(dialogos.mensajes().front().titulo.startsWith(QStringLiteral("CrearArchivoConsultas")))
        << dialogos.mensajes().front().titulo.toStdString();
    // The settings were loaded after it: the company's own decimals and its
    // confidentiality "NO".
    EXPECT_EQ(global.gConfiguracion.CantidadDecimales, QStringLiteral("2"));
    EXPECT_FALSE(global.DB.gConfidencialidad);
    // And the usage log has its row.
    ado::Recordset rs;
    global.DB.AbrirRecordset(QStringLiteral("SELECT COUNT(*) AS N FROM Control_Acceso"), rs);
    ASSERT_EQ(rs.State(), ado::estado::Abierto) << mensajes();
    EXPECT_EQ(rs.Fields(0L).Value().aEntero(), 1);
}

TEST_F(Inicio, SinPoderLeerLaConfidencialidadUnUsuarioComunVaALasTablasRestringidas) {
    {
        prueba::DialogosGuion otros;
        datos::DB_Dll preparacion(otros);
        preparacion.gServidor = demo.servidor();
        preparacion.gDBName = QStringLiteral("ZANTAR_DEMO");
        preparacion.gUsuario = QStringLiteral("mgomez");
        preparacion.gUserPassWord = QStringLiteral("demo");
        preparacion.OpenServerADODB();
        ASSERT_TRUE(preparacion.gOpenFlag);
        preparacion.EjecutaConsultaSQL(QStringLiteral("ALTER TABLE TA_CONFIGURACION RENAME TO TA_CONFIGURACION_GUARDADA"));
        ASSERT_EQ(preparacion.gCnn().errors().Count(), 0);
    }
    iniciar(QStringLiteral("@Server=%1;@DbName=ZANTAR_DEMO;@Usuario=jperez;@Password=x").arg(demo.servidor()));

    ASSERT_TRUE(sesionAbierta()) << mensajes();
    EXPECT_FALSE(global.DB.gEsAdmin);
    EXPECT_TRUE(global.DB.gConfidencialidad);
    QString sentencia = QStringLiteral("SELECT COUNT(*) AS N FROM MV_ASIENTOS ");
    EXPECT_EQ(global.DB.SS_TSinonimos(sentencia), QStringLiteral("SELECT COUNT(*) AS N FROM SS_MV_ASIENTOS "));
}

TEST_F(Inicio, UnInicioQueTerminaAntesDeLaConfiguracionDejaAlUsuarioRestringido) {
    iniciar(QStringLiteral("@Server=%1;@DbName=;@Usuario=jperez;@Password=x").arg(demo.servidor()));
    EXPECT_TRUE(global.DB.gConfidencialidad);
}

// ---- starts that open nothing -------------------------------------------------

struct CasoSinSesion {
    const char* nombre;
    const char* linea;  // %1 stands for the demo's folder
};

void PrintTo(const CasoSinSesion& caso, std::ostream* os) { *os << caso.nombre; }

class InicioSinServidorOUsuario : public Inicio,
                                  public ::testing::WithParamInterface<CasoSinSesion> {};

TEST_P(InicioSinServidorOUsuario, AvisaComoIniciarYTermina) {
    iniciar(QString::fromUtf8(GetParam().linea).arg(demo.servidor()));

    ASSERT_EQ(dialogos.mensajes().size(), 1u) << mensajes();
    EXPECT_EQ(dialogos.mensajes().front().texto, sesion::AccesoSinDialogo::mensaje());
    EXPECT_EQ(dialogos.mensajes().front().estilo & plataforma::estilo::IconoMascara,
              plataforma::estilo::Exclamacion);
    EXPECT_EQ(terminaciones, 1);
    EXPECT_FALSE(global.DB.gOpenFlag);
    EXPECT_TRUE(global.gUsuarioLogeado.isEmpty());
    EXPECT_TRUE(global.gCadenaReporte.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Casos, InicioSinServidorOUsuario,
    ::testing::Values(CasoSinSesion{"LineaVacia", ""},
                      CasoSinSesion{"SinServidor", "@DbName=ZANTAR_DEMO;@Usuario=mgomez;@Password=demo"},
                      CasoSinSesion{"SinUsuario", "@Server=%1;@DbName=ZANTAR_DEMO;@Password=demo"},
                      CasoSinSesion{"ServidorEnBlanco", "@Server=  ;@DbName=ZANTAR_DEMO;@Usuario=mgomez"},
                      CasoSinSesion{"UsuarioEnBlanco", "@Server=%1;@DbName=ZANTAR_DEMO;@Usuario= ;@Caja=1"}),
    [](const auto& prueba) { return std::string(prueba.param.nombre); });

class InicioInalcanzable : public Inicio, public ::testing::WithParamInterface<CasoSinSesion> {};

TEST_P(InicioInalcanzable, TerminaSinSesion) {
    iniciar(QString::fromUtf8(GetParam().linea).arg(demo.servidor()));

    EXPECT_EQ(terminaciones, 1) << mensajes();
    EXPECT_FALSE(sesionAbierta());
    EXPECT_TRUE(global.gUsuarioLogeado.isEmpty());
    EXPECT_TRUE(global.gCadenaReporte.isEmpty());
    // The session reported the failure; start-up adds no message of its own.
    for (const auto& m : dialogos.mensajes())
        EXPECT_NE(m.texto, sesion::AccesoSinDialogo::mensaje());
}

INSTANTIATE_TEST_SUITE_P(
    Casos, InicioInalcanzable,
    ::testing::Values(
        CasoSinSesion{"CarpetaInexistente", "@Server=%1/no-existe;@DbName=ZANTAR_DEMO;@Usuario=mgomez"},
        CasoSinSesion{"BaseInexistente", "@Server=%1;@DbName=NO_EXISTE;@Usuario=mgomez;@Password=x"}),
    [](const auto& prueba) { return std::string(prueba.param.nombre); });

// A database name that is a path, or a file of the folder that holds no
// database: the opening refuses it with the one connection-error box, so no
// start-up query meets the file (each of them showed a box of its own).
class InicioConBaseInvalida : public Inicio, public ::testing::WithParamInterface<CasoSinSesion> {};

TEST_P(InicioConBaseInvalida, UnSoloAvisoDeConexionYTermina) {
    ASSERT_TRUE(QDir().mkpath(demo.servidor() + QStringLiteral("/sub")));
    for (const auto& [nombre, contenido] :
         {std::pair{"VACIA.db", QByteArray()}, std::pair{"TEXTO.db", QByteArray("no es una base\n")}}) {
        QFile f(demo.servidor() + u'/' + QLatin1String(nombre));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(contenido);
    }
    iniciar(QString::fromUtf8(GetParam().linea).arg(demo.servidor()));

    ASSERT_EQ(dialogos.mensajes().size(), 1u) << mensajes();
    EXPECT_TRUE(dialogos.mensajes().front().texto.startsWith(QStringLiteral(" Estado de Sql: 08001\r")))
        << mensajes();
    EXPECT_EQ(dialogos.mensajes().front().titulo, QStringLiteral(" Error de Conexion a Base de Datos"));
    EXPECT_EQ(terminaciones, 1);
    EXPECT_FALSE(sesionAbierta());
    EXPECT_EQ(QFileInfo(demo.servidor() + QStringLiteral("/VACIA.db")).size(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, InicioConBaseInvalida,
    ::testing::Values(
        CasoSinSesion{"BaseDeOtraCarpeta", "@Server=%1/sub;@DbName=../ZANTAR_DEMO;@Usuario=mgomez;@Password=demo"},
        CasoSinSesion{"RutaAbsoluta", "@Server=%1/sub;@DbName=%1/ZANTAR_DEMO;@Usuario=mgomez;@Password=demo"},
        CasoSinSesion{"ArchivoVacio", "@Server=%1;@DbName=VACIA;@Usuario=mgomez;@Password=demo"},
        CasoSinSesion{"ArchivoQueNoEsBase", "@Server=%1;@DbName=TEXTO;@Usuario=mgomez;@Password=demo"}),
    [](const auto& prueba) { return std::string(prueba.param.nombre); });

TEST_F(Inicio, UnServidorOracleLlevaSuTextoDeConexionSinPedirLaConexion) {
    iniciar(QStringLiteral("@Server=#ORCL;@DbName=TNS;@Usuario=u;@Password=p"));

    EXPECT_EQ(global.DB.gServidor, QStringLiteral("ORCL"));
    EXPECT_EQ(global.DB.gConnString,
              QStringLiteral("Provider=OraOLEDB.Oracle.1;Data Source=TNS;User Id=u;Password=p;"));
    for (const auto& m : dialogos.mensajes())
        EXPECT_NE(m.texto, sesion::AccesoSinDialogo::mensaje());
    // No Oracle server here: the program ends.
    EXPECT_EQ(terminaciones, 1);
}

// A connection dialog that fails with an error of its own: the session shows
// it and gives up, but its open flag stays set.
class DialogoQueFalla : public datos::DialogoAcceso {
public:
    bool pedirConexion(QString&, QString&, QString&, QString&, int&) override {
        throw plataforma::RuntimeError(plataforma::numero::TipoIncompatible,
                                       QStringLiteral("No coinciden los tipos"));
    }
};

TEST_F(Inicio, SinConexionAbiertaTerminaAunqueLaBanderaDigaAbierta) {
    DialogoQueFalla dialogo;
    global.DB.dialogoAcceso = &dialogo;
    iniciar(QString());

    EXPECT_FALSE(sesionAbierta());
    EXPECT_EQ(terminaciones, 1) << "gOpenFlag " << global.DB.gOpenFlag;
    EXPECT_TRUE(global.gUsuarioLogeado.isEmpty());
}

// ---- the error rule ------------------------------------------------------------

TEST_F(Inicio, UnError5SePasaPorAltoYElPasoSiguienteCorre) {
    global.lineaComandos = []() -> QString {
        throw plataforma::RuntimeError(plataforma::numero::ArgumentoInvalido,
                                       QStringLiteral("Argumento no válido"));
    };
    sesion::InicioSistema(global, 3);

    // With no command line read, the connection is asked for.
    ASSERT_EQ(dialogos.mensajes().size(), 1u) << mensajes();
    EXPECT_EQ(dialogos.mensajes().front().texto, sesion::AccesoSinDialogo::mensaje());
    EXPECT_EQ(terminaciones, 1);
}

TEST_F(Inicio, OtroErrorTerminaLaSecuenciaSinMensajeYSinSesionTerminaElPrograma) {
    global.lineaComandos = []() -> QString {
        throw plataforma::RuntimeError(plataforma::numero::TipoIncompatible,
                                       QStringLiteral("No coinciden los tipos"));
    };
    sesion::InicioSistema(global, 3);

    EXPECT_TRUE(dialogos.mensajes().empty()) << mensajes();
    EXPECT_FALSE(global.DB.gOpenFlag);
    EXPECT_EQ(terminaciones, 1);
}

}  // namespace
