#include "BaseDePrueba.h"

#include "platform/RuntimeError.h"
#include "platform/ado/Recordset.h"

using prueba::BaseDePrueba;

class Conexion : public BaseDePrueba {};

TEST_F(Conexion, LeeCamposConTipo) {
    ado::Recordset rs;
    rs.Open(QStringLiteral("SELECT TOP 1 * FROM MA_CUENTAS with(nolock) WHERE Codigo = '1.1.01'"), cnn_);
    ASSERT_FALSE(rs.EOF_());
    EXPECT_EQ(rs[QStringLiteral("Descripcion")].texto(), QStringLiteral("Caja; pesos"));
    EXPECT_EQ(rs[QStringLiteral("Saldo")].aImporte(), ado::Importe::desdeDiezmilesimos(12345678));
    EXPECT_EQ(rs.Fields(QStringLiteral("Saldo")).Type(), ado::tipo::Numeric);
    EXPECT_EQ(rs[QStringLiteral("Alta")].texto(), QStringLiteral("05/03/2024"));
}
