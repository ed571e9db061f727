#include "BaseDePrueba.h"

#include "platform/ado/DialectoSqlite.h"
#include "platform/ado/Recordset.h"

#include <QLocale>

namespace {

struct Reescritura {
    const char* entrada;
    const char* salida;
};

// Exact texts: what the program writes for SQL Server, and what reaches SQLite.
const Reescritura reescrituras[] = {
    // table hints, in any spacing and case
    {"select  top 1 * from AUX_ERR  with(nolock) ", "select * from AUX_ERR LIMIT 1   "},
    {"SELECT * FROM T WITH (NOLOCK) WHERE A = 1", "SELECT * FROM T  WHERE A = 1"},
    {"SELECT * FROM T with ( nolock , rowlock ) , U (NOLOCK)", "SELECT * FROM T  , U "},
    {"SELECT 'with(nolock)' FROM T", "SELECT 'with(nolock)' FROM T"},
    // TOP moves to the end of its own (sub)query
    {"SELECT TOP 10 A FROM T ORDER BY A", "SELECT A FROM T ORDER BY A LIMIT 10"},
    {"SELECT DISTINCT TOP (5) A FROM T", "SELECT DISTINCT A FROM T LIMIT 5"},
    {"SELECT A FROM T WHERE B IN (SELECT TOP 1 B FROM U ORDER BY C) AND D = 1",
     "SELECT A FROM T WHERE B IN (SELECT B FROM U ORDER BY C LIMIT 1) AND D = 1"},
    {"SELECT TOP 100 PERCENT A FROM T ORDER BY A", "SELECT A FROM T ORDER BY A"},
    {"SELECT TOP 3 A FROM T;", "SELECT A FROM T LIMIT 3;"},
    // names and functions
    {"SELECT [Codigo], [Desc ripcion] FROM [dbo].[MA_CUENTAS]",
     "SELECT \"Codigo\", \"Desc ripcion\" FROM \"MA_CUENTAS\""},
    // the owner goes from qualified names, never from literals, quoted names
    // or another database's names
    {"SELECT b.IdFamilia FROM dbo.V_TA_FAMILIAS b", "SELECT b.IdFamilia FROM V_TA_FAMILIAS b"},
    {"select * from DBO.T join Dbo . U on T.A = U.A", "select * from T join U on T.A = U.A"},
    {"SELECT A FROM [DBO].T WHERE B IN (SELECT B FROM dbo.[U V])", "SELECT A FROM T WHERE B IN (SELECT B FROM \"U V\")"},
    {"UPDATE dbo.T SET A = 1 WHERE EXISTS (SELECT 1 FROM dbo.U)", "UPDATE T SET A = 1 WHERE EXISTS (SELECT 1 FROM U)"},
    {"SELECT 'dbo.T', \"dbo.T\", [dbo.T] FROM T", "SELECT 'dbo.T', \"dbo.T\", \"dbo.T\" FROM T"},
    {"SELECT dbo, a.dbo FROM base.dbo.T a, dbo_x.U", "SELECT dbo, a.dbo FROM base.dbo.T a, dbo_x.U"},
    {"SELECT ISNULL(A, 0), LEN(B), SUBSTRING(C, 1, 2) FROM T",
     "SELECT IFNULL(A, 0), LENGTH(RTRIM(B)), SUBSTR(C, 1, 2) FROM T"},
    // "+" joins texts where a literal text shows it, and adds where a number does
    {"SELECT A + ' - ' + [B] FROM T WHERE C = N'x' + RTRIM(D)", "SELECT A || ' - ' || \"B\" FROM T WHERE C = 'x' || RTRIM(D)"},
    {"SELECT '1' + 1, A + B, 'a+b', T.A + (B + 'c') FROM T", "SELECT '1' + 1, A + B, 'a+b', T.A || (B || 'c') FROM T"},
    {"SELECT Charindex('-', Codigo) FROM T", "SELECT INSTR(Codigo, '-') FROM T"},
    {"SELECT CHARINDEX('.', SUBSTRING(C, CHARINDEX('-', C), 9)) FROM T",
     "SELECT INSTR(SUBSTR(C, INSTR(C, '-'), 9), '.') FROM T"},
    {"SELECT CHARINDEX('a', B, 3) FROM T", "SELECT CHARINDEX('a', B, 3) FROM T"},
    {"SELECT GETDATE()", "SELECT datetime('now', 'localtime')"},
    {"SELECT 'ISNULL(x)', N'ñandú' FROM T", "SELECT 'ISNULL(x)', 'ñandú' FROM T"},
    // a name never closed keeps every character: its last one (here a quote) used to go
    {"SELECT [Codigo FROM T WHERE A = 'x'", "SELECT \"Codigo FROM T WHERE A = 'x'\""},
    {"SELECT [a]]", "SELECT \"a]\""},
    {"SELECT \"a\"\"", "SELECT \"a\"\"\""},
    // dates in the workstation's order, only where compared
    {"SELECT * FROM T WHERE Fecha >= '05/03/2024' AND Fecha < '6/3/2024'",
     "SELECT * FROM T WHERE Fecha >= '2024-03-05' AND Fecha < '2024-03-06'"},
    {"SELECT * FROM T WHERE Fecha BETWEEN '01/02/2024' AND '29/02/2024 23:59:59'",
     "SELECT * FROM T WHERE Fecha BETWEEN '2024-02-01' AND '2024-02-29 23:59:59'"},
    {"SELECT * FROM T WHERE F IN ('01/02/2024', '02/02/2024') AND G = '03/02/2024'",
     "SELECT * FROM T WHERE F IN ('2024-02-01', '2024-02-02') AND G = '2024-02-03'"},
    {"SELECT * FROM T WHERE F <> '31/12/2023' OR F != '30/12/2023'",
     "SELECT * FROM T WHERE F <> '2023-12-31' OR F != '2023-12-30'"},
    {"INSERT INTO T (Motivo, Fecha) VALUES ('05/03/2024', '05/03/2024')",
     "INSERT INTO T (Motivo, Fecha) VALUES ('05/03/2024', '05/03/2024')"},
    {"UPDATE T SET Motivo = '05/03/2024' WHERE Fecha = '05/03/2024'",
     "UPDATE T SET Motivo = '05/03/2024' WHERE Fecha = '2024-03-05'"},
    {"SELECT * FROM T WHERE F = '2024-03-05' AND G = '31/02/2024' AND H = 'abc'",
     "SELECT * FROM T WHERE F = '2024-03-05' AND G = '31/02/2024' AND H = 'abc'"},
    {"SELECT * FROM T WHERE A = 1 AND B BETWEEN 1 AND 2 AND C = 'x' AND D > '01/01/2024'",
     "SELECT * FROM T WHERE A = 1 AND B BETWEEN 1 AND 2 AND C = 'x' AND D > '2024-01-01'"},
};

void PrintTo(const Reescritura& r, std::ostream* os) { *os << r.entrada; }

class Dialecto : public ::testing::TestWithParam<Reescritura> {};

}  // namespace

TEST_P(Dialecto, ReescribeExactamente) {
    EXPECT_EQ(ado::DialectoSqlite().reescribir(QString::fromUtf8(GetParam().entrada)),
              QString::fromUtf8(GetParam().salida));
}

INSTANTIATE_TEST_SUITE_P(Sentencias, Dialecto, ::testing::ValuesIn(reescrituras));

namespace {

// With the catalogue at hand: only the date columns of the target table get
// the ISO form of a stored date.
const Reescritura almacenadas[] = {
    {"INSERT INTO MV_X (Motivo, [Fecha], Alta) VALUES ('05/03/2024', '05/03/2024 10:20', '2024-01-02')",
     "INSERT INTO MV_X (Motivo, \"Fecha\", Alta) VALUES ('05/03/2024', '2024-03-05 10:20:00', '2024-01-02')"},
    {"insert into dbo.MV_X (Fecha, Motivo) values ('01/02/2024', 'a'), ('02/02/2024', '03/02/2024')",
     "insert into MV_X (Fecha, Motivo) values ('2024-02-01', 'a'), ('2024-02-02', '03/02/2024')"},
    {"UPDATE MV_X SET Motivo = '05/03/2024', Fecha = '06/03/2024' WHERE Fecha < '07/03/2024'",
     "UPDATE MV_X SET Motivo = '05/03/2024', Fecha = '2024-03-06' WHERE Fecha < '2024-03-07'"},
    {"UPDATE OTRA SET Fecha = '06/03/2024'", "UPDATE OTRA SET Fecha = '06/03/2024'"},
    {"INSERT INTO MV_X (Fecha) SELECT '05/03/2024'", "INSERT INTO MV_X (Fecha) SELECT '05/03/2024'"},
};

class DialectoConCatalogo : public ::testing::TestWithParam<Reescritura> {};

}  // namespace

TEST_P(DialectoConCatalogo, ReescribeLasFechasDeColumnasDeFecha) {
    const ado::DialectoSqlite dialecto([](const QString& tabla, const QString& columna) {
        const bool fecha = tabla == QLatin1String("MV_X") &&
                           (columna == QLatin1String("Fecha") || columna == QLatin1String("Alta"));
        return fecha ? QStringLiteral("datetime") : QStringLiteral("varchar(250)");
    });
    EXPECT_EQ(dialecto.reescribir(QString::fromUtf8(GetParam().entrada)), QString::fromUtf8(GetParam().salida));
}

INSTANTIATE_TEST_SUITE_P(Sentencias, DialectoConCatalogo, ::testing::ValuesIn(almacenadas));
