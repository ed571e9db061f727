#include "BaseDePrueba.h"

#include "data/ErroresGenerales.h"
#include "platform/Aplicacion.h"
#include "platform/ui/Dialogos.h"
#include "session/utility_component/DatosEquipo.h"

#include <QDir>
#include <QFile>

namespace {

namespace estilo = plataforma::estilo;
namespace respuesta = plataforma::respuesta;
using datos::DB_Dll;

class SesionAbierta : public BaseDePrueba {
protected:
    void SetUp() override {
        BaseDePrueba::SetUp();
        abrir();
    }
    QByteArray logPrograma() const {
        QFile archivo(carpetaPrograma() + "QZERR.LOG");
        return archivo.open(QIODevice::ReadOnly) ? archivo.readAll() : QByteArray();
    }
};

// ---- Queries ----------------------------------------------------------------

using Consultas = SesionAbierta;

TEST_F(Consultas, AbreLaConsultaSinMarcasYDevuelveElTextoEnviado) {
    QString sentencia = QStringLiteral("SELECT Codigo FROM @Admin_MA_CUENTAS ORDER BY Codigo");
    ado::Recordset filas;
    db->AbrirRecordset(sentencia, filas);
    EXPECT_EQ(sentencia, "SELECT Codigo FROM MA_CUENTAS ORDER BY Codigo");
    EXPECT_EQ(trazadas(), QStringList{sentencia});
    ASSERT_EQ(filas.State(), ado::estado::Abierto);
    EXPECT_EQ(filas.RecordCount(), 3);
    EXPECT_EQ(filas.Fields(0L).Value().texto(), "A1");
    // Opening again into the same recordset closes it first.
    db->AbrirRecordset(QStringLiteral("SELECT Codigo FROM MA_CUENTAS WHERE Codigo = 'N1'"), filas);
    EXPECT_EQ(filas.RecordCount(), 1);
    EXPECT_TRUE(dialogos.mensajes().empty());
}

TEST_F(Consultas, UnaConsultaFallidaVaAlTratamientoDeErrores) {
    dialogos.responder(respuesta::Reintentar);
    dialogos.responder(respuesta::Abortar);
    ado::Recordset filas;
    db->AbrirRecordset(QStringLiteral("SELECT * FROM NO_EXISTE"), filas);
    EXPECT_EQ(filas.State(), ado::estado::Cerrado);
    // Retry runs the query again and fails again.
    ASSERT_EQ(dialogos.mensajes().size(), 2u);
    EXPECT_EQ(trazadas().size(), 2);
    const auto& caja = dialogos.mensajes().front();
    EXPECT_TRUE(caja.titulo.startsWith("AbrirRecordset - ")) << caja.titulo.toStdString();
    EXPECT_TRUE(caja.titulo.endsWith(" Aviso al operador!!! - 5 ")) << caja.titulo.toStdString();
    EXPECT_TRUE(caja.texto.startsWith("Ha ocurrido el Siguiente Error (-2147217865) ")) << caja.texto.toStdString();
    const QByteArray log = logPrograma();
    EXPECT_TRUE(log.contains(" Rutina: AbrirRecordset - Mensaje Ha ocurrido el Siguiente Error (-2147217865) "));
    EXPECT_TRUE(log.contains(" Respondi\xF3 : Reintentar\r\n"));
    EXPECT_TRUE(log.endsWith(" Respondi\xF3 : Abortar\r\n"));
}

// A query that fails as it runs (here a view calling a function the engine
// lacks) is an error of the command: one error box, the query sent once, no
// reconnection, so a transaction opened before it is still open.
TEST_F(Consultas, UnaConsultaQueFallaAlCorrerNoSeTomaPorConexionPerdida) {
    db->EjecutaConsultaSQL(QStringLiteral("CREATE VIEW V_MALA AS SELECT NO_HAY_TAL(Codigo) AS X FROM MA_CUENTAS"));
    ASSERT_EQ(db->gCnn().errors().Count(), 0);
    db->gCnn().BeginTrans();
    db->EjecutaConsultaSQL(QStringLiteral("INSERT INTO MA_CUENTAS (Codigo) VALUES ('T1')"));
    ASSERT_EQ(db->gCnn().errors().Count(), 0);
    olvidarTraza();

    const QString consulta = QStringLiteral("SELECT X FROM V_MALA");
    ado::Recordset filas;
    db->AbrirRecordset(consulta, filas);
    EXPECT_EQ(filas.State(), ado::estado::Cerrado);
    ASSERT_EQ(dialogos.mensajes().size(), 1u);
    EXPECT_TRUE(dialogos.mensajes()[0].texto.startsWith("Ha ocurrido el Siguiente Error (-2147217900) "))
        << dialogos.mensajes()[0].texto.toStdString();
    EXPECT_EQ(trazadas(), QStringList{consulta});
    EXPECT_TRUE(db->gOpenFlag);
    EXPECT_NO_THROW(db->gCnn().CommitTrans());
    EXPECT_EQ(contar("SELECT COUNT(*) FROM MA_CUENTAS WHERE Codigo = 'T1'"), 1);
}

TEST_F(Consultas, CierraRecordsetDescartaUnaFilaPendiente) {
    ado::Recordset nunca;
    db->CierraRecordset(nunca);  // never opened: nothing to do
    EXPECT_EQ(nunca.State(), ado::estado::Cerrado);

    ado::Recordset filas;
    db->AbrirRecordset(QStringLiteral("SELECT * FROM MA_CUENTAS"), filas, {}, ado::cursor::Dynamic,
                       ado::bloqueo::Optimistic);
    ASSERT_EQ(filas.State(), ado::estado::Abierto);
    filas.AddNew();
    filas.Fields(QStringLiteral("Codigo")).setValue(ado::Variant("Z9"));
    db->CierraRecordset(filas);
    EXPECT_EQ(filas.State(), ado::estado::Cerrado);
    EXPECT_TRUE(dialogos.mensajes().empty());
    EXPECT_EQ(contar("SELECT COUNT(*) FROM MA_CUENTAS"), 3);
}

// ---- Commands ---------------------------------------------------------------

using Comandos = SesionAbierta;

TEST_F(Comandos, UnComandoFallidoDejaSusErroresSinAvisar) {
    db->EjecutaConsultaSQL(QStringLiteral("INSERT INTO NO_EXISTE VALUES (1)"));
    EXPECT_GT(db->gCnn().errors().Count(), 0);
    EXPECT_EQ(db->gCnn().errors().Item(0).NativeError, 208);
    EXPECT_TRUE(dialogos.mensajes().empty());

    // The next command starts with an empty list.
    long filas = -1;
    QString sentencia = QStringLiteral("UPDATE @Admin_MA_CUENTAS SET Nivel = 9 WHERE Nivel < 3");
    db->EjecutaConsultaSQL(sentencia, &filas);
    EXPECT_EQ(db->gCnn().errors().Count(), 0);
    EXPECT_EQ(filas, 2);
    EXPECT_EQ(sentencia, "UPDATE MA_CUENTAS SET Nivel = 9 WHERE Nivel < 3");
    EXPECT_EQ(trazadas().last(), sentencia);
}

// A reason is stored as typed: the marker removal changes names only.
TEST_F(Comandos, UnValorCitadoConservaLaMarcaQueLleva) {
    QString sentencia = QStringLiteral("UPDATE @Admin_MA_CUENTAS SET Descripcion = 'nota @Admin_ABC' WHERE Codigo = 'A1'");
    db->EjecutaConsultaSQL(sentencia);
    ASSERT_EQ(db->gCnn().errors().Count(), 0);
    EXPECT_EQ(sentencia, "UPDATE MA_CUENTAS SET Descripcion = 'nota @Admin_ABC' WHERE Codigo = 'A1'");
    EXPECT_EQ(db->DatosTabla("MA_CUENTAS", "A1", "Descripcion").texto(), "nota @Admin_ABC");
}

TEST_F(Comandos, ElRecordsetDelComandoVaAlLlamador) {
    ado::Recordset resultado;
    db->EjecutaConsultaSQL(QStringLiteral("SELECT COUNT(*) AS N FROM MA_CUENTAS"), nullptr, &resultado);
    ASSERT_EQ(resultado.State(), ado::estado::Abierto);
    EXPECT_EQ(resultado.Fields(QStringLiteral("N")).Value().aEntero(), 3);
}

TEST_F(Comandos, UnLoteEnTransaccionSeConfirmaODeshace) {
    const struct {
        const char* cierre;
        long cuentas;
    } casos[] = {{"ROLLBACK TRANSACTION", 3}, {"COMMIT TRANSACTION", 4}};
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.cierre);
        db->EjecutaConsultaSQL(QStringLiteral("BEGIN TRANSACTION\r\n"
                                              "INSERT INTO MA_CUENTAS (Codigo, Descripcion) VALUES ('B1', 'x')\r\n"
                                              "UPDATE MA_CUENTAS SET Descripcion = 'y' WHERE Codigo = 'A1'\r\n"));
        ASSERT_EQ(db->gCnn().errors().Count(), 0);
        db->EjecutaConsultaSQL(QString::fromLatin1(caso.cierre));
        EXPECT_EQ(db->gCnn().errors().Count(), 0);
        EXPECT_EQ(contar("SELECT COUNT(*) FROM MA_CUENTAS"), caso.cuentas);
    }
    EXPECT_EQ(db->DatosTabla("MA_CUENTAS", "A1", "Descripcion").texto(), "y");
}

// Through ODBC a text too long for its column fails the statement and
// nothing is written: the failure stays on the list, with or without a
// transaction, so no caller takes the lost change for done.
TEST_F(Comandos, UnTextoDemasiadoLargoDejaSuErrorYNoEscribeNada) {
    const struct {
        const char* sentencia;
        long nativo;
    } casos[] = {
        {"INSERT INTO CORTA (Texto) VALUES ('demasiado largo')", 8152},
        {"BEGIN TRANSACTION\r\nINSERT INTO CORTA (Texto) VALUES ('demasiado largo')", 8152},
        {"INSERT INTO NO_EXISTE (Texto) VALUES ('x')", 208},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.sentencia);
        db->EjecutaConsultaSQL(QString::fromLatin1(caso.sentencia));
        ASSERT_GT(db->gCnn().errors().Count(), 0);
        EXPECT_EQ(db->gCnn().errors().Item(0).NativeError, caso.nativo);
        db->EjecutaConsultaSQL(QStringLiteral("ROLLBACK TRANSACTION"));  // ends the open one, if any
    }
    EXPECT_TRUE(dialogos.mensajes().empty());
    EXPECT_EQ(contar("SELECT COUNT(*) FROM CORTA"), 0);
}

// A command or query on a closed connection leaves its error on the list,
// which is all a caller of a command reads.
TEST_F(Comandos, UnaConexionCerradaDejaSuErrorEnLaLista) {
    db->gCnn().Close();
    db->EjecutaConsultaSQL(QStringLiteral("DELETE FROM MA_CUENTAS"));
    ASSERT_EQ(db->gCnn().errors().Count(), 1);
    EXPECT_EQ(db->gCnn().errors().Item(0).Number, 3709);
    for (const auto& abrirConsulta : {
             +[](ado::Recordset& rs, ado::Connection& c) { rs.Open(QStringLiteral("SELECT * FROM MA_CUENTAS"), c); },
             +[](ado::Recordset&, ado::Connection& c) { (void)c.OpenSchema(ado::esquema::Tablas); },
         }) {
        db->gCnn().errors().Clear();
        ado::Recordset rs;
        EXPECT_THROW(abrirConsulta(rs, db->gCnn()), plataforma::RuntimeError);
        ASSERT_EQ(db->gCnn().errors().Count(), 1);
        EXPECT_EQ(db->gCnn().errors().Item(0).Number, 3709);
    }
    EXPECT_TRUE(dialogos.mensajes().empty());
}

TEST_F(Comandos, EjecutaConsultaRSQLAvisaSoloLasFallasPocoComunes) {
    db->EjecutaConsultaRSQL(QStringLiteral("INSERT INTO NO_EXISTE VALUES (1)"));
    db->EjecutaConsultaRSQL(QStringLiteral("INSERT INTO MA_CUENTAS (Codigo) VALUES ('A1')"));
    EXPECT_TRUE(dialogos.mensajes().empty());

    db->gCnn().Close();
    db->EjecutaConsultaSQL(QStringLiteral("DELETE FROM MA_CUENTAS"));
    EXPECT_TRUE(dialogos.mensajes().empty());
    db->EjecutaConsultaRSQL(QStringLiteral("DELETE FROM MA_CUENTAS"));
    ASSERT_EQ(dialogos.mensajes().size(), 1u);
    EXPECT_EQ(dialogos.mensajes()[0].titulo, "Aviso al operador!!!");
    EXPECT_EQ(dialogos.mensajes()[0].estilo, estilo::SoloAceptar | estilo::Critico);
    EXPECT_FALSE(dialogos.mensajes()[0].texto.isEmpty());
    // A transaction statement is never shown.
    db->EjecutaConsultaRSQL(QStringLiteral("COMMIT TRANSACTION"));
    EXPECT_EQ(dialogos.mensajes().size(), 1u);
}

// A statement written wrong stays silent; one that fails as it runs is shown.
TEST_F(Comandos, EjecutaConsultaRSQLMuestraLaFallaDeUnaSentenciaQueCorre) {
    db->EjecutaConsultaRSQL(QStringLiteral("SELEC 1"));
    EXPECT_TRUE(dialogos.mensajes().empty());
    db->EjecutaConsultaRSQL(QStringLiteral("UPDATE MA_CUENTAS SET Descripcion = NO_HAY_TAL(Codigo)"));
    ASSERT_EQ(dialogos.mensajes().size(), 1u);
    EXPECT_EQ(dialogos.mensajes()[0].titulo, "Aviso al operador!!!");
    EXPECT_TRUE(dialogos.mensajes()[0].texto.contains("NO_HAY_TAL", Qt::CaseInsensitive))
        << dialogos.mensajes()[0].texto.toStdString();
}

// ---- Row lookups --------------------------------------------------------------

using Busquedas = SesionAbierta;

TEST_F(Busquedas, ExisteEnTablaTomaElValorComoValor) {
    const struct {
        QString valor;
        QString campo;
        ado::Variant tipo;
        QString condicion;
        bool existe;
        QString sentencia;
    } casos[] = {
        {"A1", "Codigo", 8, "", true,
         "SELECT TOP 1  * FROM MA_CUENTAS with(nolock)  WHERE LTRIM(RTRIM(Codigo)) ='A1'"},
        {"  A1 ", "Codigo", 8, "", true,
         "SELECT TOP 1  * FROM MA_CUENTAS with(nolock)  WHERE LTRIM(RTRIM(Codigo)) ='A1'"},
        {"O'Brien", "Codigo", 8, "", true,
         "SELECT TOP 1  * FROM MA_CUENTAS with(nolock)  WHERE LTRIM(RTRIM(Codigo)) ='O''Brien'"},
        {"x' OR '1'='1", "Codigo", 8, "", false,
         "SELECT TOP 1  * FROM MA_CUENTAS with(nolock)  WHERE LTRIM(RTRIM(Codigo)) ='x'' OR ''1''=''1'"},
        {"ZZ", "Codigo", 8, "", false,
         "SELECT TOP 1  * FROM MA_CUENTAS with(nolock)  WHERE LTRIM(RTRIM(Codigo)) ='ZZ'"},
        {"2", "Nivel", 3, "", true, "SELECT TOP 1 * FROM MA_CUENTAS with(nolock)  WHERE Nivel = 2"},
        {"", "", 8, "Nivel=3 AND Codigo='N1'", true,
         "SELECT TOP 1 * FROM MA_CUENTAS with(nolock)  WHERE Nivel=3 AND Codigo='N1'"},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.sentencia.toStdString());
        olvidarTraza();
        EXPECT_EQ(db->ExisteEnTabla("MA_CUENTAS", caso.valor, caso.campo, nullptr, caso.tipo, caso.condicion),
                  caso.existe);
        EXPECT_EQ(trazadas(), QStringList{caso.sentencia});
    }
    EXPECT_TRUE(dialogos.mensajes().empty());
}

TEST_F(Busquedas, ConRecordsetDelLlamadorQuedaEnLaFila) {
    ado::Recordset fila;
    ASSERT_TRUE(db->ExisteEnTabla("MA_CUENTAS", "O'Brien", "Codigo", &fila));
    ASSERT_EQ(fila.State(), ado::estado::Abierto);
    EXPECT_EQ(fila.Fields(QStringLiteral("Descripcion")).Value().texto(), "Banco O'Brien");

    EXPECT_FALSE(db->ExisteEnTabla("MA_CUENTAS", "ZZ", "Codigo", &fila));
    EXPECT_EQ(fila.State(), ado::estado::Abierto);
    EXPECT_TRUE(fila.EOF_());
}

TEST_F(Busquedas, ExisteEnTablaSTUsaSiempreLaSesionPrincipal) {
    DB_Dll secundaria(dialogos, db.get());  // never opened
    EXPECT_TRUE(secundaria.ExisteEnTablaST("MA_CUENTAS", "O'Brien"));
    EXPECT_FALSE(secundaria.ExisteEnTablaST("MA_CUENTAS", " A1"));  // the value is not trimmed
    EXPECT_EQ(trazadas().first(), "SELECT * FROM MA_CUENTAS with(nolock)   WHERE Codigo ='O''Brien'");
    EXPECT_TRUE(dialogos.mensajes().empty());
}

TEST_F(Busquedas, UnaTablaInexistenteAvisaAlOperador) {
    dialogos.responder(respuesta::Reintentar);
    dialogos.responder(respuesta::Abortar);
    EXPECT_FALSE(db->ExisteEnTabla("NO_EXISTE", "A1"));
    ASSERT_EQ(dialogos.mensajes().size(), 2u);
    EXPECT_EQ(dialogos.mensajes()[0].titulo, "Aviso al Operador");
    EXPECT_EQ(dialogos.mensajes()[0].estilo, estilo::AbortarReintentarIgnorar | estilo::Critico);
    EXPECT_EQ(dialogos.mensajes()[0].texto, dialogos.mensajes()[1].texto);
    EXPECT_FALSE(dialogos.mensajes()[0].texto.isEmpty());
}

TEST_F(Busquedas, DatosTablaDevuelveLaColumnaComoTexto) {
    const struct {
        QString valor;
        QString columna;
        QString esperado;
        QString sentencia;
    } casos[] = {
        {"A1", "Descripcion", "Caja", "SELECT TOP 1 * FROM MA_CUENTAS with(nolock)  WHERE LTRIM(RTRIM(Codigo)) ='A1' "},
        {"O'Brien", "Descripcion", "Banco O'Brien",
         "SELECT TOP 1 * FROM MA_CUENTAS with(nolock)  WHERE LTRIM(RTRIM(Codigo)) ='O''Brien' "},
        {"A1", "Nivel", "1", "SELECT TOP 1 * FROM MA_CUENTAS with(nolock)  WHERE LTRIM(RTRIM(Codigo)) ='A1' "},
        {"N1", "Descripcion", "", "SELECT TOP 1 * FROM MA_CUENTAS with(nolock)  WHERE LTRIM(RTRIM(Codigo)) ='N1' "},
        {"ZZ", "Descripcion", "", "SELECT TOP 1 * FROM MA_CUENTAS with(nolock)  WHERE LTRIM(RTRIM(Codigo)) ='ZZ' "},
        {"x' OR '1'='1", "Descripcion", "",
         "SELECT TOP 1 * FROM MA_CUENTAS with(nolock)  WHERE LTRIM(RTRIM(Codigo)) ='x'' OR ''1''=''1' "},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.sentencia.toStdString());
        olvidarTraza();
        EXPECT_EQ(db->DatosTabla("MA_CUENTAS", caso.valor, caso.columna).texto(), caso.esperado);
        EXPECT_EQ(trazadas(), QStringList{caso.sentencia});
    }
    EXPECT_EQ(db->DatosTabla("MA_CUENTAS", "O'Brien", "Codigo", "Codigo", 8, "Nivel = 2").texto(), "O'Brien");
    EXPECT_TRUE(dialogos.mensajes().empty());
}

// A closed connection is a lost one: the query reopens it and runs; when
// the database cannot be reached, the lost-connection question is the only
// box and the answer is empty.
TEST_F(Busquedas, DatosTablaConLaConexionCerradaLaReabreOQuedaVacio) {
    const struct {
        bool servidorPresente;
        const char* esperado;
        bool abiertaDespues;
        const char* titulo;
    } casos[] = {{true, "Caja", true, nullptr}, {false, "", false, "AVISO AL OPERADOR"}};
    int terminaciones = 0;
    db->terminarPrograma = [&] { ++terminaciones; };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.servidorPresente);
        if (!caso.servidorPresente) {
            ASSERT_TRUE(QDir(carpetaServidor()).removeRecursively());
        }
        db->gCnn().Close();
        const std::size_t antes = dialogos.mensajes().size();
        EXPECT_EQ(db->DatosTabla("MA_CUENTAS", "A1", "Descripcion").texto(), caso.esperado);
        EXPECT_EQ(db->gOpenFlag, caso.abiertaDespues);
        if (!caso.titulo) {
            EXPECT_EQ(dialogos.mensajes().size(), antes);
            continue;
        }
        ASSERT_GT(dialogos.mensajes().size(), antes);
        for (std::size_t i = antes; i < dialogos.mensajes().size(); ++i)
            EXPECT_EQ(dialogos.mensajes()[i].titulo, caso.titulo);
        EXPECT_EQ(terminaciones, 1);
    }
}

TEST_F(Busquedas, ExisteTablaDBMiraElCatalogo) {
    const struct {
        QString tabla;
        bool existe;
    } casos[] = {{"MA_CUENTAS", true}, {" ma_cuentas ", true}, {"V_CUENTAS", true}, {"NO_EXISTE", false},
                 {"MA_CUENTA", false}};
    for (const auto& caso : casos) EXPECT_EQ(db->ExisteTablaDB(caso.tabla), caso.existe) << caso.tabla.toStdString();
    EXPECT_TRUE(dialogos.mensajes().empty());
}

// ---- The error table --------------------------------------------------------

TEST_F(SesionAbierta, RegistrarErrorAuxGuardaUnaFila) {
    QString proceso;
    const QString larga = QString(300, u'd');
    datos::RegistrarErrorAux(*db, "INSERT INTO X VALUES ('a')", proceso, 2627, larga);
    EXPECT_EQ(proceso, plataforma::nombreEjecutable());
    EXPECT_TRUE(dialogos.mensajes().empty());

    ado::Recordset fila;
    fila.Open(QStringLiteral("SELECT * FROM AUX_ERR"), db->gCnn());
    ASSERT_EQ(fila.RecordCount(), 1);
    EXPECT_EQ(fila["Proceso"].texto(), plataforma::nombreEjecutable());
    EXPECT_EQ(fila["Error"].aEntero(), 2627);
    EXPECT_EQ(fila["Descripcion"].texto(), QString(250, u'd'));
    EXPECT_EQ(fila["SQL"].texto(), "INSERT INTO X VALUES ('a')");
    EXPECT_EQ(fila["pc"].texto(), utilidades::DatosEquipo().nombreMaquina());
    EXPECT_EQ(fila["Usuario"].texto(), "ana");
    EXPECT_EQ(fila["Fecha"].texto().size(), 14);  // dd/MM/yy hh:mm
}

TEST_F(SesionAbierta, RegistrarErrorAuxNuncaFallaAlLlamador) {
    db->EjecutaConsultaSQL(QStringLiteral("DROP TABLE AUX_ERR"));
    ASSERT_EQ(db->gCnn().errors().Count(), 0);
    QString proceso = "OTRO";
    EXPECT_NO_THROW(datos::RegistrarErrorAux(*db, "x", proceso, 1, "y"));
    EXPECT_EQ(proceso, "OTRO");
    db->gCnn().Close();
    EXPECT_NO_THROW(datos::RegistrarErrorAux(*db, "x", proceso, 1, "y"));
}

}  // namespace
