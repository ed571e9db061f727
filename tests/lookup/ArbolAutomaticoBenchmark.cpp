// How long the tree lookup window takes to build its automatic tree (codes
// hung under the longest loaded code they extend) from a statement's rows:
// 1,000 rows, the statements' usual limit, and more to show how it grows.
// Prints its figures; it checks no time.

#include "lookup/Lib_FrmCons3Tree.h"

#include "session/Global.h"
#include "support/BaseDemo.h"
#include "support/DialogosGuion.h"
#include "support/EntornoPruebas.h"

#include <QApplication>
#include <QTreeWidget>
#include <benchmark/benchmark.h>

namespace {

// A table of `filas` codes three levels deep (01, 0101, 010101, ...), in
// code order, as a chart of accounts or a family list comes.
void llenarCodigos(sesion::Global& global, int filas) {
    global.DB.EjecutaConsultaSQL(QStringLiteral("DROP TABLE IF EXISTS T_ARBOL"));
    global.DB.EjecutaConsultaSQL(QStringLiteral("CREATE TABLE T_ARBOL (CODIGO VARCHAR(10), DESCRIPCION VARCHAR(30))"));
    global.DB.gCnn().BeginTrans();
    int hechas = 0;
    for (int a = 1; hechas < filas; ++a) {
        const QString primero = QStringLiteral("%1").arg(a, 2, 10, QLatin1Char('0'));
        QStringList codigos{primero};
        for (int b = 1; b <= 9; ++b) {
            const QString segundo = primero + QStringLiteral("%1").arg(b, 2, 10, QLatin1Char('0'));
            codigos << segundo;
            for (int c = 1; c <= 10; ++c) codigos << segundo + QStringLiteral("%1").arg(c, 2, 10, QLatin1Char('0'));
        }
        for (const QString& codigo : codigos) {
            if (hechas++ >= filas) break;
            global.DB.EjecutaConsultaSQL(
                QStringLiteral("INSERT INTO T_ARBOL VALUES ('%1', 'Cuenta %1')").arg(codigo));
        }
    }
    global.DB.gCnn().CommitTrans();
}

void ArmarArbolAutomatico(benchmark::State& estado) {
    prueba::BaseDemo demo;
    prueba::DialogosGuion dialogos;
    sesion::Global global(dialogos);
    global.DB.gServidor = demo.servidor();
    global.DB.gDBName = demo.baseDatos();
    global.DB.gUsuario = prueba::BaseDemo::usuario();
    global.DB.gUserPassWord = demo.contrasena();
    global.DB.OpenServerADODB();
    if (!global.DB.gOpenFlag) {
        estado.SkipWithError("the demo database did not open");
        return;
    }
    const int filas = static_cast<int>(estado.range(0));
    llenarCodigos(global, filas);

    consultas::Lib_FrmCons3Tree ventana(global);
    for (auto _ : estado) {
        ventana.SQL = QStringLiteral("SELECT CODIGO, DESCRIPCION FROM T_ARBOL ORDER BY CODIGO");
        ventana.cargar();
        benchmark::DoNotOptimize(ventana.nodos().size());
    }
    if (ventana.nodos().size() != filas + 1) estado.SkipWithError("the tree does not hold every row");
    estado.counters["nodos"] = static_cast<double>(ventana.nodos().size());
    estado.SetComplexityN(filas);
}

BENCHMARK(ArmarArbolAutomatico)->Arg(1000)->Arg(4000)->Arg(16000)->Unit(benchmark::kMillisecond)->Complexity();

}  // namespace

int main(int argc, char** argv) {
    prueba::fijarEntorno();
    QApplication aplicacion(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
