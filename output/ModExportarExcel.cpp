#include "output/ModExportarExcel.h"

#include "output/LibroExcel.h"
#include "platform/Pasos.h"
#include "platform/RuntimeError.h"
#include "platform/ado/LectorFechas.h"
#include "platform/ui/Dialogos.h"
#include "platform/ui/Twips.h"
#include "session/utility_component/Utilidades.h"

#include <QAbstractItemModel>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLocale>
#include <QRegularExpression>
#include <QScopedValueRollback>
#include <QStandardPaths>
#include <QTableView>

namespace salida {

namespace {

// The run-time's "object variable not set", for a step that needs the
// workbook when there is none.
constexpr long ObjetoNoEstablecido = 91;
constexpr long ErrorDeAcceso = 75;
constexpr int IntentosDeNombre = 1000;
constexpr int CeldasCortadasNombradas = 10;  // the message names at most these

const QString TituloAvisos = QStringLiteral("Exportar a Excel");

// ---- The grid, read as a flex grid ------------------------------------------

int Rows(const QTableView& g) { return g.model() ? g.model()->rowCount() + 1 : 1; }
int Cols(const QTableView& g) { return g.model() ? g.model()->columnCount() : 0; }

int ColWidth(const QTableView& g, int columna) {
    return g.isColumnHidden(columna) ? 0 : plataforma::twips::desdePixeles(g.columnWidth(columna));
}

QString TextMatrix(const QTableView& g, int fila, int columna) {
    if (fila == 0) return g.model()->headerData(columna, Qt::Horizontal, Qt::DisplayRole).toString();
    return g.model()->index(fila - 1, columna).data(Qt::DisplayRole).toString();
}

bool columnaExportada(const QTableView& g, int columna) {
    const int ancho = ColWidth(g, columna);
    return ancho > ModExportarExcel::AnchoMinimoTwips || ancho == -1;
}

}  // namespace

ModExportarExcel::Destino ModExportarExcel::destinoDelEscritorio() {
    return {[] { return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation); },
            [](const QUrl& url) { return QDesktopServices::openUrl(url); }};
}

ModExportarExcel::ModExportarExcel(const utilidades::Utilidades& utilidades, plataforma::Dialogos& dialogos,
                                   Destino destino)
    : utilidades_(utilidades), dialogos_(dialogos), destino_(std::move(destino)) {}

ModExportarExcel::~ModExportarExcel() = default;

void ModExportarExcel::ExportarGrillaExcel(const QTableView& Grilla, bool VistaPrevia, const QString& Titulo,
                                           const QString&, qint16, qint16, qint16) {
    // The export lets the window's events through, so its own button can be
    // pressed again meanwhile; a second export then would drop the first
    // one's workbook half written.
    if (exportando_) return;
    const QScopedValueRollback<bool> enCurso(exportando_, true);

    QStringList encabezados{QString()};
    QList<int> anchos{0};
    contenido_ = !Titulo.trimmed().isEmpty() ? Titulo.trimmed() : Grilla.window()->windowTitle();
    archivo_.clear();
    falla_.clear();
    cortadas_.clear();
    libro_.reset();
    columnasExportadas_.clear();
    prepararLecturaDeImportes();
    fechas_.emplace();

    plataforma::ejecutarSaltandoErrores({
        [&] { filaEncabezado_ = 1; },
        [&] { listarColumnas(Grilla, encabezados, anchos); },
        [&] { CrearLibroExcel(0); },
        [&] { PrepararHojaExcel(int(encabezados.size()), encabezados, anchos); },
        [&] { display_.CartelInicio(QStringLiteral("Exportando a Excel"), false); },
        [&] { exportarFilas(Grilla); },
        [&] { display_.CartelCerrar(); },
        [&] { guardarLibro(); },
        [&] { avisarTextosCortados(); },
        [&] { if (VistaPrevia) abrirLibro(); },
    });
    libro_.reset();
}

// The exported columns are taken once: a column the user widens or hides
// while the rows are written (the export lets events through) does not move
// the later cells out from under their heading.
void ModExportarExcel::listarColumnas(const QTableView& grilla, QStringList& encabezados, QList<int>& anchos) {
    for (int k = 0; k < Cols(grilla); ++k) {
        if (!columnaExportada(grilla, k)) continue;
        columnasExportadas_ << k;
        encabezados << TextMatrix(grilla, 0, k);
        anchos << ColWidth(grilla, k);
    }
}

// ---- The workbook -------------------------------------------------------------

void ModExportarExcel::CrearLibroExcel(int hojas) {
    try {
        libro_ = std::make_unique<LibroExcel>(reservarArchivo(), hojas == 0 ? 2 : hojas);
    } catch (const plataforma::RuntimeError& error) {
        falla_ = error.Description();
        throw;
    }
}

// A new name in the destination folder, taken at once by an empty file so
// that no one else takes it before the workbook is written there.
QString ModExportarExcel::reservarArchivo() const {
    const QString carpeta = destino_.carpeta ? destino_.carpeta() : QString();
    if (carpeta.isEmpty())
        throw plataforma::RuntimeError(ErrorDeAcceso, QStringLiteral("No hay una carpeta de documentos."));
    QDir().mkpath(carpeta);
    const QString base = QDir(carpeta).filePath(nombreLibro(contenido_, QDateTime::currentDateTime()));
    for (int n = 1; n <= IntentosDeNombre; ++n) {
        const QString ruta = n == 1 ? base + QStringLiteral(".xlsx") : base + QStringLiteral(" (%1).xlsx").arg(n);
        QFile archivo(ruta);
        if (archivo.open(QIODevice::WriteOnly | QIODevice::NewOnly)) return ruta;
        if (!archivo.exists())
            throw plataforma::RuntimeError(ErrorDeAcceso, QStringLiteral("No se pudo crear ") +
                                                              QDir::toNativeSeparators(ruta) +
                                                              QStringLiteral(": ") + archivo.errorString());
    }
    throw plataforma::RuntimeError(ErrorDeAcceso, QStringLiteral("No queda un nombre libre para ") +
                                                      QDir::toNativeSeparators(base));
}

QString ModExportarExcel::nombreLibro(const QString& contenido, const QDateTime& momento) {
    QString nombre = contenido.trimmed().isEmpty() ? QStringLiteral("Planilla") : contenido.trimmed();
    static const QRegularExpression prohibidos(QStringLiteral("[\\\\/:*?\"<>|\\x00-\\x1f]"));
    nombre.replace(prohibidos, QStringLiteral("-"));
    return nombre + QLatin1Char(' ') + momento.toString(QStringLiteral("yyyy-MM-dd hh.mm.ss"));
}

LibroExcel& ModExportarExcel::libro() const {
    if (!libro_)
        throw plataforma::RuntimeError(ObjetoNoEstablecido,
                                       QStringLiteral("Variable de objeto o bloque With no establecido"));
    return *libro_;
}

void ModExportarExcel::PrepararHojaExcel(int entradas, const QStringList& encabezados, const QList<int>& anchos) {
    LibroExcel& hoja = libro();
    const int n = entradas - 1;
    for (int columna = 1; columna <= n; ++columna)
        hoja.escribirEncabezado(filaEncabezado_, columna, encabezados.at(columna));
    for (int columna = 1; columna <= n; ++columna)
        if (anchos.at(columna) >= 0)
            hoja.anchoColumna(columna, double(anchos.at(columna)) / TwipsPorCaracter);
}

// ---- The rows -------------------------------------------------------------------

// The progress window shows the row being written each time it repaints,
// which is as often as a person can see it change
// (Dll_Display::IntervaloRefresco); it then lets the pending window events
// through. The rows in between do not set its lines, which would cost them
// as much time as their cells.
void ModExportarExcel::exportarFilas(const QTableView& grilla) {
    const int filas = Rows(grilla);
    const QString total = QString::number(filas - 1);
    for (int r = filaEncabezado_; r <= filas - 1; ++r) {
        if (display_.tocaRefrescar()) plataforma::ejecutarSaltandoError([&] { mostrarFila(r, total); });
        for (int columnaHoja = 1; columnaHoja <= columnasExportadas_.size(); ++columnaHoja)
            plataforma::ejecutarSaltandoError([&] {
                escribirCelda(r + 1, columnaHoja, TextMatrix(grilla, r, columnasExportadas_.at(columnaHoja - 1)));
            });
    }
}

void ModExportarExcel::mostrarFila(int fila, const QString& total) {
    bool cancelado = false;
    display_.CartelMostrar(cancelado, QStringLiteral("Exportando a Excel"), QStringLiteral("Espere Por Favor"),
                           QString::number(fila) + QStringLiteral(" de ") + total);
}

// A positive amount goes in as a number, a date as a date shown dd/mm/yyyy,
// anything else as its text; leading and trailing blanks never. Once a date
// has gone in, every column of the sheet is fitted to its content.
void ModExportarExcel::escribirCelda(int fila, int columna, const QString& texto) {
    LibroExcel& hoja = libro();
    const QString limpio = texto.trimmed();
    if (const std::optional<double> importe = importePositivo(limpio)) {
        hoja.escribirNumero(fila, columna, *importe);
        return;
    }
    if (const std::optional<ado::LectorFechas::FechaHora> fecha = fechaValida(limpio)) {
        hoja.escribirFecha(fila, columna, fecha->fecha, fecha->hora);
        hoja.columnaDeFechas(columna);
        hoja.ajustarColumnas();
        return;
    }
    hoja.escribirTexto(fila, columna, limpio);
}

// Every date, in the workstation's order or in ISO form, starts with a
// digit; other texts need not be read.
std::optional<ado::LectorFechas::FechaHora> ModExportarExcel::fechaValida(const QString& texto) const {
    if (texto.isEmpty() || !texto.front().isDigit()) return std::nullopt;
    return fechas_->leer(texto);
}

// The amount the utility component reads in the text, when the whole text
// is a number in the workstation's form (or with a decimal point, lacking
// the workstation's separator) and above zero. A text that only starts with
// a number ("05/03/2024", "12 cajas") is no amount.
std::optional<double> ModExportarExcel::importePositivo(const QString& texto) const {
    if (!puedeSerImporte(texto)) return std::nullopt;
    const QRegularExpression& numero =
        texto.contains(separadorDecimal_) ? importeRegional_ : importeConPunto_;
    if (!numero.match(texto).hasMatch()) return std::nullopt;
    try {
        const ado::Importe importe = utilidades_.importe(texto);
        if (importe > ado::Importe()) return importe.aDouble();
    } catch (const plataforma::RuntimeError&) {
        // Too large for an amount: it stays text.
    }
    return std::nullopt;
}

// Whether the text starts as an amount's shape does (a sign, a digit or a
// decimal separator), which spares the whole comparison to most texts.
bool ModExportarExcel::puedeSerImporte(const QString& texto) const {
    if (texto.isEmpty()) return false;
    const QChar primero = texto.front();
    return primero.isDigit() || primero == u'-' || primero == u'+' || primero == u'.' ||
           texto.startsWith(separadorDecimal_);
}

namespace {

// Digits, optionally in groups of three after the first ones, then the
// decimal part: the shapes the utility component reads whole.
QRegularExpression formaDeImporte(const QString& decimal, const QString& miles) {
    const QString grupos = miles.isEmpty() ? QString()
                                           : QStringLiteral("(?:") + QRegularExpression::escape(miles) +
                                                 QStringLiteral("\\d{3})*");
    const QString punto = QRegularExpression::escape(decimal);
    return QRegularExpression(QStringLiteral("^[+-]? *(?:\\d+") + grupos + QStringLiteral("(?:") + punto +
                              QStringLiteral("\\d*)?|") + punto + QStringLiteral("\\d+)$"));
}

}  // namespace

void ModExportarExcel::prepararLecturaDeImportes() {
    const QLocale regional;
    separadorDecimal_ = regional.decimalPoint();
    const QString miles = regional.groupSeparator();
    importeRegional_ = formaDeImporte(separadorDecimal_, miles == separadorDecimal_ ? QString() : miles);
    const QString punto = QStringLiteral(".");
    importeConPunto_ = formaDeImporte(punto, miles == punto ? QString() : miles);
    importeRegional_.optimize();
    importeConPunto_.optimize();
}

// ---- Handing the workbook over ----------------------------------------------------

void ModExportarExcel::guardarLibro() {
    if (!libro_) {
        dialogos_.mensaje(QStringLiteral("No se pudo guardar la planilla exportada.\n") + falla_,
                          plataforma::estilo::Critico, TituloAvisos);
        return;
    }
    const QString ruta = libro_->archivo();
    try {
        cortadas_ = libro_->celdasCortadas();
        libro_->cerrar();
        archivo_ = ruta;
    } catch (const plataforma::RuntimeError& error) {
        QFile::remove(ruta);
        dialogos_.mensaje(QStringLiteral("No se pudo guardar la planilla exportada en ") +
                              QDir::toNativeSeparators(ruta) + QStringLiteral(".\n") + error.Description(),
                          plataforma::estilo::Critico, TituloAvisos);
    }
    libro_.reset();
}

// A text the sheet could not hold whole went in cut; the workbook is saved
// by now, and the user hears of it before it opens.
void ModExportarExcel::avisarTextosCortados() {
    if (archivo_.isEmpty() || cortadas_.isEmpty()) return;
    QStringList nombradas = cortadas_.mid(0, CeldasCortadasNombradas);
    if (cortadas_.size() > CeldasCortadasNombradas) nombradas << QStringLiteral("…");
    const QString limite = QLocale().toString(LibroExcel::LargoMaximoTexto);
    const QString texto =
        cortadas_.size() == 1
            ? QStringLiteral("El texto de la celda %1 era más largo de lo que cabe en una celda de la planilla "
                             "(%2 caracteres) y quedó cortado.")
                  .arg(nombradas.first(), limite)
            : QStringLiteral("Los textos de %1 celdas (%2) eran más largos de lo que cabe en una celda de la "
                             "planilla (%3 caracteres) y quedaron cortados.")
                  .arg(QString::number(cortadas_.size()), nombradas.join(QStringLiteral(", ")), limite);
    dialogos_.mensaje(texto, plataforma::estilo::Exclamacion, TituloAvisos);
}

void ModExportarExcel::abrirLibro() {
    if (archivo_.isEmpty()) return;
    if (destino_.abrir && destino_.abrir(QUrl::fromLocalFile(archivo_))) return;
    dialogos_.mensaje(QStringLiteral("No se encontró un programa para abrir la planilla. Quedó guardada en:\n") +
                          QDir::toNativeSeparators(archivo_),
                      plataforma::estilo::Informacion, TituloAvisos);
}

}  // namespace salida
