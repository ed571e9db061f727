// Script batches on a real database of the embedded engine: the Oracle
// script runner (on a session whose connection text names Oracle) cutting and
// running a text as a table of cases, transactions held open across
// commands, and GActualizarDatoScript with its messages, AUX_ERR row and
// rollback.

#include "BaseDePrueba.h"

#include "data/ActualizarDatoScript.h"
#include "platform/Aplicacion.h"
#include "platform/ado/Connection.h"
#include "platform/ado/Errors.h"
#include "platform/ado/Recordset.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <gtest/gtest.h>

#include <iostream>

namespace {

namespace estilo = plataforma::estilo;

class Scripts : public BaseDePrueba {
protected:
    void SetUp() override {
        BaseDePrueba::SetUp();
        if (HasFatalFailure()) return;
        abrir();
        if (HasFatalFailure()) return;
        crear(QStringLiteral("CREATE TABLE T (A INTEGER PRIMARY KEY, B INTEGER, C VARCHAR(30))"));
        crear(QStringLiteral("CREATE TABLE POSITIVOS (N INTEGER CHECK (N > 0))"));
        olvidarTraza();
    }

    void crear(const QString& sentencia) {
        db->EjecutaConsultaSQL(sentencia);
        ASSERT_EQ(db->gCnn().errors().Count(), 0) << sentencia.toStdString();
    }

    // A number read by a connection of its own: what was committed.
    long confirmado(const QString& consulta) const {
        ado::Connection otra;
        otra.Open(db->gConnString);
        ado::Recordset rs;
        rs.Open(consulta, otra);
        return static_cast<long>(rs.Fields(0L).Value().aEntero());
    }

    // The AUX_ERR rows: Proceso, Error, Descripcion, SQL.
    QList<QStringList> erroresRegistrados() {
        ado::Recordset rs;
        rs.Open(QStringLiteral("SELECT Proceso, Error, Descripcion, SQL FROM AUX_ERR ORDER BY ID"), db->gCnn());
        QList<QStringList> filas;
        for (; !rs.EOF_(); rs.MoveNext()) {
            QStringList f;
            for (long i = 0; i < 4; ++i) f << rs.Fields(i).Value().texto();
            filas << f;
        }
        return filas;
    }
};

// ---- The embedded engine: a text's transaction stays open until closed ----------

TEST_F(Scripts, LaTransaccionAbiertaPorUnTextoSeCierraConOtro) {
    db->EjecutaConsultaSQL(QStringLiteral("BEGIN TRANSACTION\r\nINSERT INTO T (A) VALUES (1)\r\n"
                                          "INSERT INTO T (A) VALUES (2)"));
    EXPECT_EQ(db->gCnn().errors().Count(), 0);
    EXPECT_EQ(contar(QStringLiteral("SELECT COUNT(*) FROM T")), 2);
    EXPECT_EQ(confirmado(QStringLiteral("SELECT COUNT(*) FROM T")), 0);

    db->EjecutaConsultaSQL(QStringLiteral("COMMIT TRANSACTION"));

    EXPECT_EQ(db->gCnn().errors().Count(), 0);
    EXPECT_EQ(confirmado(QStringLiteral("SELECT COUNT(*) FROM T")), 2);
}

TEST_F(Scripts, UnaSentenciaQueFallaDetieneElTextoYElRollbackLoDeshace) {
    db->EjecutaConsultaSQL(QStringLiteral("BEGIN TRANSACTION\r\nINSERT INTO T (A) VALUES (10)\r\n"
                                          "INSERT INTO T (A) VALUES (10)\r\nINSERT INTO T (A) VALUES (11)"));
    ASSERT_GT(db->gCnn().errors().Count(), 0);
    EXPECT_EQ(db->gCnn().errors().Item(0).NativeError, 2627);
    EXPECT_EQ(contar(QStringLiteral("SELECT COUNT(*) FROM T WHERE A = 11")), 0);  // never ran
    EXPECT_EQ(contar(QStringLiteral("SELECT COUNT(*) FROM T WHERE A = 10")), 1);  // pending

    db->EjecutaConsultaSQL(QStringLiteral("ROLLBACK TRANSACTION"));

    EXPECT_EQ(db->gCnn().errors().Count(), 0);
    EXPECT_EQ(contar(QStringLiteral("SELECT COUNT(*) FROM T")), 0);
    EXPECT_EQ(confirmado(QStringLiteral("SELECT COUNT(*) FROM T")), 0);
}

// ---- The Oracle script runner ----------------------------------------------------

// A session whose connection text names Oracle: the server folder is reached
// through a link called "oracle", so the session runs every command through
// its Oracle script runner while the database stays the embedded one.
class ScriptOracle : public Scripts {
protected:
    void SetUp() override {
        Scripts::SetUp();
        if (HasFatalFailure()) return;
        abrirComoOracle();
    }
};

struct CasoOracle {
    const char* nombre;
    const char* texto;
    const char* enviadas;   // the statements Execute received, "|" between them
    const char* resto;      // the caller's variable afterwards
    bool falla;             // the connection holds errors afterwards
    long afectadas;         // rows reported to the caller
    const char* despues;    // run afterwards on the session ("" none)
    long confirmadas;       // rows of T another connection sees at the end
};

const CasoOracle casosOracle[] = {
    {"LoteConTransaccion",
     "BEGIN TRANSACTION\r\nINSERT INTO T (A) VALUES (1)\r\nUPDATE T SET B = 2 WHERE A = 1\r\nCOMMIT TRANSACTION",
     "INSERT INTO T (A) VALUES (1)|UPDATE T SET B = 2 WHERE A = 1", "", false, 2, "", 1},
    {"MinusculasNocountYGo",
     "begin trans\r\nSET NOCOUNT ON\r\ninsert into T (A) values (2)\r\nGO\r\nSET NOCOUNT OFF\r\ncommit Transaction",
     "insert into T (A) values (2)", "", false, 1, "", 1},
    {"SinPalabraClaveNadaCorre", "EXEC sp_prueba 1", "", "EXEC sp_prueba 1", false, 0, "", 0},
    {"TextoDelantePerdido", "-- nota\r\nINSERT INTO T (A) VALUES (3)", "INSERT INTO T (A) VALUES (3)", "", false, 1,
     "", 1},
    {"CreacionCondicionadaSoloCrea",
     "IF NOT EXISTS (SELECT * FROM sqlite_master WHERE name = 'U') CREATE TABLE U (X INTEGER)",
     "CREATE TABLE U (X INTEGER)", "", false, 0, "", 0},
    {"LaFallaDetieneElTexto",
     "BEGIN TRANSACTION\r\nINSERT INTO T (A) VALUES (4)\r\nINSERT INTO NOEXISTE (A) VALUES (1)\r\n"
     "INSERT INTO T (A) VALUES (5)\r\nCOMMIT TRANSACTION",
     "INSERT INTO T (A) VALUES (4)|INSERT INTO NOEXISTE (A) VALUES (1)",
     "INSERT INTO NOEXISTE (A) VALUES (1) INSERT INTO T (A) VALUES (5) COMMIT", true, 1, "ROLLBACK TRANSACTION", 0},
    {"FallaEnLaPrimeraDejaTodoElTexto", "INSERT INTO NOEXISTE (A) VALUES (1)\r\nINSERT INTO T (A) VALUES (6)",
     "INSERT INTO NOEXISTE (A) VALUES (1)", "INSERT INTO NOEXISTE (A) VALUES (1) INSERT INTO T (A) VALUES (6)", true,
     0, "", 0},
    // A keyword inside a quoted value is part of the value: the statement
    // goes whole and the value is stored as typed.
    {"ClaveDentroDeUnValorNoCorta", "INSERT INTO T (A, C) VALUES (7, 'x UPDATE y')",
     "INSERT INTO T (A, C) VALUES (7, 'x UPDATE y')", "", false, 1, "", 1},
    {"TodasLasClavesDentroDeUnMotivo",
     "BEGIN TRANSACTION\r\nINSERT INTO T (A, C) VALUES (8, 'update, insert; delete: commit o rollback, d''Insert ')\r\n"
     "UPDATE T SET B = 1 WHERE C = 'drop'\r\nCOMMIT TRANSACTION",
     "INSERT INTO T (A, C) VALUES (8, 'update, insert; delete: commit o rollback, d''Insert ')|"
     "UPDATE T SET B = 1 WHERE C = 'drop'",
     "", false, 1, "", 1},
};

class ScriptOracleCasos : public ScriptOracle, public ::testing::WithParamInterface<CasoOracle> {};

TEST_P(ScriptOracleCasos, LimpiaCortaYEjecuta) {
    const CasoOracle& caso = GetParam();
    QString texto = QString::fromUtf8(caso.texto);
    long afectadas = 0;

    db->EjecutaConsultaSQL(texto, &afectadas);

    const QString enviadas = QString::fromUtf8(caso.enviadas);
    EXPECT_EQ(trazadas(), enviadas.isEmpty() ? QStringList() : enviadas.split(u'|'));
    EXPECT_EQ(texto, QString::fromUtf8(caso.resto));
    EXPECT_EQ(db->gCnn().errors().Count() > 0, caso.falla);
    EXPECT_EQ(afectadas, caso.afectadas);
    if (*caso.despues) db->EjecutaConsultaSQL(QString::fromUtf8(caso.despues));
    EXPECT_EQ(confirmado(QStringLiteral("SELECT COUNT(*) FROM T")), caso.confirmadas);
}

INSTANTIATE_TEST_SUITE_P(Casos, ScriptOracleCasos, ::testing::ValuesIn(casosOracle),
                         [](const auto& caso) { return std::string(caso.param.nombre); });

TEST_F(ScriptOracle, ElNivelDeAislamientoNoAbreUnaTransaccion) {
    QString texto = QStringLiteral("SET TRANSACTION ISOLATION LEVEL READ COMMITTED");

    db->EjecutaConsultaSQL(texto);

    // Cut at "COMMIT" inside COMMITTED; the first piece goes to Execute.
    const QStringList enviadas = trazadas();
    ASSERT_FALSE(enviadas.isEmpty());
    EXPECT_EQ(enviadas.front(), QStringLiteral("SET TRANSACTION ISOLATION LEVEL READ"));
}

TEST_F(ScriptOracle, ElLoteDeGActualizarDatoScriptSeConfirmaOSeDeshace) {
    bool huboError = false;
    long numero = 0;
    QString enviada, mensaje;
    datos::GActualizarDatoScript(*db, {QStringLiteral("INSERT INTO T (A) VALUES (30)")}, huboError, numero, false,
                                 false, enviada, mensaje, false);
    EXPECT_FALSE(huboError);
    EXPECT_EQ(confirmado(QStringLiteral("SELECT COUNT(*) FROM T WHERE A = 30")), 1);

    datos::GActualizarDatoScript(*db,
                                 {QStringLiteral("INSERT INTO T (A) VALUES (31)"),
                                  QStringLiteral("INSERT INTO T (A) VALUES (30)")},
                                 huboError, numero, false, false, enviada, mensaje, false);
    EXPECT_TRUE(huboError);
    EXPECT_EQ(numero, 2627);
    EXPECT_EQ(confirmado(QStringLiteral("SELECT COUNT(*) FROM T WHERE A = 31")), 0);
    // The logged text is what the runner left: from the failing statement on.
    const QList<QStringList> registrados = erroresRegistrados();
    ASSERT_EQ(registrados.size(), 1);
    EXPECT_EQ(registrados[0][3], QStringLiteral("INSERT INTO T (A) VALUES (30) "));
}

// ---- GActualizarDatoScript --------------------------------------------------------

TEST_F(Scripts, SoloEntradasEnBlancoNoEnvianNada) {
    bool huboError = true;
    long numero = 77;
    QString enviada = QStringLiteral("antes");
    QString mensaje = QStringLiteral("antes");

    datos::GActualizarDatoScript(*db, {QString(), QStringLiteral("   "), QStringLiteral("")}, huboError, numero, false,
                                 false, enviada, mensaje, true);

    EXPECT_FALSE(huboError);
    EXPECT_EQ(numero, 77);
    EXPECT_EQ(enviada, QStringLiteral("antes"));
    EXPECT_EQ(mensaje, QStringLiteral("antes"));
    EXPECT_TRUE(trazadas().isEmpty());
    EXPECT_TRUE(dialogos.mensajes().empty());
}

TEST_F(Scripts, UnLoteQueCorreSeConfirma) {
    bool huboError = true;
    long numero = 77;
    QString enviada, mensaje;

    datos::GActualizarDatoScript(*db,
                                 {QString(), QStringLiteral("INSERT INTO T (A) VALUES (1)"), QStringLiteral("  "),
                                  QStringLiteral(" UPDATE T SET B = 5 WHERE A = 1")},
                                 huboError, numero, false, false, enviada, mensaje, true);

    const QString lote = QStringLiteral(
        "BEGIN TRANSACTION \r\r\rINSERT INTO T (A) VALUES (1)\r UPDATE T SET B = 5 WHERE A = 1\r");
    EXPECT_FALSE(huboError);
    EXPECT_EQ(numero, 0);
    EXPECT_EQ(enviada, lote);
    EXPECT_TRUE(mensaje.isEmpty());
    EXPECT_EQ(trazadas(), (QStringList{lote, QStringLiteral("COMMIT TRANSACTION")}));
    EXPECT_EQ(confirmado(QStringLiteral("SELECT B FROM T WHERE A = 1")), 5);
    EXPECT_TRUE(erroresRegistrados().isEmpty());
    EXPECT_TRUE(dialogos.mensajes().empty());
}

struct CasoFalla {
    const char* nombre;
    const char* sentencia;      // fails after an insert into T that must not stay
    bool controlaDuplicados;
    bool controlaRelaciones;
    bool mostrar;
    long numero;                // expected native number
    bool callado;               // handed back quietly: description alone, nothing shown
};

const CasoFalla casosFalla[] = {
    {"DuplicadoControlado", "INSERT INTO MA_CUENTAS (Codigo, Descripcion) VALUES ('A1', 'otra')", true, false, true,
     2627, true},
    {"DuplicadoSinControl", "INSERT INTO MA_CUENTAS (Codigo, Descripcion) VALUES ('A1', 'otra')", false, true, true,
     2627, false},
    {"RestriccionControlada", "INSERT INTO POSITIVOS (N) VALUES (-1)", false, true, true, 547, true},
    {"RestriccionSinControl", "INSERT INTO POSITIVOS (N) VALUES (-1)", true, false, true, 547, false},
    {"SinMostrar", "INSERT INTO MA_CUENTAS (Codigo, Descripcion) VALUES ('A1', 'otra')", false, false, false, 2627,
     false},
};

class ScriptsFallidos : public Scripts, public ::testing::WithParamInterface<CasoFalla> {};

TEST_P(ScriptsFallidos, DeshaceRegistraYAvisaSegunLoPedido) {
    const CasoFalla& caso = GetParam();
    bool huboError = false;
    long numero = 0;
    QString enviada, mensaje;

    datos::GActualizarDatoScript(*db, {QStringLiteral("INSERT INTO T (A) VALUES (40)"), QString::fromUtf8(caso.sentencia)},
                                 huboError, numero, caso.controlaDuplicados, caso.controlaRelaciones, enviada, mensaje,
                                 caso.mostrar);

    EXPECT_TRUE(huboError);
    EXPECT_EQ(numero, caso.numero);
    EXPECT_EQ(db->gCnn().errors().Count(), 0);
    // Rolled back: the first insert did not stay.
    EXPECT_EQ(confirmado(QStringLiteral("SELECT COUNT(*) FROM T")), 0);
    const QStringList enviadas = trazadas();
    ASSERT_GE(enviadas.size(), 2);  // then the AUX_ERR row's own statements
    EXPECT_EQ(enviadas[0], enviada);
    EXPECT_EQ(enviadas[1], QStringLiteral("ROLLBACK TRANSACTION"));
    EXPECT_FALSE(enviadas.contains(QStringLiteral("COMMIT TRANSACTION")));

    const QList<QStringList> registrados = erroresRegistrados();
    ASSERT_EQ(registrados.size(), 1);
    EXPECT_EQ(registrados[0][0], plataforma::nombreEjecutable());
    EXPECT_EQ(registrados[0][1], QString::number(caso.numero));
    EXPECT_EQ(registrados[0][3], enviada);
    ASSERT_FALSE(mensaje.isEmpty());
    if (caso.callado) {
        EXPECT_FALSE(mensaje.contains(QStringLiteral(" : ")));
        EXPECT_FALSE(mensaje.endsWith(QStringLiteral("\r\n")));
        EXPECT_TRUE(registrados[0][2].trimmed().isEmpty());
        EXPECT_TRUE(dialogos.mensajes().empty());
        return;
    }
    EXPECT_TRUE(mensaje.startsWith(QString::number(caso.numero) + QStringLiteral(" : "))) << mensaje.toStdString();
    EXPECT_TRUE(mensaje.endsWith(QStringLiteral("\r\n")));
    EXPECT_EQ(registrados[0][2], mensaje);
    if (!caso.mostrar) {
        EXPECT_TRUE(dialogos.mensajes().empty());
        return;
    }
    ASSERT_EQ(dialogos.mensajes().size(), 1u);
    EXPECT_EQ(dialogos.mensajes()[0].texto, mensaje);
    EXPECT_EQ(dialogos.mensajes()[0].estilo, estilo::SoloAceptar | estilo::Critico);
    EXPECT_EQ(dialogos.mensajes()[0].titulo, QStringLiteral("Aviso al Operador!"));
}

INSTANTIATE_TEST_SUITE_P(Casos, ScriptsFallidos, ::testing::ValuesIn(casosFalla),
                         [](const auto& caso) { return std::string(caso.param.nombre); });

// ---- The COMMIT itself refused ------------------------------------------------------

// Both statements run; the database refuses the COMMIT (a deferred reference
// left dangling). The refusal is read as a failed batch: rolled back,
// logged and shown; and the connection is out of the transaction, so the
// next batch is committed for real and not nested inside the old one.
TEST_F(Scripts, UnaConfirmacionRechazadaSeDeshaceRegistraYAvisa) {
    crear(QStringLiteral("CREATE TABLE PADRE (ID INTEGER PRIMARY KEY)"));
    crear(QStringLiteral("CREATE TABLE HIJO (PADRE INTEGER REFERENCES PADRE (ID) DEFERRABLE INITIALLY DEFERRED)"));
    olvidarTraza();
    bool huboError = false;
    long numero = 0;
    QString enviada, mensaje;

    datos::GActualizarDatoScript(*db, {QStringLiteral("INSERT INTO T (A) VALUES (7)"),
                                       QStringLiteral("INSERT INTO HIJO (PADRE) VALUES (99)")},
                                 huboError, numero, false, false, enviada, mensaje, true);

    EXPECT_TRUE(huboError);
    EXPECT_EQ(numero, 547);
    EXPECT_TRUE(mensaje.contains(QStringLiteral("FOREIGN KEY"))) << mensaje.toStdString();
    const QStringList enviadas = trazadas();
    ASSERT_GE(enviadas.size(), 3);
    EXPECT_EQ(enviadas[1], QStringLiteral("COMMIT TRANSACTION"));
    EXPECT_EQ(enviadas[2], QStringLiteral("ROLLBACK TRANSACTION"));
    ASSERT_EQ(dialogos.mensajes().size(), 1u);
    EXPECT_EQ(dialogos.mensajes()[0].texto, mensaje);
    EXPECT_EQ(dialogos.mensajes()[0].titulo, QStringLiteral("Aviso al Operador!"));
    const QList<QStringList> registrados = erroresRegistrados();
    ASSERT_EQ(registrados.size(), 1);
    EXPECT_EQ(registrados[0][1], QStringLiteral("547"));
    EXPECT_EQ(confirmado(QStringLiteral("SELECT COUNT(*) FROM T")), 0);

    datos::GActualizarDatoScript(*db, {QStringLiteral("INSERT INTO T (A) VALUES (8)")}, huboError, numero, false,
                                 false, enviada, mensaje, true);
    EXPECT_FALSE(huboError);
    EXPECT_EQ(confirmado(QStringLiteral("SELECT COUNT(*) FROM T WHERE A = 8")), 1);
}

// ---- Another workstation writing at the same time ------------------------------------

// Another connection holds a write transaction on the same file. A reader
// is not held back (the write-ahead log); the batch waits the bounded busy
// time, then fails with the time-out error through the usual treatment, and
// nothing of it stays. Once the other writer is done the next batch stays.
TEST_F(Scripts, OtroEscritorHaceEsperarYFallarSinDejarNadaAMedias) {
    qputenv("QUINTARO_ESPERA_ESCRITURA_MS", "400");
    db->gCnn().Close();
    db->gCnn().Open(db->gConnString);
    ado::Connection lector;
    lector.Open(db->gConnString);
    ado::Connection escritor;
    escritor.Open(db->gConnString);
    qunsetenv("QUINTARO_ESPERA_ESCRITURA_MS");
    ado::Recordset modo;
    modo.Open(QStringLiteral("PRAGMA journal_mode"), lector);
    EXPECT_EQ(modo.Fields(0L).Value().texto().toLower(), QStringLiteral("wal"));
    escritor.BeginTrans();
    escritor.Execute(QStringLiteral("INSERT INTO T (A, C) VALUES (90, 'del otro puesto')"));

    // The reader sees the committed state at once.
    ado::Recordset rs;
    rs.Open(QStringLiteral("SELECT COUNT(*) FROM T"), lector);
    EXPECT_EQ(rs.Fields(0L).Value().aEntero(), 0);

    bool huboError = false;
    long numero = 0;
    QString enviada, mensaje;
    QElapsedTimer reloj;
    reloj.start();
    datos::GActualizarDatoScript(*db, {QStringLiteral("INSERT INTO T (A) VALUES (1)"),
                                       QStringLiteral("UPDATE T SET B = 2 WHERE A = 1")},
                                 huboError, numero, false, false, enviada, mensaje, true);
    const qint64 espera = reloj.elapsed();

    EXPECT_TRUE(huboError);
    EXPECT_EQ(numero, 1222);
    EXPECT_TRUE(mensaje.contains(QStringLiteral("locked"))) << mensaje.toStdString();
    ASSERT_FALSE(dialogos.mensajes().empty());
    EXPECT_EQ(dialogos.mensajes()[0].titulo, QStringLiteral("Aviso al Operador!"));
    std::cout << "[observado] espera del lote ante otro escritor: " << espera << " ms; " << mensaje.toStdString();
    EXPECT_LT(espera, 30000);
    escritor.CommitTrans();
    EXPECT_EQ(confirmado(QStringLiteral("SELECT COUNT(*) FROM T WHERE A = 1")), 0);

    datos::GActualizarDatoScript(*db, {QStringLiteral("INSERT INTO T (A) VALUES (1)")}, huboError, numero, false,
                                 false, enviada, mensaje, true);
    EXPECT_FALSE(huboError);
    EXPECT_EQ(confirmado(QStringLiteral("SELECT COUNT(*) FROM T")), 2);
}

// The message lists the provider's errors but the last, which is the
// server's notice that the batch was ended; a single error is listed alone.
TEST(MensajeErroresScript, DejaAfueraElUltimoDeVarios) {
    struct Caso {
        int cantidad;
        const char* esperado;
    };
    const Caso casos[] = {
        {1, "2627 : primero\r\n"},
        {2, "2627 : primero\r\n"},
        {3, "2627 : primero\r\n3621 : segundo\r\n"},
    };
    const ado::Error errores[] = {{0, QStringLiteral("primero"), {}, 2627, {}},
                                  {0, QStringLiteral("segundo"), {}, 3621, {}},
                                  {0, QStringLiteral("tercero"), {}, 3902, {}}};
    for (const Caso& c : casos) {
        ado::Errors lista;
        for (int i = 0; i < c.cantidad; ++i) lista.Add(errores[i]);
        EXPECT_EQ(datos::mensajeErroresScript(lista), QString::fromUtf8(c.esperado)) << c.cantidad;
    }
}

}  // namespace
