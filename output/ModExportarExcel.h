#pragma once

#include "output/Dll_Display.h"
#include "platform/ado/LectorFechas.h"

#include <QDateTime>
#include <QList>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <functional>
#include <memory>
#include <optional>

class QTableView;

namespace plataforma { class Dialogos; }
namespace utilidades { class Utilidades; }

namespace salida {

class LibroExcel;

// Copies the visible columns of a grid into a new spreadsheet workbook while
// the progress window counts the rows, then opens it with the desktop's
// program for spreadsheets.
//
// The grid is read as the suite's flex grids are: row 0 is the heading row
// (the view's horizontal header), rows 1 on are the model's rows; a column
// is exported when it is wider than 50 twips (hidden columns are not).
// Exported columns are packed from the sheet's column 1 on; grid row r goes
// to sheet row r + 1.
//
// The workbook is a new file in the destination folder (the user's documents
// folder), named after what it holds (the title, else the grid's window
// title) and the moment of the export; an existing file is never replaced.
// When the workbook cannot be written, or nothing opens it, a message says so
// and where the file is; a text longer than a cell holds goes in cut, and a
// message after the workbook is saved names its cells. Every other failing
// step is passed over silently.
// A request that comes while an export runs (its events are let through) is
// ignored.
class ModExportarExcel {
public:
    // Where a new workbook goes and how the desktop opens it; tests put their
    // own folder and opener here.
    struct Destino {
        std::function<QString()> carpeta;
        std::function<bool(const QUrl&)> abrir;
    };
    static Destino destinoDelEscritorio();

    static constexpr int AnchoMinimoTwips = 50;  // narrower columns are hidden ones
    static constexpr int TwipsPorCaracter = 90;  // grid twips per sheet column width unit

    ModExportarExcel(const utilidades::Utilidades& utilidades, plataforma::Dialogos& dialogos,
                     Destino destino = destinoDelEscritorio());
    ~ModExportarExcel();
    ModExportarExcel(const ModExportarExcel&) = delete;
    ModExportarExcel& operator=(const ModExportarExcel&) = delete;

    // The title, subtitle and the three column numbers are kept for the
    // suite's callers; this program passes them empty and -1, and only a
    // title has an effect here: it names the file.
    void ExportarGrillaExcel(const QTableView& Grilla, bool VistaPrevia, const QString& Titulo,
                             const QString& Subtitulo, qint16 Columna1, qint16 Columna2, qint16 Columna3);

    // A new workbook with that many sheets (0 means 2) in a new file.
    void CrearLibroExcel(int hojas);
    // The heading row of the first sheet and the column widths; the lists
    // hold a dummy entry 0 and one entry per exported column.
    void PrepararHojaExcel(int entradas, const QStringList& encabezados, const QList<int>& anchos);

    // The file the last export wrote; empty when it wrote none.
    const QString& archivo() const { return archivo_; }
    Dll_Display& display() { return display_; }
    void setDestino(Destino destino) { destino_ = std::move(destino); }

    // "<what> yyyy-MM-dd hh.mm.ss", without characters a file name may not hold.
    static QString nombreLibro(const QString& contenido, const QDateTime& momento);

private:
    void listarColumnas(const QTableView& grilla, QStringList& encabezados, QList<int>& anchos);
    void exportarFilas(const QTableView& grilla);
    void mostrarFila(int fila, const QString& total);
    void escribirCelda(int fila, int columna, const QString& texto);
    void prepararLecturaDeImportes();
    std::optional<double> importePositivo(const QString& texto) const;
    bool puedeSerImporte(const QString& texto) const;
    std::optional<ado::LectorFechas::FechaHora> fechaValida(const QString& texto) const;
    QString reservarArchivo() const;
    void guardarLibro();
    void avisarTextosCortados();
    void abrirLibro();
    LibroExcel& libro() const;

    const utilidades::Utilidades& utilidades_;
    plataforma::Dialogos& dialogos_;
    Destino destino_;
    Dll_Display display_;

    // One export's state.
    bool exportando_ = false;
    std::unique_ptr<LibroExcel> libro_;
    int filaEncabezado_ = 1;
    QList<int> columnasExportadas_;  // grid columns, in sheet order
    QString contenido_;
    QString archivo_;
    QString falla_;
    QStringList cortadas_;  // cells whose text the sheet could not hold whole
    // A whole number in the workstation's form, and one with a decimal point
    // (for texts without the workstation's separator).
    QString separadorDecimal_;
    QRegularExpression importeRegional_;
    QRegularExpression importeConPunto_;
    // The workstation's date format, taken at the start of the export.
    std::optional<ado::LectorFechas> fechas_;
};

}  // namespace salida
