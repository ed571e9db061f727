#include "output/LibroExcel.h"

#include "platform/RuntimeError.h"

#include <QByteArray>
#include <QFile>
#include <algorithm>
#include <array>
#include <charconv>
#include <clocale>
#include <locale.h>
#include <xlsxwriter.h>

namespace salida {

namespace {

// The run-time's "path/file access error", for a workbook that cannot be
// written.
constexpr long ErrorDeAcceso = 75;

// Excel's default palette: colour 5 is blue.
constexpr lxw_color_t ColorIndice5 = 0x0000FF;
constexpr lxw_color_t Blanco = 0xFFFFFF;

constexpr lxw_row_t fila0(int fila) { return static_cast<lxw_row_t>(fila - 1); }
constexpr lxw_col_t columna0(int columna) { return static_cast<lxw_col_t>(columna - 1); }

lxw_datetime fechaLxw(const QDate& d, const QTime& t) {
    return lxw_datetime{d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second() + t.msec() / 1000.0};
}

// The library writes numbers into the file with the C run-time's formatting,
// which follows the process's regional settings: under a decimal comma a
// width of 8.43 would come out as "8,43" and spoil the workbook. While one
// lives, this thread formats numbers the C way.
class NumerosAlEstiloC {
public:
    NumerosAlEstiloC() : propia_(newlocale(LC_NUMERIC_MASK, "C", duplocale(LC_GLOBAL_LOCALE))) {
        if (propia_) anterior_ = uselocale(propia_);
    }
    ~NumerosAlEstiloC() {
        if (!propia_) return;
        uselocale(anterior_);
        freelocale(propia_);
    }
    NumerosAlEstiloC(const NumerosAlEstiloC&) = delete;
    NumerosAlEstiloC& operator=(const NumerosAlEstiloC&) = delete;

private:
    locale_t propia_;
    locale_t anterior_ = nullptr;
};

// How many characters the number takes written with 15 significant digits,
// as a spreadsheet shows a number in its general format.
int caracteresDeNumero(double numero) {
    std::array<char, 32> texto{};
    const std::to_chars_result escrito =
        std::to_chars(texto.data(), texto.data() + texto.size(), numero, std::chars_format::general, 15);
    return int(escrito.ptr - texto.data());
}

}  // namespace

void LibroExcel::Cerrador::operator()(lxw_workbook* libro) const { lxw_workbook_free(libro); }

LibroExcel::LibroExcel(const QString& archivo, int hojas) : archivo_(archivo) {
    libro_.reset(workbook_new(QFile::encodeName(archivo).constData()));
    if (!libro_)
        throw plataforma::RuntimeError(ErrorDeAcceso, QStringLiteral("No se pudo crear el libro ") + archivo,
                                       QStringLiteral("LibroExcel"));
    for (int i = 1; i <= std::max(hojas, 1); ++i) {
        lxw_worksheet* hoja =
            workbook_add_worksheet(libro_.get(), QStringLiteral("Hoja%1").arg(i).toUtf8().constData());
        if (!hoja_) hoja_ = hoja;
    }
    if (!hoja_)
        throw plataforma::RuntimeError(ErrorDeAcceso, QStringLiteral("No se pudo agregar una hoja al libro"),
                                       QStringLiteral("LibroExcel"));

    texto_ = formatoComun();
    encabezado_ = nuevoFormato();
    format_set_border(encabezado_, LXW_BORDER_THIN);
    format_set_pattern(encabezado_, LXW_PATTERN_SOLID);
    format_set_bg_color(encabezado_, ColorIndice5);
    format_set_font_color(encabezado_, Blanco);
    format_set_bold(encabezado_);
    fecha_ = nuevoFormato();
    format_set_num_format(fecha_, FormatoFecha);
    fechaHora_ = nuevoFormato();
    format_set_num_format(fechaHora_, FormatoFechaHora);
}

LibroExcel::~LibroExcel() = default;

// The format of plain texts and numbers. It equals the library's default
// cell format (Calibri 11), and the library does not keep the index it finds
// for a format equal to another one: it would look it up in its table of
// formats again for every cell written with it, which costs the export as
// much as the cells themselves. The format keeps the index found once.
// (Writing these cells without a format would not do: they would take the
// format of a column of dates.)
lxw_format* LibroExcel::formatoComun() {
    lxw_format* formato = nuevoFormato();
    formato->xf_index = lxw_format_get_xf_index(formato);
    return formato;
}

lxw_format* LibroExcel::nuevoFormato() {
    lxw_format* formato = workbook_add_format(libro_.get());
    format_set_font_size(formato, TamanioLetra);
    return formato;
}

void LibroExcel::verificar(int error, const char* operacion) {
    if (error == LXW_NO_ERROR) return;
    throw plataforma::RuntimeError(ErrorDeAcceso,
                                   QString::fromLatin1(operacion) + QStringLiteral(": ") +
                                       QString::fromUtf8(lxw_strerror(static_cast<lxw_error>(error))),
                                   QStringLiteral("LibroExcel"));
}

void LibroExcel::escribirEncabezado(int fila, int columna, const QString& texto) {
    verificar(worksheet_write_string(hoja_, fila0(fila), columna0(columna),
                                     textoQueCabe(fila, columna, texto).constData(), encabezado_),
              "Encabezado");
}

void LibroExcel::escribirTexto(int fila, int columna, const QString& texto) {
    verificar(worksheet_write_string(hoja_, fila0(fila), columna0(columna),
                                     textoQueCabe(fila, columna, texto).constData(), texto_),
              "Texto");
}

// The text as the cell can hold it, in the library's encoding, and its width
// noted. The library would refuse a longer text whole; it is cut instead,
// never inside a character written as two UTF-16 units, so the library's
// count of characters stays within the limit too.
QByteArray LibroExcel::textoQueCabe(int fila, int columna, const QString& texto) {
    if (texto.size() <= LargoMaximoTexto) {
        anotarAncho(columna, int(texto.size()));
        return texto.toUtf8();
    }
    qsizetype largo = LargoMaximoTexto;
    if (texto.at(largo - 1).isHighSurrogate()) --largo;
    std::array<char, LXW_MAX_CELL_NAME_LENGTH> celda{};
    lxw_rowcol_to_cell(celda.data(), fila0(fila), columna0(columna));
    cortadas_ << QString::fromLatin1(celda.data());
    anotarAncho(columna, int(largo));
    return QStringView(texto).first(largo).toUtf8();
}

void LibroExcel::escribirNumero(int fila, int columna, double numero) {
    verificar(worksheet_write_number(hoja_, fila0(fila), columna0(columna), numero, texto_), "Numero");
    anotarAncho(columna, caracteresDeNumero(numero));
}

void LibroExcel::escribirFecha(int fila, int columna, const QDate& fecha, const QTime& hora) {
    const bool conHora = hora != QTime(0, 0);
    lxw_datetime valor = fechaLxw(fecha, hora);
    verificar(worksheet_write_datetime(hoja_, fila0(fila), columna0(columna), &valor,
                                       conHora ? fechaHora_ : fecha_),
              "Fecha");
    anotarAncho(columna, int(std::char_traits<char>::length(conHora ? FormatoFechaHora : FormatoFecha)));
}

LibroExcel::Columna& LibroExcel::columna(int numero) {
    if (std::size_t(numero) > columnas_.size()) columnas_.resize(std::size_t(numero));
    return columnas_[std::size_t(numero - 1)];
}

void LibroExcel::anchoColumna(int columna, double ancho) { this->columna(columna).ancho = ancho; }

void LibroExcel::columnaDeFechas(int columna) { this->columna(columna).fechas = true; }

void LibroExcel::anotarAncho(int columna, int caracteres) {
    Columna& c = this->columna(columna);
    c.caracteres = std::max(c.caracteres, caracteres);
}

// A fitted column is its widest cell with a character to spare, as the
// spreadsheet's own fitting leaves it; a column of dates also takes their
// format.
void LibroExcel::aplicarColumnas() {
    for (std::size_t i = 0; i < columnas_.size(); ++i) {
        const Columna& c = columnas_[i];
        double ancho = ajustar_ ? std::min(c.caracteres + 1.0, AnchoMaximo) : c.ancho;
        if (ancho < 0 && !c.fechas) continue;
        if (ancho < 0) ancho = LXW_DEF_COL_WIDTH;
        const auto col = static_cast<lxw_col_t>(i);
        verificar(worksheet_set_column(hoja_, col, col, ancho, c.fechas ? fecha_ : nullptr), "Columna");
    }
}

void LibroExcel::cerrar() {
    if (!libro_)
        throw plataforma::RuntimeError(ErrorDeAcceso, QStringLiteral("El libro ya fue cerrado"),
                                       QStringLiteral("LibroExcel"));
    aplicarColumnas();
    // workbook_close releases the workbook whatever it answers.
    const lxw_error error = [this] {
        const NumerosAlEstiloC numeros;
        return workbook_close(libro_.release());
    }();
    hoja_ = nullptr;
    verificar(error, "Guardar");
}

}  // namespace salida
