// The session's Oracle paths on a session whose connection text names Oracle
// while the database is the embedded one: what reaches the connection (the
// statement trace, before the embedded engine's own rewriting) and what comes
// back. The table carries a column called ROWNUM, so the ROWNUM conditions
// made from a TOP run here too.

#include "BaseDePrueba.h"

#include "data/ActualizarDatoScript.h"
#include "platform/ado/Errors.h"
#include "platform/ado/Recordset.h"

#include <gtest/gtest.h>

namespace {

namespace estilo = plataforma::estilo;

class SesionOracle : public BaseDePrueba {
protected:
    void SetUp() override {
        BaseDePrueba::SetUp();
        if (HasFatalFailure()) return;
        abrir();
        if (HasFatalFailure()) return;
        for (const char* sentencia : {
                 "CREATE TABLE NUMERADA (ROWNUM INTEGER, Codigo VARCHAR(10), Nombre VARCHAR(30), "
                 "Nota VARCHAR(10), Largo INTEGER)",
                 "INSERT INTO NUMERADA (ROWNUM, Codigo, Nombre, Nota) VALUES (1, 'C', 'Ccc', 'x')",
                 "INSERT INTO NUMERADA (ROWNUM, Codigo, Nombre, Nota) VALUES (2, 'A', 'Aa-b', NULL)",
                 "INSERT INTO NUMERADA (ROWNUM, Codigo, Nombre, Nota) VALUES (3, 'B', 'B-b-b', 'y')",
             }) {
            db->EjecutaConsultaSQL(QString::fromUtf8(sentencia));
            ASSERT_EQ(db->gCnn().errors().Count(), 0) << sentencia;
        }
        abrirComoOracle();
    }

    // Every row's fields, "," between fields and "|" between rows.
    static QString filas(ado::Recordset& rs) {
        QStringList lineas;
        if (rs.State() == ado::estado::Cerrado) return QStringLiteral("(cerrado)");
        for (; !rs.EOF_(); rs.MoveNext()) {
            QStringList campos;
            for (long i = 0; i < rs.FieldCount(); ++i) campos << rs.Fields(i).Value().texto();
            lineas << campos.join(u',');
        }
        return lineas.join(u'|');
    }

    QString leer(const QString& consulta) {
        ado::Recordset rs;
        rs.Open(consulta, db->gCnn());
        return filas(rs);
    }
};

struct CasoConsulta {
    const char* nombre;
    const char* sentencia;
    const char* enviada;   // the text the connection received
    const char* filas;
};

const CasoConsulta casosConsulta[] = {
    {"CorchetesYLen", "SELECT [Codigo], LEN(Nombre) FROM NUMERADA WHERE Codigo = 'A'",
     "SELECT \"Codigo\", LENGTH(Nombre) FROM NUMERADA WHERE Codigo = 'A'", "A,4"},
    {"Substring", "SELECT SUBSTRING(Nombre, 1, 2) FROM NUMERADA WHERE Codigo = 'B'",
     "SELECT SUBSTR(Nombre, 1, 2) FROM NUMERADA WHERE Codigo = 'B'", "B-"},
    {"TopYOrderBy", "SELECT TOP 2 Codigo FROM NUMERADA ORDER BY Codigo",
     "SELECT  Codigo FROM NUMERADA    WHERE ROWNUM <= 2  ORDER BY Codigo", "A|C"},
    // INSTR takes the searched text first: with the arguments in SQL
    // Server's order every position would be 0.
    {"CharindexDevuelveLaPosicion", "SELECT Codigo, CHARINDEX('-', Nombre) FROM NUMERADA ORDER BY Codigo",
     "SELECT Codigo, InStr(Nombre, '-') FROM NUMERADA ORDER BY Codigo", "A,3|B,2|C,0"},
    {"VacioEsNulo", "SELECT Codigo FROM NUMERADA WHERE Nota = '' ORDER BY Codigo",
     "SELECT Codigo FROM NUMERADA WHERE Nota  IS NULL  ORDER BY Codigo", "A"},
    {"MarcaQuitadaAntes", "SELECT [Codigo] FROM @Admin_NUMERADA WHERE ROWNUM = 1",
     "SELECT \"Codigo\" FROM NUMERADA WHERE ROWNUM = 1", "C"},
};

class ConsultaOracle : public SesionOracle, public ::testing::WithParamInterface<CasoConsulta> {};

TEST_P(ConsultaOracle, SeReescribeAlAbrirYElLlamadorGuardaElTextoSinReescribir) {
    const CasoConsulta& caso = GetParam();
    QString sentencia = QString::fromUtf8(caso.sentencia);
    ado::Recordset rs;

    db->AbrirRecordset(sentencia, rs);

    EXPECT_EQ(trazadas(), QStringList{QString::fromUtf8(caso.enviada)});
    EXPECT_EQ(filas(rs), QString::fromUtf8(caso.filas));
    // The caller's variable holds the text after the synonyms only.
    EXPECT_EQ(sentencia, QString::fromUtf8(caso.sentencia).remove(QStringLiteral("@Admin_")));
    EXPECT_TRUE(dialogos.mensajes().empty());
}

INSTANTIATE_TEST_SUITE_P(Casos, ConsultaOracle, ::testing::ValuesIn(casosConsulta),
                         [](const auto& caso) { return std::string(caso.param.nombre); });

TEST_F(SesionOracle, SinConversionSeEnviaElTextoDeLosSinonimos) {
    QString sentencia = QStringLiteral("SELECT TOP 1 [Codigo] FROM @Admin_NUMERADA WHERE Codigo = 'A'");
    ado::Recordset rs;

    db->AbrirRecordset(sentencia, rs, {}, 0, 1, -1, false);

    const QString sinMarca = QStringLiteral("SELECT TOP 1 [Codigo] FROM NUMERADA WHERE Codigo = 'A'");
    EXPECT_EQ(trazadas(), QStringList{sinMarca});
    EXPECT_EQ(sentencia, sinMarca);
    EXPECT_EQ(filas(rs), QStringLiteral("A"));
}

TEST_F(SesionOracle, UnaComillaSinParLlegaAlTratamientoDeErrores) {
    QString sentencia = QStringLiteral("SELECT Codigo FROM NUMERADA WHERE Codigo = 'A");
    ado::Recordset rs;

    db->AbrirRecordset(sentencia, rs);

    ASSERT_EQ(dialogos.mensajes().size(), 1u);
    EXPECT_TRUE(dialogos.mensajes()[0].texto.startsWith(QStringLiteral("Ha ocurrido el Siguiente Error (5) ")))
        << dialogos.mensajes()[0].texto.toStdString();
    EXPECT_TRUE(dialogos.mensajes()[0].titulo.startsWith(QStringLiteral("AbrirRecordset - ")));
    EXPECT_EQ(dialogos.mensajes()[0].estilo, estilo::AbortarReintentarIgnorar | estilo::Critico);
    // Abort: nothing was sent and the recordset stays closed.
    EXPECT_TRUE(trazadas().isEmpty());
    EXPECT_EQ(rs.State(), ado::estado::Cerrado);
}

TEST_F(SesionOracle, LosComandosSeReescribenSentenciaPorSentencia) {
    QString texto = QStringLiteral(
        "BEGIN TRANSACTION\r\n"
        "UPDATE NUMERADA SET Nota = SUBSTRING(Nombre, 1, 1) WHERE [Codigo] = 'B'\r\n"
        "UPDATE NUMERADA SET Largo = LEN (Nombre) WHERE Codigo = 'A'\r\n"
        "COMMIT TRANSACTION");
    long afectadas = 0;

    db->EjecutaConsultaSQL(texto, &afectadas);

    EXPECT_EQ(trazadas(), (QStringList{
                              QStringLiteral("UPDATE NUMERADA SET Nota = SUBSTR(Nombre, 1, 1) WHERE \"Codigo\" = 'B'"),
                              QStringLiteral("UPDATE NUMERADA SET Largo = LENGTH(Nombre) WHERE Codigo = 'A'"),
                          }));
    EXPECT_EQ(db->gCnn().errors().Count(), 0);
    EXPECT_EQ(afectadas, 2);
    EXPECT_TRUE(texto.isEmpty());
    EXPECT_EQ(leer(QStringLiteral("SELECT Codigo, Nota, Largo FROM NUMERADA WHERE Codigo IN ('A', 'B') ORDER BY Codigo")),
              QStringLiteral("A,,4|B,B,"));
}

TEST_F(SesionOracle, ExisteEnTablaReescribeSuConsultaPropiaYNoLaDelLlamador) {
    EXPECT_TRUE(db->ExisteEnTabla(QStringLiteral("NUMERADA"), QStringLiteral(" C ")));
    EXPECT_EQ(trazadas(),
              QStringList{QStringLiteral(
                  "SELECT   * FROM NUMERADA with(nolock)  WHERE LTRIM(RTRIM(Codigo)) ='C'  AND ROWNUM <= 1  ")});
    olvidarTraza();

    ado::Recordset rs;
    EXPECT_TRUE(db->ExisteEnTabla(QStringLiteral("NUMERADA"), QStringLiteral("A"), QStringLiteral("Codigo"), &rs));
    EXPECT_EQ(trazadas(), QStringList{QStringLiteral(
                              "SELECT TOP 1  * FROM NUMERADA with(nolock)  WHERE LTRIM(RTRIM(Codigo)) ='A'")});
    EXPECT_EQ(rs.Fields(QStringLiteral("Nombre")).Value().texto(), QStringLiteral("Aa-b"));
    EXPECT_TRUE(dialogos.mensajes().empty());
}

// A statement whose quote is never closed cannot be rewritten, so it never
// runs; the batch must count as failed and be undone, not committed with
// the statements before it.
TEST_F(SesionOracle, UnLoteQueNoSePuedeReescribirSeDeshaceYSeInforma) {
    bool huboError = false;
    long numero = 0;
    QString enviada, mensaje;

    datos::GActualizarDatoScript(*db,
                                 {QStringLiteral("INSERT INTO NUMERADA (ROWNUM, Codigo) VALUES (4, 'D')"),
                                  QStringLiteral("UPDATE NUMERADA SET Nota = 'x y WHERE Codigo = 'A'")},
                                 huboError, numero, false, false, enviada, mensaje, false);

    EXPECT_TRUE(huboError);
    EXPECT_TRUE(mensaje.contains(QStringLiteral("argumento no válido"))) << mensaje.toStdString();
    EXPECT_EQ(leer(QStringLiteral("SELECT COUNT(*) FROM NUMERADA WHERE Codigo = 'D'")), QStringLiteral("0"));
    EXPECT_EQ(leer(QStringLiteral("SELECT Nota FROM NUMERADA WHERE Codigo = 'A'")), QString());
}

// ---- A session that is not an Oracle one -------------------------------------------

class SesionComun : public BaseDePrueba {};

TEST_F(SesionComun, ElTextoQuedaComoEstaAunConTop) {
    abrir();
    for (const char* texto : {"SELECT TOP 1 * FROM MA_CUENTAS WHERE Codigo = ''", "LEN",
                              "SELECT CHARINDEX('-', [Codigo]) FROM MA_CUENTAS WHERE F = '01/02/2024'",
                              "SELECT * FROM MA_CUENTAS WHERE Codigo = 'A"}) {
        EXPECT_EQ(db->ORACLE_Dicc(QString::fromUtf8(texto)), QString::fromUtf8(texto));
    }
    QString sentencia = QStringLiteral("SELECT TOP 1 Codigo FROM MA_CUENTAS ORDER BY Codigo");
    ado::Recordset rs;
    db->AbrirRecordset(sentencia, rs);
    EXPECT_EQ(trazadas(), QStringList{sentencia});
}

}  // namespace
