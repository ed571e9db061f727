// The rewriting of SQL Server's statements for Oracle.
#include "DialogosGuion.h"
#include "Entrada.h"
#include "data/DiccionarioOracle.h"
#include "platform/RuntimeError.h"
#include "session/utility_component/Utilidades.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t largo) {
    const QString sentencia = fuzz::texto(datos, largo);
    prueba::DialogosGuion dialogos;
    const utilidades::Utilidades u(dialogos);
    const datos::DiccionarioOracle diccionario(u, QDate(2026, 12, 10));
    try {
        const QString nueva = diccionario.traducir(sentencia);
        fuzz::exigir(fuzz::comillas(sentencia) % 2 != 0 || fuzz::comillas(nueva) % 2 == 0,
                     "the rewriting unbalanced a quote", sentencia + QStringLiteral("\n->\n") + nueva);
    } catch (const plataforma::RuntimeError& error) {
        // An odd number of quotes cannot be read into literals.
        fuzz::exigir(error.Number() == 5, "the rewriting fails with other than error 5", sentencia);
    }
    return 0;
}
