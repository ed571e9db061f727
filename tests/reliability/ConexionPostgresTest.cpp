// A session on the PostgreSQL server when the connection fails under it: the
// server stopped and started again between two queries, the server gone for
// good, a connection that the server ends again right after the reconnection,
// and a statement that outlives the command time-out. Every statement the
// session sends is traced, so a test sees how often it was tried.

#include "data/ActualizarDatoScript.h"
#include "data/DB_Dll.h"
#include "platform/RuntimeError.h"
#include "platform/ado/Connection.h"
#include "platform/ado/Recordset.h"
#include "support/BasePostgres.h"
#include "support/DialogosGuion.h"

#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <iostream>
#include <memory>

namespace {

namespace estilo = plataforma::estilo;
namespace respuesta = plataforma::respuesta;

prueba::BasePostgres& basePostgres() {
    static prueba::BasePostgres base(QStringLiteral("quintaro_conexion_confiabilidad"), true);
    return base;
}

const QString crlf = QStringLiteral("\r\n");

class ConexionPostgres : public ::testing::Test {
protected:
    void SetUp() override {
        QUINTARO_EXIGIR_POSTGRES();
        ASSERT_TRUE(basePostgres().valida()) << basePostgres().error().toStdString();
        ASSERT_TRUE(carpeta_.isValid());
        qputenv("QUINTARO_CARPETA", QFile::encodeName(carpeta_.path() + u'/'));
        qputenv("QUINTARO_TRAZA_SQL", QFile::encodeName(traza()));
        db_ = std::make_unique<datos::DB_Dll>(dialogos_);
        db_->terminarPrograma = [this] { ++terminaciones_; };
        db_->gUsuario = QStringLiteral("mgomez");
        db_->gDBName = basePostgres().base();
        db_->gUserPassWord = QStringLiteral("demo");
        db_->gServidor = basePostgres().origenDatos();
        // The administrator check is another test's subject (DemoPostgresTest).
        db_->OpenServerADODB(false, 3, {}, false, true);
        ASSERT_TRUE(db_->gOpenFlag);
        ASSERT_TRUE(dialogos_.mensajes().empty()) << dialogos_.mensajes().front().texto.toStdString();
    }

    void TearDown() override {
        db_.reset();
        // A test that failed half-way must not leave the next one without server.
        if (!prueba::BasePostgres::respondeServidor()) prueba::BasePostgres::arrancarServidor();
        qunsetenv("QUINTARO_CARPETA");
        qunsetenv("QUINTARO_TRAZA_SQL");
    }

    QString traza() const { return carpeta_.filePath(QStringLiteral("traza.sql")); }
    QString leer(const QString& ruta) const {
        QFile f(ruta);
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }
    // How many times the session sent a statement, by the trace.
    long enviada(const QString& sentencia) const {
        return leer(traza()).count(u' ' + sentencia + u'\n');
    }

    // The first column of the first row, through the session's AbrirRecordset;
    // "<cerrado>" when the call left the recordset closed.
    QString consultar(const QString& sentencia) {
        ado::Recordset rs;
        db_->AbrirRecordset(sentencia, rs);
        if (rs.State() == 0) return QStringLiteral("<cerrado>");
        const QString valor = rs.EOF_() ? QStringLiteral("<sin fila>") : rs.Fields(0L).Value().texto();
        db_->CierraRecordset(rs);
        return valor;
    }

    // The error log is single-byte text in the workstation's code page.
    QString errorLog() const {
        QFile f(carpeta_.filePath(QStringLiteral("QZERR.LOG")));
        return f.open(QIODevice::ReadOnly) ? QString::fromLatin1(f.readAll()) : QString();
    }

    QString mensajeConexionPerdida() const {
        return crlf + crlf + crlf + QStringLiteral("Se perdio la conexion con la base de datos ") +
               basePostgres().base() + crlf + QStringLiteral(" Servidor ") + basePostgres().origenDatos() +
               crlf + crlf + QStringLiteral("Elija SI para reintentar conectarse") + crlf +
               QStringLiteral("Elija NO para cerrar la aplicacion") + crlf + crlf + crlf;
    }

    QTemporaryDir carpeta_;
    prueba::DialogosGuion dialogos_;
    std::unique_ptr<datos::DB_Dll> db_;
    int terminaciones_ = 0;
};

// ---- The server stopped and started again -----------------------------------------

TEST_F(ConexionPostgres, TrasReiniciarElServidorLaConsultaSigueSinAvisar) {
    const QString antes = consultar(QStringLiteral("SELECT pg_backend_pid()"));
    ASSERT_NE(antes, QStringLiteral("<cerrado>"));

    ASSERT_TRUE(prueba::BasePostgres::pararServidor());
    ASSERT_TRUE(prueba::BasePostgres::arrancarServidor());

    const QString cuenta = QStringLiteral("SELECT COUNT(*) FROM MV_CONCILIACION_CAB");
    EXPECT_EQ(consultar(cuenta), QStringLiteral("16"));
    EXPECT_TRUE(dialogos_.mensajes().empty()) << dialogos_.mensajes().front().texto.toStdString();
    EXPECT_TRUE(db_->gOpenFlag);
    EXPECT_EQ(terminaciones_, 0);
    // The statement failed on the dead connection and ran once more on the new one.
    EXPECT_EQ(enviada(cuenta), 2);
    const QString despues = consultar(QStringLiteral("SELECT pg_backend_pid()"));
    EXPECT_NE(despues, antes);
    EXPECT_TRUE(errorLog().isEmpty()) << errorLog().toStdString();
    std::cout << "[observado] reinicio: backend " << antes.toStdString() << " -> " << despues.toStdString()
              << ", la consulta se envio " << enviada(cuenta) << " veces, sin mensajes\n";
}

// A connection lost again right after the reconnection, within the same
// call: the one silent repetition is spent, so the second loss goes to the
// error dialog. Abort leaves the recordset closed; the session still works.
TEST_F(ConexionPostgres, UnaSegundaPerdidaEnLaMismaLlamadaVaAlDialogoDeError) {
    const QString suicida = QStringLiteral("SELECT pg_terminate_backend(pg_backend_pid())");
    dialogos_.responder(respuesta::Abortar);

    EXPECT_EQ(consultar(suicida), QStringLiteral("<cerrado>"));

    EXPECT_EQ(enviada(suicida), 2);
    ASSERT_EQ(dialogos_.mensajes().size(), 1u);
    const auto& m = dialogos_.mensajes()[0];
    EXPECT_TRUE(m.titulo.startsWith(QStringLiteral("AbrirRecordset - "))) << m.titulo.toStdString();
    EXPECT_TRUE(m.texto.startsWith(QStringLiteral("Ha ocurrido el Siguiente Error (%1) ")
                                       .arg(plataforma::numero::FallaProveedor)))
        << m.texto.toStdString();
    EXPECT_EQ(m.estilo, estilo::AbortarReintentarIgnorar | estilo::Critico);
    EXPECT_EQ(terminaciones_, 0);
    EXPECT_TRUE(errorLog().contains(QStringLiteral(" Rutina: AbrirRecordset - Mensaje Ha ocurrido el Siguiente Error (")))
        << errorLog().toStdString();

    // The next call starts with a fresh counter and a live connection.
    EXPECT_EQ(consultar(QStringLiteral("SELECT COUNT(*) FROM MA_CUENTAS")), QStringLiteral("17"));
    std::cout << "[observado] perdida doble: enviada " << enviada(suicida) << " veces, luego el dialogo: "
              << m.texto.toStdString() << '\n';
}

// ---- An ordinary failing statement -------------------------------------------------

// A query that fails as it runs (a division by zero inside a view) is an
// error of the command: one error box, the query sent once, the same
// server process, and the transaction opened before it still open.
TEST_F(ConexionPostgres, UnaDivisionPorCeroEnUnaVistaNoReconectaYLaTransaccionSigue) {
    ASSERT_TRUE(basePostgres().psql(QStringLiteral(
        "CREATE OR REPLACE VIEW v_division AS SELECT 1 / (COUNT(*) - COUNT(*)) AS x FROM ma_cuentas;"
        "GRANT SELECT ON v_division TO PUBLIC;")));
    const QString pid = consultar(QStringLiteral("SELECT pg_backend_pid()"));
    db_->gCnn().BeginTrans();
    db_->EjecutaConsultaSQL(QStringLiteral("INSERT INTO TA_CAJAS (IdCajas, Descripcion) VALUES ('  49', 'T')"));
    ASSERT_EQ(db_->gCnn().errors().Count(), 0);
    dialogos_.responder(respuesta::Abortar);

    const QString division = QStringLiteral("SELECT x FROM v_division");
    EXPECT_EQ(consultar(division), QStringLiteral("<cerrado>"));

    EXPECT_EQ(enviada(division), 1);
    ASSERT_EQ(dialogos_.mensajes().size(), 1u);
    EXPECT_TRUE(dialogos_.mensajes()[0].texto.startsWith(
        QStringLiteral("Ha ocurrido el Siguiente Error (%1) ").arg(plataforma::numero::ErrorSintaxis)))
        << dialogos_.mensajes()[0].texto.toStdString();
    EXPECT_TRUE(db_->gOpenFlag);
    QString estado;
    ASSERT_TRUE(basePostgres().psql(
        QStringLiteral("SELECT state FROM pg_stat_activity WHERE pid = %1").arg(pid), &estado));
    EXPECT_TRUE(estado.trimmed().startsWith(QStringLiteral("idle in transaction"))) << estado.toStdString();
    EXPECT_NO_THROW(db_->gCnn().RollbackTrans());
    EXPECT_EQ(consultar(QStringLiteral("SELECT pg_backend_pid()")), pid);
    std::cout << "[observado] division por cero: enviada " << enviada(division) << " vez, "
              << dialogos_.mensajes().size() << " dialogo, la conexion " << pid.toStdString() << " sigue: "
              << estado.trimmed().toStdString() << '\n';
}

// A text too long for its column fails the statement and nothing is
// written; the failure stays on the list for the caller.
TEST_F(ConexionPostgres, UnTextoDemasiadoLargoDejaSuErrorYNoEscribe) {
    db_->EjecutaConsultaSQL(QStringLiteral("INSERT INTO TA_CAJAS (IdCajas, Descripcion) VALUES ('12345', 'x')"));
    ASSERT_GT(db_->gCnn().errors().Count(), 0);
    EXPECT_EQ(db_->gCnn().errors().Item(0).NativeError, 8152);
    EXPECT_EQ(db_->gCnn().errors().Item(0).SQLState, QStringLiteral("22001"));
    EXPECT_EQ(consultar(QStringLiteral("SELECT COUNT(*) FROM TA_CAJAS WHERE IdCajas = '12345'")),
              QStringLiteral("0"));
    EXPECT_TRUE(dialogos_.mensajes().empty());
}

// ---- Reconnecting to a server that is not there, or that refuses -------------------

// The server's port with nobody listening on it (the server stopped): the
// reconnection fails as an unreachable server, without a word; once the
// server is back it reconnects.
TEST_F(ConexionPostgres, ReconectarAUnPuertoSinServidorNoMuestraNada) {
    ASSERT_TRUE(prueba::BasePostgres::pararServidor());
    db_->ReintentaConectar();
    const bool abierta = db_->gOpenFlag;
    const bool inalcanzable = ado::servidorInalcanzable(db_->gCnn().errors());
    const ado::Error primero =
        db_->gCnn().errors().Count() > 0 ? db_->gCnn().errors().Item(0) : ado::Error{};
    ASSERT_TRUE(prueba::BasePostgres::arrancarServidor());

    EXPECT_FALSE(abierta);
    EXPECT_TRUE(inalcanzable);
    EXPECT_TRUE(dialogos_.mensajes().empty()) << dialogos_.mensajes().front().texto.toStdString();
    db_->ReintentaConectar();
    EXPECT_TRUE(db_->gOpenFlag);
    EXPECT_EQ(consultar(QStringLiteral("SELECT COUNT(*) FROM MA_CUENTAS")), QStringLiteral("17"));
    std::cout << "[observado] puerto sin servidor: " << primero.SQLState.toStdString() << " "
              << primero.Description.toStdString() << ", sin mensajes\n";
}

// ---- A password holding the connection text's own signs ----------------------------

// The password travels in the connection text OpenServerADODB builds and,
// after a lost connection, as ReintentaConectar's own argument: both times
// it reaches the server whole.
TEST_F(ConexionPostgres, UnaContrasenaConPuntoYComaYLlavesIniciaSesionYReconecta) {
    const QString clave = QStringLiteral("pa;s=s{wo}}rd");
    ASSERT_TRUE(basePostgres().psql(
        QStringLiteral("DO $$ BEGIN IF NOT EXISTS (SELECT FROM pg_roles WHERE rolname = 'quintaro_signos') THEN "
                       "CREATE ROLE quintaro_signos LOGIN; END IF; END $$;"
                       "ALTER ROLE quintaro_signos PASSWORD '%1';"
                       "GRANT SELECT ON ALL TABLES IN SCHEMA public TO quintaro_signos;")
            .arg(clave)));
    datos::DB_Dll sesion(dialogos_);
    sesion.terminarPrograma = [this] { ++terminaciones_; };
    sesion.gUsuario = QStringLiteral("quintaro_signos");
    sesion.gUserPassWord = clave;
    sesion.gDBName = basePostgres().base();
    sesion.gServidor = basePostgres().origenDatos();
    sesion.OpenServerADODB(false, 3, {}, false, true);
    ASSERT_TRUE(sesion.gOpenFlag);
    ASSERT_TRUE(dialogos_.mensajes().empty()) << dialogos_.mensajes().front().texto.toStdString();
    const auto consultarEn = [&](const QString& sentencia) {
        ado::Recordset rs;
        sesion.AbrirRecordset(sentencia, rs);
        if (rs.State() == 0) return QStringLiteral("<cerrado>");
        const QString valor = rs.Fields(0L).Value().texto();
        sesion.CierraRecordset(rs);
        return valor;
    };
    const QString cuenta = QStringLiteral("SELECT COUNT(*) FROM MA_CUENTAS");
    EXPECT_EQ(consultarEn(cuenta), QStringLiteral("17"));

    const QString pid = consultarEn(QStringLiteral("SELECT pg_backend_pid()"));
    ASSERT_TRUE(basePostgres().psql(QStringLiteral("SELECT pg_terminate_backend(%1)").arg(pid)));
    EXPECT_EQ(consultarEn(cuenta), QStringLiteral("17"));
    EXPECT_TRUE(sesion.gOpenFlag);
    EXPECT_NE(consultarEn(QStringLiteral("SELECT pg_backend_pid()")), pid);
    EXPECT_TRUE(dialogos_.mensajes().empty()) << dialogos_.mensajes().front().texto.toStdString();
    EXPECT_EQ(terminaciones_, 0);
    std::cout << "[observado] contrasena " << clave.toStdString() << ": texto " << sesion.gConnString.toStdString()
              << ", la sesion abre y reconecta\n";
}

// ---- The server gone for good ------------------------------------------------------

TEST_F(ConexionPostgres, SinServidorPreguntaAlOperadorYConNoTerminaElPrograma) {
    ASSERT_NE(consultar(QStringLiteral("SELECT 1")), QStringLiteral("<cerrado>"));
    ASSERT_TRUE(prueba::BasePostgres::pararServidor());
    dialogos_.responder(respuesta::Si);
    dialogos_.responder(respuesta::No);

    QElapsedTimer reloj;
    reloj.start();
    const QString resultado = consultar(QStringLiteral("SELECT COUNT(*) FROM MV_CONCILIACION_CAB"));
    const qint64 ms = reloj.elapsed();

    // Two reconnections fail silently, then the question; Yes tries again
    // and asks again; No ends the program.
    ASSERT_EQ(dialogos_.mensajes().size(), 2u);
    for (const auto& m : dialogos_.mensajes()) {
        EXPECT_EQ(m.titulo, QStringLiteral("AVISO AL OPERADOR"));
        EXPECT_EQ(m.texto, mensajeConexionPerdida());
        EXPECT_EQ(m.estilo, estilo::SiNo | estilo::Critico);
    }
    EXPECT_EQ(terminaciones_, 1);
    EXPECT_EQ(resultado, QStringLiteral("<cerrado>"));
    EXPECT_FALSE(db_->gOpenFlag);
    // The operator's question is no error dialog: nothing in the error log.
    EXPECT_TRUE(errorLog().isEmpty()) << errorLog().toStdString();

    ASSERT_TRUE(prueba::BasePostgres::arrancarServidor());
    std::cout << "[observado] sin servidor: " << dialogos_.mensajes().size()
              << " avisos al operador, terminarPrograma " << terminaciones_ << " vez, " << ms << " ms\n";
}

// ---- A statement longer than the command time-out -------------------------------

TEST_F(ConexionPostgres, UnaSentenciaMasLargaQueElTiempoDeEsperaTerminaEnElDialogoYLaSesionSigue) {
    db_->gCnn().setCommandTimeout(1);
    dialogos_.responder(respuesta::Abortar);

    QElapsedTimer reloj;
    reloj.start();
    EXPECT_EQ(consultar(QStringLiteral("SELECT pg_sleep(5)")), QStringLiteral("<cerrado>"));
    const qint64 ms = reloj.elapsed();

    ASSERT_EQ(dialogos_.mensajes().size(), 1u);
    const auto& m = dialogos_.mensajes()[0];
    const QString prefijo =
        QStringLiteral("Ha ocurrido el Siguiente Error (%1) ").arg(plataforma::numero::TiempoAgotado);
    EXPECT_TRUE(m.texto.startsWith(prefijo)) << m.texto.toStdString();
    EXPECT_TRUE(m.titulo.startsWith(QStringLiteral("AbrirRecordset - "))) << m.titulo.toStdString();
    EXPECT_EQ(terminaciones_, 0);

    // One line in the error log next to the program, with the answer.
    const QStringList lineas = errorLog().split(crlf, Qt::SkipEmptyParts);
    ASSERT_EQ(lineas.size(), 1) << errorLog().toStdString();
    static const QRegularExpression forma(
        QStringLiteral("^\\d\\d-\\d\\d-\\d{4} \\d\\d:\\d\\d:\\d\\d Rutina: AbrirRecordset - Mensaje "));
    EXPECT_TRUE(forma.match(lineas[0]).hasMatch()) << lineas[0].toStdString();
    EXPECT_TRUE(lineas[0].contains(prefijo.trimmed())) << lineas[0].toStdString();
    EXPECT_TRUE(lineas[0].endsWith(QStringLiteral(" Respondió : Abortar"))) << lineas[0].toStdString();

    // The session stays usable, with its time-out.
    EXPECT_EQ(consultar(QStringLiteral("SELECT COUNT(*) FROM MV_CONCILIACION_OPEN")), QStringLiteral("7"));
    EXPECT_EQ(dialogos_.mensajes().size(), 1u);
    EXPECT_EQ(db_->gCnn().CommandTimeout(), 1);
    std::cout << "[observado] tiempo agotado tras " << ms << " ms: " << m.texto.toStdString() << '\n';
}

// ---- A batch as one transaction on the server ---------------------------------------

struct CasoLote {
    const char* nombre;
    const char* sentencias;    // "|" between statements
    bool controlaDuplicados;
    bool controlaRelaciones;
    long numero;               // NumeroError
    bool mensaje;              // shown to the operator
    const char* quedan;        // committed rows of TA_CAJAS with codes above 40, "," between them
};

const CasoLote casosLote[] = {
    {"Confirmado",
     "INSERT INTO TA_CAJAS (IdCajas, Descripcion) VALUES ('  41', 'A')|"
     "INSERT INTO V_TA_Cajas (IdCajas, Descripcion) VALUES ('  42', 'B')",
     false, false, 0, false, "  41,  42"},
    {"DuplicadoCallado",
     "INSERT INTO TA_CAJAS (IdCajas, Descripcion) VALUES ('  41', 'A')|"
     "INSERT INTO TA_CAJAS (IdCajas, Descripcion) VALUES ('   1', 'repetida')",
     true, false, 2627, false, ""},
    {"DuplicadoAvisado",
     "INSERT INTO TA_CAJAS (IdCajas, Descripcion) VALUES ('  41', 'A')|"
     "INSERT INTO TA_CAJAS (IdCajas, Descripcion) VALUES ('   1', 'repetida')",
     false, false, 2627, true, ""},
    {"RelacionCallada",
     "INSERT INTO TA_CAJAS (IdCajas, Descripcion) VALUES ('  41', 'A')|"
     "INSERT INTO MV_CONCILIACION (IDCONCILIACION, CUENTA) VALUES ('            999', '1.1.01.01')",
     false, true, 547, false, ""},
    {"TextoDemasiadoLargo",
     "INSERT INTO TA_CAJAS (IdCajas, Descripcion) VALUES ('  41', 'A')|"
     "INSERT INTO TA_CAJAS (IdCajas, Descripcion) VALUES ('12345', 'codigo largo')",
     false, false, 8152, true, ""},
};

class LoteEnPostgres : public ConexionPostgres, public ::testing::WithParamInterface<CasoLote> {
protected:
    void TearDown() override {
        if (db_) {
            db_->EjecutaConsultaSQL(QStringLiteral("DELETE FROM TA_CAJAS WHERE IdCajas > '  40'"));
            db_->EjecutaConsultaSQL(QStringLiteral("DELETE FROM AUX_ERR"));
        }
        ConexionPostgres::TearDown();
    }
};

TEST_P(LoteEnPostgres, ConfirmaTodoONadaYRegistraLaFalla) {
    const CasoLote& caso = GetParam();
    const QStringList sentencias = QString::fromUtf8(caso.sentencias).split(u'|');
    bool huboError = false;
    long numero = -1;
    QString enviada, mensaje;

    datos::GActualizarDatoScript(*db_, sentencias, huboError, numero, caso.controlaDuplicados,
                                 caso.controlaRelaciones, enviada, mensaje, true);

    EXPECT_EQ(huboError, caso.numero != 0) << mensaje.toStdString();
    EXPECT_EQ(numero, caso.numero) << mensaje.toStdString();
    EXPECT_TRUE(enviada.startsWith(QStringLiteral("BEGIN TRANSACTION \r\r\r"))) << enviada.toStdString();
    EXPECT_EQ(dialogos_.mensajes().size(), caso.mensaje ? 1u : 0u);
    if (caso.mensaje && !dialogos_.mensajes().empty()) {
        EXPECT_EQ(dialogos_.mensajes()[0].titulo, QStringLiteral("Aviso al Operador!"));
        EXPECT_TRUE(dialogos_.mensajes()[0].texto.startsWith(QString::number(caso.numero) + QStringLiteral(" : ")))
            << dialogos_.mensajes()[0].texto.toStdString();
    }

    QStringList quedan;
    ado::Recordset rs;
    db_->AbrirRecordset(QStringLiteral("SELECT IdCajas FROM TA_CAJAS WHERE IdCajas > '  40' ORDER BY IdCajas"), rs);
    for (; rs.State() != 0 && !rs.EOF_(); rs.MoveNext()) quedan << rs.Fields(0L).Value().texto();
    db_->CierraRecordset(rs);
    EXPECT_EQ(quedan.join(u','), QString::fromUtf8(caso.quedan));

    // One row of AUX_ERR per failed batch, with the native number; the quiet
    // cases leave its description empty.
    const QString errores = QStringLiteral("SELECT COUNT(*) FROM AUX_ERR WHERE Error = %1").arg(caso.numero);
    EXPECT_EQ(consultar(errores), caso.numero != 0 ? QStringLiteral("1") : QStringLiteral("0"));
    if (caso.numero != 0) {
        const QString descripcion = consultar(QStringLiteral("SELECT COALESCE(Descripcion, '') FROM AUX_ERR"));
        EXPECT_EQ(descripcion.isEmpty(), !caso.mensaje) << descripcion.toStdString();
        std::cout << "[observado] lote " << caso.nombre << ": " << numero << " " << mensaje.toStdString() << '\n';
    }
    EXPECT_TRUE(dialogos_.mensajes().size() <= 1u);
}

INSTANTIATE_TEST_SUITE_P(Lotes, LoteEnPostgres, ::testing::ValuesIn(casosLote),
                         [](const auto& caso) { return std::string(caso.param.nombre); });

}  // namespace
