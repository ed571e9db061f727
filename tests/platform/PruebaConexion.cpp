#include "BaseDePrueba.h"

#include "platform/RuntimeError.h"
#include "platform/ado/BaseEmbebida.h"
#include "platform/ado/Recordset.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <functional>

using prueba::BaseDePrueba;
namespace numero = plataforma::numero;

namespace {

// Runs `accion` and answers the number of the run-time error it raised (0
// when none).
long numeroDeError(const std::function<void()>& accion) {
    try {
        accion();
    } catch (const plataforma::RuntimeError& e) {
        return e.Number();
    }
    return 0;
}

// Restores an environment variable when the test ends.
class VariableEntorno {
public:
    VariableEntorno(const char* nombre, const QString& valor)
        : nombre_(nombre), habia_(qEnvironmentVariableIsSet(nombre)), antes_(qgetenv(nombre)) {
        qputenv(nombre, valor.toUtf8());
    }
    ~VariableEntorno() {
        if (habia_) qputenv(nombre_, antes_);
        else qunsetenv(nombre_);
    }

private:
    const char* nombre_;
    bool habia_;
    QByteArray antes_;
};

}  // namespace

class Conexion : public BaseDePrueba {
protected:
    ado::Variant unico(const QString& consulta) {
        ado::Recordset rs;
        rs.Open(consulta, cnn_);
        EXPECT_FALSE(rs.EOF_()) << consulta.toStdString();
        return rs.EOF_() ? ado::Variant() : rs.Fields(0L).Value();
    }
    long cuenta(const QString& tablaYCondicion) {
        return static_cast<long>(unico(QStringLiteral("SELECT COUNT(*) FROM ") + tablaYCondicion).aEntero());
    }
};

// --- Opening ------------------------------------------------------------

TEST_F(Conexion, UnaBaseInexistenteNoSeCreaYFallaComoConexion) {
    ado::Connection otra;
    try {
        otra.Open(textoConexion(QStringLiteral("NOEXISTE")));
        FAIL() << "opened a missing database";
    } catch (const plataforma::RuntimeError& e) {
        EXPECT_EQ(e.Number(), numero::FallaProveedor);
    }
    ASSERT_EQ(otra.errors().Count(), 1);
    EXPECT_EQ(otra.errors().Item(0).SQLState, QStringLiteral("08001"));
    EXPECT_EQ(otra.errors().Item(0).Number, numero::FallaProveedor);
    EXPECT_TRUE(otra.errors().Item(0).Description.contains(QStringLiteral("NOEXISTE.db")));
    EXPECT_EQ(otra.State(), ado::estado::Cerrado);
    EXPECT_FALSE(QFile::exists(carpeta_.filePath(QStringLiteral("NOEXISTE.db"))));
}

// The database is a plain file of the server's folder, and a database file:
// a path in its name, an empty file or one of another kind is refused at the
// opening with one connection error, and no file is touched.
TEST_F(Conexion, UnNombreQueEsRutaOUnArchivoQueNoEsBaseSeRechazanAlAbrir) {
    const QString servidor = carpeta_.filePath(QStringLiteral("servidor"));
    ASSERT_TRUE(QDir().mkpath(servidor));
    const auto escribir = [&](const QString& nombre, const QByteArray& contenido) {
        QFile f(QDir(servidor).filePath(nombre));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(contenido);
    };
    escribir(QStringLiteral("VACIA.db"), {});
    escribir(QStringLiteral("TEXTO.db"), "Codigo;Descripcion\n1;Caja\n");
    escribir(QStringLiteral("CORTA.db"), "SQLite format");
    const QString empresa = carpeta_.filePath(QStringLiteral("EMPRESA.db"));
    const qint64 tamanoEmpresa = QFileInfo(empresa).size();
    const QString casos[] = {
        QStringLiteral("../EMPRESA"), carpeta_.filePath(QStringLiteral("EMPRESA")), QStringLiteral("..\\EMPRESA"),
        QStringLiteral("VACIA"), QStringLiteral("TEXTO"), QStringLiteral("CORTA"),
    };
    for (const QString& base : casos) {
        SCOPED_TRACE(base.toStdString());
        ado::Connection otra;
        EXPECT_EQ(numeroDeError([&] {
                      otra.Open(QStringLiteral("PROVIDER=SQLOLEDB;Server=") + servidor + QStringLiteral(";Database =") +
                                base + QStringLiteral(";UId=sa;Pwd=x;"));
                  }),
                  numero::FallaProveedor);
        EXPECT_EQ(otra.State(), ado::estado::Cerrado);
        ASSERT_EQ(otra.errors().Count(), 1);
        EXPECT_EQ(otra.errors().Item(0).SQLState, QStringLiteral("08001"));
        EXPECT_TRUE(otra.errors().Item(0).Description.contains(base)) << otra.errors().Item(0).Description.toStdString();
    }
    EXPECT_EQ(QFileInfo(QDir(servidor).filePath(QStringLiteral("VACIA.db"))).size(), 0);
    EXPECT_EQ(QFileInfo(empresa).size(), tamanoEmpresa);
}

TEST_F(Conexion, UnaCarpetaRelativaSeBuscaEnLaCarpetaDelPrograma) {
    QDir padre(carpeta_.path());
    padre.cdUp();
    VariableEntorno carpeta("QUINTARO_CARPETA", padre.path());
    const QString relativa = QFileInfo(carpeta_.path()).fileName();
    ado::Connection otra;
    otra.Open(QStringLiteral("PROVIDER=SQLOLEDB;Server=") + relativa +
              QStringLiteral(";Database =EMPRESA;UId=sa;Pwd=x;"));
    EXPECT_EQ(otra.State(), ado::estado::Abierto);
    EXPECT_EQ(otra.ConnectionString(), QStringLiteral("PROVIDER=SQLOLEDB;Server=") + relativa +
                                           QStringLiteral(";Database =EMPRESA;UId=sa;Pwd=x;"));
}

TEST_F(Conexion, UnServidorQueNoEsCarpetaVaAlControladorDeSqlServer) {
    // No SQL Server driver is installed here: the opening must fail with a
    // provider error, never hang or crash.
    VariableEntorno controlador("QUINTARO_DRIVER_SQLSERVER", QStringLiteral("Controlador Que No Existe"));
    ado::Connection otra;
    otra.setConnectionTimeout(2);
    EXPECT_EQ(numeroDeError([&] { otra.Open(QStringLiteral("PROVIDER=SQLOLEDB;Server=srv\\ZANTAR;Database =X;UId=a;Pwd=b;")); }),
              numero::FallaProveedor);
    EXPECT_GE(otra.errors().Count(), 1);
    EXPECT_EQ(otra.State(), ado::estado::Cerrado);
}

TEST_F(Conexion, ErroresDeEstadoDelPropioObjeto) {
    EXPECT_EQ(numeroDeError([&] { cnn_.Open(textoConexion()); }), numero::ObjetoAbierto);
    ado::Recordset rs;
    EXPECT_EQ(numeroDeError([&] { rs.MoveNext(); }), numero::ObjetoCerrado);
    EXPECT_EQ(numeroDeError([&] { rs.Close(); }), numero::ObjetoCerrado);
    rs.Open(QStringLiteral("SELECT * FROM MA_CUENTAS"), cnn_);
    EXPECT_EQ(numeroDeError([&] { rs.Open(QStringLiteral("SELECT 1"), cnn_); }), numero::ObjetoAbierto);
    EXPECT_EQ(numeroDeError([&] { rs.Fields(QStringLiteral("NoEsta")); }), numero::ElementoNoEncontrado);
    EXPECT_EQ(numeroDeError([&] { rs.Fields(99L); }), numero::ElementoNoEncontrado);

    cnn_.Close();
    EXPECT_EQ(numeroDeError([&] { cnn_.Close(); }), numero::ObjetoCerrado);
    EXPECT_EQ(numeroDeError([&] { cnn_.Execute(QStringLiteral("SELECT 1")); }), numero::ConexionCerrada);
    ado::Recordset otro;
    EXPECT_EQ(numeroDeError([&] { otro.Open(QStringLiteral("SELECT 1"), cnn_); }), numero::ConexionCerrada);
    // The rows already read stay readable: the recordset is client-side.
    EXPECT_EQ(rs.RecordCount(), 3);
    // The closed connection's refusal is the list's only record.
    ASSERT_EQ(cnn_.errors().Count(), 1);
    EXPECT_EQ(cnn_.errors().Item(0).Number, numero::ConexionCerrada);
    EXPECT_EQ(numeroDeError([&] { cnn_.errors().Item(1); }), numero::ElementoNoEncontrado);
}

// --- Typed fields ---------------------------------------------------------

TEST_F(Conexion, CamposConSuTipoYValor) {
    ado::Recordset rs;
    rs.Open(QStringLiteral("SELECT Codigo, Descripcion, Saldo, Alta, Activa, Saldo AS Copia FROM MA_CUENTAS "
                           "ORDER BY Codigo"),
            cnn_);
    ASSERT_EQ(rs.RecordCount(), 3);
    struct Esperado {
        const char* campo;
        int tipo;
        ado::Variant valor;
    };
    const ado::Variant nulo;
    const std::vector<std::vector<Esperado>> filas = {
        {{"Codigo", ado::tipo::VarChar, ado::Variant("1.1.01")},
         {"Descripcion", ado::tipo::VarChar, ado::Variant("Caja; pesos")},
         {"Saldo", ado::tipo::Numeric, ado::Variant(ado::Importe::desdeDiezmilesimos(12345678))},
         {"Alta", ado::tipo::DBTimeStamp, ado::Variant(QDateTime(QDate(2024, 3, 5), QTime(0, 0)))},
         {"Activa", ado::tipo::Boolean, ado::Variant(true)},
         {"Copia", ado::tipo::Numeric, ado::Variant(ado::Importe::desdeDiezmilesimos(12345678))}},
        {{"Descripcion", ado::tipo::VarChar, ado::Variant("Banco Nación")},
         {"Saldo", ado::tipo::Numeric, ado::Variant(ado::Importe::desdeDiezmilesimos(-1))},
         {"Alta", ado::tipo::DBTimeStamp, ado::Variant(QDateTime(QDate(2024, 3, 5), QTime(10, 20, 30)))}},
        {{"Saldo", ado::tipo::Numeric, nulo}, {"Alta", ado::tipo::DBTimeStamp, nulo},
         {"Activa", ado::tipo::Boolean, ado::Variant(false)}},
    };
    for (const auto& fila : filas) {
        ASSERT_FALSE(rs.EOF_());
        for (const Esperado& e : fila) {
            SCOPED_TRACE(e.campo);
            EXPECT_EQ(rs.Fields(QString::fromLatin1(e.campo)).Type(), e.tipo);
            EXPECT_EQ(rs[QString::fromLatin1(e.campo)], e.valor);
        }
        rs.MoveNext();
    }
    EXPECT_TRUE(rs.EOF_());
    EXPECT_EQ(rs.Fields(QStringLiteral("codigo")).DefinedSize(), 15);
}

TEST_F(Conexion, RecorridoYLimitesDelCursor) {
    ado::Recordset vacio;
    vacio.Open(QStringLiteral("SELECT * FROM MA_CUENTAS WHERE 1 = 0"), cnn_);
    EXPECT_TRUE(vacio.BOF());
    EXPECT_TRUE(vacio.EOF_());
    EXPECT_EQ(vacio.RecordCount(), 0);
    EXPECT_EQ(numeroDeError([&] { vacio.Fields(0L).Value(); }), numero::SinRegistroActual);
    EXPECT_EQ(numeroDeError([&] { vacio.MoveNext(); }), numero::SinRegistroActual);

    ado::Recordset rs;
    rs.Open(QStringLiteral("SELECT Codigo FROM MA_CUENTAS ORDER BY Codigo"), cnn_);
    rs.MoveLast();
    EXPECT_EQ(rs[QStringLiteral("Codigo")].texto(), QStringLiteral("2.1.01"));
    rs.MovePrevious();
    rs.MovePrevious();
    EXPECT_EQ(rs[QStringLiteral("Codigo")].texto(), QStringLiteral("1.1.01"));
    rs.MovePrevious();
    EXPECT_TRUE(rs.BOF());
    EXPECT_FALSE(rs.EOF_());
    EXPECT_EQ(numeroDeError([&] { rs.MovePrevious(); }), numero::SinRegistroActual);
    rs.MoveFirst();
    EXPECT_EQ(rs[QStringLiteral("Codigo")].texto(), QStringLiteral("1.1.01"));
    ado::Recordset movido = std::move(rs);
    EXPECT_EQ(movido[QStringLiteral("Codigo")].texto(), QStringLiteral("1.1.01"));
}

// --- Errors -------------------------------------------------------------

namespace {

struct FallaEsperada {
    const char* sentencia;
    long numero;
    long nativo;
    const char* sqlState;
};

void PrintTo(const FallaEsperada& f, std::ostream* os) { *os << f.sentencia; }

const FallaEsperada fallas[] = {
    {"INSERT INTO MA_CUENTAS (Codigo, Descripcion) VALUES ('1.1.01', 'Otra')", numero::ViolacionIntegridad, 2627, "23000"},
    {"INSERT INTO MV_MOVIMIENTOS (Cuenta, Importe) VALUES ('9.9.99', 10)", numero::ViolacionIntegridad, 547, "23000"},
    {"INSERT INTO MV_MOVIMIENTOS (Cuenta, Importe) VALUES ('1.1.01', 0)", numero::ViolacionIntegridad, 547, "23000"},
    {"INSERT INTO MA_CUENTAS (Codigo, Descripcion) VALUES ('3', NULL)", numero::ViolacionIntegridad, 515, "23000"},
    {"SELECT * FROM TABLA_QUE_NO_ESTA with(nolock)", numero::TablaInexistente, 208, "42S02"},
    {"UPDATE TABLA_QUE_NO_ESTA SET A = 1", numero::TablaInexistente, 208, "42S02"},
    {"SELEC * FROM MA_CUENTAS", numero::ErrorSintaxis, 102, "42000"},
    {"INSERT INTO MV_MOVIMIENTOS (Cuenta, Importe, Motivo) VALUES ('1.1.01', 5, "
     "'un motivo demasiado largo para el disparador de prueba')",
     numero::ErrorSintaxis, 8152, "22001"},
    // A function the engine lacks, which the engine reports without a class
    // of its own: a failing command, not a lost connection.
    {"SELECT NO_HAY_TAL(Codigo) FROM MA_CUENTAS", numero::ErrorSintaxis, 1, "HY000"},
};

class Clasificacion : public BaseDePrueba, public ::testing::WithParamInterface<FallaEsperada> {};

}  // namespace

TEST_P(Clasificacion, CadaFallaTraeLosNumerosDeSqlServer) {
    const FallaEsperada& f = GetParam();
    EXPECT_EQ(numeroDeError([&] { cnn_.Execute(QString::fromUtf8(f.sentencia)); }), f.numero);
    ASSERT_GE(cnn_.errors().Count(), 1);
    const ado::Error& e = cnn_.errors().Item(0);
    EXPECT_EQ(e.Number, f.numero);
    EXPECT_EQ(e.NativeError, f.nativo);
    EXPECT_EQ(e.SQLState, QString::fromLatin1(f.sqlState));
    EXPECT_FALSE(e.Description.isEmpty());
    EXPECT_FALSE(e.Description.startsWith(u'['));
    EXPECT_EQ(e.Source, QStringLiteral("SQLite"));
}

INSTANTIATE_TEST_SUITE_P(Fallas, Clasificacion, ::testing::ValuesIn(fallas));

TEST_F(Conexion, LaListaDeErroresEsDelUltimoComandoSolamente) {
    const QString falla = QStringLiteral("INSERT INTO MA_CUENTAS (Codigo, Descripcion) VALUES ('1.1.01', 'x')");
    // Each way of starting a command forgets the failure before it.
    const std::vector<std::pair<const char*, std::function<void()>>> siguientes = {
        {"Execute", [&] { cnn_.Execute(QStringLiteral("UPDATE MA_CUENTAS SET Activa = 1 WHERE 1 = 0")); }},
        {"Recordset::Open", [&] { ado::Recordset rs; rs.Open(QStringLiteral("SELECT 1"), cnn_); }},
        {"OpenSchema", [&] { cnn_.OpenSchema(ado::esquema::Tablas); }},
    };
    for (const auto& [nombre, accion] : siguientes) {
        SCOPED_TRACE(nombre);
        EXPECT_NE(numeroDeError([&] { cnn_.Execute(falla); }), 0);
        EXPECT_EQ(cnn_.errors().Count(), 1);
        accion();
        EXPECT_EQ(cnn_.errors().Count(), 0);
    }
}

// --- Command texts ------------------------------------------------------

TEST_F(Conexion, UnaTransaccionAbiertaEnUnTextoSeDeshaceEnOtro) {
    cnn_.Execute(QStringLiteral("BEGIN TRANSACTION\r\n"
                                "INSERT INTO MA_CUENTAS (Codigo, Descripcion) VALUES ('5.1', 'a')\r\n"
                                "INSERT INTO MA_CUENTAS (Codigo, Descripcion) VALUES ('5.2', 'error en el update del lunes')\r\n"));
    EXPECT_EQ(cuenta(QStringLiteral("MA_CUENTAS WHERE Codigo LIKE '5.%'")), 2);
    cnn_.Execute(QStringLiteral("ROLLBACK TRANSACTION"));
    EXPECT_EQ(cuenta(QStringLiteral("MA_CUENTAS WHERE Codigo LIKE '5.%'")), 0);

    cnn_.Execute(QStringLiteral("BEGIN TRAN INSERT INTO MA_CUENTAS (Codigo, Descripcion) VALUES ('6.1', 'b')"));
    cnn_.Execute(QStringLiteral("commit tran"));
    ado::Connection otra;  // committed: another connection sees it
    otra.Open(textoConexion());
    ado::Recordset rs;
    rs.Open(QStringLiteral("SELECT Descripcion FROM MA_CUENTAS WHERE Codigo = '6.1'"), otra);
    EXPECT_FALSE(rs.EOF_());
}

TEST_F(Conexion, ElPrimerFalloDetieneElTextoYDejaSusErrores) {
    const QString texto = QStringLiteral(
        "BEGIN TRANSACTION \r\r\r"
        "INSERT INTO MA_CUENTAS (Codigo, Descripcion) VALUES ('7.1', 'antes')\r"
        "INSERT INTO MA_CUENTAS (Codigo, Descripcion) VALUES ('1.1.01', 'duplicada')\r"
        "INSERT INTO MA_CUENTAS (Codigo, Descripcion) VALUES ('7.2', 'despues')\r");
    EXPECT_EQ(numeroDeError([&] { cnn_.Execute(texto); }), numero::ViolacionIntegridad);
    ASSERT_EQ(cnn_.errors().Count(), 1);
    EXPECT_EQ(cnn_.errors().Item(0).NativeError, 2627);
    EXPECT_EQ(cuenta(QStringLiteral("MA_CUENTAS WHERE Codigo = '7.1'")), 1);
    EXPECT_EQ(cuenta(QStringLiteral("MA_CUENTAS WHERE Codigo = '7.2'")), 0);
    // The transaction stays open for the caller's ROLLBACK.
    cnn_.Execute(QStringLiteral("ROLLBACK TRANSACTION"));
    EXPECT_EQ(cuenta(QStringLiteral("MA_CUENTAS WHERE Codigo = '7.1'")), 0);
}

TEST_F(Conexion, TransaccionesSinAbrirSonErrores) {
    EXPECT_NE(numeroDeError([&] { cnn_.Execute(QStringLiteral("COMMIT TRANSACTION")); }), 0);
    ASSERT_EQ(cnn_.errors().Count(), 1);
    EXPECT_EQ(cnn_.errors().Item(0).NativeError, 3902);
    EXPECT_EQ(numeroDeError([&] { cnn_.CommitTrans(); }), numero::SinTransaccion);
    EXPECT_EQ(numeroDeError([&] { cnn_.RollbackTrans(); }), numero::SinTransaccion);
    EXPECT_EQ(cnn_.BeginTrans(), 1);
    EXPECT_EQ(numeroDeError([&] { cnn_.BeginTrans(); }), numero::TransaccionActiva);
    cnn_.Execute(QStringLiteral("DELETE FROM MA_CUENTAS WHERE Codigo = '2.1.01'"));
    cnn_.RollbackTrans();
    EXPECT_EQ(cuenta(QStringLiteral("MA_CUENTAS")), 3);
}

// Two workstations on one file. A transaction that reads before it writes
// holds the write lock from its start: the other workstation's write waits
// the bounded busy time and fails with the time-out error, while the
// transaction's own write, made after its read, goes through and is kept.
// (Taking the lock only at the first write, the transaction's snapshot would
// be stale once the other write committed, and its write would fail.)
TEST_F(Conexion, UnaTransaccionQueLeyoPrimeroEscribeAunqueOtroPuestoEscribaEntretanto) {
    qputenv("QUINTARO_ESPERA_ESCRITURA_MS", "300");
    ado::Connection puesto;
    puesto.Open(textoConexion());
    ado::Connection otroPuesto;
    otroPuesto.Open(textoConexion());
    qunsetenv("QUINTARO_ESPERA_ESCRITURA_MS");

    puesto.BeginTrans();
    ado::Recordset leido;
    leido.Open(QStringLiteral("SELECT COUNT(*) FROM MA_CUENTAS"), puesto);
    EXPECT_EQ(leido.Fields(0L).Value().aEntero(), 3);

    const long falla = numeroDeError([&] {
        otroPuesto.Execute(QStringLiteral("INSERT INTO MA_CUENTAS (Codigo, Descripcion) VALUES ('8.2', 'del otro')"));
    });
    EXPECT_EQ(falla, numero::TiempoAgotado);
    ASSERT_EQ(otroPuesto.errors().Count(), 1);
    EXPECT_EQ(otroPuesto.errors().Item(0).NativeError, 1222);

    puesto.Execute(QStringLiteral("INSERT INTO MA_CUENTAS (Codigo, Descripcion) VALUES ('8.1', 'del puesto')"));
    puesto.CommitTrans();
    otroPuesto.Execute(QStringLiteral("INSERT INTO MA_CUENTAS (Codigo, Descripcion) VALUES ('8.2', 'del otro')"));
    EXPECT_EQ(cuenta(QStringLiteral("MA_CUENTAS WHERE Codigo LIKE '8.%'")), 2);
}

TEST_F(Conexion, ExecuteDevuelveFilasYCuentaLasAfectadas) {
    long afectadas = -5;
    cnn_.Execute(QStringLiteral("SET NOCOUNT ON UPDATE MA_CUENTAS SET Activa = 1 WHERE Codigo LIKE '1.%'"), &afectadas);
    EXPECT_EQ(afectadas, 2);
    ado::Recordset rs = cnn_.Execute(QStringLiteral("SELECT TOP 1 Codigo FROM MA_CUENTAS ORDER BY Codigo DESC"));
    ASSERT_EQ(rs.State(), ado::estado::Abierto);
    EXPECT_EQ(rs[QStringLiteral("Codigo")].texto(), QStringLiteral("2.1.01"));
    EXPECT_EQ(cnn_.Execute(QStringLiteral("DELETE FROM AUX_ERR")).State(), ado::estado::Cerrado);
}

// As ADO, a text whose statements give several results opens the first;
// the statements after it run as well.
TEST_F(Conexion, UnTextoDeVariosResultadosAbreElPrimero) {
    const QString texto = QStringLiteral(
        "UPDATE MA_CUENTAS SET Activa = 0 WHERE Codigo = '1.1.02';\r\n"
        "SELECT Codigo FROM MA_CUENTAS WHERE Codigo = '1.1.01';\r\n"
        "SELECT Descripcion, Saldo FROM MA_CUENTAS ORDER BY Codigo;\r\n"
        "UPDATE MA_CUENTAS SET Activa = 0 WHERE Codigo = '2.1.01'");
    const auto primerResultado = [](ado::Recordset& rs) {
        ASSERT_EQ(rs.State(), ado::estado::Abierto);
        ASSERT_EQ(rs.FieldCount(), 1);
        EXPECT_EQ(rs.Fields(0L).Name(), QStringLiteral("Codigo"));
        EXPECT_EQ(rs.RecordCount(), 1);
        EXPECT_EQ(rs.Fields(0L).Value().texto(), QStringLiteral("1.1.01"));
    };
    ado::Recordset abierto;
    abierto.Open(texto, cnn_);
    primerResultado(abierto);
    ado::Recordset ejecutado = cnn_.Execute(texto);
    primerResultado(ejecutado);
    EXPECT_EQ(cuenta(QStringLiteral("MA_CUENTAS WHERE Activa = 0")), 2);
}

// --- The SQL Server dialect on the real engine ----------------------------

namespace {

struct Consulta {
    const char* sentencia;
    const char* resultado;  // the first column of the first row, as text
};

void PrintTo(const Consulta& c, std::ostream* os) { *os << c.sentencia; }

const Consulta consultas[] = {
    {"SELECT TOP 1 Codigo FROM MA_CUENTAS with(nolock) ORDER BY Codigo DESC", "2.1.01"},
    {"SELECT COUNT(*) FROM MA_CUENTAS WITH (NOLOCK) WHERE Alta BETWEEN '05/03/2024' AND '06/03/2024'", "2"},
    {"SELECT COUNT(*) FROM MA_CUENTAS WHERE Alta >= '05/03/2024 10:00:00'", "1"},
    {"SELECT COUNT(*) FROM MA_CUENTAS WHERE Alta IN ('05/03/2024', '07/03/2024')", "1"},
    // a day is its midnight, as in SQL Server: one row at midnight, one later
    {"SELECT COUNT(*) FROM MA_CUENTAS WHERE Alta = '05/03/2024'", "1"},
    {"SELECT COUNT(*) FROM MA_CUENTAS WHERE Alta <= '5/3/2024'", "1"},
    {"SELECT COUNT(*) FROM MA_CUENTAS WHERE Alta > '05/03/2024'", "1"},
    {"SELECT COUNT(*) FROM MA_CUENTAS WHERE Alta < '05/03/2024 10:20:31'", "2"},
    {"SELECT ISNULL(Saldo, 0) FROM MA_CUENTAS WHERE Codigo = '2.1.01'", "0"},
    {"SELECT LEN([Descripcion]) FROM [MA_CUENTAS] WHERE [Codigo] = '1.1.01'", "11"},
    {"SELECT LEN(Descripcion + '   ') FROM MA_CUENTAS WHERE Codigo = '1.1.01'", "11"},
    {"SELECT Codigo + ' ' + Descripcion FROM MA_CUENTAS WHERE Codigo = '1.1.01'", "1.1.01 Caja; pesos"},
    {"SELECT CHARINDEX('.', SUBSTRING(Codigo, 3, 10)) FROM MA_CUENTAS WHERE Codigo = '1.1.01'", "2"},
    {"SELECT COUNT(*) FROM MA_CUENTAS WHERE Codigo IN (SELECT TOP 2 Codigo FROM MA_CUENTAS ORDER BY Codigo)", "2"},
    {"SELECT CASE WHEN GETDATE() > '01/01/2000' THEN 1 ELSE 0 END", "1"},
    {"SELECT COUNT(*) FROM MA_CUENTAS WHERE Descripcion = N'Banco Nación'", "1"},
    {"SELECT TOP 100 PERCENT Descripcion FROM V_CUENTAS ORDER BY Codigo", "Caja; pesos"},
    // owner-qualified names, as the lookup tree's statement writes them
    {"SELECT     TOP 100 PERCENT Codigo, Descripcion, (SELECT     TOP 1 Codigo FROM dbo.V_CUENTAS a  "
     " Where a.Codigo < b.Codigo And (Len(LTrim(RTrim(a.Codigo))) < Len(LTrim(RTrim(b.Codigo)))) "
     " ORDER BY Codigo DESC) AS [relative] FROM dbo.V_CUENTAS b Where Codigo<>'' ORDER BY Codigo DESC",
     "2.1.01"},
    {"SELECT [Descripcion] FROM [dbo].[MA_CUENTAS] WITH (NOLOCK) WHERE Codigo = '1.1.02'", "Banco Nación"},
    {"SELECT COUNT(*) FROM DBO.MA_CUENTAS c INNER JOIN dbo.V_CUENTAS v ON v.Codigo = c.Codigo", "3"},
};

class DialectoEnLaBase : public BaseDePrueba, public ::testing::WithParamInterface<Consulta> {};

}  // namespace

TEST_P(DialectoEnLaBase, LaSentenciaCorreEnElMotorEmbebido) {
    ado::Recordset rs;
    rs.Open(QString::fromUtf8(GetParam().sentencia), cnn_);
    ASSERT_FALSE(rs.EOF_());
    EXPECT_EQ(rs.Fields(0L).Value().texto(), QString::fromUtf8(GetParam().resultado));
}

INSTANTIATE_TEST_SUITE_P(Consultas, DialectoEnLaBase, ::testing::ValuesIn(consultas));

TEST_F(Conexion, LasFechasDelPuestoSeGuardanIsoSoloEnColumnasDeFecha) {
    cnn_.Execute(QStringLiteral("INSERT INTO MV_MOVIMIENTOS (Cuenta, Importe, Fecha, Motivo) "
                                "VALUES ('1.1.01', 1, '05/03/2024 10:20:30', '05/03/2024')"));
    cnn_.Execute(QStringLiteral("UPDATE MV_MOVIMIENTOS SET Motivo = '06/03/2024' WHERE Motivo = '05/03/2024 10:00'"));
    ado::Recordset rs;
    rs.Open(QStringLiteral("SELECT Fecha, Motivo FROM MV_MOVIMIENTOS WHERE Fecha BETWEEN '05/03/2024' AND '06/03/2024'"),
            cnn_);
    ASSERT_FALSE(rs.EOF_());
    EXPECT_EQ(rs[QStringLiteral("Fecha")], ado::Variant(QDateTime(QDate(2024, 3, 5), QTime(10, 20, 30))));
    EXPECT_EQ(rs[QStringLiteral("Motivo")].texto(), QStringLiteral("05/03/2024"));
    cnn_.Execute(QStringLiteral("UPDATE MV_MOVIMIENTOS SET Fecha = '07/03/2024', Motivo = '07/03/2024'"));
    EXPECT_EQ(unico(QStringLiteral("SELECT Fecha || ' ' || Motivo FROM MV_MOVIMIENTOS")).texto(),
              QStringLiteral("2024-03-07 07/03/2024"));
}

TEST_F(Conexion, UnaFechaGuardadaEnElOrdenDelPuestoSeLeeBien) {
    // The driver alone would read it month first.
    ado::crearBaseEmbebida(carpeta_.filePath(QStringLiteral("EMPRESA.db")),
                           {QStringLiteral("INSERT INTO MA_CUENTAS (Codigo, Descripcion, Alta) "
                                           "VALUES ('9', 'x', '05/03/2024 10:20:30');")});
    EXPECT_EQ(unico(QStringLiteral("SELECT Alta FROM MA_CUENTAS WHERE Codigo = '9'")),
              ado::Variant(QDateTime(QDate(2024, 3, 5), QTime(10, 20, 30))));
}

// --- Catalogue ----------------------------------------------------------

TEST_F(Conexion, OpenSchemaListaTablasYVistas) {
    ado::Recordset rs = cnn_.OpenSchema(ado::esquema::Tablas);
    for (const char* campo : {"TABLE_CATALOG", "TABLE_SCHEMA", "TABLE_NAME", "TABLE_TYPE"})
        EXPECT_NO_THROW(rs.Fields(QString::fromLatin1(campo))) << campo;
    QMap<QString, QString> tipos;
    for (; !rs.EOF_(); rs.MoveNext())
        tipos.insert(rs[QStringLiteral("TABLE_NAME")].texto(), rs[QStringLiteral("TABLE_TYPE")].texto());
    EXPECT_EQ(tipos.value(QStringLiteral("MA_CUENTAS")), QStringLiteral("TABLE"));
    EXPECT_EQ(tipos.value(QStringLiteral("V_CUENTAS")), QStringLiteral("VIEW"));

    ado::Recordset columnas = cnn_.OpenSchema(ado::esquema::Columnas,
                                              {QStringLiteral("EMPRESA"), {}, QStringLiteral("MA_CUENTAS"), {}});
    QStringList nombres;
    for (; !columnas.EOF_(); columnas.MoveNext()) nombres << columnas[QStringLiteral("COLUMN_NAME")].texto();
    EXPECT_EQ(nombres, (QStringList{"Codigo", "Descripcion", "Saldo", "Alta", "Activa"}));
}

// --- Updatable recordsets -------------------------------------------------

TEST_F(Conexion, AddNewInsertaSoloLoAsignadoYConservaLosPredeterminados) {
    ado::Recordset rs;
    rs.Open(QStringLiteral("select  top 1 * from AUX_ERR  with(nolock) "), cnn_, ado::cursor::Dynamic,
            ado::bloqueo::Optimistic);
    rs.AddNew();
    rs.Fields(QStringLiteral("Proceso")).setValue(QStringLiteral("quintaro"));
    rs.Fields(QStringLiteral("Error")).setValue(2627);
    rs.Fields(QStringLiteral("Descripcion")).setValue(QStringLiteral("Violación de 'clave'; duplicada"));
    rs.Fields(QStringLiteral("SQL")).setValue(ado::Variant::nulo());
    EXPECT_TRUE(rs.EditandoFila());
    rs.Update();
    EXPECT_FALSE(rs.EditandoFila());
    rs.Close();

    ado::Recordset leido;
    leido.Open(QStringLiteral("SELECT * FROM AUX_ERR"), cnn_);
    ASSERT_EQ(leido.RecordCount(), 1);
    EXPECT_EQ(leido[QStringLiteral("Proceso")].texto(), QStringLiteral("quintaro"));
    EXPECT_EQ(leido[QStringLiteral("Error")].aEntero(), 2627);
    EXPECT_EQ(leido[QStringLiteral("Descripcion")].texto(), QStringLiteral("Violación de 'clave'; duplicada"));
    EXPECT_TRUE(leido[QStringLiteral("SQL")].esNulo());
    EXPECT_EQ(leido[QStringLiteral("Estado")].aEntero(), 7);  // its default
    EXPECT_EQ(leido[QStringLiteral("Id")].aEntero(), 1);
}

TEST_F(Conexion, UpdateCambiaLaFilaPorSuClavePrimaria) {
    ado::Recordset rs;
    rs.Open(QStringLiteral("SELECT * FROM MA_CUENTAS WHERE Codigo = '1.1.02'"), cnn_, ado::cursor::Keyset,
            ado::bloqueo::Optimistic);
    rs.Fields(QStringLiteral("Saldo")).setValue(ado::Importe::desdeDiezmilesimos(987654321));
    rs.Fields(QStringLiteral("Descripcion")).setValue(QStringLiteral("Banco Provincia"));
    rs.Update();
    EXPECT_EQ(unico(QStringLiteral("SELECT Saldo FROM MA_CUENTAS WHERE Codigo = '1.1.02'")).aImporte(),
              ado::Importe::desdeDiezmilesimos(987654321));
    EXPECT_EQ(unico(QStringLiteral("SELECT Descripcion FROM MA_CUENTAS WHERE Codigo = '1.1.01'")).texto(),
              QStringLiteral("Caja; pesos"));
    EXPECT_EQ(cuenta(QStringLiteral("MA_CUENTAS WHERE Descripcion = 'Banco Provincia'")), 1);
}

TEST_F(Conexion, UnaFilaPendienteImpideCerrarHastaCancelarla) {
    ado::Recordset rs;
    rs.Open(QStringLiteral("SELECT * FROM AUX_ERR"), cnn_, ado::cursor::Dynamic, ado::bloqueo::Optimistic);
    rs.AddNew();
    rs.Fields(QStringLiteral("Proceso")).setValue(QStringLiteral("x"));
    EXPECT_EQ(numeroDeError([&] { rs.Close(); }), numero::NoPermitido);
    rs.CancelUpdate();
    EXPECT_TRUE(rs.EOF_() && rs.BOF());
    rs.Close();
    EXPECT_EQ(cuenta(QStringLiteral("AUX_ERR")), 0);

    ado::Recordset cambio;
    cambio.Open(QStringLiteral("SELECT * FROM MA_CUENTAS ORDER BY Codigo"), cnn_, ado::cursor::Keyset,
                ado::bloqueo::Optimistic);
    cambio.Fields(QStringLiteral("Descripcion")).setValue(QStringLiteral("otra"));
    cambio.CancelUpdate();
    EXPECT_EQ(cambio[QStringLiteral("Descripcion")].texto(), QStringLiteral("Caja; pesos"));
    cambio.Close();
}

TEST_F(Conexion, UnRecordsetDeSoloLecturaNoAceptaCambios) {
    ado::Recordset rs;
    rs.Open(QStringLiteral("SELECT * FROM MA_CUENTAS"), cnn_);
    EXPECT_EQ(numeroDeError([&] { rs.Fields(0L).setValue(QStringLiteral("x")); }), numero::NoPermitido);
    EXPECT_EQ(numeroDeError([&] { rs.AddNew(); }), numero::NoPermitido);
}

TEST_F(Conexion, UnUpdateQueFallaDejaSusErroresYLaFilaPendiente) {
    ado::Recordset rs;
    rs.Open(QStringLiteral("SELECT * FROM MA_CUENTAS"), cnn_, ado::cursor::Dynamic, ado::bloqueo::Optimistic);
    rs.AddNew();
    rs.Fields(QStringLiteral("Codigo")).setValue(QStringLiteral("1.1.01"));
    rs.Fields(QStringLiteral("Descripcion")).setValue(QStringLiteral("repetida"));
    EXPECT_EQ(numeroDeError([&] { rs.Update(); }), numero::ViolacionIntegridad);
    ASSERT_EQ(cnn_.errors().Count(), 1);
    EXPECT_EQ(cnn_.errors().Item(0).NativeError, 2627);
    EXPECT_TRUE(rs.EditandoFila());
    rs.CancelUpdate();
    rs.Close();
}

TEST_F(Conexion, UnRecordsetAbreSuPropiaConexionDesdeUnTexto) {
    ado::Recordset rs;
    rs.Open(QStringLiteral("SELECT COUNT(*) AS N FROM MA_CUENTAS"), textoConexion());
    EXPECT_EQ(rs[QStringLiteral("N")].aEntero(), 3);
    rs.Close();
}

// --- Statement trace ----------------------------------------------------

TEST_F(Conexion, LaTrazaGuardaCadaSentenciaComoLaEscribioElLlamador) {
    const QString archivo = carpeta_.filePath(QStringLiteral("traza.txt"));
    VariableEntorno traza("QUINTARO_TRAZA_SQL", archivo);
    ado::Connection otra;
    otra.Open(textoConexion());
    const QString consulta = QStringLiteral("SELECT TOP 1 * FROM MA_CUENTAS with(nolock)");
    const QString comando = QStringLiteral("UPDATE MA_CUENTAS SET Activa = 1\r\nWHERE Codigo = '1.1.01'");
    ado::Recordset rs;
    rs.Open(consulta, otra);
    otra.Execute(comando);
    EXPECT_NE(numeroDeError([&] { otra.Execute(QStringLiteral("SELEC mal")); }), 0);

    QFile f(archivo);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString contenido = QString::fromUtf8(f.readAll());
    EXPECT_FALSE(contenido.contains(QStringLiteral("secreto")));
    // One entry per statement call: a timestamp, a blank and the text (which
    // may span lines).
    const QRegularExpression entrada(QStringLiteral(R"((?:^|\n)(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\.\d{3}) )"));
    QStringList textos;
    auto it = entrada.globalMatch(contenido);
    QList<QRegularExpressionMatch> marcas;
    while (it.hasNext()) marcas << it.next();
    for (qsizetype i = 0; i < marcas.size(); ++i) {
        const qsizetype desde = marcas[i].capturedEnd();
        const qsizetype hasta = i + 1 < marcas.size() ? marcas[i + 1].capturedStart() : contenido.size() - 1;
        textos << contenido.mid(desde, hasta - desde);
    }
    EXPECT_TRUE(contenido.endsWith(u'\n'));
    EXPECT_EQ(textos, (QStringList{consulta, comando, QStringLiteral("SELEC mal")}));
}

// --- Building databases ----------------------------------------------------

TEST_F(Conexion, UnGuionQueFallaSeInformaConSuSentencia) {
    try {
        ado::crearBaseEmbebida(carpeta_.filePath(QStringLiteral("OTRA.db")),
                               {QStringLiteral("CREATE TABLE A (X INT);\nINSERT INTO NOESTA VALUES (1);\n")});
        FAIL() << "the script ran";
    } catch (const plataforma::RuntimeError& e) {
        EXPECT_EQ(e.Number(), numero::TablaInexistente);
        EXPECT_TRUE(e.Description().contains(QStringLiteral("INSERT INTO NOESTA")));
    }
}

TEST_F(Conexion, UnTextoLargoVuelveEntero) {
    const QString largo = QString(5000, u'ñ') + QStringLiteral("fin");  // several pieces of the driver's buffer
    ado::Recordset rs;
    rs.Open(QStringLiteral("SELECT * FROM AUX_ERR"), cnn_, ado::cursor::Dynamic, ado::bloqueo::Optimistic);
    rs.AddNew();
    rs.Fields(QStringLiteral("SQL")).setValue(largo);
    rs.Update();
    rs.Close();
    EXPECT_EQ(unico(QStringLiteral("SELECT SQL FROM AUX_ERR")).texto(), largo);
}

TEST(NumerosAdo, SeTomanDeLaClaseDelEstadoSql) {
    const std::pair<const char*, long> casos[] = {
        {"08001", numero::FallaProveedor},      {"08S01", numero::FallaProveedor},
        {"23000", numero::ViolacionIntegridad}, {"42S02", numero::TablaInexistente},
        {"42S22", numero::ErrorSintaxis},       {"42000", numero::ErrorSintaxis},
        {"37000", numero::ErrorSintaxis},       {"HYT00", numero::TiempoAgotado},
        // Only a connection failure carries the unspecified failure, which
        // makes the session reconnect; every other failing command gets
        // SQLOLEDB's number for an error in a command.
        {"22001", numero::ErrorSintaxis},       {"22012", numero::ErrorSintaxis},
        {"22003", numero::ErrorSintaxis},       {"40001", numero::ErrorSintaxis},
        {"24000", numero::ErrorSintaxis},       {"25000", numero::ErrorSintaxis},
        {"HY000", numero::ErrorSintaxis},       {"HY008", numero::ErrorSintaxis},
    };
    for (const auto& [estado, esperado] : casos) EXPECT_EQ(ado::numeroAdoDeSqlState(QString::fromLatin1(estado)), esperado) << estado;
}

// The diagnostics drivers give for a failed connection attempt, in the order
// they give them: a server that never answered is unreachable whatever state
// comes first; one that answered and refused is not.
TEST(NumerosAdo, UnServidorInalcanzableSeReconoceEnCualquierRegistro) {
    struct Caso {
        const char* quien;
        std::vector<std::pair<const char*, const char*>> registros;  // state, message
        bool inalcanzable;
    };
    const Caso casos[] = {
        {"driver 18, sin respuesta",
         {{"HYT00", "Login timeout expired"},
          {"08001", "TCP Provider: Error code 0x2749"},
          {"08001", "A network-related or instance-specific error has occurred while establishing a connection"}},
         true},
        {"driver 18, nombre desconocido", {{"08001", "TCP Provider: Error code 0x2AF9"}}, true},
        {"driver 18, solo el tiempo", {{"HYT00", "Login timeout expired"}}, true},
        {"FreeTDS", {{"08S01", "Unable to connect: Adaptive Server is unavailable or does not exist"},
                     {"08001", "Unable to connect to data source"}}, true},
        {"psqlODBC, puerto sin servidor", {{"08001", "Connection refused"}}, true},
        {"inicio de sesion rechazado", {{"28000", "Login failed for user 'ana'."}}, false},
        {"rechazo tras un aviso", {{"01S00", "Invalid connection string attribute"}, {"28000", "Login failed"}}, false},
        {"base que el servidor no abre",
         {{"08004", "Cannot open database \"X\" requested by the login."}, {"28000", "Login failed"}}, false},
        {"sin controlador", {{"IM002", "Data source name not found"}}, false},
        {"sin registros", {}, false},
    };
    for (const Caso& c : casos) {
        ado::Errors errores;
        for (const auto& [estado, mensaje] : c.registros)
            errores.Add(ado::Error{numero::FallaProveedor, QString::fromUtf8(mensaje), QString::fromLatin1(estado), 0, {}});
        EXPECT_EQ(ado::servidorInalcanzable(errores), c.inalcanzable) << c.quien;
    }
}
