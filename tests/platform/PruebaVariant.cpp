#include "BaseDePrueba.h"

#include "platform/ado/FormatoRegional.h"
#include "platform/ado/Variant.h"

#include <QLocale>
#include <limits>

using ado::Importe;
using ado::Variant;

namespace {

// --- Importe ------------------------------------------------------------------

struct LecturaImporte {
    const char* texto;
    char separador;
    bool valido;
    std::int64_t diezmilesimos;
};

void PrintTo(const LecturaImporte& l, std::ostream* os) { *os << '"' << l.texto << '"'; }

const LecturaImporte lecturas[] = {
    {"1234.5", '.', true, 12345000},
    {"-0,25", ',', true, -2500},
    {"12", ',', true, 120000},
    {" +7.0001 ", '.', true, 70001},
    {"0.00005", '.', true, 1},        // half away from zero
    {"-0.00005", '.', true, -1},
    {"0.000049999", '.', true, 0},
    {"2.99995", '.', true, 30000},
    {"1.0e-05", '.', true, 0},        // as the driver may print a small double
    {"1.5E+3", '.', true, 15000000},
    {".5", '.', true, 5000},
    {"5.", '.', true, 50000},
    {"922337203685477.5807", '.', true, std::numeric_limits<std::int64_t>::max()},
    {"922337203685477.5808", '.', false, 0},  // too large
    {"1,5", '.', false, 0},
    {"12abc", '.', false, 0},
    {"", '.', false, 0},
    {"-", '.', false, 0},
    {"1e", '.', false, 0},
};

class ImporteLeer : public ::testing::TestWithParam<LecturaImporte> {};

}  // namespace

TEST_P(ImporteLeer, LeeExactoORechaza) {
    const auto& l = GetParam();
    Importe i = Importe::desdeDiezmilesimos(-99);
    EXPECT_EQ(Importe::leer(QString::fromLatin1(l.texto), QChar::fromLatin1(l.separador), i), l.valido);
    if (l.valido) {
        EXPECT_EQ(i.diezmilesimos(), l.diezmilesimos);
    }
}

INSTANTIATE_TEST_SUITE_P(Textos, ImporteLeer, ::testing::ValuesIn(lecturas));

TEST(Importe, TextoMasCortoYDesdeDouble) {
    const std::pair<std::int64_t, const char*> textos[] = {
        {12345000, "1234,5"}, {-2500, "-0,25"}, {120000, "12"}, {1, "0,0001"}, {0, "0"},
        {std::numeric_limits<std::int64_t>::min(), "-922337203685477,5808"}};
    for (const auto& [d, t] : textos) EXPECT_EQ(Importe::desdeDiezmilesimos(d).texto(u','), QString::fromLatin1(t));
    // A double that reads 0.1 is 0.1; sums stay exact.
    EXPECT_EQ(Importe::desdeDouble(0.1).diezmilesimos(), 1000);
    EXPECT_EQ(Importe::desdeDouble(1.00005).diezmilesimos(), 10001);
    EXPECT_EQ((Importe::desdeDouble(0.1) + Importe::desdeDouble(0.2)), Importe::desdeDouble(0.3));
    EXPECT_EQ(Importe::desdeDouble(std::numeric_limits<double>::quiet_NaN()).diezmilesimos(), 0);
}

// --- Variant -------------------------------------------------------------------

namespace {

struct Conversion {
    const char* nombre;
    Variant valor;
    const char* texto;
    double doble;
    std::int64_t entero;
    std::int64_t diezmilesimos;
    bool booleano;
};

void PrintTo(const Conversion& c, std::ostream* os) { *os << c.nombre; }

// Under es_AR: decimal comma, dates dd/MM/yyyy.
const Conversion conversiones[] = {
    {"nulo", Variant(), "", 0, 0, 0, false},
    {"verdadero", Variant(true), "Verdadero", -1, -1, -10000, true},
    {"falso", Variant(false), "Falso", 0, 0, 0, false},
    {"entero", Variant(42), "42", 42, 42, 420000, true},
    {"doble", Variant(1234.5), "1234,5", 1234.5, 1234, 12345000, true},
    {"doble redondea a par", Variant(2.5), "2,5", 2.5, 2, 25000, true},
    {"doble grande", Variant(1e20), "1E+20", 1e20, 0, 0, true},
    {"importe", Variant(Importe::desdeDiezmilesimos(-12345)), "-1,2345", -1.2345, -1, -12345, true},
    {"importe a entero", Variant(Importe::desdeDiezmilesimos(35000)), "3,5", 3.5, 4, 35000, true},
    {"texto numerico", Variant("  12,75 kg"), "  12,75 kg", 12.75, 13, 127500, true},
    {"texto con punto", Variant("3.5"), "3.5", 3.5, 4, 35000, true},
    {"texto sin numero", Variant("S"), "S", 0, 0, 0, false},
    {"texto verdadero", Variant("Verdadero"), "Verdadero", 0, 0, 0, true},
    {"texto vacio", Variant(""), "", 0, 0, 0, false},
    {"fecha", Variant(QDateTime(QDate(2024, 3, 5), QTime(0, 0))), "05/03/2024", 45356, 45356, 453560000, true},
    {"fecha y hora", Variant(QDateTime(QDate(2024, 3, 5), QTime(18, 0, 0))), "05/03/2024 18:00:00", 45356.75,
     45357, 453567500, true},
};

class VariantConversion : public ::testing::TestWithParam<Conversion> {};

}  // namespace

TEST_P(VariantConversion, ComoLoConvierteElEntorno) {
    const Conversion& c = GetParam();
    EXPECT_EQ(c.valor.texto(), QString::fromUtf8(c.texto));
    EXPECT_DOUBLE_EQ(c.valor.aDouble(), c.doble);
    if (c.doble < 1e18) {
        EXPECT_EQ(c.valor.aEntero(), c.entero);
    }
    if (c.doble < 1e14) {
        EXPECT_EQ(c.valor.aImporte().diezmilesimos(), c.diezmilesimos);
    }
    EXPECT_EQ(c.valor.aBooleano(), c.booleano);
}

INSTANTIATE_TEST_SUITE_P(Valores, VariantConversion, ::testing::ValuesIn(conversiones));

TEST(VariantFechas, LeeElOrdenDelPuestoYElIso) {
    const std::pair<const char*, QDateTime> textos[] = {
        {"05/03/2024", QDateTime(QDate(2024, 3, 5), QTime(0, 0))},
        {"5/3/2024", QDateTime(QDate(2024, 3, 5), QTime(0, 0))},
        {"05/03/2024 10:20:30", QDateTime(QDate(2024, 3, 5), QTime(10, 20, 30))},
        {"2024-03-05", QDateTime(QDate(2024, 3, 5), QTime(0, 0))},
        {"2024-03-05 10:20:30", QDateTime(QDate(2024, 3, 5), QTime(10, 20, 30))},
        {"2024-03-05T10:20", QDateTime(QDate(2024, 3, 5), QTime(10, 20))},
        {"31/02/2024", QDateTime()},
        {"ayer", QDateTime()},
    };
    for (const auto& [texto, fecha] : textos) EXPECT_EQ(Variant(texto).aFechaHora(), fecha) << texto;
    EXPECT_EQ(Variant(45356.75).aFechaHora(), QDateTime(QDate(2024, 3, 5), QTime(18, 0)));
    EXPECT_FALSE(Variant().aFechaHora().isValid());
}

// A machine without regional settings runs under the C locale, whose short
// date names the month ("d MMM yyyy"): dates are still digits, ten
// characters long, and read back.
TEST(VariantFechas, SinAjustesRegionalesLasFechasSonNumericas) {
    const QLocale antes;
    QLocale::setDefault(QLocale::c());
    EXPECT_EQ(ado::FormatoRegional::formatoFecha(), QStringLiteral("dd/MM/yyyy"));
    EXPECT_EQ(ado::FormatoRegional::ordenFecha(), QStringLiteral("dmy"));
    EXPECT_EQ(ado::FormatoRegional::textoFecha(QDate(2024, 1, 1)), QStringLiteral("01/01/2024"));
    EXPECT_EQ(Variant(QDateTime(QDate(2024, 3, 5), QTime(0, 0))).texto(), QStringLiteral("05/03/2024"));
    EXPECT_EQ(ado::FormatoRegional::leerFechaHora(QStringLiteral("05/03/2024 10:30:00")),
              QDateTime(QDate(2024, 3, 5), QTime(10, 30)));
    QLocale::setDefault(antes);
}

// What a user types in a date box: the workstation's order, "/", "-" or "."
// between the parts, and a two-digit year in 1930-2029.
TEST(VariantFechas, UnaFechaEscritaSeLeeEnElOrdenDelPuesto) {
    const QLocale antes;
    const struct {
        const char* locale;
        const char* texto;
        QDate fecha;
    } casos[] = {
        {"es_AR", "25/03/24", QDate(2024, 3, 25)},     {"es_AR", "25-03-2024", QDate(2024, 3, 25)},
        {"es_AR", "5.3.2024", QDate(2024, 3, 5)},      {"es_AR", " 1/1/30 ", QDate(1930, 1, 1)},
        {"es_AR", "31/12/29", QDate(2029, 12, 31)},    {"es_AR", "31/02/24", QDate()},
        {"es_AR", "2024/03/25", QDate()},              {"es_AR", "25/03/024", QDate()},
        {"es_AR", "25/03", QDate()},                   {"es_AR", "25/03/2024 10:00", QDate()},
        {"es_AR", "05-03-2024", QDate(2024, 3, 5)},    {"es_AR", " 5.3.24 ", QDate(2024, 3, 5)},
        {"en_US", "03/25/24", QDate(2024, 3, 25)},     {"en_US", "25/03/24", QDate()},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(std::string(c.locale) + " " + c.texto);
        QLocale::setDefault(QLocale(QString::fromLatin1(c.locale)));
        EXPECT_EQ(ado::FormatoRegional::leerFechaEscrita(QString::fromLatin1(c.texto)), c.fecha);
    }
    QLocale::setDefault(antes);
}

TEST(VariantFechas, ElFormatoSigueAlLocaleConAnioDeCuatroCifras) {
    EXPECT_EQ(ado::FormatoRegional::ensancharFormato(QStringLiteral("d/M/yy")), QStringLiteral("dd/MM/yyyy"));
    EXPECT_EQ(ado::FormatoRegional::ensancharFormato(QStringLiteral("M/d/yy")), QStringLiteral("MM/dd/yyyy"));
    EXPECT_EQ(ado::FormatoRegional::ensancharFormato(QStringLiteral("yyyy-MM-dd")), QStringLiteral("yyyy-MM-dd"));
    EXPECT_EQ(ado::FormatoRegional::ensancharFormato(QStringLiteral("dd.MM.yy 'd'")), QStringLiteral("dd.MM.yyyy 'd'"));

    const QLocale antes;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(Variant(QDateTime(QDate(2024, 3, 5), QTime(0, 0))).texto(), QStringLiteral("03/05/2024"));
    EXPECT_EQ(Variant(1234.5).texto(), QStringLiteral("1234.5"));
    EXPECT_EQ(Variant("12.5").aDouble(), 12.5);
    QLocale::setDefault(antes);
}
