#include "BaseDePrueba.h"

#include "platform/ado/GuionSqlite.h"
#include "platform/ado/SeparadorSentencias.h"

#include <QStringList>

namespace {

using Modo = ado::SeparadorSentencias::Modo;

struct Corte {
    Modo modo;
    const char* texto;
    QStringList sentencias;
};

void PrintTo(const Corte& c, std::ostream* os) {
    *os << (c.modo == Modo::Literal ? "literal: " : "embebido: ") << c.texto;
}

const Corte cortes[] = {
    // The script runner's literal behaviour.
    {Modo::Literal, "SET TRANSACTION INSERT INTO T (A) VALUES (1) UPDATE U SET B = 2 WHERE K = 3 COMMIT",
     {"SET TRANSACTION", "INSERT INTO T (A) VALUES (1)", "UPDATE U SET B = 2 WHERE K = 3", "COMMIT"}},
    {Modo::Literal, "SELECT 1 FROM DUAL", {}},
    {Modo::Literal, "exec proc  insert into t values (1)", {"insert into t values (1)"}},
    {Modo::Literal, "INSERT INTO T (M) VALUES ('error en el update del lunes')",
     {"INSERT INTO T (M) VALUES ('error en el update del lunes')"}},
    {Modo::Literal, "INSERT INTO T (M) VALUES ('d''Insert, commit') UPDATE T SET M = 'rollback'",
     {"INSERT INTO T (M) VALUES ('d''Insert, commit')", "UPDATE T SET M = 'rollback'"}},
    {Modo::Literal, "UPDATE T SET LASTUPDATE = 1", {"UPDATE T SET LAST", "UPDATE = 1"}},
    {Modo::Literal, "IF NOT EXISTS (SELECT 1 FROM X) CREATE TABLE X (A INT)",
     {"IF NOT EXISTS (SELECT 1 FROM X)", "CREATE TABLE X (A INT)"}},
    {Modo::Literal, "  insert into t values (1)\n  ", {"insert into t values (1)\n"}},
    {Modo::Literal, "commit", {"commit"}},
    // The embedded engine's: quotes, words, blocks, and the leading text kept.
    {Modo::Embebido, "INSERT INTO T (M) VALUES ('error en el update del lunes')",
     {"INSERT INTO T (M) VALUES ('error en el update del lunes')"}},
    {Modo::Embebido, "UPDATE T SET LASTUPDATE = 1", {"UPDATE T SET LASTUPDATE = 1"}},
    {Modo::Embebido, "SELECT * FROM T", {"SELECT * FROM T"}},
    {Modo::Embebido, "BEGIN TRANSACTION\r\nINSERT INTO T VALUES (1)\r\nUPDATE U SET A = 2\r\nCOMMIT TRANSACTION",
     {"BEGIN TRANSACTION", "INSERT INTO T VALUES (1)", "UPDATE U SET A = 2", "COMMIT TRANSACTION"}},
    {Modo::Embebido, "BEGIN TRANSACTION \r\r\rINSERT INTO T VALUES (1)\rROLLBACK TRAN\r",
     {"BEGIN TRANSACTION", "INSERT INTO T VALUES (1)", "ROLLBACK TRAN"}},
    {Modo::Embebido, "SET NOCOUNT ON SELECT A FROM T", {"SET NOCOUNT ON", "SELECT A FROM T"}},
    {Modo::Embebido, "SET NOCOUNT ON INSERT INTO T VALUES (1); SELECT 2",
     {"SET NOCOUNT ON", "INSERT INTO T VALUES (1)", "SELECT 2"}},
    {Modo::Embebido, "DELETE FROM T WHERE A IN (SELECT A FROM U WHERE B = 'INSERT ')",
     {"DELETE FROM T WHERE A IN (SELECT A FROM U WHERE B = 'INSERT ')"}},
    {Modo::Embebido, "CREATE TABLE H (A INT REFERENCES P(A) ON DELETE CASCADE) INSERT INTO H VALUES (1)",
     {"CREATE TABLE H (A INT REFERENCES P(A) ON DELETE CASCADE)", "INSERT INTO H VALUES (1)"}},
    {Modo::Embebido,
     "CREATE TRIGGER TR AFTER UPDATE ON T BEGIN UPDATE U SET A = CASE WHEN 1 = 1 THEN 2 END; END INSERT INTO T VALUES (1)",
     {"CREATE TRIGGER TR AFTER UPDATE ON T BEGIN UPDATE U SET A = CASE WHEN 1 = 1 THEN 2 END; END",
      "INSERT INTO T VALUES (1)"}},
    {Modo::Embebido, "IF NOT EXISTS (SELECT 1 FROM X) CREATE TABLE X (A INT) -- update later\n",
     {"IF NOT EXISTS (SELECT 1 FROM X)", "CREATE TABLE X (A INT) -- update later"}},
    {Modo::Embebido, "  \r\n ", {}},
};

class Separador : public ::testing::TestWithParam<Corte> {};

}  // namespace

TEST_P(Separador, CortaEnLasPalabrasClave) {
    QStringList obtenidas;
    for (const auto& tramo : ado::SeparadorSentencias(GetParam().modo).separar(QString::fromUtf8(GetParam().texto)))
        obtenidas << tramo.sentencia;
    EXPECT_EQ(obtenidas, GetParam().sentencias);
}

INSTANTIATE_TEST_SUITE_P(Textos, Separador, ::testing::ValuesIn(cortes));

// The runner continues after a failure from the failing statement on: the
// places of the pieces must point into the text it was given.
TEST(SeparadorTramos, IndicanDondeEstaCadaSentencia) {
    for (Modo modo : {Modo::Literal, Modo::Embebido}) {
        const QString texto = QStringLiteral("xx INSERT INTO T VALUES (1)  DELETE FROM T  UPDATE T SET A = 1");
        const auto tramos = ado::SeparadorSentencias(modo).separar(texto);
        ASSERT_GE(tramos.size(), 3u);
        const auto& borrar = tramos[tramos.size() - 2];
        EXPECT_TRUE(texto.mid(borrar.inicio).startsWith(QLatin1String("DELETE FROM T")));
        EXPECT_EQ(texto.mid(borrar.fin), QStringLiteral("UPDATE T SET A = 1"));
    }
}

TEST(SeparadorLimpieza, PreparaElTextoComoElEjecutorDeGuiones) {
    const QString texto = QStringLiteral(
        "SET NOCOUNT ON\r\nBEGIN TRANSACTION\r\nINSERT INTO T VALUES (1)\r\nGO \r\ncommit transaction\rrollback trans\nX");
    EXPECT_EQ(ado::SeparadorSentencias::limpiar(texto),
              QStringLiteral(" SET TRANSACTION INSERT INTO T VALUES (1)  COMMIT ROLLBACK\nX"));
}

TEST(GuionSqlite, CortaEnPuntoYComaFueraDeTextosYDisparadores) {
    const QString guion = QStringLiteral(
        "-- datos; de prueba\n"
        "CREATE TABLE A (X TEXT DEFAULT ';');\n"
        "INSERT INTO A VALUES ('uno;\ndos');\n"
        "CREATE TRIGGER T AFTER INSERT ON A\nBEGIN\n  UPDATE A SET X = CASE WHEN 1 THEN 'a' END;\n"
        "  SELECT RAISE(ABORT, 'no; nunca');\nEND;\n"
        "INSERT INTO A VALUES ('x;y') ; INSERT INTO A VALUES ('z')");
    EXPECT_EQ(ado::GuionSqlite::sentencias(guion),
              (QStringList{QStringLiteral("-- datos; de prueba\nCREATE TABLE A (X TEXT DEFAULT ';');"),
                           QStringLiteral("INSERT INTO A VALUES ('uno;\ndos');"),
                           QStringLiteral("CREATE TRIGGER T AFTER INSERT ON A\nBEGIN\n  UPDATE A SET X = CASE WHEN 1 "
                                          "THEN 'a' END;\n  SELECT RAISE(ABORT, 'no; nunca');\nEND;"),
                           QStringLiteral("INSERT INTO A VALUES ('x;y') ;"),
                           QStringLiteral("INSERT INTO A VALUES ('z')")}));
}
