// The demo company on the PostgreSQL server: the same rows as the embedded
// engine's copy, the comparisons the program relies on (codes without their
// trailing blanks, user names and setting keys without letter case), and a
// session opened on it through the data source as start-up opens it.

#include "data/DB_Dll.h"
#include "platform/ado/Connection.h"
#include "platform/ado/Recordset.h"
#include "support/BaseDemo.h"
#include "support/BasePostgres.h"
#include "support/DialogosGuion.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

namespace {

// The server's database for this program, loaded once for all its tests.
prueba::BasePostgres& basePostgres() {
    static prueba::BasePostgres base(QStringLiteral("quintaro_demo_confiabilidad"), true);
    return base;
}

class DemoEnPostgres : public ::testing::Test {
protected:
    void SetUp() override {
        QUINTARO_EXIGIR_POSTGRES();
        ASSERT_TRUE(basePostgres().valida()) << basePostgres().error().toStdString();
    }

    // The single value a query gives on the server.
    static QString enServidor(const QString& sql) {
        QString salida;
        EXPECT_TRUE(basePostgres().psql(sql, &salida)) << sql.toStdString() << '\n' << salida.toStdString();
        return salida.trimmed();
    }
};

// ---- The same rows as the embedded engine's demo ---------------------------------

// Portable queries: each gives one number, on either engine.
const char* const recuentos[] = {
    "SELECT COUNT(*) FROM MA_CUENTAS",
    "SELECT COUNT(*) FROM MV_ASIENTOS",
    "SELECT COUNT(*) FROM MV_CONCILIACION_CAB",
    "SELECT COUNT(*) FROM MV_CONCILIACION",
    "SELECT COUNT(*) FROM MV_CONCILIACION_OPEN",
    "SELECT COUNT(*) FROM TA_USUARIOS",
    "SELECT COUNT(*) FROM TA_MENU",
    "SELECT COUNT(*) FROM TA_TAREAS",
    "SELECT COUNT(*) FROM TA_CONFIGURACION",
    "SELECT COUNT(*) FROM V_TA_Cajas",
    "SELECT COUNT(*) FROM V_TA_DEPOSITO",
    "SELECT COUNT(*) FROM SS_V_TA_DEPOSITO",
    "SELECT COUNT(*) FROM V_TA_FAMILIAS",
    "SELECT COUNT(*) FROM SS_V_TA_FAMILIAS",
    "SELECT COUNT(*) FROM SS_MA_CUENTAS",
    "SELECT COUNT(*) FROM SS_MV_ASIENTOS",
    "SELECT COUNT(*) FROM V_MA_ARTICULOS",
    "SELECT COUNT(*) FROM STK_MA_ARTICULOS",
    "SELECT COUNT(*) FROM VT_CLIENTES",
    "SELECT COUNT(*) FROM VT_PROVEEDORES",
    "SELECT COUNT(*) FROM MA_CONTACTOS",
    "SELECT COUNT(*) FROM V_TA_VENDEDORES",
    "SELECT COUNT(*) FROM V_TA_TECNICOS",
    "SELECT COUNT(*) FROM V_MA_MANTENIMIENTOS",
    "SELECT COUNT(*) FROM V_TA_Tareas",
    "SELECT COUNT(*) FROM MA_POSICIONES",
    "SELECT COUNT(*) FROM TA_CCOSTO",
    "SELECT COUNT(*) FROM V_TA_UnidadNegocio",
    // Every state of a reconciliation.
    "SELECT COUNT(*) FROM MV_CONCILIACION_CAB WHERE Finalizada = 1",
    "SELECT COUNT(*) FROM MV_CONCILIACION_CAB WHERE Finalizada = 0",
    "SELECT COUNT(*) FROM MV_CONCILIACION_CAB WHERE Finalizada IS NULL",
    "SELECT COUNT(*) FROM MV_CONCILIACION_OPEN WHERE ESTADO = 1",
    "SELECT COUNT(*) FROM MV_CONCILIACION_OPEN WHERE ESTADO IS NULL",
    "SELECT COUNT(*) FROM MV_CONCILIACION_CAB WHERE FechaDesde IS NULL",
    "SELECT COUNT(*) FROM MV_CONCILIACION_CAB WHERE fechadesde2 IS NOT NULL",
    "SELECT COUNT(*) FROM MV_CONCILIACION WHERE CONCILIADO IS NULL",
    // Amounts, balances and dates, to the cent and the day.
    "SELECT CAST(ROUND(SUM(IMPORTE) * 100) AS INTEGER) FROM MV_ASIENTOS WHERE \"DEBE-HABER\" = 'D'",
    "SELECT CAST(ROUND(SUM(IMPORTE) * 100) AS INTEGER) FROM MV_CONCILIACION",
    "SELECT CAST(ROUND(SUM(Saldo) * 100) AS INTEGER) FROM Ve_SaldosCta WHERE Saldo > 0",
    "SELECT COUNT(*) FROM Ve_SaldosCta",
    "SELECT COUNT(*) FROM MV_ASIENTOS WHERE FECHA >= '2024-02-01' AND FECHA < '2024-03-01'",
    "SELECT COUNT(*) FROM MV_CONCILIACION_CAB WHERE Fecha = '2024-04-03'",
    "SELECT COUNT(*) FROM MV_CONCILIACION_OPEN WHERE IDCONCILIACION = '              9'",
    "SELECT COUNT(*) FROM MA_CUENTAS WHERE DESCRIPCION IS NULL",
};

// One program run for the whole table: each test program reloads the demo.
TEST_F(DemoEnPostgres, TieneLasMismasFilasQueLaDemoEmbebida) {
    prueba::BaseDemo demo;
    ASSERT_TRUE(demo.valida()) << demo.error().toStdString();
    ado::Connection embebida;
    embebida.Open(demo.textoConexion());
    for (const char* recuento : recuentos) {
        const QString sql = QString::fromUtf8(recuento);
        SCOPED_TRACE(recuento);
        ado::Recordset rs;
        rs.Open(sql, embebida);
        const QString esperado = rs.EOF_() ? QStringLiteral("<sin fila>") : rs.Fields(0L).Value().texto();
        EXPECT_EQ(enServidor(sql).toStdString(), esperado.toStdString());
    }
}

// ---- Comparisons the program relies on ------------------------------------------

struct Comparacion {
    const char* nombre;
    const char* sql;
    const char* esperado;
};

const Comparacion comparaciones[] = {
    // An account read from a reconciliation, trailing blanks and all, finds
    // its description and its balance.
    {"CuentaConBlancosFinales", "SELECT DESCRIPCION FROM MA_CUENTAS WHERE CODIGO = '1.1.02.02   '",
     "Banco Galicia cuenta corriente"},
    {"SaldoDeLaCuentaDeLaConciliacion",
     "SELECT Saldo FROM Ve_SaldosCta WHERE Cuenta = "
     "(SELECT Cuenta FROM MV_CONCILIACION_CAB WHERE IDCONCILIACION = '              5')",
     "182450.7500"},
    {"FiltroDeCuentaRecortada", "SELECT COUNT(*) FROM MV_CONCILIACION_CAB WHERE rtrim(Cuenta) = '1.1.02.02'", "2"},
    // The usage log's user carries a blank before its closing quote.
    {"TareaDelUsuarioConBlanco",
     "SELECT TA_MENU.Nombre FROM TA_TAREAS INNER JOIN TA_MENU ON TA_TAREAS.TAREA = TA_MENU.Clave "
     "WHERE TA_TAREAS.USUARIO = 'mgomez ' AND TA_MENU.Clave = 'CONT045'",
     "Apertura momentánea de conciliaciones"},
    // The administrator found whatever the letter case of the login.
    {"UsuarioEnMayusculas", "SELECT Administrador FROM TA_USUARIOS WHERE Nombre = 'MGOMEZ'", "1"},
    {"UsuarioMezclado", "SELECT Administrador FROM TA_USUARIOS WHERE nombre = 'JPerez'", "0"},
    {"ClaveDeConfiguracionEnMinusculas", "SELECT VALOR FROM TA_CONFIGURACION WHERE CLAVE = 'ss_confidencialidad'",
     "NO"},
    // Letter case counts in the identifiers and descriptions, accents always.
    {"AcentoCuenta", "SELECT COUNT(*) FROM TA_USUARIOS WHERE Nombre = 'mgómez'", "0"},
    {"IdentificadorSinRelleno", "SELECT COUNT(*) FROM MV_CONCILIACION_CAB WHERE IDCONCILIACION = '1'", "0"},
    {"ColumnaEntreComillas", "SELECT COUNT(*) FROM MV_ASIENTOS WHERE \"DEBE-HABER\" = 'H'", "19"},
};

class ComparacionesDelPrograma : public DemoEnPostgres, public ::testing::WithParamInterface<Comparacion> {};

TEST_P(ComparacionesDelPrograma, DanLoMismoQueEnElServidorDeLaSuite) {
    EXPECT_EQ(enServidor(QString::fromUtf8(GetParam().sql)), QString::fromUtf8(GetParam().esperado));
}

INSTANTIATE_TEST_SUITE_P(Casos, ComparacionesDelPrograma, ::testing::ValuesIn(comparaciones),
                         [](const auto& caso) { return std::string(caso.param.nombre); });

// The views the program inserts into pass the row to their table.
TEST_F(DemoEnPostgres, LasVistasConInsercionGuardanEnSuTabla) {
    enServidor(QStringLiteral("INSERT INTO V_TA_Cajas (IdCajas, Descripcion) VALUES ('  77', 'CAJA DE PRUEBA')"));
    enServidor(QStringLiteral("INSERT INTO V_MV_FALTANTES (FechaHora, IdArticulo, Descripcion, Usuario) "
                              "VALUES ('01/02/2024 10:00:00', 'PAP-A4-75', 'Resma', 'jperez')"));
    EXPECT_EQ(enServidor(QStringLiteral("SELECT Descripcion FROM TA_CAJAS WHERE IdCajas = '  77'")),
              QStringLiteral("CAJA DE PRUEBA"));
    EXPECT_EQ(enServidor(QStringLiteral("SELECT IdArticulo || '|' || Usuario FROM MV_FALTANTES")),
              QStringLiteral("PAP-A4-75|jperez"));
    enServidor(QStringLiteral("DELETE FROM TA_CAJAS WHERE IdCajas = '  77'"));
    enServidor(QStringLiteral("DELETE FROM MV_FALTANTES"));
}

// ---- A session opened through the data source -----------------------------------

struct UsuarioDemo {
    const char* usuario;
    bool administrador;
};

class SesionEnPostgres : public DemoEnPostgres, public ::testing::WithParamInterface<UsuarioDemo> {
protected:
    void SetUp() override {
        DemoEnPostgres::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        ASSERT_TRUE(programa_.isValid());
        qputenv("QUINTARO_CARPETA", QFile::encodeName(programa_.path() + u'/'));
    }
    void TearDown() override { qunsetenv("QUINTARO_CARPETA"); }

    QTemporaryDir programa_;
    prueba::DialogosGuion dialogos_;
};

TEST_P(SesionEnPostgres, AbreComoElArranqueYLeeLasConciliaciones) {
    datos::DB_Dll db(dialogos_);
    db.gUsuario = QString::fromLatin1(GetParam().usuario);
    db.gDBName = basePostgres().base();
    db.gUserPassWord = QStringLiteral("demo");
    db.gServidor = basePostgres().origenDatos();

    db.OpenServerADODB(false, 3, {}, true, true);

    ASSERT_TRUE(db.gOpenFlag);
    ASSERT_TRUE(dialogos_.mensajes().empty()) << dialogos_.mensajes().front().texto.toStdString();
    EXPECT_EQ(db.gEsAdmin, GetParam().administrador);
    EXPECT_EQ(db.gConnString, QStringLiteral("PROVIDER=SQLOLEDB;Server=QUINTARO_PG;Database =") +
                                  basePostgres().base() + QStringLiteral(";UId=") + db.gUsuario +
                                  QStringLiteral(";Pwd=demo;"));

    ado::Recordset rs;
    db.AbrirRecordset(QStringLiteral("SELECT * FROM MV_CONCILIACION_CAB  with(nolock)  ORDER BY IDCONCILIACION"), rs);
    ASSERT_TRUE(dialogos_.mensajes().empty()) << dialogos_.mensajes().front().texto.toStdString();
    QStringList ids;
    for (; !rs.EOF_(); rs.MoveNext()) ids << rs.Fields(QStringLiteral("IDCONCILIACION")).Value().texto();
    db.CierraRecordset(rs);
    ASSERT_EQ(ids.size(), 16);
    EXPECT_EQ(ids.front(), QStringLiteral("              1"));
    EXPECT_EQ(ids.back(), QStringLiteral("             16"));
    EXPECT_EQ(db.DatosTabla(QStringLiteral("MA_CUENTAS"), QStringLiteral("1.1.02.02   "),
                            QStringLiteral("DESCRIPCION"), QStringLiteral("CODIGO"))
                  .texto(),
              QStringLiteral("Banco Galicia cuenta corriente"));
}

INSTANTIATE_TEST_SUITE_P(Usuarios, SesionEnPostgres,
                         ::testing::Values(UsuarioDemo{"mgomez", true}, UsuarioDemo{"jperez", false}),
                         [](const auto& caso) { return std::string(caso.param.usuario); });

// A wrong password is the connection error of the suite's server: the
// question whether to try again, answered No, leaves the session closed.
TEST_F(DemoEnPostgres, UnaClaveEquivocadaPreguntaYNoAbre) {
    prueba::DialogosGuion dialogos;
    datos::DB_Dll db(dialogos);
    db.gUsuario = QStringLiteral("mgomez");
    db.gDBName = basePostgres().base();
    db.gUserPassWord = QStringLiteral("equivocada");
    db.gServidor = basePostgres().origenDatos();
    dialogos.responder(plataforma::respuesta::No);

    db.OpenServerADODB(false, 3, {}, true, true);

    EXPECT_FALSE(db.gOpenFlag);
    ASSERT_EQ(dialogos.mensajes().size(), 1u);
    EXPECT_EQ(dialogos.mensajes()[0].titulo, QStringLiteral(" Error de Conexion a Base de Datos"));
    EXPECT_TRUE(dialogos.mensajes()[0].texto.contains(QStringLiteral("Descripcion: ")));
}

}  // namespace
