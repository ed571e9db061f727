// The statement a new database search (F5) makes of the loaded one, the same
// for the list window and the tree window.

#include "lookup/BusquedaEnBase.h"

#include <gtest/gtest.h>

namespace {

using consultas::BusquedaEnBase;
using Coincidencia = BusquedaEnBase::Coincidencia;

struct CasoBusqueda {
    const char* nombre;
    const char* sql;
    const char* columna;
    const char* texto;
    Coincidencia coincidencia;
    const char* sentencia;
    const char* parteOrden;
};

const CasoBusqueda casosBusqueda[] = {
    {"LaCuentaEmpiezaConLoEscritoAntesDelOrden",
     "SELECT TOP 1000 DESCRIPCION,CODIGO FROM MA_CUENTAS  with(nolock)  ORDER BY DESCRIPCION", "DESCRIPCION",
     "caja", Coincidencia::EmpiezaCon,
     "SELECT TOP 1000 DESCRIPCION,CODIGO FROM MA_CUENTAS  with(nolock)   where DESCRIPCION like 'caja%' "
     "ORDER BY DESCRIPCION",
     "ORDER BY DESCRIPCION"},
    {"UnaSegundaBusquedaSeSumaConAnd",
     "SELECT A FROM T  where A like 'x%' order by A", "B", "y", Coincidencia::EmpiezaCon,
     "SELECT A FROM T  where A like 'x%'  and B like 'y%' order by A", "order by A"},
    {"SinOrdenLaCondicionVaAlFinal", "SELECT Codigo, Descripcion FROM TA_CCOSTO", "Descripcion", "ventas",
     Coincidencia::Contiene, "SELECT Codigo, Descripcion FROM TA_CCOSTO where Descripcion like '%ventas%' ", ""},
    {"LasPalabrasSeBuscanEnOrden", "SELECT NOMBRE FROM T ORDER BY NOMBRE", "NOMBRE", "banco galicia",
     Coincidencia::PalabrasEnOrden, "SELECT NOMBRE FROM T  where NOMBRE like '%banco%galicia%' ORDER BY NOMBRE",
     "ORDER BY NOMBRE"},
    {"ElAgrupamientoQuedaDetrasConSuOrden",
     "SELECT CODIGO, SUM(I) FROM T GROUP BY CODIGO ORDER BY CODIGO", "CODIGO", "1", Coincidencia::EmpiezaCon,
     "SELECT CODIGO, SUM(I) FROM T  where CODIGO like '1%' GROUP BY CODIGO ORDER BY CODIGO",
     "GROUP BY CODIGO ORDER BY CODIGO"},
    {"LaVistaDeArticulosCalificaLaColumna",
     "SELECT v_ma_articulos.DESCRIPCION, stk_ma_articulos.STOCK FROM v_ma_articulos, stk_ma_articulos",
     "DESCRIPCION", "tornillo", Coincidencia::EmpiezaCon,
     "SELECT v_ma_articulos.DESCRIPCION, stk_ma_articulos.STOCK FROM v_ma_articulos, stk_ma_articulos where "
     "v_ma_articulos.DESCRIPCION like 'tornillo%' ",
     ""},
    {"ElStockDeArticulosCalificaLaColumna", "SELECT stk_ma_articulos.DESCRIPCION FROM stk_ma_articulos",
     "DESCRIPCION", "t", Coincidencia::EmpiezaCon,
     "SELECT stk_ma_articulos.DESCRIPCION FROM stk_ma_articulos where stk_ma_articulos.DESCRIPCION like 't%' ", ""},
    {"UnApostrofeNoCierraElTexto", "SELECT NOMBRE FROM T", "NOMBRE", "O'Brien", Coincidencia::Contiene,
     "SELECT NOMBRE FROM T where NOMBRE like '%O''Brien%' ", ""},
};

class SentenciaDeBusqueda : public ::testing::TestWithParam<CasoBusqueda> {};

TEST_P(SentenciaDeBusqueda, AgregaLaCondicionAntesDelOrden) {
    const CasoBusqueda& c = GetParam();
    const BusquedaEnBase::Resultado r = BusquedaEnBase::agregarCondicion(
        QString::fromUtf8(c.sql), QString::fromUtf8(c.columna), QString::fromUtf8(c.texto), c.coincidencia);
    EXPECT_EQ(r.SQL, QString::fromUtf8(c.sentencia));
    EXPECT_EQ(r.ParteOrden, QString::fromUtf8(c.parteOrden));
}

INSTANTIATE_TEST_SUITE_P(Casos, SentenciaDeBusqueda, ::testing::ValuesIn(casosBusqueda),
                         [](const ::testing::TestParamInfo<CasoBusqueda>& caso) {
                             return std::string(caso.param.nombre);
                         });

}  // namespace
