// How fast the export writes a large grid: 10,000 rows by 4 columns (a
// moment, a user, an amount and a state, as the history holds them), through
// the progress window, into a workbook in a temporary folder. Prints rows per
// second, and the ratio against libxlsxwriter writing the same cells (same
// types and formats) directly, measured in the same run; run by hand:
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
#include <xlsxwriter.h>

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

// The same cells written straight through libxlsxwriter: the heading row
// with its format, then per row a date, a text, a number and a text, as the
// export writes them; the floor an export of these cells can reach.
qint64 escribirDirecto(const QString& archivo, int filas) {
    QElapsedTimer reloj;
    reloj.start();
    lxw_workbook* libro = workbook_new(QFile::encodeName(archivo).constData());
    lxw_worksheet* hoja = workbook_add_worksheet(libro, nullptr);
    lxw_format* encabezado = workbook_add_format(libro);
    format_set_bold(encabezado);
    format_set_bg_color(encabezado, 0x0000FF);
    lxw_format* fecha = workbook_add_format(libro);
    format_set_num_format(fecha, "dd/mm/yyyy hh:mm:ss");
    const char* titulos[] = {"FECHA", "USUARIO", "IMPORTE", "ESTADO"};
    for (lxw_col_t k = 0; k < 4; ++k) worksheet_write_string(hoja, 0, k, titulos[k], encabezado);
    for (int r = 0; r < filas; ++r) {
        const lxw_row_t fila = lxw_row_t(r + 1);
        lxw_datetime momento = {2024, 3, r % 28 + 1, 9, 15, 22};
        worksheet_write_datetime(hoja, fila, 0, &momento, fecha);
        worksheet_write_string(hoja, fila, 1,
                               QStringLiteral("USUARIO%1 en PC:CONTAB-01").arg(r % 7).toUtf8().constData(), nullptr);
        worksheet_write_number(hoja, fila, 2, r + 1.5, nullptr);
        worksheet_write_string(hoja, fila, 3, r % 3 ? "FINALIZADA" : "ABIERTA", nullptr);
    }
    workbook_close(libro);
    return reloj.nsecsElapsed();
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
    qint64 directo = 0;
    for (auto _ : estado) {
        QElapsedTimer reloj;
        reloj.start();
        exportador.ExportarGrillaExcel(*grilla, true, QString(), QString(), -1, -1, -1);
        nanosegundos += reloj.nsecsElapsed();
        estado.PauseTiming();
        if (exportador.archivo().isEmpty()) estado.SkipWithError("no workbook written");
        QFile::remove(exportador.archivo());
        const QString archivoDirecto = carpeta.filePath(QStringLiteral("directo.xlsx"));
        directo += escribirDirecto(archivoDirecto, filas);
        QFile::remove(archivoDirecto);
        estado.ResumeTiming();
    }
    // Rows per second of processor time, and of the wall clock (what the
    // user waits; it grows when the machine is busy with other work).
    const double exportadas = static_cast<double>(filas) * static_cast<double>(estado.iterations());
    estado.counters["filas/s"] = benchmark::Counter(exportadas, benchmark::Counter::kIsRate);
    if (nanosegundos > 0) estado.counters["filas/s_reloj"] = exportadas * 1e9 / static_cast<double>(nanosegundos);
    // How many times libxlsxwriter's own time on the same cells the export
    // takes (the target: within 2).
    if (directo > 0) {
        const double veces = static_cast<double>(nanosegundos) / static_cast<double>(directo);
        estado.counters["veces_directo"] = veces;
        std::printf("Exportar %d x 4: %.1f ms; libxlsxwriter directo %.1f ms; %.2f veces (meta 2: %s)\n", filas,
                    static_cast<double>(nanosegundos) / 1e6 / static_cast<double>(estado.iterations()),
                    static_cast<double>(directo) / 1e6 / static_cast<double>(estado.iterations()), veces,
                    veces <= 2 ? "cumplida" : "NO cumplida");
    }
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
