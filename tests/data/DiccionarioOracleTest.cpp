// The Oracle rewriting on its own: text in, text out. Runs of blanks matter
// (the statements are compared byte for byte), so the expected texts spell
// them out.

#include "data/DiccionarioOracle.h"
#include "data/ReconocedorFechas.h"
#include "platform/RuntimeError.h"
#include "session/utility_component/Utilidades.h"
#include "tests/support/DialogosGuion.h"

#include <gtest/gtest.h>

namespace {

using datos::DiccionarioOracle;
using datos::ReconocedorFechas;

// The year a day and month without one fall in.
const QDate hoy(2026, 6, 15);

struct Caso {
    const char* nombre;
    const char* entrada;
    const char* salida;
};

class Traduccion : public ::testing::TestWithParam<Caso> {
protected:
    QString traducir(const QString& texto) {
        return DiccionarioOracle(utilidades, hoy).traducir(texto);
    }

    prueba::DialogosGuion dialogos;
    utilidades::Utilidades utilidades{dialogos};
};

TEST_P(Traduccion, TextoExacto) {
    const Caso& caso = GetParam();
    EXPECT_EQ(traducir(QString::fromUtf8(caso.entrada)).toStdString(), std::string(caso.salida));
}

// The documented examples, blanks counted.
const Caso ejemplos[] = {
    {"TopConWhere", "SELECT TOP 1 * FROM MA_CUENTAS WHERE CODIGO = 'X'",
     "SELECT  * FROM MA_CUENTAS WHERE CODIGO = 'X'  AND ROWNUM <= 1  "},
    {"TopConOrderBy", "SELECT TOP 10 CODIGO FROM MA_CUENTAS ORDER BY CODIGO",
     "SELECT  CODIGO FROM MA_CUENTAS    WHERE ROWNUM <= 10  ORDER BY CODIGO"},
    {"TopConGroupByYOrderBy",
     "SELECT TOP 5 CUENTA, COUNT(*) FROM MV_ASIENTOS WHERE IMPORTE > 0 GROUP BY CUENTA ORDER BY CUENTA",
     "SELECT  CUENTA, COUNT(*) FROM MV_ASIENTOS WHERE IMPORTE > 0    AND ROWNUM <= 5  GROUP BY CUENTA ORDER BY "
     "CUENTA "},
    {"IsnullYCorchetes", "SELECT ISNULL(SALDO,0) FROM [MV CONCILIACION]",
     "SELECT NVL(SALDO,0) FROM \"MV CONCILIACION\""},
    {"FechaEntreComillas", "SELECT * FROM MV_ASIENTOS WHERE FECHA >= '01/02/2024'",
     "SELECT * FROM MV_ASIENTOS WHERE FECHA >= TO_DATE('01/02/2024','DD/MM/YYYY')"},
    {"ComparacionConVacio", "SELECT * FROM MA_CUENTAS WHERE OBS = ''",
     "SELECT * FROM MA_CUENTAS WHERE OBS  IS NULL "},
    {"LenSolo", "LEN", "LENGTH"},
};
INSTANTIATE_TEST_SUITE_P(Ejemplos, Traduccion, ::testing::ValuesIn(ejemplos),
                         [](const auto& i) { return std::string(i.param.nombre); });

const Caso palabraSola[] = {
    {"LenEnMinusculas", "len", "LENGTH"},
    {"NombreDeTabla", "MA_CUENTAS", "MA_CUENTAS"},
    // One word: not even the brackets change.
    {"NombreConCorchetes", "[MA_CUENTAS]", "[MA_CUENTAS]"},
    {"Vacio", "", ""},
};
INSTANTIATE_TEST_SUITE_P(PalabraSola, Traduccion, ::testing::ValuesIn(palabraSola),
                         [](const auto& i) { return std::string(i.param.nombre); });

const Caso top[] = {
    {"TopEnMinusculasSinWhere", "select top 2 * from T", "select  * from T  WHERE ROWNUM <= 2  "},
    {"GroupBySinOrderBy", "SELECT TOP 3 CUENTA FROM MV_ASIENTOS GROUP BY CUENTA",
     "SELECT  CUENTA FROM MV_ASIENTOS    WHERE ROWNUM <= 3  GROUP BY CUENTA "},
    // The first "top" of the text is taken, even inside a column's name.
    {"TopDentroDeUnNombre", "UPDATE T SET laptop = 1 WHERE A IN (SELECT TOP 1 A FROM U)",
     "UPDATE T SET lap 1 WHERE A IN (SELECT TOP 1 A FROM U)  AND ROWNUM <= =  "},
    // The tail moved behind the condition still goes through the later rules.
    {"LaColaSigueConLasDemasReglas", "SELECT TOP 1 [A] FROM T ORDER BY ISNULL([A],0)",
     "SELECT  \"A\" FROM T    WHERE ROWNUM <= 1  ORDER BY NVL(\"A\",0)"},
};
INSTANTIATE_TEST_SUITE_P(Top, Traduccion, ::testing::ValuesIn(top),
                         [](const auto& i) { return std::string(i.param.nombre); });

const Caso funciones[] = {
    {"LenConBlancosAntesDelParentesis", "SELECT LEN(A), LEN (B), LEN  (C), LEN   (D), LEN    (E) FROM T",
     "SELECT LENGTH(A), LENGTH(B), LENGTH(C), LENGTH(D), LENGTH(E) FROM T"},
    // Five blanks, or no blank before LEN: left alone.
    {"LenQueNoSeReconoce", "SELECT LEN     (A), MAX(LEN(B)) FROM T", "SELECT LEN     (A), MAX(LEN(B)) FROM T"},
    {"SubstringEIsnullEnMinusculas", "select substring(a,1,2), isnull(b,0) from t",
     "select SUBSTR(a,1,2), NVL(b,0) from t"},
    {"ConvertYEstilo103", "SELECT CONVERT(NVARCHAR, FECHA, 103), CONVERT(INT, CODIGO) FROM T",
     "SELECT TO_CHAR( FECHA, 'DD/MM/YYYY'), TO_NUMBER( CODIGO) FROM T"},
    // 103 outside a TO_CHAR( is a number.
    {"Estilo103FueraDeToChar", "SELECT CONVERT(VARCHAR(10), F, 103) FROM T WHERE CODIGO = 103",
     "SELECT CONVERT(VARCHAR(10), F, 103) FROM T WHERE CODIGO = 103"},
    {"DosEstilos103", "SELECT CONVERT(NVARCHAR,A,103), CONVERT(NVARCHAR,B,103) FROM T",
     "SELECT TO_CHAR(A,'DD/MM/YYYY'), TO_CHAR(B,'DD/MM/YYYY') FROM T"},
    // The empty text before the first WHERE stays a comparison.
    {"VacioAntesDelWhere", "SELECT CASE WHEN A = '' THEN 1 END FROM T WHERE B = '' AND C=''",
     "SELECT CASE WHEN A = '' THEN 1 END FROM T WHERE B  IS NULL  AND C IS NULL "},
    {"VacioSinWhere", "UPDATE T SET A = ''", "UPDATE T SET A = ''"},
};
INSTANTIATE_TEST_SUITE_P(Funciones, Traduccion, ::testing::ValuesIn(funciones),
                         [](const auto& i) { return std::string(i.param.nombre); });

// CHARINDEX(find, search[, start]) becomes INSTR(search, find[, start]).
const Caso charindex[] = {
    {"DosArgumentos", "SELECT CHARINDEX('-', CODIGO) FROM T", "SELECT InStr(CODIGO, '-') FROM T"},
    {"TercerArgumentoQuedaAlFinal", "SELECT Charindex('a',X,3) FROM T", "SELECT InStr(X, 'a', 3) FROM T"},
    {"ComasYParentesisEntreComillas", "SELECT CHARINDEX(',', REPLACE(X, ')', 'y')) FROM T",
     "SELECT InStr(REPLACE(X, ')', 'y'), ',') FROM T"},
    {"Anidado", "SELECT CHARINDEX('-', SUBSTRING(X, CHARINDEX('a', X), 5)) FROM T",
     "SELECT InStr(SUBSTR(X, InStr(X, 'a'), 5), '-') FROM T"},
    {"BlancoAntesDelParentesis", "SELECT CHARINDEX ('-', X) FROM T", "SELECT InStr (X, '-') FROM T"},
    {"NombreEntreCorchetes", "SELECT CHARINDEX('-', [A,B]) FROM T", "SELECT InStr(\"A,B\", '-') FROM T"},
    // Arguments that cannot be told apart: only the name changes.
    {"SinCerrar", "SELECT CHARINDEX('-', X FROM T", "SELECT InStr('-', X FROM T"},
    {"UnArgumento", "SELECT CHARINDEX(X) FROM T", "SELECT InStr(X) FROM T"},
    {"CuatroArgumentos", "SELECT CHARINDEX(A, B, C, D) FROM T", "SELECT InStr(A, B, C, D) FROM T"},
    {"SinParentesis", "SELECT CHARINDEX FROM T", "SELECT InStr FROM T"},
};
INSTANTIATE_TEST_SUITE_P(Charindex, Traduccion, ::testing::ValuesIn(charindex),
                         [](const auto& i) { return std::string(i.param.nombre); });

const Caso fechas[] = {
    {"AnioDeDosCifras", "SELECT * FROM T WHERE F = '1/2/24'",
     "SELECT * FROM T WHERE F = TO_DATE('01/02/2024','DD/MM/YYYY')"},
    {"GuionesYPuntos", "SELECT * FROM T WHERE F BETWEEN '15-03-1999' AND '5.6.2023'",
     "SELECT * FROM T WHERE F BETWEEN TO_DATE('15/03/1999','DD/MM/YYYY') AND TO_DATE('05/06/2023','DD/MM/YYYY')"},
    {"DiaYMesSinAnio", "SELECT * FROM T WHERE F = '5/3'",
     "SELECT * FROM T WHERE F = TO_DATE('05/03/2026','DD/MM/YYYY')"},
    // A time of day is kept: written as the date alone, an opening's stamp
    // would reach the table as midnight.
    {"HoraSola", "SELECT * FROM T WHERE H = '10:30'",
     "SELECT * FROM T WHERE H = TO_DATE('30/12/1899 10:30:00','DD/MM/YYYY HH24:MI:SS')"},
    {"FechaYHora", "SELECT * FROM T WHERE F < '01/02/2024 10:30:00'",
     "SELECT * FROM T WHERE F < TO_DATE('01/02/2024 10:30:00','DD/MM/YYYY HH24:MI:SS')"},
    {"FechaYHoraYaEnToDate", "INSERT INTO T VALUES (TO_DATE('01/02/2024 9:05','DD/MM/YYYY HH24:MI:SS'), '3/4')",
     "INSERT INTO T VALUES (TO_DATE('01/02/2024 09:05:00','DD/MM/YYYY HH24:MI:SS'), "
     "TO_DATE('03/04/2026','DD/MM/YYYY'))"},
    {"NumeroEntreComillas", "SELECT * FROM T WHERE C = '2024' OR C = '12.5'",
     "SELECT * FROM T WHERE C = '2024' OR C = '12.5'"},
    {"FechaQueNoExiste", "SELECT * FROM T WHERE F = '31/02/2024'", "SELECT * FROM T WHERE F = '31/02/2024'"},
    {"YaEnToDate", "SELECT * FROM T WHERE F = TO_DATE('01/02/2024','DD/MM/YYYY')",
     "SELECT * FROM T WHERE F = TO_DATE('01/02/2024','DD/MM/YYYY')"},
    {"LaMismaFechaDosVeces", "SELECT * FROM T WHERE F >= '01/02/2024' AND G <= '01/02/2024'",
     "SELECT * FROM T WHERE F >= TO_DATE('01/02/2024','DD/MM/YYYY') AND G <= "
     "TO_DATE('01/02/2024','DD/MM/YYYY')"},
    {"ComillaDobladaNoEsFecha", "SELECT * FROM T WHERE N = 'O''Brien'", "SELECT * FROM T WHERE N = 'O''Brien'"},
};
INSTANTIATE_TEST_SUITE_P(Fechas, Traduccion, ::testing::ValuesIn(fechas),
                         [](const auto& i) { return std::string(i.param.nombre); });

class TraduccionFallida : public Traduccion {};

// A quote left open cannot be paired into literals: a run-time error the
// caller's error treatment shows, not a crash and not a half-rewritten text.
TEST_F(TraduccionFallida, UnaComillaSinParAvisaConElError5) {
    for (const char* texto : {"SELECT * FROM T WHERE N = 'A", "SELECT * FROM T WHERE N = 'A' OR M = 'B",
                              "SELECT TOP 1 * FROM T WHERE N = 'O''Brien' AND M = '"}) {
        SCOPED_TRACE(texto);
        try {
            (void)traducir(QString::fromUtf8(texto));
            ADD_FAILURE() << "sin error";
        } catch (const plataforma::RuntimeError& error) {
            EXPECT_EQ(error.Number(), plataforma::numero::ArgumentoInvalido);
        }
    }
}

// ---- What reads as a date ---------------------------------------------------------

struct CasoFecha {
    const char* texto;
    QDate fecha;  // invalid: not a date
};

TEST(ReconocedorFechas, DiaAntesDelMes) {
    const QDate ninguna;
    const CasoFecha casos[] = {
        {"01/02/2024", QDate(2024, 2, 1)},
        {"1/2/24", QDate(2024, 2, 1)},
        {"1-2-29", QDate(2029, 2, 1)},
        {"1-2-30", QDate(1930, 2, 1)},
        {"31.12.99", QDate(1999, 12, 31)},
        {"29/02/2024", QDate(2024, 2, 29)},
        {"29/02/2023", ninguna},
        {"31/04/2024", ninguna},
        {"13/13/2024", ninguna},
        {"00/01/2024", ninguna},
        {"01/02/0099", ninguna},
        {"1/2-2024", ninguna},
        {"01/02/202", ninguna},
        {"5/3", QDate(2026, 3, 5)},
        {"5-3", QDate(2026, 3, 5)},
        {"29/2", ninguna},  // 2026 is no leap year
        {"5.3", ninguna},   // a number
        {" 01/02/2024 ", QDate(2024, 2, 1)},
        {"10:30", ReconocedorFechas::diaCero()},
        {"0:00:00", ReconocedorFechas::diaCero()},
        {"23:59:59", ReconocedorFechas::diaCero()},
        {"24:00", ninguna},
        {"10:60", ninguna},
        {"10:30:60", ninguna},
        {"01/02/2024 10:30", QDate(2024, 2, 1)},
        {"01/02/2024   23:59:59", QDate(2024, 2, 1)},
        {"01/02/2024 x", ninguna},
        {"10:30 01/02/2024", ninguna},
        {"2024", ninguna},
        {"12.5", ninguna},
        {"1,5", ninguna},
        {"-3", ninguna},
        {"", ninguna},
        {"X", ninguna},
        {"1 de enero de 2024", ninguna},
        {"01/02/2024 10:30 PM", ninguna},
    };
    for (const CasoFecha& c : casos) {
        SCOPED_TRACE(c.texto);
        const std::optional<QDate> leida = ReconocedorFechas::fecha(QString::fromUtf8(c.texto), hoy);
        EXPECT_EQ(leida.value_or(QDate()), c.fecha);
        EXPECT_EQ(leida.has_value(), c.fecha.isValid());
    }
}

}  // namespace
