#include "EntornoTemporal.h"
#include "platform/RuntimeError.h"
#include "platform/ado/Connection.h"
#include "platform/ado/Recordset.h"
#include "session/BaseDemo.h"
#include "support/BaseDemo.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace {

// One demo copy for the whole suite: these tests only read it, apart from
// the writes they undo inside a transaction.
class DemoCreada : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        demo_ = new prueba::BaseDemo;
        if (!demo_->valida()) return;
        conexion_ = new ado::Connection;
        try {
            conexion_->Open(demo_->textoConexion());
        } catch (const plataforma::RuntimeError& e) {
            errorApertura_ = e.Description().toStdString();
        }
    }
    static void TearDownTestSuite() {
        delete conexion_;
        delete demo_;
        conexion_ = nullptr;
        demo_ = nullptr;
    }
    void SetUp() override {
        ASSERT_TRUE(demo_->valida()) << demo_->error().toStdString();
        ASSERT_EQ(conexion_->State(), ado::estado::Abierto) << errorApertura_;
    }

    static long contar(const QString& sentencia) {
        ado::Recordset rs;
        rs.Open(sentencia, *conexion_);
        return static_cast<long>(rs.Fields(0L).Value().aEntero());
    }

    static prueba::BaseDemo* demo_;
    static ado::Connection* conexion_;
    static std::string errorApertura_;
};

prueba::BaseDemo* DemoCreada::demo_ = nullptr;
ado::Connection* DemoCreada::conexion_ = nullptr;
std::string DemoCreada::errorApertura_;

// ---- every state the program shows has rows ------------------------------------

struct Estado {
    const char* nombre;
    const char* consulta;  // counts the rows in that state
};

void PrintTo(const Estado& estado, std::ostream* os) { *os << estado.nombre; }

class EstadoPresente : public DemoCreada, public ::testing::WithParamInterface<Estado> {};

TEST_P(EstadoPresente, TieneFilas) {
    EXPECT_GT(contar(QString::fromUtf8(GetParam().consulta)), 0) << GetParam().consulta;
}

constexpr const char* AperturaVigente =
    "EXISTS (SELECT 1 FROM MV_CONCILIACION_OPEN O WHERE O.IDCONCILIACION = C.IDCONCILIACION "
    "AND O.ESTADO = 1)";

INSTANTIATE_TEST_SUITE_P(
    Estados, EstadoPresente,
    ::testing::Values(
        Estado{"Finalizada", "SELECT COUNT(*) FROM MV_CONCILIACION_CAB WHERE Finalizada = 1"},
        Estado{"AbiertaConCero",
               "SELECT COUNT(*) FROM MV_CONCILIACION_CAB C WHERE Finalizada = 0 AND NOT EXISTS "
               "(SELECT 1 FROM MV_CONCILIACION_OPEN O WHERE O.IDCONCILIACION = C.IDCONCILIACION "
               "AND O.ESTADO = 1)"},
        Estado{"AbiertaConNulo", "SELECT COUNT(*) FROM MV_CONCILIACION_CAB WHERE Finalizada IS NULL"},
        Estado{"MomentaneamenteAbierta",
               "SELECT COUNT(*) FROM MV_CONCILIACION_CAB C WHERE (Finalizada = 0 OR Finalizada IS NULL) "
               "AND EXISTS (SELECT 1 FROM MV_CONCILIACION_OPEN O WHERE O.IDCONCILIACION = "
               "C.IDCONCILIACION AND O.ESTADO = 1)"},
        Estado{"AperturaYaCerrada", "SELECT COUNT(*) FROM MV_CONCILIACION_OPEN WHERE ESTADO = 0"},
        Estado{"AperturaConOtroEstado",
               "SELECT COUNT(*) FROM MV_CONCILIACION_OPEN WHERE ESTADO <> 0 AND ESTADO <> 1"},
        Estado{"ConPeriodo", "SELECT COUNT(*) FROM MV_CONCILIACION_CAB WHERE FechaDesde IS NOT NULL "
                             "AND FechaHasta IS NOT NULL"},
        Estado{"SinPeriodo", "SELECT COUNT(*) FROM MV_CONCILIACION_CAB WHERE FechaDesde IS NULL "
                             "AND FechaHasta IS NULL"},
        Estado{"PeriodoSinFin", "SELECT COUNT(*) FROM MV_CONCILIACION_CAB WHERE FechaDesde IS NOT NULL "
                                "AND FechaHasta IS NULL"},
        Estado{"ConSegundoPeriodo",
               "SELECT COUNT(*) FROM MV_CONCILIACION_CAB WHERE fechadesde2 IS NOT NULL"},
        Estado{"Bancaria", "SELECT COUNT(*) FROM MV_CONCILIACION_CAB WHERE Tipo = 'BCO'"},
        Estado{"DeCuenta", "SELECT COUNT(*) FROM MV_CONCILIACION_CAB WHERE Tipo <> 'BCO'"},
        Estado{"CuentaConBlancosAlFinal",
               "SELECT COUNT(*) FROM MV_CONCILIACION_CAB WHERE LENGTH(Cuenta) > LENGTH(RTRIM(Cuenta))"},
        Estado{"CuentaSinDescripcion",
               "SELECT COUNT(*) FROM MV_CONCILIACION_CAB C JOIN MA_CUENTAS M ON M.CODIGO = C.Cuenta "
               "WHERE M.DESCRIPCION IS NULL OR M.DESCRIPCION = ''"},
        Estado{"CuentaConDescripcion",
               "SELECT COUNT(*) FROM MV_CONCILIACION_CAB C JOIN MA_CUENTAS M ON M.CODIGO = C.Cuenta "
               "WHERE M.DESCRIPCION <> ''"},
        Estado{"LineaConciliada", "SELECT COUNT(*) FROM MV_CONCILIACION WHERE CONCILIADO = 1"},
        Estado{"LineaPendienteConCero", "SELECT COUNT(*) FROM MV_CONCILIACION WHERE CONCILIADO = 0"},
        Estado{"LineaPendienteNula", "SELECT COUNT(*) FROM MV_CONCILIACION WHERE CONCILIADO IS NULL"},
        Estado{"AsientoDebe", "SELECT COUNT(*) FROM MV_ASIENTOS WHERE [DEBE-HABER] = 'D'"},
        Estado{"AsientoHaber", "SELECT COUNT(*) FROM MV_ASIENTOS WHERE [DEBE-HABER] = 'H'"},
        Estado{"SaldoDeCuenta", "SELECT COUNT(*) FROM Ve_SaldosCta WHERE Saldo <> 0"},
        Estado{"Administrador", "SELECT COUNT(*) FROM TA_USUARIOS WHERE Administrador = 1"},
        Estado{"UsuarioComun", "SELECT COUNT(*) FROM TA_USUARIOS WHERE Administrador = 0"},
        Estado{"TareaDelPrograma",
               "SELECT COUNT(*) FROM TA_TAREAS T JOIN TA_MENU M ON T.TAREA = M.Clave "
               "WHERE M.Proceso LIKE '%quintaro%'"},
        Estado{"CajaUno", "SELECT COUNT(*) FROM V_TA_Cajas WHERE IdCajas = '   1'"},
        Estado{"NombreDeLaEmpresa", "SELECT COUNT(*) FROM TA_CONFIGURACION WHERE CLAVE = 'nombre'"}),
    [](const auto& prueba) { return std::string(prueba.param.nombre); });

TEST_F(DemoCreada, ConciliacionesEnFormaDeCodigo) {
    const long total = contar(QStringLiteral("SELECT COUNT(*) FROM MV_CONCILIACION_CAB"));
    EXPECT_GE(total, 12);
    EXPECT_LE(total, 20);
    EXPECT_EQ(contar(QStringLiteral("SELECT COUNT(*) FROM MV_CONCILIACION_CAB "
                                    "WHERE LENGTH(IDCONCILIACION) <> 15 OR IDCONCILIACION NOT LIKE ' %'")),
              0);
    EXPECT_EQ(contar(QStringLiteral("SELECT COUNT(*) FROM MV_CONCILIACION_OPEN O WHERE NOT EXISTS "
                                    "(SELECT 1 FROM MV_CONCILIACION_CAB C "
                                    "WHERE C.IDCONCILIACION = O.IDCONCILIACION)")),
              0);
}

// Every table and view the program names answers a query.
class ObjetoPresente : public DemoCreada, public ::testing::WithParamInterface<const char*> {};

TEST_P(ObjetoPresente, Responde) {
    EXPECT_NO_THROW(contar(QStringLiteral("SELECT COUNT(*) FROM ") + QString::fromLatin1(GetParam())));
}

INSTANTIATE_TEST_SUITE_P(
    Objetos, ObjetoPresente,
    ::testing::Values("MV_CONCILIACION_CAB", "MV_CONCILIACION_OPEN", "MV_CONCILIACION", "MA_CUENTAS",
                      "MV_ASIENTOS", "Ve_SaldosCta", "TA_USUARIOS", "ta_usuarios", "AUX_ERR",
                      "TA_TAREAS", "TA_MENU", "Control_Acceso", "V_TA_Cajas", "TA_CONFIGURACION",
                      "ta_configuracion", "SS_MA_CUENTAS", "SS_MV_ASIENTOS", "SS_V_TA_CAJAS",
                      "SS_V_TA_DEPOSITO", "SS_V_TA_FAMILIAS", "V_MA_ARTICULOS", "VT_MA_ARTICULOS",
                      "VT_CLIENTES", "VT_PROVEEDORES", "MA_CONTACTOS", "V_TA_VENDEDORES",
                      "V_TA_TECNICOS", "V_MA_MANTENIMIENTOS", "V_TA_Tareas", "V_TA_UnidadNegocio",
                      "V_TA_DEPOSITO", "V_TA_FAMILIAS", "MA_POSICIONES", "TA_CCOSTO",
                      "V_MV_FALTANTES"));

TEST_F(DemoCreada, LasVistasRestringidasOcultanLoConfidencial) {
    EXPECT_LT(contar(QStringLiteral("SELECT COUNT(*) FROM SS_MA_CUENTAS")),
              contar(QStringLiteral("SELECT COUNT(*) FROM MA_CUENTAS")));
    EXPECT_EQ(contar(QStringLiteral("SELECT COUNT(*) FROM SS_MV_ASIENTOS WHERE CUENTA = '2.1.03.01'")), 0);
    EXPECT_GT(contar(QStringLiteral("SELECT COUNT(*) FROM MV_ASIENTOS WHERE CUENTA = '2.1.03.01'")), 0);
}

TEST_F(DemoCreada, LosCodigosNoMiranLosBlancosDelFinal) {
    // The account with trailing blanks finds its description, as on the
    // suite's server.
    EXPECT_EQ(contar(QStringLiteral("SELECT COUNT(*) FROM MA_CUENTAS WHERE CODIGO = '1.1.02.02   '")), 1);
    EXPECT_EQ(contar(QStringLiteral("SELECT COUNT(*) FROM TA_TAREAS WHERE USUARIO = 'mgomez '")), 3);
}

TEST_F(DemoCreada, SePuedeInsertarEnLasVistasQueElProgramaEscribe) {
    conexion_->BeginTrans();
    conexion_->Execute(QStringLiteral(
        "INSERT INTO V_TA_Cajas (IDCAJAS,DESCRIPCION) VALUES('   7','CAJA 7')"));
    conexion_->Execute(QStringLiteral(
        "INSERT INTO V_MV_FALTANTES (FechaHora,IdArticulo,Descripcion,Usuario) "
        "values('05/03/2024 10:00:00','PAP-A4-75','Resma papel A4 75 g','mgomez')"));
    conexion_->Execute(QStringLiteral(
        "INSERT INTO MV_CONCILIACION_OPEN (IDCONCILIACION,MOTIVO,USUARIO,FECHA,ESTADO) "
        "VALUES ('              1','prueba','MGOMEZ en PC:X','05/03/2024 10:00:00',1)"));
    const long cajas = contar(QStringLiteral("SELECT COUNT(*) FROM TA_CAJAS WHERE IdCajas = '   7'"));
    const long faltantes = contar(QStringLiteral("SELECT COUNT(*) FROM MV_FALTANTES"));
    const long numerada = contar(QStringLiteral(
        "SELECT COUNT(*) FROM MV_CONCILIACION_OPEN WHERE ID > 5 AND MOTIVO = 'prueba'"));
    conexion_->RollbackTrans();
    EXPECT_EQ(cajas, 1);
    EXPECT_EQ(faltantes, 1);
    EXPECT_EQ(numerada, 1);
}

TEST_F(DemoCreada, LaBaseDeEstadisticasTieneSusAjustes) {
    ado::Connection estadisticas;
    estadisticas.Open(QStringLiteral("PROVIDER=SQLOLEDB;Server=") + demo_->servidor() +
                      QStringLiteral(";Database =QZ_ESTADISTICAS;UId=QZ_ESTADISTICAS;Pwd=KV_PARAMETRICOS;"));
    ado::Recordset rs;
    rs.Open(QStringLiteral("SELECT VALOR FROM TA_CONFIGURACION WHERE CLAVE = 'TimeOut'"), estadisticas);
    ASSERT_FALSE(rs.EOF_());
    EXPECT_EQ(rs.Fields(0L).Value().texto(), QStringLiteral("360"));
}

// ---- building the demo for "--demo" -----------------------------------------------

class PreparacionDemo : public ::testing::Test {
protected:
    QTemporaryDir programa;
    prueba::EntornoTemporal carpeta{"QUINTARO_CARPETA", programa.path()};

    QString archivo(const char* nombre) const {
        return programa.filePath(QStringLiteral("demo/") + QString::fromLatin1(nombre));
    }
};

TEST_F(PreparacionDemo, CreaLaBaseQueFaltaYDaLaLineaDeComandos) {
    ASSERT_TRUE(programa.isValid());
    EXPECT_EQ(sesion::BaseDemo::preparar(),
              QStringLiteral("@Server=demo;@DbName=ZANTAR_DEMO;@Usuario=mgomez;@Password=demo;@Caja=1"));
    EXPECT_TRUE(QFileInfo::exists(archivo("ZANTAR_DEMO.db")));
    EXPECT_TRUE(QFileInfo::exists(archivo("QZ_ESTADISTICAS.db")));
    EXPECT_EQ(QDir(programa.filePath(QStringLiteral("demo"))).entryList(QDir::Files).size(), 2);
}

TEST_F(PreparacionDemo, UnaBaseExistenteNoSeToca) {
    ASSERT_TRUE(QDir().mkpath(programa.filePath(QStringLiteral("demo"))));
    {
        QFile existente(archivo("ZANTAR_DEMO.db"));
        ASSERT_TRUE(existente.open(QIODevice::WriteOnly));
        existente.write("datos del usuario");
    }
    sesion::BaseDemo::preparar();
    QFile existente(archivo("ZANTAR_DEMO.db"));
    ASSERT_TRUE(existente.open(QIODevice::ReadOnly));
    EXPECT_EQ(existente.readAll(), QByteArray("datos del usuario"));
}

TEST_F(PreparacionDemo, SinLosScriptsFallaSinDejarNada) {
    QTemporaryDir vacia;
    EXPECT_THROW(sesion::BaseDemo::crear(programa.filePath(QStringLiteral("demo")), vacia.path()),
                 plataforma::RuntimeError);
    EXPECT_TRUE(QDir(programa.filePath(QStringLiteral("demo"))).entryList(QDir::Files).isEmpty());
}

TEST_F(PreparacionDemo, UnScriptQueFallaNoDejaUnaBaseAMedias) {
    QTemporaryDir scripts;
    for (const char* nombre : {"empresa-esquema.sql", "empresa-datos.sql", "estadisticas.sql"})
        ASSERT_TRUE(QFile::copy(sesion::BaseDemo::carpetaScripts() + QString::fromLatin1(nombre),
                                scripts.filePath(QString::fromLatin1(nombre))));
    {
        QFile datos(scripts.filePath(QStringLiteral("empresa-datos.sql")));
        ASSERT_TRUE(datos.open(QIODevice::Append));
        datos.write("\nINSERT INTO TABLA_QUE_NO_EXISTE (X) VALUES (1);\n");
    }
    EXPECT_THROW(sesion::BaseDemo::crear(programa.filePath(QStringLiteral("demo")), scripts.path()),
                 plataforma::RuntimeError);
    EXPECT_FALSE(QFileInfo::exists(archivo("ZANTAR_DEMO.db")));
    EXPECT_FALSE(QFileInfo::exists(archivo("ZANTAR_DEMO.db.nuevo")));
}

}  // namespace
