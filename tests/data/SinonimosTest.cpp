#include "data/DB_Dll.h"
#include "data/Sinonimos.h"
#include "platform/ado/Recordset.h"
#include "support/BaseDemo.h"
#include "support/DialogosGuion.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

using datos::Sinonimos;

struct CasoSinonimo {
    const char* nombre;
    const char* sentencia;
    bool administrador;
    bool confidencialidad;
    const char* ejecutable;
    const char* esperada;
};

void PrintTo(const CasoSinonimo& caso, std::ostream* os) { *os << caso.nombre; }

class SinonimosCasos : public ::testing::TestWithParam<CasoSinonimo> {};

TEST_P(SinonimosCasos, ReescribeComoCorresponde) {
    const CasoSinonimo& caso = GetParam();
    const Sinonimos::Contexto contexto{caso.administrador, caso.confidencialidad,
                                       QString::fromLatin1(caso.ejecutable)};
    EXPECT_EQ(Sinonimos::aplicar(QString::fromUtf8(caso.sentencia), contexto).toStdString(),
              caso.esperada);
}

INSTANTIATE_TEST_SUITE_P(
    Tabla, SinonimosCasos,
    ::testing::Values(
        // Markers and synonyms are names: a quoted value stays as typed.
        CasoSinonimo{"ValorCitadoConservaLaMarca",
                     "INSERT INTO @Admin_MV_X (Motivo) VALUES ('nota @Admin_ABC')", false, false, "quintaro",
                     "INSERT INTO MV_X (Motivo) VALUES ('nota @Admin_ABC')"},
        CasoSinonimo{"ValorCitadoDelAdministradorConservaLaMarca",
                     "SELECT * FROM @Admin_X WHERE m = 'nota @Admin_ABC'", true, false, "quintaro",
                     "SELECT * FROM X WHERE m = 'nota @Admin_ABC'"},
        CasoSinonimo{"ValorCitadoNoVaAlSinonimo",
                     "UPDATE MA_CUENTAS SET Descripcion = 'ver MA_CUENTAS y (MA_CUENTAS.Codigo) ' WHERE 1=1",
                     false, false, "quintaro",
                     "UPDATE SS_MA_CUENTAS SET Descripcion = 'ver MA_CUENTAS y (MA_CUENTAS.Codigo) ' WHERE 1=1"},
        CasoSinonimo{"AsientosCitadosNoDejanSinSinonimos",
                     "SELECT * FROM MA_CUENTAS WHERE d = ' MV_ASIENTOS '", false, false, "quintaro",
                     "SELECT * FROM SS_MA_CUENTAS WHERE d = ' MV_ASIENTOS '"},
        CasoSinonimo{"ComillasDobladasDentroDelValor",
                     "SELECT * FROM MA_CUENTAS WHERE d = 'O''Brien MA_CUENTAS ' AND 1=1", false, false, "quintaro",
                     "SELECT * FROM SS_MA_CUENTAS WHERE d = 'O''Brien MA_CUENTAS ' AND 1=1"},
        CasoSinonimo{"AdministradorVeLaTablaReal", "SELECT * FROM MA_CUENTAS WHERE 1=1", true, true,
                     "quintaro", "SELECT * FROM MA_CUENTAS WHERE 1=1"},
        CasoSinonimo{"AdministradorSoloPierdeLasMarcas", "SELECT * FROM @Admin_MV_ASIENTOS a, @ADMIN_X",
                     true, false, "quintaro", "SELECT * FROM MV_ASIENTOS a, X"},
        CasoSinonimo{"UsuarioVaAlSinonimo", "SELECT * FROM MA_CUENTAS WHERE 1=1", false, false,
                     "quintaro", "SELECT * FROM SS_MA_CUENTAS WHERE 1=1"},
        CasoSinonimo{"SinDistinguirMayusculas", "select * from ma_cuentas where 1=1", false, false,
                     "quintaro", "select * from SS_MA_CUENTAS where 1=1"},
        CasoSinonimo{"AsientosSinConfidencialidadNoTocaNada",
                     "SELECT * FROM MA_CUENTAS C JOIN MV_ASIENTOS A ON 1=1", false, false, "quintaro",
                     "SELECT * FROM MA_CUENTAS C JOIN MV_ASIENTOS A ON 1=1"},
        CasoSinonimo{"AsientosDentroDeOtroNombreTambien", "SELECT * FROM MA_CUENTAS , V_MV_ASIENTOS2",
                     false, false, "quintaro", "SELECT * FROM MA_CUENTAS , V_MV_ASIENTOS2"},
        CasoSinonimo{"AsientosConConfidencialidad",
                     "SELECT * FROM MA_CUENTAS C JOIN MV_ASIENTOS A ON 1=1", false, true, "quintaro",
                     "SELECT * FROM SS_MA_CUENTAS C JOIN SS_MV_ASIENTOS A ON 1=1"},
        CasoSinonimo{"MarcaConservaCuentas", "SELECT * FROM @Admin_MA_CUENTAS WHERE 1=1", false, false,
                     "quintaro", "SELECT * FROM MA_CUENTAS WHERE 1=1"},
        CasoSinonimo{"MarcaConservaAsientos", "SELECT * FROM @Admin_MV_ASIENTOS WHERE 1=1", false, true,
                     "quintaro", "SELECT * FROM MV_ASIENTOS WHERE 1=1"},
        CasoSinonimo{"AlFinalDelTextoNo", "SELECT * FROM MA_CUENTAS", false, false, "quintaro",
                     "SELECT * FROM MA_CUENTAS"},
        CasoSinonimo{"SeguidoDeParentesisOComaNo", "SELECT * FROM (SELECT 1 FROM MA_CUENTAS), MA_CUENTAS,X",
                     false, false, "quintaro", "SELECT * FROM (SELECT 1 FROM MA_CUENTAS), MA_CUENTAS,X"},
        CasoSinonimo{"AlPrincipioNo", "MA_CUENTAS ", false, false, "quintaro", "MA_CUENTAS "},
        CasoSinonimo{"TrasSaltoDeLineaNo", "SELECT *\nFROM\nMA_CUENTAS\nWHERE 1=1", false, false,
                     "quintaro", "SELECT *\nFROM\nMA_CUENTAS\nWHERE 1=1"},
        CasoSinonimo{"ColumnaCalificada",
                     "SELECT MA_CUENTAS.CODIGO,MA_CUENTAS.TIPO, {MA_CUENTAS.X} FROM MA_CUENTAS WHERE (MA_CUENTAS.TIPO='A')",
                     false, false, "quintaro",
                     "SELECT SS_MA_CUENTAS.CODIGO,SS_MA_CUENTAS.TIPO, {SS_MA_CUENTAS.X} FROM SS_MA_CUENTAS WHERE (SS_MA_CUENTAS.TIPO='A')"},
        CasoSinonimo{"DepositosSalvoPravento", "SELECT * FROM V_TA_DEPOSITO D, MA_CUENTAS C", false, false,
                     "PRAVENTO", "SELECT * FROM V_TA_DEPOSITO D, SS_MA_CUENTAS C"},
        CasoSinonimo{"DepositosSalvoEscaldoEnMinusculas", "SELECT * FROM V_TA_DEPOSITO D", false, false,
                     "escaldo", "SELECT * FROM V_TA_DEPOSITO D"},
        CasoSinonimo{"DepositosEnOtroPrograma", "SELECT * FROM V_TA_DEPOSITO D", false, false, "quintaro",
                     "SELECT * FROM SS_V_TA_DEPOSITO D"},
        CasoSinonimo{"FamiliasSalvoTorva", "SELECT * FROM V_TA_FAMILIAS F, V_TA_DEPOSITO D", false, false,
                     "Torva", "SELECT * FROM V_TA_FAMILIAS F, SS_V_TA_DEPOSITO D"},
        CasoSinonimo{"FamiliasEnOtroPrograma", "SELECT * FROM V_TA_FAMILIAS F", false, false, "QZTRANSX",
                     "SELECT * FROM SS_V_TA_FAMILIAS F"},
        CasoSinonimo{"Cajas", "SELECT * FROM V_TA_CAJAS WHERE (V_TA_CAJAS.IdCajas='1')", false, false,
                     "quintaro", "SELECT * FROM SS_V_TA_CAJAS WHERE (SS_V_TA_CAJAS.IdCajas='1')"},
        CasoSinonimo{"DiarioYSuCentroDeCostoConOtraOrtografia",
                     "SELECT * FROM AC_CUENTASDIARIO A, AC_CUENTASDIARIO_CCOSTO B WHERE 1=1", false, false,
                     "quintaro",
                     "SELECT * FROM SS_AC_CUENTASDIARIO A, SS_AC_CUENTAS_DIARIO_CCOSTO B WHERE 1=1"}),
    [](const auto& caso) { return std::string(caso.param.nombre); });

// The demo database's restricted views make the difference visible: the
// salaries accounts are confidential.
class SinonimosEnLaBaseDemo : public ::testing::Test {
protected:
    void abrirComo(datos::DB_Dll& sesion, const QString& usuario) {
        ASSERT_TRUE(demo.valida()) << demo.error().toStdString();
        sesion.gServidor = demo.servidor();
        sesion.gDBName = demo.baseDatos();
        sesion.gUsuario = usuario;
        sesion.gUserPassWord = demo.contrasena();
        sesion.OpenServerADODB();
        ASSERT_TRUE(sesion.gOpenFlag);
    }

    long cuentas(datos::DB_Dll& sesion) {
        QString sql = QStringLiteral("SELECT COUNT(*) AS N FROM MA_CUENTAS WHERE IMPUTABLE=1");
        ado::Recordset rs;
        sesion.AbrirRecordset(sql, rs);
        const long n = rs.State() ? static_cast<long>(rs.Fields(0).Value().aImporte().aDouble()) : -1;
        sesion.CierraRecordset(rs);
        return n;
    }

    prueba::BaseDemo demo;
    prueba::DialogosGuion dialogos;
};

TEST_F(SinonimosEnLaBaseDemo, ElUsuarioComunVeMenosCuentasQueElAdministrador) {
    datos::DB_Dll administrador(dialogos);
    abrirComo(administrador, demo.usuario());
    datos::DB_Dll comun(dialogos);
    abrirComo(comun, QStringLiteral("jperez"));
    ASSERT_TRUE(administrador.gEsAdmin);
    ASSERT_FALSE(comun.gEsAdmin);

    EXPECT_EQ(cuentas(administrador), 17);
    EXPECT_EQ(cuentas(comun), 15);  // without the two salaries accounts
    EXPECT_TRUE(dialogos.mensajes().empty());
}

TEST_F(SinonimosEnLaBaseDemo, LaConfidencialidadDeLaSesionPrincipalDecideLosAsientos) {
    datos::DB_Dll comun(dialogos);
    abrirComo(comun, QStringLiteral("jperez"));
    const QString sql = QStringLiteral("SELECT * FROM MV_ASIENTOS WHERE 1=1");
    EXPECT_EQ(comun.SS_TSinonimos(sql), sql);
    comun.gConfidencialidad = true;
    datos::DB_Dll lateral(dialogos, &comun);
    lateral.gEsAdmin = false;
    EXPECT_EQ(lateral.SS_TSinonimos(sql), QStringLiteral("SELECT * FROM SS_MV_ASIENTOS WHERE 1=1"));
}

}  // namespace
