// Aggregate searches and column maintenance of the session, on a database of
// the embedded engine and on the run's PostgreSQL server alike: the same
// cases, the statements compared through the trace (what the session handed
// to the connection, before the engine's own rewriting).

#include "data/DB_Dll.h"
#include "data/ErroresGenerales.h"
#include "data/SentenciasAgregados.h"
#include "platform/ado/BaseEmbebida.h"
#include "platform/ado/Errors.h"
#include "platform/ado/Recordset.h"
#include "tests/support/BasePostgres.h"
#include "tests/support/DialogosGuion.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>
#include <optional>

namespace {

namespace estilo = plataforma::estilo;
using datos::SentenciasAgregados;

// ---- The statements alone -----------------------------------------------------------

TEST(SentenciasAgregados, TextosExactos) {
    const std::optional<QString> sin;
    struct Caso {
        QString obtenida;
        const char* esperada;
    };
    const Caso casos[] = {
        {SentenciasAgregados::maximo("MA_X", "Codigo", sin), "SELECT MAX(Codigo) AS MAYOR FROM MA_X"},
        {SentenciasAgregados::maximo("MA_X", "Codigo", QString(" A = 1 ")),
         "SELECT MAX(Codigo) AS MAYOR FROM MA_X WHERE A = 1"},
        // Given but empty: the statement ends in " WHERE " and the server refuses it.
        {SentenciasAgregados::maximo("MA_X", "Codigo", QString()), "SELECT MAX(Codigo) AS MAYOR FROM MA_X WHERE "},
        {SentenciasAgregados::minimo("MA_X", "Codigo", sin), "SELECT MIN(Codigo) AS MENOR FROM MA_X  with(nolock) "},
        {SentenciasAgregados::minimo("MA_X", "Codigo", QString("A = 1 ")),
         "SELECT MIN(Codigo) AS MENOR FROM MA_X  with(nolock)  WHERE A = 1"},
        {SentenciasAgregados::ultimoCodigo("MA_X", "Codigo", "   "), "SELECT MAX(Codigo) AS MAYOR FROM MA_X"},
        {SentenciasAgregados::ultimoCodigo("MA_X", "Codigo", " A = 1 "),
         "SELECT MAX(Codigo) AS MAYOR FROM MA_X WHERE  A = 1 "},
        {SentenciasAgregados::sinCodigosCero(sin), " substring(ltrim(idarticulo),1,1)<>'0'"},
        {SentenciasAgregados::sinCodigosCero(QString()), " substring(ltrim(idarticulo),1,1)<>'0'"},
        {SentenciasAgregados::sinCodigosCero(QString("grupo = 1")),
         "grupo = 1 and substring(ltrim(idarticulo),1,1)<>'0'"},
        {SentenciasAgregados::agregarCampo("MA_X", "FLAG", "bit", false, ado::Variant(0)),
         "ALTER TABLE dbo.MA_X ADD FLAG bit Not Null  CONSTRAINT DF_MA_X_FLAG DEFAULT (0)"},
        {SentenciasAgregados::agregarCampo(" MA_X ", " NOTA ", "varchar(20)", true, std::nullopt),
         "ALTER TABLE dbo. MA_X  ADD  NOTA  varchar(20) Null "},
        {SentenciasAgregados::agregarCampo(" MA_X ", " NOTA ", "varchar(1)", true, ado::Variant("'N'")),
         "ALTER TABLE dbo. MA_X  ADD  NOTA  varchar(1) Null  CONSTRAINT DF_MA_X_NOTA DEFAULT ('N')"},
        // A decimal default keeps its point whatever the workstation writes.
        {SentenciasAgregados::agregarCampo("MA_X", "TASA", "numeric(9,4)", true, ado::Variant(0.5)),
         "ALTER TABLE dbo.MA_X ADD TASA numeric(9,4) Null  CONSTRAINT DF_MA_X_TASA DEFAULT (0.5)"},
    };
    for (const Caso& c : casos) EXPECT_EQ(c.obtenida.toStdString(), std::string(c.esperada));
}

// ---- On both engines -----------------------------------------------------------------

enum class Motor { Embebido, Postgres };

const char* const esquema[] = {
    "CREATE TABLE MA_ARTICULOS (idarticulo VARCHAR(15), grupo INTEGER)",
    // Group 1: every code begins with "0"; group 2: some do not.
    "INSERT INTO MA_ARTICULOS (idarticulo, grupo) VALUES ('001', 1)",
    "INSERT INTO MA_ARTICULOS (idarticulo, grupo) VALUES ('003', 1)",
    "INSERT INTO MA_ARTICULOS (idarticulo, grupo) VALUES ('002', 1)",
    "INSERT INTO MA_ARTICULOS (idarticulo, grupo) VALUES ('007', 2)",
    "INSERT INTO MA_ARTICULOS (idarticulo, grupo) VALUES ('15', 2)",
    "INSERT INTO MA_ARTICULOS (idarticulo, grupo) VALUES ('8', 2)",
    "CREATE VIEW V_MA_ARTICULOS AS SELECT idarticulo, grupo FROM MA_ARTICULOS",
    "CREATE TABLE MA_CODIGOS (Codigo VARCHAR(10), Importe NUMERIC(18,4), Fecha TIMESTAMP, Grupo INTEGER)",
    "INSERT INTO MA_CODIGOS (Codigo, Importe, Fecha, Grupo) VALUES ('000120', 1234.56, '2024-05-20 00:00:00', 1)",
    "INSERT INTO MA_CODIGOS (Codigo, Importe, Fecha, Grupo) VALUES ('ABC', 10.25, '2024-03-01 00:00:00', 1)",
    "INSERT INTO MA_CODIGOS (Codigo, Importe, Fecha, Grupo) VALUES ('000099', 0.5, '2023-12-31 00:00:00', 2)",
    "CREATE TABLE MA_VACIA (Codigo VARCHAR(10), Fecha TIMESTAMP)",
    "CREATE TABLE MA_X (Codigo VARCHAR(10))",
    "INSERT INTO MA_X (Codigo) VALUES ('A')",
};

class Agregados : public ::testing::TestWithParam<Motor> {
protected:
    void SetUp() override {
        ASSERT_TRUE(carpeta.isValid());
        qputenv("QUINTARO_TRAZA_SQL", QFile::encodeName(traza()));
        qputenv("QUINTARO_CARPETA", QFile::encodeName(carpeta.path() + u'/'));
        db = std::make_unique<datos::DB_Dll>(dialogos);
        if (GetParam() == Motor::Postgres) {
            QUINTARO_EXIGIR_POSTGRES();
            pg = std::make_unique<prueba::BasePostgres>(QStringLiteral("prueba_agregados"), false);
            ASSERT_TRUE(pg->valida()) << pg->error().toStdString();
            db->gServidor = pg->origenDatos();
            db->gDBName = pg->base();
            db->gUsuario = pg->usuario();
            db->gUserPassWord = pg->clave();
        } else {
            const QString servidor = carpeta.filePath(QStringLiteral("servidor"));
            ASSERT_TRUE(QDir().mkpath(servidor));
            ado::crearBaseEmbebida(servidor + QStringLiteral("/agregados.db"), {});
            db->gServidor = servidor;
            db->gDBName = QStringLiteral("agregados");
            db->gUsuario = QStringLiteral("ana");
            db->gUserPassWord = QStringLiteral("clave");
        }
        db->OpenServerADODB();
        ASSERT_TRUE(db->gOpenFlag);
        ASSERT_TRUE(dialogos.mensajes().empty()) << dialogos.mensajes().front().texto.toStdString();
        for (const char* sentencia : esquema) {
            db->EjecutaConsultaSQL(QString::fromUtf8(sentencia));
            ASSERT_EQ(db->gCnn().errors().Count(), 0)
                << sentencia << ": " << db->gCnn().errors().Item(0).Description.toStdString();
        }
        QFile::remove(traza());
    }

    void TearDown() override {
        db.reset();
        pg.reset();
        qunsetenv("QUINTARO_TRAZA_SQL");
        qunsetenv("QUINTARO_CARPETA");
    }

    QString traza() const { return carpeta.filePath(QStringLiteral("traza.log")); }

    // The statements traced since the last call.
    QStringList enviadas() const {
        QFile archivo(traza());
        QStringList sentencias;
        if (archivo.open(QIODevice::ReadOnly)) {
            // Each line: "yyyy-MM-dd hh:mm:ss.zzz " and the statement.
            for (const QString& linea : QString::fromUtf8(archivo.readAll()).split(u'\n', Qt::SkipEmptyParts))
                sentencias << linea.mid(24);
            archivo.close();
        }
        QFile::remove(traza());
        return sentencias;
    }

    ado::Variant leer(const QString& consulta) {
        ado::Recordset rs;
        rs.Open(consulta, db->gCnn());
        return rs.Fields(0L).Value();
    }

    QTemporaryDir carpeta;
    prueba::DialogosGuion dialogos;
    std::unique_ptr<prueba::BasePostgres> pg;
    std::unique_ptr<datos::DB_Dll> db;
};

std::string nombreMotor(const ::testing::TestParamInfo<Motor>& info) {
    return info.param == Motor::Embebido ? "Embebido" : "Postgres";
}

const QString sinCero = QStringLiteral("substring(ltrim(idarticulo),1,1)<>'0'");

TEST_P(Agregados, BuscaMaximo) {
    struct Caso {
        const char* nombre;
        QString tabla, campo;
        std::optional<ado::Variant> tipo;
        std::optional<QString> condicion;      // the caller's variable, if any
        double resultado;
        std::optional<QString> condicionDespues;
        QStringList enviadas;
    };
    const QString deArticulos = QStringLiteral("SELECT MAX(idarticulo) AS MAYOR FROM V_MA_ARTICULOS");
    const QString deCodigos = QStringLiteral("SELECT MAX(Codigo) AS MAYOR FROM MA_CODIGOS");
    const Caso casos[] = {
        // Every code begins with "0": asked again without them, nothing is left.
        {"ArticulosTodosCero", "V_MA_ARTICULOS", "idarticulo", std::nullopt, QString("grupo = 1"), 0,
         "grupo = 1 and " + sinCero,
         {deArticulos + " WHERE grupo = 1", deArticulos + " WHERE grupo = 1 and " + sinCero}},
        {"VistaEnMinusculas", "v_ma_articulos", "idarticulo", ado::Variant(8), QString(" grupo = 1"), 0,
         " grupo = 1 and " + sinCero,
         {"SELECT MAX(idarticulo) AS MAYOR FROM v_ma_articulos WHERE grupo = 1",
          "SELECT MAX(idarticulo) AS MAYOR FROM v_ma_articulos WHERE grupo = 1 and " + sinCero}},
        {"ArticulosSinCero", "V_MA_ARTICULOS", "idarticulo", std::nullopt, std::nullopt, 8, std::nullopt,
         {deArticulos}},
        // The condition still lets the "0" codes through: asking again with
        // the same exclusion could not change the answer, so it ends.
        {"CondicionQueNoLosExcluye", "V_MA_ARTICULOS", "idarticulo", std::nullopt,
         QString("grupo = 1 or grupo = 3"), 3, "grupo = 1 or grupo = 3 and " + sinCero,
         {deArticulos + " WHERE grupo = 1 or grupo = 3", deArticulos + " WHERE grupo = 1 or grupo = 3 and " + sinCero}},
        // Only the article view is special.
        {"OtraTablaConCero", "MA_CODIGOS", "Codigo", std::nullopt, QString("Codigo < 'A'"), 120, "Codigo < 'A'",
         {deCodigos + " WHERE Codigo < 'A'"}},
        {"TextoNoNumerico", "MA_CODIGOS", "Codigo", ado::Variant(8), std::nullopt, 0, std::nullopt, {deCodigos}},
        {"ImporteConDecimales", "MA_CODIGOS", "Importe", std::nullopt, std::nullopt, 1234.56, std::nullopt,
         {"SELECT MAX(Importe) AS MAYOR FROM MA_CODIGOS"}},
        {"TablaVacia", "MA_VACIA", "Codigo", std::nullopt, std::nullopt, 0, std::nullopt,
         {"SELECT MAX(Codigo) AS MAYOR FROM MA_VACIA"}},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        ado::Variant condicion = c.condicion ? ado::Variant(*c.condicion) : ado::Variant();
        const ado::Variant resultado =
            db->BuscaMaximo(c.tabla, c.campo, c.tipo, c.condicion ? &condicion : nullptr);
        EXPECT_EQ(resultado.tipo(), ado::Variant::Tipo::Doble);
        EXPECT_DOUBLE_EQ(resultado.aDouble(), c.resultado);
        if (c.condicionDespues) {
            EXPECT_EQ(condicion.texto(), *c.condicionDespues);
        }
        EXPECT_EQ(enviadas(), c.enviadas);
    }
    EXPECT_TRUE(dialogos.mensajes().empty());
}

TEST_P(Agregados, BuscaMaximoDeFechaDevuelveElValor) {
    const ado::Variant fecha = db->BuscaMaximo(QStringLiteral("MA_CODIGOS"), QStringLiteral("Fecha"), ado::Variant(7));
    EXPECT_EQ(fecha.aFechaHora().date(), QDate(2024, 5, 20)) << fecha.texto().toStdString();

    const ado::Variant ninguna = db->BuscaMaximo(QStringLiteral("MA_VACIA"), QStringLiteral("Fecha"), ado::Variant(7));
    EXPECT_EQ(ninguna, ado::Variant(QString()));
}

TEST_P(Agregados, UnaCondicionVaciaLlegaAlLlamadorComoError) {
    ado::Variant condicion{QString()};
    EXPECT_THROW(db->BuscaMaximo(QStringLiteral("MA_CODIGOS"), QStringLiteral("Codigo"), std::nullopt, &condicion),
                 plataforma::RuntimeError);
    EXPECT_EQ(enviadas(), QStringList{QStringLiteral("SELECT MAX(Codigo) AS MAYOR FROM MA_CODIGOS WHERE ")});
    // No error treatment of its own: nothing was shown.
    EXPECT_TRUE(dialogos.mensajes().empty());
}

TEST_P(Agregados, BuscaMinimoYBuscaUltimoCodigo) {
    struct Caso {
        const char* nombre;
        ado::Variant resultado;
        double esperado;
        QString enviada;
    };
    const auto minimo = [&](const char* campo, std::optional<ado::Variant> condicion = std::nullopt) {
        return db->BuscaMinimo(QStringLiteral("MA_CODIGOS"), QString::fromUtf8(campo), std::nullopt, condicion);
    };
    const auto ultimo = [&](const char* condicion) {
        return db->BuscaUltimoCodigo(QStringLiteral("MA_CODIGOS"), QStringLiteral("Codigo"), 8,
                                     QString::fromUtf8(condicion));
    };
    const Caso casos[] = {
        {"MinimoImporte", minimo("Importe"), 0.5, "SELECT MIN(Importe) AS MENOR FROM MA_CODIGOS  with(nolock) "},
        {"MinimoConCondicion", minimo("Importe", ado::Variant(" Grupo = 1 ")), 10.25,
         "SELECT MIN(Importe) AS MENOR FROM MA_CODIGOS  with(nolock)  WHERE Grupo = 1"},
        {"MinimoDeTexto", minimo("Codigo"), 99, "SELECT MIN(Codigo) AS MENOR FROM MA_CODIGOS  with(nolock) "},
        {"UltimoCodigoConCondicion", ultimo("Codigo < 'A'"), 120,
         "SELECT MAX(Codigo) AS MAYOR FROM MA_CODIGOS WHERE Codigo < 'A'"},
        {"UltimoCodigoCondicionEnBlanco", ultimo("   "), 0, "SELECT MAX(Codigo) AS MAYOR FROM MA_CODIGOS"},
    };
    // The calls above ran in this order.
    QStringList esperadas;
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        EXPECT_EQ(c.resultado.tipo(), ado::Variant::Tipo::Doble);
        EXPECT_DOUBLE_EQ(c.resultado.aDouble(), c.esperado);
        esperadas << c.enviada;
    }
    EXPECT_EQ(enviadas(), esperadas);
}

// "_" and "%" in a table name are letters of the name: a column of a table
// whose name they would match as a pattern never counts.
TEST_P(Agregados, ExisteCampoDB) {
    for (const char* sentencia : {"CREATE TABLE A_B (Codigo VARCHAR(10))", "CREATE TABLE AXB (Solo VARCHAR(10))",
                                  "CREATE TABLE AB_CD (Otra VARCHAR(10))"}) {
        db->EjecutaConsultaSQL(QString::fromLatin1(sentencia));
        ASSERT_EQ(db->gCnn().errors().Count(), 0) << sentencia;
    }
    struct Caso {
        const char* tabla;
        const char* campo;
        bool existe;
    };
    const Caso casos[] = {
        {"MA_CODIGOS", "Importe", true}, {"MA_CODIGOS", " importe ", true}, {"V_MA_ARTICULOS", "GRUPO", true},
        {"MA_CODIGOS", "Precio", false}, {"NOEXISTE", "Codigo", false},
        {"A_B", "Codigo", true}, {"A_B", "Solo", false}, {"AXB", "Solo", true}, {"AXB", "Codigo", false},
        {"A%", "Codigo", false}, {"A%", "Otra", false}, {"AB\\_CD", "Otra", false}, {"AB_CD", "Otra", true},
    };
    for (const Caso& c : casos)
        EXPECT_EQ(db->ExisteCampoDB(QString::fromUtf8(c.tabla), QString::fromUtf8(c.campo)), c.existe)
            << c.tabla << "." << c.campo;
    EXPECT_TRUE(dialogos.mensajes().empty());
}

TEST_P(Agregados, ExisteCampoDBSinConexionPasaPorElTratamientoDeErrores) {
    db->gCnn().Close();

    EXPECT_FALSE(db->ExisteCampoDB(QStringLiteral("MA_CODIGOS"), QStringLiteral("Importe")));

    ASSERT_EQ(dialogos.mensajes().size(), 1u);
    EXPECT_TRUE(dialogos.mensajes()[0].titulo.startsWith(QStringLiteral("VerificaCampos - ")));
    EXPECT_TRUE(dialogos.mensajes()[0].texto.startsWith(QStringLiteral("Ha ocurrido el Siguiente Error (3709) ")));
    // The line of the error log next to the program.
    QFile registro(carpeta.filePath(QStringLiteral("QZERR.LOG")));
    ASSERT_TRUE(registro.open(QIODevice::ReadOnly));
    EXPECT_TRUE(registro.readAll().contains(" Rutina: VerificaCampos - Mensaje "));
}

TEST_P(Agregados, ConProveedorOracleTodaColumnaExisteYNadaSeAgrega) {
    db->gProveedor = QStringLiteral("OraOLEDB.Oracle.1");

    EXPECT_TRUE(db->ExisteCampoDB(QStringLiteral("NOEXISTE"), QStringLiteral("X")));
    EXPECT_TRUE(db->VerCampoDB(QStringLiteral("MA_X"), QStringLiteral("NUEVA"), true, QStringLiteral("varchar(5)"), true));
    EXPECT_TRUE(enviadas().isEmpty());
}

TEST_P(Agregados, AddFieldAgregaLaColumnaConSuValorPredeterminado) {
    struct Caso {
        const char* campo;
        const char* tipo;
        bool nulos;
        std::optional<ado::Variant> predeterminado;
        const char* enviada;
        const char* leido;  // holds for the new column of a row inserted afterwards
    };
    std::vector<Caso> casos = {
        {"NOTA", "varchar(20)", true, std::nullopt, "ALTER TABLE dbo.MA_X ADD NOTA varchar(20) Null ", "NOTA IS NULL"},
        {"TASA", "numeric(9,4)", true, ado::Variant(0.5),
         "ALTER TABLE dbo.MA_X ADD TASA numeric(9,4) Null  CONSTRAINT DF_MA_X_TASA DEFAULT (0.5)", "TASA = 0.5"},
        {"CLASE", "varchar(1)", false, ado::Variant("'N'"),
         "ALTER TABLE dbo.MA_X ADD CLASE varchar(1) Not Null  CONSTRAINT DF_MA_X_CLASE DEFAULT ('N')",
         "CLASE = 'N'"},
    };
    // PostgreSQL's bit takes no whole-number default; the suite's example
    // runs where it can.
    if (GetParam() == Motor::Embebido)
        casos.push_back({"FLAG", "bit", false, ado::Variant(0),
                         "ALTER TABLE dbo.MA_X ADD FLAG bit Not Null  CONSTRAINT DF_MA_X_FLAG DEFAULT (0)",
                         "FLAG = 0"});
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.campo);
        db->AddField(QStringLiteral("MA_X"), QString::fromUtf8(c.campo), QString::fromUtf8(c.tipo), c.nulos,
                     c.predeterminado);
        EXPECT_EQ(enviadas(), QStringList{QString::fromUtf8(c.enviada)});
        ASSERT_EQ(db->gCnn().errors().Count(), 0) << db->gCnn().errors().Item(0).Description.toStdString();
        EXPECT_TRUE(db->ExisteCampoDB(QStringLiteral("MA_X"), QString::fromUtf8(c.campo)));
    }
    db->EjecutaConsultaSQL(QStringLiteral("INSERT INTO MA_X (Codigo) VALUES ('B')"));
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.campo);
        EXPECT_EQ(leer(QStringLiteral("SELECT COUNT(*) FROM MA_X WHERE Codigo = 'B' AND ") + c.leido).aEntero(), 1);
    }
    EXPECT_TRUE(dialogos.mensajes().empty());
}

TEST_P(Agregados, AddFieldRechazadoNoAvisaYDejaLosErrores) {
    db->AddField(QStringLiteral("MA_X"), QStringLiteral("Codigo"), QStringLiteral("varchar(5)"), true);

    EXPECT_GT(db->gCnn().errors().Count(), 0);
    EXPECT_TRUE(dialogos.mensajes().empty());
}

TEST_P(Agregados, VerCampoDB) {
    struct Caso {
        const char* nombre;
        const char* tabla;
        const char* campo;
        bool agregar;
        bool agregada;  // an ALTER TABLE was sent
    };
    const Caso casos[] = {
        {"TablaQueNoExiste", "NOEXISTE", "EXTRA", true, false},
        {"ColumnaQueYaEsta", "MA_X", " codigo ", true, false},
        {"SinPermisoParaAgregar", "MA_X", "EXTRA", false, false},
        {"ColumnaNueva", "MA_X", "EXTRA", true, true},
        {"YaAgregada", "MA_X", "EXTRA", true, false},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        EXPECT_TRUE(db->VerCampoDB(QString::fromUtf8(c.tabla), QString::fromUtf8(c.campo), c.agregar,
                                   QStringLiteral("varchar(5)"), true));
        const QStringList sentencias = enviadas();
        EXPECT_EQ(sentencias.size(), c.agregada ? 1 : 0) << sentencias.join(u'\n').toStdString();
    }
    EXPECT_TRUE(db->ExisteCampoDB(QStringLiteral("MA_X"), QStringLiteral("EXTRA")));
    EXPECT_TRUE(dialogos.mensajes().empty());
}

// ---- The error table on both engines ----------------------------------------------------

// The row of a failed batch lands whatever type the server gives AUX_ERR's
// Fecha: a text column keeps the workstation's "dd/MM/yy hh:mm", a date
// column gets the moment itself.
TEST_P(Agregados, RegistrarErrorAuxEscribeLaFechaComoLaColumnaLaTiene) {
    for (const char* tipo : {"VARCHAR(30)", "TIMESTAMP"}) {
        db->EjecutaConsultaSQL(QStringLiteral("CREATE TABLE AUX_ERR (ID INTEGER, Proceso VARCHAR(50), Fecha ") +
                               QString::fromLatin1(tipo) +
                               QStringLiteral(", Error INTEGER, Descripcion VARCHAR(250), SQL TEXT, pc VARCHAR(50), "
                                              "Usuario VARCHAR(30))"));
        ASSERT_EQ(db->gCnn().errors().Count(), 0) << db->gCnn().errors().Item(0).Description.toStdString();
        const QDateTime antes = QDateTime::currentDateTime().addSecs(-60);
        QString proceso;

        datos::RegistrarErrorAux(*db, QStringLiteral("INSERT INTO X VALUES ('a')"), proceso, 2627,
                                 QStringLiteral("duplicada"));

        ado::Recordset fila;
        fila.Open(QStringLiteral("SELECT Fecha, Error FROM AUX_ERR"), db->gCnn());
        ASSERT_EQ(fila.RecordCount(), 1) << tipo;
        EXPECT_EQ(fila["Error"].aEntero(), 2627) << tipo;
        const ado::Variant fecha = fila["Fecha"];
        if (QByteArray(tipo).startsWith("VARCHAR")) {
            EXPECT_EQ(fecha.texto().size(), 14) << fecha.texto().toStdString();  // dd/MM/yy hh:mm
        } else {
            EXPECT_GE(fecha.aFechaHora(), antes) << fecha.texto().toStdString();
            EXPECT_LE(fecha.aFechaHora(), QDateTime::currentDateTime().addSecs(60)) << fecha.texto().toStdString();
        }
        fila.Close();
        db->EjecutaConsultaSQL(QStringLiteral("DROP TABLE AUX_ERR"));
    }
    EXPECT_TRUE(dialogos.mensajes().empty());
}

INSTANTIATE_TEST_SUITE_P(Motores, Agregados, ::testing::Values(Motor::Embebido, Motor::Postgres), nombreMotor);

}  // namespace
