#pragma once

#include <QDate>
#include <QTime>
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

struct lxw_workbook;
struct lxw_worksheet;
struct lxw_format;

namespace salida {

// A new .xlsx workbook written to one file: its sheets, the cells of the first
// one and their formats. Rows and columns are numbered from 1, as the
// spreadsheet names them. Nothing reaches the file until cerrar(); a workbook
// dropped without cerrar() leaves the file as it was.
//
// Every cell has the font size 11. Failures raise plataforma::RuntimeError
// with the library's own description.
class LibroExcel {
public:
    static constexpr double TamanioLetra = 11;
    static constexpr const char* FormatoFecha = "dd/mm/yyyy";
    static constexpr const char* FormatoFechaHora = "dd/mm/yyyy hh:mm:ss";

    LibroExcel(const QString& archivo, int hojas);
    ~LibroExcel();
    LibroExcel(const LibroExcel&) = delete;
    LibroExcel& operator=(const LibroExcel&) = delete;

    const QString& archivo() const { return archivo_; }

    // A cell holds at most this many characters; a longer text is written
    // cut to that length, and its cell is listed in celdasCortadas().
    static constexpr int LargoMaximoTexto = 32767;

    // The heading cells: continuous borders, blue fill (the palette's colour
    // 5), white bold letters.
    void escribirEncabezado(int fila, int columna, const QString& texto);
    void escribirTexto(int fila, int columna, const QString& texto);
    void escribirNumero(int fila, int columna, double numero);
    // A real date; with its time of day unless that is midnight.
    void escribirFecha(int fila, int columna, const QDate& fecha, const QTime& hora);

    // Width in characters, as the spreadsheet measures columns.
    void anchoColumna(int columna, double ancho);
    // The whole column shows dates as dd/mm/yyyy.
    void columnaDeFechas(int columna);
    // Every column takes the width of its widest cell, the heading included,
    // as the spreadsheet's own fitting leaves it (at most AnchoMaximo). The
    // widths are kept while the cells are written, so this costs nothing
    // however often it is asked.
    void ajustarColumnas() { ajustar_ = true; }

    static constexpr double AnchoMaximo = 255;  // the widest column a sheet has

    // The cells whose text was cut ("B12"), in the order written.
    const QStringList& celdasCortadas() const { return cortadas_; }

    // Writes the file and releases the workbook.
    void cerrar();

private:
    struct Columna {
        double ancho = -1;
        bool fechas = false;
        int caracteres = 0;  // widest cell written, in characters
    };

    Columna& columna(int numero);
    lxw_format* nuevoFormato();
    lxw_format* formatoComun();
    void anotarAncho(int columna, int caracteres);
    QByteArray textoQueCabe(int fila, int columna, const QString& texto);
    void aplicarColumnas();
    static void verificar(int error, const char* operacion);

    QString archivo_;
    struct Cerrador {
        void operator()(lxw_workbook* libro) const;
    };
    std::unique_ptr<lxw_workbook, Cerrador> libro_;
    lxw_worksheet* hoja_ = nullptr;
    lxw_format* encabezado_ = nullptr;
    lxw_format* texto_ = nullptr;
    lxw_format* fecha_ = nullptr;
    lxw_format* fechaHora_ = nullptr;
    std::vector<Columna> columnas_;  // index: column number - 1
    bool ajustar_ = false;
    QStringList cortadas_;
};

}  // namespace salida
