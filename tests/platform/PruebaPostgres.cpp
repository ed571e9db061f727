// The data layer against a real PostgreSQL server reached through a data
// source and Debian's psqlODBC driver.

#include "support/BasePostgres.h"
#include "BaseDePrueba.h"

#include "platform/RuntimeError.h"
#include "platform/ado/Connection.h"
#include "platform/ado/ConnectionInterna.h"
#include "platform/ado/DialectoPostgres.h"
#include "platform/ado/Recordset.h"
#include "platform/ado/proveedores/ProveedorOrigenDatos.h"
#include "platform/ado/proveedores/ProveedorPostgres.h"
#include "platform/ado/proveedores/ProveedorSqlite.h"
#include "platform/ado/BaseEmbebida.h"

#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <functional>
#include <memory>
#include <typeinfo>

namespace numero = plataforma::numero;

namespace {

const char* const esquemaDePrueba = R"sql(
CREATE TABLE ma_cuentas (
  codigo varchar(15) NOT NULL PRIMARY KEY,
  descripcion varchar(60) NOT NULL,
  saldo numeric(18,4) DEFAULT 0,
  alta timestamp,
  activa smallint DEFAULT 1
);
CREATE TABLE mv_movimientos (
  id serial PRIMARY KEY,
  cuenta varchar(15) NOT NULL REFERENCES ma_cuentas (codigo),
  importe numeric(18,4) NOT NULL,
  "DEBE-HABER" varchar(1),
  motivo varchar(10)
);
INSERT INTO ma_cuentas (codigo, descripcion, saldo, alta) VALUES ('1.1.01', 'Caja', 10.5, '2024-03-05');
INSERT INTO ma_cuentas (codigo, descripcion, saldo, alta) VALUES ('1.1.02', 'Banco', 0, '2024-03-06');
CREATE VIEW v_cuentas AS SELECT codigo, descripcion FROM ma_cuentas;
)sql";

// Statements as the program writes them for SQL Server, exactly what reaches
// the server, and the first value the server answers.
struct Reescritura {
    const char* entrada;
    const char* salida;
    const char* valor;
};

void PrintTo(const Reescritura& r, std::ostream* os) { *os << r.entrada; }

const Reescritura reescrituras[] = {
    {"SELECT TOP 1 [Codigo] FROM dbo.[MA_CUENTAS] with(nolock) ORDER BY Codigo DESC",
     "SELECT \"codigo\" FROM \"ma_cuentas\"  ORDER BY Codigo DESC LIMIT 1", "1.1.02"},
    {"SELECT COUNT(*) FROM MA_CUENTAS WHERE Codigo IN (SELECT TOP 1 Codigo FROM MA_CUENTAS (nolock) ORDER BY Codigo)",
     "SELECT COUNT(*) FROM MA_CUENTAS WHERE Codigo IN (SELECT Codigo FROM MA_CUENTAS  ORDER BY Codigo LIMIT 1)", "1"},
    {"SELECT TOP 100 PERCENT Descripcion FROM V_CUENTAS ORDER BY Codigo",
     "SELECT Descripcion FROM V_CUENTAS ORDER BY Codigo", "Caja"},
    {"SELECT ISNULL(MAX(Motivo), 'nada') FROM MV_MOVIMIENTOS", "SELECT COALESCE(MAX(Motivo), 'nada') FROM MV_MOVIMIENTOS",
     "nada"},
    // SQL Server's LEN does not count trailing blanks
    {"SELECT LEN(Descripcion + '  ') FROM MA_CUENTAS WHERE Codigo = '1.1.01'",
     "SELECT LENGTH(RTRIM(Descripcion || '  ')) FROM MA_CUENTAS WHERE Codigo = '1.1.01'", "4"},
    {"SELECT Charindex('.', SUBSTRING(Codigo, 3, 10)) FROM MA_CUENTAS WHERE Codigo = '1.1.01'",
     "SELECT STRPOS(SUBSTRING(Codigo, 3, 10), '.') FROM MA_CUENTAS WHERE Codigo = '1.1.01'", "2"},
    // "+" joins texts where a literal text shows it; numbers still add
    {"SELECT RTRIM(Codigo) + ' - ' + [Descripcion] FROM MA_CUENTAS a WHERE a.Codigo = '1.1.01'",
     "SELECT RTRIM(Codigo) || ' - ' || \"descripcion\" FROM MA_CUENTAS a WHERE a.Codigo = '1.1.01'", "1.1.01 - Caja"},
    {"SELECT N'Cuenta ' + (Codigo + ':') + N'ñ' FROM MA_CUENTAS WHERE Codigo = '1.1.02'",
     "SELECT 'Cuenta ' || (Codigo || ':') || 'ñ' FROM MA_CUENTAS WHERE Codigo = '1.1.02'", "Cuenta 1.1.02:ñ"},
    {"SELECT Saldo + 1 FROM MA_CUENTAS WHERE Codigo = '1.1.02' AND 'a+b' <> 'a' + 'b' + ''",
     "SELECT Saldo + 1 FROM MA_CUENTAS WHERE Codigo = '1.1.02' AND 'a+b' <> 'a' || 'b' || ''", "1"},
    // CONVERT and the type names
    {"SELECT CONVERT(NVARCHAR, Alta, 103) FROM MA_CUENTAS WHERE Codigo = '1.1.01'",
     "SELECT TO_CHAR(Alta, 'DD/MM/YYYY') FROM MA_CUENTAS WHERE Codigo = '1.1.01'", "05/03/2024"},
    {"SELECT CONVERT(INT, '12') + 1", "SELECT CAST('12' AS INT) + 1", "13"},
    {"SELECT '1' + 1", "SELECT '1' + 1", "2"},
    {"SELECT CONVERT(VARCHAR(8), Alta, 112) FROM MA_CUENTAS WHERE Codigo = '1.1.01'",
     "SELECT TO_CHAR(Alta, 'YYYYMMDD') FROM MA_CUENTAS WHERE Codigo = '1.1.01'", "20240305"},
    {"SELECT CONVERT(money, Saldo) * 2 FROM MA_CUENTAS WHERE Codigo = '1.1.01'",
     "SELECT CAST(Saldo AS NUMERIC(19,4)) * 2 FROM MA_CUENTAS WHERE Codigo = '1.1.01'", "21"},
    {"SELECT 'like x' AS [Desc ripcion], 2 AS [a]]b]", "SELECT 'like x' AS \"Desc ripcion\", 2 AS \"a]b\"", "like x"},
    {"SELECT CONVERT(nvarchar(10), Saldo) + '$' FROM MA_CUENTAS WHERE Codigo = '1.1.01'",
     "SELECT CAST(Saldo AS VARCHAR(10)) || '$' FROM MA_CUENTAS WHERE Codigo = '1.1.01'", "10.5000$"},
    {"SELECT CASE WHEN CONVERT(datetime, '05/03/2024', 103) = '2024-03-05' THEN 1 ELSE 0 END",
     "SELECT CASE WHEN CAST(TO_TIMESTAMP('05/03/2024', 'DD/MM/YYYY') AS TIMESTAMP) = '2024-03-05' THEN 1 ELSE 0 END",
     "1"},
    {"SELECT COUNT(*) FROM MA_CUENTAS WHERE CAST(Alta AS datetime) = CONVERT(smalldatetime, '2024-03-05')",
     "SELECT COUNT(*) FROM MA_CUENTAS WHERE CAST(Alta AS TIMESTAMP) = CAST('2024-03-05' AS TIMESTAMP)", "1"},
    // day-first dates are the session's, letter case is not compared
    {"SELECT COUNT(*) FROM MA_CUENTAS WHERE Alta >= '05/03/2024' AND Alta < '06/03/2024'",
     "SELECT COUNT(*) FROM MA_CUENTAS WHERE Alta >= '05/03/2024' AND Alta < '06/03/2024'", "1"},
    {"SELECT COUNT(*) FROM MA_CUENTAS WHERE Descripcion like 'caja%' OR Descripcion NOT LIKE '%AN%'",
     "SELECT COUNT(*) FROM MA_CUENTAS WHERE Descripcion ILIKE 'caja%' OR Descripcion NOT ILIKE '%AN%'", "1"},
    {"SELECT CASE WHEN GETDATE() > '01/01/2000' THEN 1 ELSE 0 END",
     "SELECT CASE WHEN LOCALTIMESTAMP > '01/01/2000' THEN 1 ELSE 0 END", "1"},
    // names that keep their quotes, and the lookup tree's statement
    {"SELECT SUM(CASE WHEN [DEBE-HABER]='D' THEN IMPORTE ELSE IMPORTE*-1 END) AS SALDO FROM MV_MOVIMIENTOS "
     "WHERE CUENTA='1.1.01'",
     "SELECT SUM(CASE WHEN \"DEBE-HABER\"='D' THEN IMPORTE ELSE IMPORTE*-1 END) AS SALDO FROM MV_MOVIMIENTOS "
     "WHERE CUENTA='1.1.01'", "70"},
    {"SELECT     TOP 100 PERCENT Codigo, Descripcion, (SELECT     TOP 1 Codigo FROM dbo.V_CUENTAS a  "
     " Where a.Codigo < b.Codigo And (Len(LTrim(RTrim(a.Codigo))) < Len(LTrim(RTrim(b.Codigo)))) "
     " ORDER BY Codigo DESC) AS [relative] FROM dbo.V_CUENTAS b Where Codigo<>'' ORDER BY Codigo DESC",
     "SELECT Codigo, Descripcion, (SELECT Codigo FROM V_CUENTAS a  "
     " Where a.Codigo < b.Codigo And (LENGTH(RTRIM(LTrim(RTrim(a.Codigo)))) < LENGTH(RTRIM(LTrim(RTrim(b.Codigo))))) "
     " ORDER BY Codigo DESC LIMIT 1) AS \"relative\" FROM V_CUENTAS b Where Codigo<>'' ORDER BY Codigo DESC",
     "1.1.02"},
    {"SELECT 'dbo.X + [y]', \"Codigo\" FROM MA_CUENTAS WHERE \"Codigo\" = '1.1.01'",
     "SELECT 'dbo.X + [y]', \"codigo\" FROM MA_CUENTAS WHERE \"codigo\" = '1.1.01'", "dbo.X + [y]"},
};

class DialectoEnElServidor : public ::testing::TestWithParam<Reescritura> {
protected:
    void SetUp() override {
        QUINTARO_EXIGIR_POSTGRES();
        if (!pg_) {
            pg_ = std::make_unique<prueba::BasePostgres>(QStringLiteral("quintaro_dialecto"), false);
            ASSERT_TRUE(pg_->valida()) << pg_->error().toStdString();
            QString salida;
            ASSERT_TRUE(pg_->psql(QString::fromUtf8(esquemaDePrueba) +
                                      QStringLiteral("INSERT INTO mv_movimientos (cuenta, importe, \"DEBE-HABER\") "
                                                     "VALUES ('1.1.01', 100, 'D'), ('1.1.01', 30, 'H');"),
                                  &salida))
                << salida.toStdString();
        }
        cnn_.Open(pg_->textoConexion());
    }
    static void TearDownTestSuite() { pg_.reset(); }

    static std::unique_ptr<prueba::BasePostgres> pg_;
    ado::Connection cnn_;
};

std::unique_ptr<prueba::BasePostgres> DialectoEnElServidor::pg_;

// The error a call raised and the connection's list after it.
struct Falla {
    long numero = 0;
    QString estado;
    long nativo = 0;
    long registros = 0;
};

Falla fallaDe(ado::Connection& cnn, const std::function<void()>& accion) {
    Falla f;
    try {
        accion();
    } catch (const plataforma::RuntimeError& e) {
        f.numero = e.Number();
    }
    f.registros = cnn.errors().Count();
    if (f.registros > 0) {
        f.estado = cnn.errors().Item(0).SQLState;
        f.nativo = cnn.errors().Item(0).NativeError;
    }
    return f;
}

class Postgres : public ::testing::Test {
protected:
    void SetUp() override {
        QUINTARO_EXIGIR_POSTGRES();
        pg_ = std::make_unique<prueba::BasePostgres>(QStringLiteral("quintaro_plataforma"), false);
        ASSERT_TRUE(pg_->valida()) << pg_->error().toStdString();
        QString salida;
        ASSERT_TRUE(pg_->psql(QString::fromUtf8(esquemaDePrueba), &salida)) << salida.toStdString();
        cnn_.Open(pg_->textoConexion());
    }

    ado::Variant unico(const QString& consulta) {
        ado::Recordset rs;
        rs.Open(consulta, cnn_);
        EXPECT_FALSE(rs.EOF_()) << consulta.toStdString();
        return rs.EOF_() ? ado::Variant() : rs.Fields(0L).Value();
    }
    QString textoCon(const QString& servidor) const {
        return QStringLiteral("PROVIDER=SQLOLEDB;Server=") + servidor + QStringLiteral(";Database =") + pg_->base() +
               QStringLiteral(";UId=") + pg_->usuario() + QStringLiteral(";Pwd=") + pg_->clave() + u';';
    }

    std::unique_ptr<prueba::BasePostgres> pg_;
    ado::Connection cnn_;
};

}  // namespace

// --- Data source and engine ------------------------------------------------

TEST_F(Postgres, ElOrigenDeDatosLlevaAlMotorQueInformaElControlador) {
    // A SQLite data source beside the server's: the engine the driver names
    // decides, not the data source's name.
    QTemporaryDir carpeta;
    const QString archivo = carpeta.filePath(QStringLiteral("lite.db"));
    ado::crearBaseEmbebida(archivo, {QStringLiteral("CREATE TABLE T (A int); INSERT INTO T VALUES (7);")});
    QFile ini(qEnvironmentVariable("ODBCINI"));
    ASSERT_TRUE(ini.open(QIODevice::Append | QIODevice::Text));
    ini.write(QStringLiteral("\n[QUINTARO_LITE]\nDriver=SQLite3\nDatabase=%1\n").arg(archivo).toUtf8());
    ini.close();

    struct Caso {
        QString servidor;
        QString consulta;  // in SQL Server's dialect
        const std::type_info& motor;
        QString valor;
    };
    const Caso casos[] = {
        {pg_->origenDatos(), QStringLiteral("SELECT version()"), typeid(ado::ProveedorPostgres),
         QStringLiteral("PostgreSQL")},
        {pg_->origenDatos().toLower(), QStringLiteral("SELECT current_database()"), typeid(ado::ProveedorPostgres),
         pg_->base()},
        {QStringLiteral("quintaro_lite"), QStringLiteral("SELECT TOP 1 A FROM dbo.T with(nolock)"),
         typeid(ado::ProveedorSqlite), QStringLiteral("7")},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.servidor.toStdString());
        ado::Connection cnn;
        cnn.Open(textoCon(c.servidor));
        const auto* origen = dynamic_cast<const ado::ProveedorOrigenDatos*>(cnn.interna().proveedor.get());
        ASSERT_NE(origen, nullptr);
        EXPECT_EQ(typeid(origen->motor()), c.motor);
        ado::Recordset rs;
        rs.Open(c.consulta, cnn);
        EXPECT_TRUE(rs.Fields(0L).Value().texto().startsWith(c.valor)) << rs.Fields(0L).Value().texto().toStdString();
    }
}

TEST_F(Postgres, LasFechasSeLeenConElDiaPrimero) {
    EXPECT_EQ(unico(QStringLiteral("SELECT CAST('05/03/2024' AS timestamp)")),
              ado::Variant(QDateTime(QDate(2024, 3, 5), QTime(0, 0))));
    cnn_.Execute(QStringLiteral("UPDATE ma_cuentas SET alta = '31/12/2023 10:20:30' WHERE codigo = '1.1.02'"));
    EXPECT_EQ(unico(QStringLiteral("SELECT alta FROM ma_cuentas WHERE codigo = '1.1.02'")),
              ado::Variant(QDateTime(QDate(2023, 12, 31), QTime(10, 20, 30))));
    // Also after reconnecting: the setting belongs to the session.
    cnn_.Close();
    cnn_.Open(pg_->textoConexion());
    // Month first, 3 April would also take the 5th of March.
    EXPECT_EQ(unico(QStringLiteral("SELECT COUNT(*) FROM ma_cuentas WHERE alta < '04/03/2024'")).texto(),
              QStringLiteral("1"));
}

// --- Errors ----------------------------------------------------------------

TEST_F(Postgres, LosErroresDelServidorLlevanLosNumerosDeSqlServer) {
    struct Caso {
        const char* sentencia;
        long numero;
        const char* estado;
        long nativo;
    };
    const Caso casos[] = {
        {"INSERT INTO ma_cuentas (codigo, descripcion) VALUES ('1.1.01', 'otra')", numero::ViolacionIntegridad,
         "23000", 2627},
        {"INSERT INTO mv_movimientos (cuenta, importe) VALUES ('9.9.99', 1)", numero::ViolacionIntegridad, "23000",
         547},
        {"INSERT INTO mv_movimientos (cuenta, importe) VALUES ('1.1.01', NULL)", numero::ViolacionIntegridad,
         "23000", 515},
        {"INSERT INTO mv_movimientos (cuenta, importe, motivo) VALUES ('1.1.01', 1, 'demasiado largo')",
         numero::ErrorSintaxis, "22001", 8152},
        // A failure as the statement runs is an error in the command, never
        // a lost connection that the session would answer by reconnecting.
        {"SELECT 1 / 0", numero::ErrorSintaxis, "22012", 8134},
        {"SELECT CAST(100000 AS SMALLINT)", numero::ErrorSintaxis, "22003", 8115},
        {"SELECT * FROM no_existe", numero::TablaInexistente, "42S02", 208},
        {"SELECT no_existe FROM ma_cuentas", numero::ErrorSintaxis, "42S22", 207},
        {"SELEC 1", numero::ErrorSintaxis, "42000", 102},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.sentencia);
        const Falla f = fallaDe(cnn_, [&] { cnn_.Execute(QString::fromUtf8(c.sentencia)); });
        EXPECT_EQ(f.numero, c.numero);
        EXPECT_EQ(f.estado, QString::fromUtf8(c.estado));
        EXPECT_EQ(f.nativo, c.nativo);
        ASSERT_GE(f.registros, 1);
        const QString descripcion = cnn_.errors().Item(0).Description;
        EXPECT_FALSE(descripcion.startsWith(QLatin1String("ERROR"))) << descripcion.toStdString();
        EXPECT_FALSE(descripcion.contains(QLatin1String("Error while"))) << descripcion.toStdString();
    }
}

TEST_F(Postgres, ElTiempoDeEsperaTerminaLaSentencia) {
    cnn_.setCommandTimeout(1);
    const Falla f = fallaDe(cnn_, [&] { cnn_.Execute(QStringLiteral("SELECT pg_sleep(60)")); });
    EXPECT_EQ(f.numero, numero::TiempoAgotado);
    EXPECT_EQ(f.estado, QStringLiteral("HYT00"));
    // The connection goes on.
    cnn_.setCommandTimeout(30);
    EXPECT_EQ(unico(QStringLiteral("SELECT COUNT(*) FROM ma_cuentas")).texto(), QStringLiteral("2"));
}

// --- A lost connection -------------------------------------------------------

TEST_F(Postgres, UnaConexionTerminadaSeInformaYSeReabre) {
    const QString pid = unico(QStringLiteral("SELECT pg_backend_pid()")).texto();
    ado::Connection otra;
    otra.Open(pg_->textoConexion());
    otra.Execute(QStringLiteral("SELECT pg_terminate_backend(") + pid + u')');

    const Falla f = fallaDe(cnn_, [&] { unico(QStringLiteral("SELECT COUNT(*) FROM ma_cuentas")); });
    EXPECT_EQ(f.numero, numero::FallaProveedor);
    EXPECT_GE(f.registros, 1);
    EXPECT_TRUE(f.estado.startsWith(QLatin1String("08"))) << f.estado.toStdString();

    cnn_.Close();
    cnn_.Open(cnn_.ConnectionString(), pg_->usuario(), pg_->clave());
    EXPECT_EQ(unico(QStringLiteral("SELECT COUNT(*) FROM ma_cuentas")).texto(), QStringLiteral("2"));
}

TEST_F(Postgres, ElServidorDetenidoSeInformaYAlVolverSeReabre) {
    ASSERT_TRUE(prueba::BasePostgres::pararServidor());
    const Falla caida = fallaDe(cnn_, [&] { unico(QStringLiteral("SELECT COUNT(*) FROM ma_cuentas")); });
    const Falla reapertura = fallaDe(cnn_, [&] {
        cnn_.Close();
        cnn_.Open(cnn_.ConnectionString(), pg_->usuario(), pg_->clave());
    });
    ASSERT_TRUE(prueba::BasePostgres::arrancarServidor());
    EXPECT_EQ(caida.numero, numero::FallaProveedor);
    EXPECT_GE(caida.registros, 1);
    EXPECT_EQ(reapertura.numero, numero::FallaProveedor);
    EXPECT_EQ(cnn_.State(), ado::estado::Cerrado);

    cnn_.Open(cnn_.ConnectionString(), pg_->usuario(), pg_->clave());
    EXPECT_EQ(unico(QStringLiteral("SELECT COUNT(*) FROM ma_cuentas")).texto(), QStringLiteral("2"));
}

// --- Transactions in command texts ----------------------------------------------

TEST_F(Postgres, LasSentenciasDeTransaccionDelTextoSonLasDeLaConexion) {
    cnn_.setIsolationLevel(ado::aislamiento::LecturaNoConfirmada);  // as the session's start sets it
    cnn_.Execute(QStringLiteral("BEGIN TRANSACTION\n"
                                "INSERT INTO ma_cuentas (codigo, descripcion) VALUES ('2.1.01', 'a');\n"
                                "UPDATE ma_cuentas SET saldo = 1 WHERE codigo = '1.1.01'"));
    // A failing statement inside the transaction undoes itself alone, as on
    // SQL Server: the caller still decides.
    const Falla f = fallaDe(cnn_, [&] {
        cnn_.Execute(QStringLiteral("INSERT INTO ma_cuentas (codigo, descripcion) VALUES ('2.1.01', 'b')"));
    });
    EXPECT_EQ(f.nativo, 2627);
    cnn_.Execute(QStringLiteral("UPDATE ma_cuentas SET saldo = 2 WHERE codigo = '1.1.02'"));
    cnn_.Execute(QStringLiteral("COMMIT TRANSACTION"));
    EXPECT_EQ(unico(QStringLiteral("SELECT COUNT(*) FROM ma_cuentas WHERE codigo = '2.1.01' OR saldo IN (1, 2)"))
                  .texto(),
              QStringLiteral("3"));

    cnn_.Execute(QStringLiteral("BEGIN TRANSACTION; DELETE FROM ma_cuentas WHERE codigo = '2.1.01'; "
                                "ROLLBACK TRANSACTION"));
    EXPECT_EQ(unico(QStringLiteral("SELECT COUNT(*) FROM ma_cuentas")).texto(), QStringLiteral("3"));
}

// --- Names the server folded ----------------------------------------------------

TEST_F(Postgres, ElCatalogoEncuentraLosNombresComoLosEscribeElPrograma) {
    struct Caso {
        long esquema;
        QStringList restricciones;
        const char* columna;
        const char* valor;
    };
    const Caso casos[] = {
        {ado::esquema::Tablas, {{}, {}, QStringLiteral("MA_CUENTAS")}, "TABLE_NAME", "ma_cuentas"},
        {ado::esquema::Columnas, {{}, {}, QStringLiteral("MA_CUENTAS"), QStringLiteral("Descripcion")},
         "COLUMN_NAME", "descripcion"},
        {ado::esquema::Columnas, {{}, {}, QStringLiteral("MV_MOVIMIENTOS"), QStringLiteral("DEBE-HABER")},
         "COLUMN_NAME", "DEBE-HABER"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.restricciones.join(u',').toStdString());
        ado::Recordset rs = cnn_.OpenSchema(c.esquema, c.restricciones);
        ASSERT_FALSE(rs.EOF_());
        EXPECT_EQ(rs[QString::fromUtf8(c.columna)].texto(), QString::fromUtf8(c.valor));
        rs.MoveNext();
        EXPECT_TRUE(rs.EOF_());
    }
}

TEST_F(Postgres, UnRecordsetActualizableEscribeEnLaTablaPorSuClave) {
    ado::Recordset rs;
    rs.Open(QStringLiteral("SELECT Codigo, Descripcion, Saldo FROM MA_CUENTAS WHERE Codigo = '1.1.01'"), cnn_,
            ado::cursor::Keyset, ado::bloqueo::Optimistic);
    ASSERT_FALSE(rs.EOF_());
    rs.Fields(QStringLiteral("DESCRIPCION")).setValue(ado::Variant(QStringLiteral("Caja chica")));
    rs.Update();
    rs.AddNew();
    rs.Fields(QStringLiteral("Codigo")).setValue(ado::Variant(QStringLiteral("3.1.01")));
    rs.Fields(QStringLiteral("Descripcion")).setValue(ado::Variant(QStringLiteral("Capital")));
    rs.Update();
    rs.Close();
    EXPECT_EQ(unico(QStringLiteral("SELECT descripcion FROM ma_cuentas WHERE codigo = '1.1.01'")).texto(),
              QStringLiteral("Caja chica"));
    EXPECT_EQ(unico(QStringLiteral("SELECT COUNT(*) FROM ma_cuentas")).texto(), QStringLiteral("3"));
    // Keyed on the primary key alone: another column changed meanwhile does
    // not hide the row.
    rs.Open(QStringLiteral("SELECT codigo, descripcion FROM ma_cuentas WHERE codigo = '1.1.02'"), cnn_,
            ado::cursor::Keyset, ado::bloqueo::Optimistic);
    cnn_.Execute(QStringLiteral("UPDATE ma_cuentas SET descripcion = 'Banco 2' WHERE codigo = '1.1.02'"));
    rs.Fields(QStringLiteral("descripcion")).setValue(ado::Variant(QStringLiteral("Banco 3")));
    rs.Update();
    EXPECT_EQ(unico(QStringLiteral("SELECT descripcion FROM ma_cuentas WHERE codigo = '1.1.02'")).texto(),
              QStringLiteral("Banco 3"));
}

// --- The rewriting of SQL Server's statements ------------------------------------

TEST_P(DialectoEnElServidor, LaSentenciaReescritaCorreEnElServidor) {
    const Reescritura& r = GetParam();
    EXPECT_EQ(ado::DialectoPostgres().reescribir(QString::fromUtf8(r.entrada)), QString::fromUtf8(r.salida));
    ado::Recordset rs;
    rs.Open(QString::fromUtf8(r.entrada), cnn_);
    ASSERT_FALSE(rs.EOF_());
    if (r.valor) {
        EXPECT_EQ(rs.Fields(0L).Value().texto(), QString::fromUtf8(r.valor));
    }
}

INSTANTIATE_TEST_SUITE_P(Sentencias, DialectoEnElServidor, ::testing::ValuesIn(reescrituras));

// psqlODBC writes a numeric value with the C library's decimal point, which
// the workstation's settings make a comma: the amount must still come back
// as an amount, with its decimals, not as that text.
TEST_F(Postgres, LosImportesLleganComoImportesConSusDecimales) {
    ASSERT_EQ(QLocale().decimalPoint(), QStringLiteral(","));
    ado::Recordset rs;
    rs.Open(QStringLiteral("SELECT CAST(1742750.75 AS NUMERIC(18,4)) AS A, SUM(x) AS B "
                           "FROM (VALUES (CAST(0.5 AS NUMERIC(18,4))), (CAST(2 AS NUMERIC(18,4)))) AS t(x)"),
            cnn_);
    for (const auto& [campo, esperado] : {std::pair{"A", 1742750.75}, std::pair{"B", 2.5}}) {
        const ado::Variant valor = rs.Fields(QString::fromLatin1(campo)).Value();
        EXPECT_EQ(valor.tipo(), ado::Variant::Tipo::Importe) << campo << " " << valor.texto().toStdString();
        EXPECT_DOUBLE_EQ(valor.aDouble(), esperado) << campo;
    }
}

// As ADO, a text whose statements give several results opens the first;
// the statements after it run as well.
TEST_F(Postgres, UnTextoDeVariosResultadosAbreElPrimero) {
    ado::Recordset rs;
    rs.Open(QStringLiteral("UPDATE MA_CUENTAS SET Activa = 0 WHERE Codigo = '1.1.02';\r\n"
                           "SELECT Codigo FROM MA_CUENTAS WHERE Codigo = '1.1.01';\r\n"
                           "SELECT Descripcion, Saldo FROM MA_CUENTAS ORDER BY Codigo;\r\n"
                           "UPDATE MA_CUENTAS SET Activa = 0 WHERE Codigo = '1.1.01'"),
            cnn_);
    ASSERT_EQ(rs.State(), ado::estado::Abierto);
    ASSERT_EQ(rs.FieldCount(), 1);
    EXPECT_EQ(rs.Fields(0L).Name(), QStringLiteral("Codigo"));
    EXPECT_EQ(rs.RecordCount(), 1);
    EXPECT_EQ(rs.Fields(0L).Value().texto(), QStringLiteral("1.1.01"));
    EXPECT_EQ(unico(QStringLiteral("SELECT COUNT(*) FROM MA_CUENTAS WHERE Activa = 0")).texto(), QStringLiteral("2"));
}

TEST_F(Postgres, LasColumnasSeLlamanComoLasEscribeLaSentencia) {
    cnn_.Execute(QStringLiteral("INSERT INTO MV_MOVIMIENTOS (Cuenta, Importe, [DEBE-HABER]) VALUES ('1.1.01', 5, 'D')"));
    ado::Recordset rs;
    rs.Open(QStringLiteral("SELECT C.CODIGO, [Descripcion], Saldo * 2 AS Doble, m.[DEBE-HABER], m.id "
                           "FROM MA_CUENTAS c JOIN mv_movimientos m ON m.Cuenta = c.Codigo"),
            cnn_);
    QStringList nombres;
    for (long i = 0; i < rs.FieldCount(); ++i) nombres << rs.Fields(i).Name();
    EXPECT_EQ(nombres, (QStringList{QStringLiteral("CODIGO"), QStringLiteral("Descripcion"), QStringLiteral("Doble"),
                                    QStringLiteral("DEBE-HABER"), QStringLiteral("id")}));
}
