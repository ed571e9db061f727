#include "data/DB_Dll.h"
#include "data/LiteralesSql.h"
#include "tests/support/DialogosGuion.h"

#include <QDateTime>
#include <gtest/gtest.h>

#include <functional>

namespace {

using datos::DB_Dll;

struct CasoTipo {
    ado::Variant codigo;
    bool fecha, texto, numerico, moneda, booleano;
};

// Every ADO type code of the groups, plus codes that belong to none.
const CasoTipo casosTipo[] = {
    {7, true, false, false, false, false},    {133, true, false, false, false, false},
    {134, true, false, false, false, false},  {135, true, false, false, false, false},
    {137, true, false, false, false, false},  {64, true, false, false, false, false},
    {8, false, true, false, false, false},    {129, false, true, false, false, false},
    {130, false, true, false, false, false},  {200, false, true, false, false, false},
    {201, false, true, false, false, false},  {202, false, true, false, false, false},
    {203, false, true, false, false, false},  {2, false, false, true, false, false},
    {3, false, false, true, false, false},    {4, false, false, true, false, false},
    {5, false, false, true, false, false},    {14, false, false, true, false, false},
    {16, false, false, true, false, false},   {17, false, false, true, false, false},
    {18, false, false, true, false, false},   {19, false, false, true, false, false},
    {20, false, false, true, false, false},   {21, false, false, true, false, false},
    {131, false, false, true, false, false},  {6, false, false, false, true, false},
    {11, false, false, false, false, true},   {0, false, false, false, false, false},
    {128, false, false, false, false, false}, {204, false, false, false, false, false},
    {72, false, false, false, false, false},  {ado::Variant(), false, false, false, false, false},
    // Compared as numbers, whatever form the code comes in.
    {ado::Variant("135"), true, false, false, false, false},
    {ado::Variant(6.0), false, false, false, true, false},
};

TEST(ClasificadoresDeTipo, CadaCodigoCaeEnSuGrupoYSoloEnEl) {
    for (const CasoTipo& caso : casosTipo) {
        SCOPED_TRACE(caso.codigo.texto().toStdString());
        EXPECT_EQ(DB_Dll::adodate(caso.codigo), caso.fecha);
        EXPECT_EQ(DB_Dll::ADOText(caso.codigo), caso.texto);
        EXPECT_EQ(DB_Dll::ADONumeric(caso.codigo), caso.numerico);
        EXPECT_EQ(DB_Dll::ADOCurrency(caso.codigo), caso.moneda);
        EXPECT_EQ(DB_Dll::ADOBoolean(caso.codigo), caso.booleano);
        // Dates and texts need quotes; currency, numbers and Booleans do not.
        EXPECT_EQ(DB_Dll::ADOComilla(caso.codigo),
                  caso.fecha || caso.texto ? QStringLiteral("'") : QString());
    }
}

struct CasoValor {
    ado::Variant valor;
    QString tipo;
    QString esperado;
};

TEST(SQLValue, EscribeCadaValorComoLiteral) {
    const CasoValor casos[] = {
        {ado::Variant("ABC"), "'", "'ABC'"},
        {ado::Variant(), "'", "NULL"},
        {ado::Variant(""), "'", "''"},
        {ado::Variant("1234,5"), "@", "1234.5"},
        {ado::Variant(1234.5), "@", "1234.5"},
        {ado::Variant("-0,25"), "@", "-0.25"},
        {ado::Variant(), "@", "0"},
        {ado::Variant(15), "", "15"},
        {ado::Variant(), "", "NULL"},
        {ado::Variant("a b"), "x", "a b"},
        // A quote inside a quoted text is doubled: the literal stays one literal.
        {ado::Variant("O'Brien"), "'", "'O''Brien'"},
        {ado::Variant("x' OR '1'='1"), "'", "'x'' OR ''1''=''1'"},
        // Other kinds are not quoted, so nothing is doubled there.
        {ado::Variant("O'Brien"), "", "O'Brien"},
    };
    prueba::DialogosGuion dialogos;
    DB_Dll db(dialogos);
    for (const CasoValor& caso : casos) {
        SCOPED_TRACE((caso.valor.texto() + " / " + caso.tipo).toStdString());
        EXPECT_EQ(db.SQLValue(caso.valor, caso.tipo).texto(), caso.esperado);
    }
    EXPECT_EQ(db.SQLValue(ado::Variant("ABC")).texto(), "'ABC'");  // "'" by default
    EXPECT_TRUE(dialogos.mensajes().empty());
}

struct CasoNombre {
    const char* operacion;
    std::function<QString(QString&)> aplicar;
    QString entrada;
    QString esperado;
    QString variableDespues;  // what the caller's variable holds afterwards
};

TEST(AyudantesDeNombres, QuitanYPonenLasDecoraciones) {
    auto brackets = [](QString& n) { return DB_Dll::AddBrackets(n); };
    auto sinBrackets = [](QString& n) { return DB_Dll::StripBrackets(n); };
    auto sinDueno = [](QString& n) { return DB_Dll::StripOwner(n); };
    auto sinConexion = [](QString& n) { return DB_Dll::StripConnect(n); };
    auto carpeta = [](QString& n) { return DB_Dll::StripFileName(n); };
    auto parte0 = [](QString& n) { return DB_Dll::stSTF(n, 0); };
    auto parte1 = [](QString& n) { return DB_Dll::stSTF(n, 1); };
    const CasoNombre casos[] = {
        {"AddBrackets", brackets, "Mi Tabla", "[Mi Tabla]", "Mi Tabla"},
        {"AddBrackets", brackets, "[Mi Tabla]", "[Mi Tabla]", "[Mi Tabla]"},
        {"AddBrackets", brackets, "[Mi Tabla", "[Mi Tabla", "[Mi Tabla"},
        {"AddBrackets", brackets, "MA_CUENTAS", "MA_CUENTAS", "MA_CUENTAS"},
        {"StripBrackets", sinBrackets, "[Mi Tabla]", "Mi Tabla", "[Mi Tabla]"},
        {"StripBrackets", sinBrackets, "MA_CUENTAS", "MA_CUENTAS", "MA_CUENTAS"},
        {"StripBrackets", sinBrackets, "[]", "", "[]"},
        {"StripOwner", sinDueno, "dbo.MA_CUENTAS", "MA_CUENTAS", "MA_CUENTAS"},
        {"StripOwner", sinDueno, "base.dbo.MA_CUENTAS", "dbo.MA_CUENTAS", "dbo.MA_CUENTAS"},
        {"StripOwner", sinDueno, "MA_CUENTAS", "MA_CUENTAS", "MA_CUENTAS"},
        {"StripConnect", sinConexion, "MA_CUENTAS -> CONEXION", "MA_CUENTAS", "MA_CUENTAS -> CONEXION"},
        {"StripConnect", sinConexion, "MA_CUENTAS", "MA_CUENTAS", "MA_CUENTAS"},
        {"StripFileName", carpeta, "C:\\DATOS\\BASE.MDB", "C:\\DATOS", "C:\\DATOS\\BASE.MDB"},
        {"StripFileName", carpeta, "/srv/datos/base.mdb", "/srv/datos", "/srv/datos/base.mdb"},
        {"StripFileName", carpeta, "BASE.MDB", "", "BASE.MDB"},
        {"stSTF", parte0, "base.dbo.T", "dbo.T", "dbo.T"},
        {"stSTF", parte1, "base.dbo.T", "dbo.T", "dbo.T"},
        {"stSTF", parte0, "dbo.T", "dbo", "dbo.T"},
        {"stSTF", parte1, "dbo.T", "T", "dbo.T"},
        {"stSTF", parte1, "T", "T", "T"},
    };
    for (const CasoNombre& caso : casos) {
        SCOPED_TRACE(std::string(caso.operacion) + " " + caso.entrada.toStdString());
        QString variable = caso.entrada;
        EXPECT_EQ(caso.aplicar(variable), caso.esperado);
        EXPECT_EQ(variable, caso.variableDespues);
    }
}

TEST(AyudantesDeNombres, UnaLongitudNegativaEsUnArgumentoInvalido) {
    const std::function<void()> llamadas[] = {
        [] { DB_Dll::StripBrackets("["); },
        [] { DB_Dll::StripConnect("->CONEXION"); },
        [] {
            QString sinPunto = "T";
            DB_Dll::stSTF(sinPunto, 0);
        },
    };
    for (const auto& llamada : llamadas) {
        try {
            llamada();
            ADD_FAILURE() << "no error";
        } catch (const plataforma::RuntimeError& error) {
            EXPECT_EQ(error.Number(), plataforma::numero::ArgumentoInvalido);
        }
    }
}

TEST(LiteralesSql, ComillasDobladasYNumerosLeidos) {
    EXPECT_EQ(datos::comillasSql("O'Brien"), "O''Brien");
    EXPECT_EQ(datos::comillasSql("''"), "''''");
    EXPECT_EQ(datos::comillasSql("sin comillas"), "sin comillas");

    const struct {
        QString texto;
        double numero;
    } lecturas[] = {{"1", 1}, {" 12abc", 12}, {"1.5", 1.5}, {"-3", -3}, {"", 0},
                    {"S", 0}, {"2", 2},        {"1,5", 1}, {".5", 0.5}, {"+", 0}};
    for (const auto& l : lecturas) EXPECT_EQ(datos::valorNumerico(l.texto), l.numero) << l.texto.toStdString();

    EXPECT_EQ(datos::numeroSql(1234.5), "1234.5");
    EXPECT_EQ(datos::numeroSql(-0.25), "-0.25");
    EXPECT_EQ(datos::numeroSql(15), "15");
    EXPECT_EQ(datos::recortar("  a\tb  "), "a\tb");
}

TEST(FormatosCompartidos, TextosDelRuntimeYSusEquivalentesQt) {
    EXPECT_EQ(datos::FormatoFechaHora(), "dd/mm/yy hh:mm");
    EXPECT_EQ(datos::FormatoFecha(), "dd/mm/yy");
    EXPECT_EQ(datos::FormatoHora(), "hh:mm");
    const QDateTime momento(QDate(2024, 3, 5), QTime(14, 7, 9));
    EXPECT_EQ(momento.toString(datos::formatoFechaHoraQt()), "05/03/24 14:07");
    EXPECT_EQ(momento.toString(datos::formatoFechaQt()), "05/03/24");
    EXPECT_EQ(momento.toString(datos::formatoHoraQt()), "14:07");
}

}  // namespace
