// How fast the export writes a large grid: 10,000 rows by 4 columns (a
// moment, a user, an amount and a state, as the history holds them), through
// the progress window, into a workbook in a temporary folder. Prints rows per
// second; run by hand:
//
//     bench_exportar_excel --benchmark_filter=ExportarGrilla/10000/
//
// The 100-row size runs as a smoke test.

#include "output/ModExportarExcel.h"
#include "session/utility_component/Utilidades.h"
#include "support/DialogosGuion.h"
#include "support/EntornoPruebas.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTableWidget>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

void llenarGrilla(QTableWidget& grilla, int filas) {
    grilla.setColumnCount(4);
    grilla.setHorizontalHeaderLabels({"FECHA", "USUARIO", "IMPORTE", "ESTADO"});
    grilla.setRowCount(filas);
    for (int r = 0; r < filas; ++r) {
        grilla.setItem(r, 0, new QTableWidgetItem(QStringLiteral("%1/03/2024 09:15:22").arg(r % 28 + 1, 2, 10, QLatin1Char('0'))));
        grilla.setItem(r, 1, new QTableWidgetItem(QStringLiteral("USUARIO%1 en PC:CONTAB-01").arg(r % 7)));
        grilla.setItem(r, 2, new QTableWidgetItem(QStringLiteral("%1,50").arg(r + 1)));
        grilla.setItem(r, 3, new QTableWidgetItem(r % 3 ? QStringLiteral("FINALIZADA") : QStringLiteral("ABIERTA")));
    }
    for (int k = 0; k < 4; ++k) grilla.setColumnWidth(k, 120);
}

void ExportarGrilla(benchmark::State& estado) {
    const int filas = static_cast<int>(estado.range(0));
    QWidget ventana;
    ventana.setWindowTitle(QStringLiteral("Historial de Acciones"));
    auto* grilla = new QTableWidget(&ventana);
    llenarGrilla(*grilla, filas);
    QTemporaryDir carpeta;
    prueba::DialogosGuion dialogos;
    utilidades::Utilidades utilidades(dialogos);
    salida::ModExportarExcel exportador(utilidades, dialogos,
                                        {[&] { return carpeta.path(); }, [](const QUrl&) { return true; }});
    qint64 nanosegundos = 0;
    for (auto _ : estado) {
        QElapsedTimer reloj;
        reloj.start();
        exportador.ExportarGrillaExcel(*grilla, true, QString(), QString(), -1, -1, -1);
        nanosegundos += reloj.nsecsElapsed();
        estado.PauseTiming();
        if (exportador.archivo().isEmpty()) estado.SkipWithError("no workbook written");
        QFile::remove(exportador.archivo());
        estado.ResumeTiming();
    }
    // Rows per second of processor time, and of the wall clock (what the
    // user waits; it grows when the machine is busy with other work).
    const double exportadas = static_cast<double>(filas) * static_cast<double>(estado.iterations());
    estado.counters["filas/s"] = benchmark::Counter(exportadas, benchmark::Counter::kIsRate);
    if (nanosegundos > 0) estado.counters["filas/s_reloj"] = exportadas * 1e9 / static_cast<double>(nanosegundos);
}

BENCHMARK(ExportarGrilla)->Arg(10000)->Arg(100)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
    prueba::fijarEntorno();
    QApplication aplicacion(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
