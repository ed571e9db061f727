#include "data/SentenciasBusqueda.h"

#include <gtest/gtest.h>

namespace {

using datos::SentenciasBusqueda;

struct Caso {
    QString valor;
    QString campo;
    ado::Variant tipo;
    QString condicion;
    QString esperado;
};

TEST(SentenciaExisteEnTabla, TextosExactosPorTipoYCondicion) {
    const Caso casos[] = {
        {" A1 ", "Codigo", 8, "",
         "SELECT TOP 1  * FROM MA_CUENTAS with(nolock)  WHERE LTRIM(RTRIM(Codigo)) ='A1'"},
        {" 01/02/2024 ", "Fecha", 7, "", "SELECT TOP 1 * FROM MA_CUENTAS with(nolock)  WHERE Fecha = 01/02/2024 "},
        {"12", "Nivel", 3, "", "SELECT TOP 1 * FROM MA_CUENTAS with(nolock)  WHERE Nivel = 12"},
        {" 7 ", "Nivel", 4, "", "SELECT TOP 1 * FROM MA_CUENTAS with(nolock)  WHERE Nivel = 7"},
        {"abc", "Nivel", 3, "", "SELECT TOP 1 * FROM MA_CUENTAS with(nolock)  WHERE Nivel = 0"},
        // A decimal number keeps its point: a comma would split the value.
        {"1234.5", "Saldo", 5, "", "SELECT TOP 1 * FROM MA_CUENTAS with(nolock)  WHERE Saldo = 1234.5"},
        {" X ", "Campo", 11, "", "SELECT TOP 1 * FROM MA_CUENTAS with(nolock)  WHERE Campo =  X "},
        // A condition takes the place of the value test.
        {"ignorado", "ignorado", 8, "IDCONCILIACION='X' AND ESTADO=1",
         "SELECT TOP 1 * FROM MA_CUENTAS with(nolock)  WHERE IDCONCILIACION='X' AND ESTADO=1"},
        {"", "Codigo", 8, "T1 where A=1", "SELECT TOP 1 * FROM MA_CUENTAS with(nolock)  T1 where A=1"},
        {"", "Codigo", 8, "WHERE A=1", "SELECT TOP 1 * FROM MA_CUENTAS with(nolock)  WHERE WHERE A=1"},
        // A quote in the searched value is doubled, so the value stays a value.
        {"O'Brien", "Codigo", 8, "",
         "SELECT TOP 1  * FROM MA_CUENTAS with(nolock)  WHERE LTRIM(RTRIM(Codigo)) ='O''Brien'"},
        {"x' OR '1'='1", "Codigo", 8, "",
         "SELECT TOP 1  * FROM MA_CUENTAS with(nolock)  WHERE LTRIM(RTRIM(Codigo)) ='x'' OR ''1''=''1'"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.esperado.toStdString());
        EXPECT_EQ(SentenciasBusqueda::existeEnTabla("MA_CUENTAS", c.valor, c.campo, c.tipo, c.condicion),
                  c.esperado);
    }
}

TEST(SentenciaExisteEnTablaST, SinTopYSinRecortar) {
    const Caso casos[] = {
        {" A1 ", "Codigo", 8, "", "SELECT * FROM T with(nolock)   WHERE Codigo =' A1 '"},
        {" 01/02/2024 ", "Fecha", 7, "", "SELECT * FROM T with(nolock)   WHERE Fecha = 01/02/2024 "},
        {"12", "Nivel", 5, "", "SELECT * FROM T with(nolock)   WHERE Nivel = 12"},
        {"X", "Campo", 2, "", "SELECT * FROM T with(nolock)   WHERE Campo = X"},
        {"", "", 8, "A=1", "SELECT * FROM T with(nolock)   WHERE A=1"},
        {"", "", 8, "x WHERE A=1", "SELECT * FROM T with(nolock)   x WHERE A=1"},
        {"O'Brien", "Codigo", 8, "", "SELECT * FROM T with(nolock)   WHERE Codigo ='O''Brien'"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.esperado.toStdString());
        EXPECT_EQ(SentenciasBusqueda::existeEnTablaST("T", c.valor, c.campo, c.tipo, c.condicion), c.esperado);
    }
}

TEST(SentenciaDatosTabla, LaCondicionSeSumaALaPruebaDelValor) {
    struct CasoDatos {
        Caso caso;
        bool usaTrim;
    };
    const CasoDatos casos[] = {
        {{" A1 ", "Codigo", 8, "", "SELECT TOP 1 * FROM T with(nolock)  WHERE LTRIM(RTRIM(Codigo)) ='A1' "}, true},
        {{" A1 ", "Codigo", 8, "Activa=1",
          "SELECT TOP 1 * FROM T with(nolock)  WHERE LTRIM(RTRIM(Codigo)) ='A1'  AND Activa=1"},
         true},
        {{" A1 ", "Codigo", 8, "", "SELECT TOP 1 * FROM T with(nolock)  WHERE Codigo =' A1 ' "}, false},
        {{" A1 ", "Codigo", 8, "  ", "SELECT TOP 1 * FROM T with(nolock)  WHERE Codigo =' A1 '   "}, false},
        {{" 01/02/2024 ", "Fecha", 7, "", "SELECT TOP 1 * FROM T with(nolock)  WHERE Fecha = #01/02/2024# "}, true},
        {{"3", "Nivel", 3, "B=2", "SELECT TOP 1 * FROM T with(nolock)  WHERE Nivel = 3 AND B=2"}, true},
        {{"X", "Campo", 0, "", "SELECT TOP 1 * FROM T with(nolock)  WHERE Campo = X"}, true},
        {{"x' OR '1'='1", "Codigo", 8, "",
          "SELECT TOP 1 * FROM T with(nolock)  WHERE LTRIM(RTRIM(Codigo)) ='x'' OR ''1''=''1' "},
         true},
        {{"O'Brien", "Codigo", 8, "", "SELECT TOP 1 * FROM T with(nolock)  WHERE Codigo ='O''Brien' "}, false},
    };
    for (const CasoDatos& d : casos) {
        const Caso& c = d.caso;
        SCOPED_TRACE(c.esperado.toStdString());
        EXPECT_EQ(SentenciasBusqueda::datosTabla("T", c.valor, c.campo, c.tipo, c.condicion, d.usaTrim),
                  c.esperado);
    }
}

}  // namespace
