#include "lookup/Lib_FrmCons3.h"

#include "data/DB_Dll.h"
#include "data/ErroresGenerales.h"
#include "data/LiteralesSql.h"
#include "lookup/ArchivoAnchos.h"
#include "lookup/BotonesConsulta.h"
#include "lookup/BusquedaEnBase.h"
#include "platform/Aplicacion.h"
#include "platform/FuncionesBasicas.h"
#include "platform/Pasos.h"
#include "platform/ado/FormatoRegional.h"
#include "platform/ui/Dialogos.h"
#include "platform/ui/Twips.h"
#include "session/Global.h"

#include <QApplication>
#include <QComboBox>
#include <QDateTime>
#include <QFrame>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QTreeWidget>
#include <algorithm>
#include <cmath>

namespace twips = plataforma::twips;

namespace consultas {

using plataforma::RuntimeError;
using plataforma::contiene;

namespace {

constexpr int AltoBusqueda = 330;    // twips: a search box's height
constexpr int AltoBarra = 615;       // twips: the button bar
constexpr int AnchoBoton = 1695;     // twips
constexpr int AltoBoton = 495;       // twips
constexpr long ErrorIndice = 35600;  // a list cell that does not exist
// A column's width, in twips, whatever the width file says or the user
// dragged: narrow enough columns keep their search box (50 twips narrower)
// visible, and an absurd width neither overflows nor hides the others.
constexpr double AnchoMinimoColumna = 450;  // also the list header's least section
constexpr double AnchoMaximoColumna = 30000;

double anchoAdmitido(double twipsLeidos) {
    if (!std::isfinite(twipsLeidos)) return AnchoMinimoColumna;
    return std::clamp(twipsLeidos, AnchoMinimoColumna, AnchoMaximoColumna);
}
const QString TituloCantidad = QStringLiteral("**Cantidad**");

QColor colorDeValor(long valor) {
    return QColor(static_cast<int>(valor & 0xFF), static_cast<int>((valor >> 8) & 0xFF),
                  static_cast<int>((valor >> 16) & 0xFF));
}

// A quantity as "########0.00" (or "########0.0") writes it: the
// workstation's decimal separator, never a thousands separator.
QString textoCantidad(double cantidad, int decimales) {
    QLocale region = QLocale::system();
    region.setNumberOptions(QLocale::OmitGroupSeparator);
    return region.toString(cantidad, 'f', decimales);
}

void colorDeFondo(QComboBox* caja, const QColor& color) {
    QPalette paleta = caja->palette();
    paleta.setColor(QPalette::Base, color);
    caja->setPalette(paleta);
    if (caja->lineEdit()) caja->lineEdit()->setPalette(paleta);
}

}  // namespace

Lib_FrmCons3::Lib_FrmCons3(sesion::Global& global, QWidget* padre)
    : QDialog(padre), global_(global) {
    setWindowTitle(QStringLiteral("Consulta..."));
    setModal(true);
    crearControles();
    resize(twips::aPixeles(7000), twips::aPixeles(6000));
}

Lib_FrmCons3::~Lib_FrmCons3() {
    try {
        descargar();
    } catch (...) {
    }
}

// ---------------------------------------------------------------------------
// Controls and layout

void Lib_FrmCons3::crearControles() {
    CmdNuevo_ = new QPushButton(QStringLiteral("N&uevo"), this);
    CmdNuevo_->setObjectName(QStringLiteral("CmdNuevo"));
    CmdNuevo_->setAutoDefault(false);
    Label1_ = new QLabel(QStringLiteral("CONSULTA"), this);
    Label1_->setObjectName(QStringLiteral("Label1"));
    Label1_->setAlignment(Qt::AlignCenter);
    Label1_->setAutoFillBackground(true);
    Label1_->setFrameShape(QFrame::Panel);
    CmdTodos_ = new QPushButton(QStringLiteral("&Marcar"), this);
    CmdTodos_->setObjectName(QStringLiteral("CmdTodos"));
    CmdTodos_->setAutoDefault(false);

    // The strip is wider than the window when the columns are; the frame
    // around it clips it and the scroll bar moves it sideways.
    marcoFields_ = new QWidget(this);
    marcoFields_->setObjectName(QStringLiteral("marcoFields"));
    picFields_ = new QWidget(marcoFields_);
    picFields_->setObjectName(QStringLiteral("picFields"));
    ListView1_ = new QTreeWidget(picFields_);
    ListView1_->setObjectName(QStringLiteral("ListView1"));
    ListView1_->setRootIsDecorated(false);
    ListView1_->setUniformRowHeights(true);
    ListView1_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1_->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView1_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ListView1_->setAllColumnsShowFocus(true);
    ListView1_->header()->setStretchLastSection(false);
    ListView1_->header()->setSectionsClickable(true);
    ListView1_->header()->setSortIndicatorShown(true);
    ListView1_->setColumnCount(0);
    ListView1_->installEventFilter(this);
    connect(ListView1_->header(), &QHeaderView::sectionClicked, this,
            [this](int columna) { ordenarPorColumna(columna); });
    connect(ListView1_->header(), &QHeaderView::sectionResized, this, [this] {
        // Keep the search boxes over their columns while a column is dragged.
        for (int j = 0; j < ListView1_->columnCount() && j < CmbSearch_.size(); ++j)
            CmbSearch_[j]->setGeometry(ListView1_->x() + ListView1_->frameWidth()
                                           + ListView1_->header()->sectionViewportPosition(j),
                                       0, std::max(0, ListView1_->columnWidth(j) - 3),
                                       twips::aPixeles(AltoBusqueda));
    });
    connect(ListView1_, &QTreeWidget::itemDoubleClicked, this, [this] { aceptar(); });
    crearBusqueda(0);

    HScroll1_ = new QScrollBar(Qt::Horizontal, marcoFields_);
    HScroll1_->setObjectName(QStringLiteral("HScroll1"));
    connect(HScroll1_, &QScrollBar::valueChanged, this,
            [this](int valor) { picFields_->move(-twips::aPixeles(valor), picFields_->y()); });

    Frame1_ = new QFrame(this);
    Frame1_->setObjectName(QStringLiteral("Frame1"));
    const BotonesConsulta botones = BotonesConsulta::crear(Frame1_);
    cmdAceptar_ = botones.aceptar;
    cmdCancelar_ = botones.cancelar;
    CmdNueva_ = botones.nueva;
    for (QPushButton* boton : {cmdAceptar_, cmdCancelar_, CmdNueva_})
        boton->resize(twips::aPixeles(AnchoBoton), twips::aPixeles(AltoBoton));

    connect(cmdAceptar_, &QPushButton::clicked, this, [this] { aceptar(); });
    connect(cmdCancelar_, &QPushButton::clicked, this, [this] { cancelar(); });
    connect(CmdNueva_, &QPushButton::clicked, this, [this] { nuevaBusqueda(); });
    connect(CmdNuevo_, &QPushButton::clicked, this, [this] { nuevoRegistro(); });
    connect(CmdTodos_, &QPushButton::clicked, this, [this] { marcarTodos(); });
}

QComboBox* Lib_FrmCons3::crearBusqueda(int indice) {
    auto* caja = new QComboBox(picFields_);
    caja->setObjectName(QStringLiteral("CmbSearch_%1").arg(indice));
    caja->setEditable(true);
    caja->setInsertPolicy(QComboBox::NoInsert);
    caja->setToolTip(QStringLiteral("F5 realiza nueva busqueda"));
    caja->resize(caja->width(), twips::aPixeles(AltoBusqueda));
    caja->installEventFilter(this);
    colorDeFondo(caja, Qt::white);
    connect(caja, &QComboBox::editTextChanged, this, [this, indice] { busquedaEnLista(indice); });
    connect(caja, &QComboBox::activated, this, [this, indice] { busquedaEnLista(indice); });
    CmbSearch_.append(caja);
    // The boxes follow each other in the tab order, before the list.
    if (indice > 0) setTabOrder(CmbSearch_[indice - 1], caja);
    setTabOrder(caja, ListView1_);
    return caja;
}

QComboBox* Lib_FrmCons3::CmbSearch(int i) const {
    return i >= 0 && i < CmbSearch_.size() ? CmbSearch_[i] : nullptr;
}

void Lib_FrmCons3::resizeEvent(QResizeEvent* evento) {
    QDialog::resizeEvent(evento);
    redistribuir();
}

// The layout rules, in twips over the client area.
void Lib_FrmCons3::redistribuir() {
    const int W = twips::desdePixeles(width());
    const int H = twips::desdePixeles(height());
    const int arriba = AltoBusqueda + 60;  // the title strip's row
    const int altoBarra = AltoBarra;

    CmdNuevo_->setGeometry(0, 0, twips::aPixeles(1200), twips::aPixeles(arriba - 30));
    CmdTodos_->setGeometry(twips::aPixeles(W - 1300), 0, twips::aPixeles(1300), twips::aPixeles(arriba - 30));

    // 1.-2. The strip and the list.
    const int altoMarco = std::max(0, H - altoBarra - arriba);
    const int anchoMarco = std::max(0, W - 120);
    marcoFields_->setGeometry(0, twips::aPixeles(arriba), twips::aPixeles(anchoMarco), twips::aPixeles(altoMarco));
    const int altoScroll = twips::desdePixeles(HScroll1_->sizeHint().height());
    HScroll1_->setGeometry(0, twips::aPixeles(altoMarco - altoScroll), twips::aPixeles(anchoMarco),
                           twips::aPixeles(altoScroll));
    const int anchoTiras = std::max(anchoMarco, twips::desdePixeles(picFields_->width()));
    picFields_->resize(twips::aPixeles(anchoTiras), twips::aPixeles(altoMarco - altoScroll));
    ListView1_->setGeometry(0, twips::aPixeles(AltoBusqueda), std::max(0, picFields_->width() - 1),
                            std::max(0, picFields_->height() - twips::aPixeles(AltoBusqueda)));

    // 3. The button bar.
    const int izquierdaBarra = 0;
    const int anchoBarra = W;
    Frame1_->setGeometry(0, twips::aPixeles(H - altoBarra), twips::aPixeles(anchoBarra), twips::aPixeles(altoBarra));

    // 4.-5. The buttons.
    const int arribaBoton = 60;
    // From the design widths, not the current ones: a narrow window halves
    // them once, however often it is resized.
    int anchoAceptar = AnchoBoton;
    int anchoCancelar = AnchoBoton;
    int izqAceptar = izquierdaBarra + 100;
    int izqCancelar = (anchoBarra - anchoCancelar) / 2;
    int izqNueva = anchoBarra - (anchoCancelar + 150);
    if (CmdNueva_->isHidden()) {
        if (anchoAceptar + anchoCancelar + 400 > anchoBarra) {
            anchoAceptar /= 2;
            anchoCancelar = anchoAceptar;
            izqAceptar = izquierdaBarra + 100;
            izqCancelar = anchoBarra - (anchoCancelar + 150);
            izqNueva = izqCancelar;
        } else {
            izqCancelar = izqNueva;
        }
    }
    cmdAceptar_->setGeometry(twips::aPixeles(izqAceptar), twips::aPixeles(arribaBoton),
                             twips::aPixeles(anchoAceptar), twips::aPixeles(AltoBoton));
    cmdCancelar_->setGeometry(twips::aPixeles(izqCancelar), twips::aPixeles(arribaBoton),
                              twips::aPixeles(anchoCancelar), twips::aPixeles(AltoBoton));
    CmdNueva_->move(twips::aPixeles(izqNueva), twips::aPixeles(arribaBoton));

    // 6. The title strip fills the row beside "N&uevo".
    Label1_->setGeometry(CmdNuevo_->width(), 0,
                         std::max(0, marcoFields_->width() - CmdNuevo_->width() - CmdTodos_->width()),
                         CmdNuevo_->height());
}

// ---------------------------------------------------------------------------
// Helpers

datos::DB_Dll& Lib_FrmCons3::sesionDeDatos() const {
    return UsarUDBC && sesionSecundaria ? *sesionSecundaria : global_.DB;
}

QString Lib_FrmCons3::ajuste(const QString& clave) const {
    return leerAjuste ? leerAjuste(clave) : QString();
}

int Lib_FrmCons3::tratarError(const RuntimeError& error, const QString& rutina) {
    return datos::TratamientoErroresGeneral(global_.DB, error, std::nullopt, rutina);
}

// ---------------------------------------------------------------------------
// Load

// The window opens with the focus where typing searches (the search box
// ColumnaActual, 0 at the start), not on a button: a space typed in a
// two-word search must not press "&Aceptar".
void Lib_FrmCons3::showEvent(QShowEvent* evento) {
    if (!cargada_) cargar();
    QDialog::showEvent(evento);
    if (QComboBox* caja = CmbSearch(ColumnaActual_)) caja->setFocus(Qt::ActiveWindowFocusReason);
}

void Lib_FrmCons3::cargar() {
    cargada_ = true;
    descargada_ = false;
    bool vacia = false;
    const auto tratar = [this](const RuntimeError& error) { return tratarError(error, QStringLiteral("FORM_LOAD")); };
    plataforma::ejecutarPasos(
        {
            [&] { EsArticulos_ = contiene(SQL, QStringLiteral("articulos")); },          // 1.
            [&] { Valores = QStringList(); Cantidades = QStringList(); },               // 2.
            [&] { prepararLista(); },                                                    // 3.
            [&] { vacia = SQL.trimmed().isEmpty(); },                                    // 4.
        },
        tratar);
    if (vacia) return;
    plataforma::ejecutarPasos(
        {
            [&] { tomarSentencia(); },                                                   // 5.-6.
            [&] {                                                                        // 7.
                QString sentencia = SQL;
                sesionDeDatos().AbrirRecordset(sentencia, rs_);
            },
            [&] {},  // 8. the check marks follow CheckBoxes row by row (Leer)
            [&] { Encolumnar(); },                                                       // 9.
            [&] { Leer(); },                                                             // 10.
            [&] {                                                                        // 11.
                if (OrdenarPorLwv) ordenado_ = true;
                if (ordenado_) ListView1_->sortItems(columnaOrden_, ordenOrden_);
            },
            [&] { aplicarFiltroInicial(); },                                             // 12.
            [&] { cerrarRecordset(); },                                                  // 13.
            [&] { LeerAnchos(); CalcularAncho(); },                                      // 14.
        },
        tratar);
}

void Lib_FrmCons3::prepararLista() {
    ListView1_->clear();
    QFont letra = ListView1_->font();
    letra.setBold(true);
    letra.setPointSize(10);
    ListView1_->setFont(letra);
}

// 5.-6. The statement ends with a blank; its table is the first word after
// "from".
void Lib_FrmCons3::tomarSentencia() {
    SQL += u' ';
    const qsizetype desde = SQL.indexOf(QStringLiteral("from"), 0, Qt::CaseInsensitive);
    if (desde >= 0) {
        const qsizetype blanco = SQL.indexOf(u' ', desde + 5);
        TablaConsulta_ = SQL.mid(desde + 4, blanco < 0 ? -1 : blanco - (desde + 4)).trimmed();
    }
    if (SQLOriginal_.isEmpty()) SQLOriginal_ = SQL;
}

void Lib_FrmCons3::aplicarFiltroInicial() {
    if (!FiltroInicial.trimmed().isEmpty()) CmbSearch_[0]->setEditText(FiltroInicial);
}

void Lib_FrmCons3::cerrarRecordset() {
    sesionDeDatos().CierraRecordset(rs_);
    rs_ = ado::Recordset();
}

void Lib_FrmCons3::Encolumnar() {
    try {
        ListView1_->setColumnCount(0);                                               // 1.
        ListView1_->setHeaderLabels({});
        const bool articulos = contiene(SQL, QStringLiteral("V_MA_ARTICULOS"))
                               || contiene(SQL, QStringLiteral("STK_MA_ARTICULOS"));
        const long campos = rs_.FieldCount();
        QStringList titulos;
        QVector<int> anchos;
        for (long i = 0; i < campos; ++i) {                                          // 2.
            ado::Field& campo = rs_.Fields(i);
            long k = campo.DefinedSize();                                            // 2.1
            if (campo.Type() == 6 || campo.Type() == 131) k = 12;
            QComboBox* caja = CmbSearch(static_cast<int>(i));                        // 2.2
            if (!caja) caja = crearBusqueda(static_cast<int>(i));
            caja->setProperty("tag", campo.Name());                                  // 2.3
            caja->setVisible(true);
            if (k >= 60) k = 60;                                                     // 2.4
            QString titulo = campo.Name();                                           // 2.5
            if (articulos) {
                static const QRegularExpression precio(QStringLiteral("^PRECIO([1-8])$"),
                                                       QRegularExpression::CaseInsensitiveOption);
                const auto hallado = precio.match(campo.Name());
                if (hallado.hasMatch()) titulo = ajuste(QStringLiteral("NOM_PCLASE") + hallado.captured(1));
            } else if (ValoresDefault == QStringLiteral("@10")) {
                k += 10;
            }
            titulos << titulo;                                                       // 2.6
            anchos << fontMetrics().horizontalAdvance(QString(static_cast<int>(std::max(0L, k)), u'X'));
        }
        // Boxes of an earlier, wider statement are not needed any more.
        for (int i = static_cast<int>(campos); i < CmbSearch_.size(); ++i)
            if (i > 0) CmbSearch_[i]->setVisible(false);
        ListView1_->setColumnCount(static_cast<int>(titulos.size()));
        ListView1_->setHeaderLabels(titulos);
        for (int j = 0; j < anchos.size(); ++j) ListView1_->setColumnWidth(j, anchos[j]);
    } catch (const RuntimeError& error) {
        global_.dialogos.mensaje(error.Description(), plataforma::estilo::SoloAceptar, QString());
    }
}

void Lib_FrmCons3::Leer(long, long) {
    if (rs_.BOF()) return;                                                           // 1.
    while (!rs_.EOF_()) {                                                            // 2.
        const bool seguir = plataforma::ejecutarPaso(
            [&] {
                agregarFila();
                rs_.MoveNext();                                                      // 2.6
            },
            [this](const RuntimeError& error) {
                const int respuesta = tratarError(error, QStringLiteral("FORM_LOAD"));
                if (respuesta == plataforma::SeguirConElSiguiente) rs_.MoveNext();
                return respuesta;
            });
        if (!seguir) return;
    }
}

void Lib_FrmCons3::agregarFila() {
    // Every value is read before the row is added, so that a step repeated
    // after an error never leaves half a row behind.
    const QString color = EsArticulos_ ? colorStock() : QString();                  // 2.1
    const utilidades::Utilidades& util = global_.gUtilidades;
    QStringList celdas{util.valor(rs_.Fields(0L)).trimmed()};                        // 2.2
    bool marcada = false;
    if (CheckBoxes)                                                                  // 2.3
        marcada = ValoresDefault.contains(util.valor(rs_.Fields(CampoDevuelto)).trimmed(), Qt::CaseInsensitive);
    for (long i = 1; i < rs_.FieldCount(); ++i) celdas << util.valor(rs_.Fields(i));  // 2.4

    auto* fila = new QTreeWidgetItem(ListView1_, celdas);
    // The list control selects the first row added, so Enter right after a
    // load (or after F5 narrowed the rows) accepts the row the user sees.
    if (ListView1_->topLevelItemCount() == 1) ListView1_->setCurrentItem(fila);
    if (CheckBoxes) fila->setCheckState(0, marcada ? Qt::Checked : Qt::Unchecked);
    if (MuestraStock.compare(QStringLiteral("SI"), Qt::CaseInsensitive) == 0 && EsArticulos_
        && !color.isEmpty())                                                         // 2.5
        pintarFila(fila, color);
}

// The colour of an article row's stock level; empty when the statement has
// no reorder point or stock, or the level has no colour set.
QString Lib_FrmCons3::colorStock() const {
    ado::Recordset& rs = const_cast<ado::Recordset&>(rs_);
    ado::Importe p, s;
    try {
        p = rs.Fields(QStringLiteral("PUNTOPEDIDO")).Value().aImporte();
        s = rs.Fields(QStringLiteral("Stock")).Value().aImporte();
    } catch (const RuntimeError& error) {
        if (error.Number() == plataforma::numero::ElementoNoEncontrado) return {};
        throw;
    }
    const ado::Importe cero;
    std::optional<long> nivel = StkNivel4;
    if (p == cero && s > cero) nivel = StkNivel1;
    else if (p > cero && s > p) nivel = StkNivel2;
    else if (p > cero && s < p) nivel = StkNivel3;
    return nivel ? QString::number(*nivel) : QString();
}

void Lib_FrmCons3::pintarFila(QTreeWidgetItem* fila, const QString& color) {
    QFont letra = ListView1_->font();
    letra.setBold(true);
    const QColor c = colorDeValor(color.toLong());
    for (int i = 0; i < ListView1_->columnCount(); ++i) {
        fila->setForeground(i, c);
        fila->setFont(i, letra);
    }
}

void Lib_FrmCons3::LeerAnchos() {
    const ArchivoAnchos archivo(global_.gUtilidades.carpeta(plataforma::carpetaAplicacion()));
    QString tabla = TablaConsulta_;
    if (tabla.compare(QStringLiteral("Stk_ma_articulos"), Qt::CaseInsensitive) == 0)
        tabla = QStringLiteral("VT_MA_ARTICULOS");
    for (const QVector<double>& anchos : archivo.leer(tabla)) {
        for (int j = 0; j < ListView1_->columnCount() && j < anchos.size(); ++j) {
            const int px = twips::aPixeles(anchoAdmitido(anchos[j]));
            ListView1_->setColumnWidth(j, px);
            if (QComboBox* caja = CmbSearch(j))
                caja->setGeometry(ListView1_->header()->sectionPosition(j), 0, px, caja->height());
        }
    }
}

void Lib_FrmCons3::CalcularAncho() {
    double T = 0;                                                                    // 1.
    const int izquierdaLista = ListView1_->x() + ListView1_->frameWidth();
    for (int j = 0; j < ListView1_->columnCount(); ++j) {
        int ancho = twips::desdePixeles(ListView1_->columnWidth(j));
        if (ancho < AnchoMinimoColumna) {
            ancho = static_cast<int>(AnchoMinimoColumna);
            ListView1_->setColumnWidth(j, twips::aPixeles(ancho));
        }
        if (QComboBox* caja = CmbSearch(j)) {
            caja->setGeometry(izquierdaLista + ListView1_->header()->sectionPosition(j), 0,
                              twips::aPixeles(ancho - 50), twips::aPixeles(AltoBusqueda));
        }
        T += ancho;
    }
    const int anchoLista = static_cast<int>(T) + 360;                                 // 2.
    const int anchoTira = static_cast<int>(std::lround(T)) + 360;
    picFields_->resize(twips::aPixeles(anchoTira), picFields_->height());
    ListView1_->resize(twips::aPixeles(anchoLista), ListView1_->height());
    HScroll1_->setMaximum(anchoTira > 32700 ? 32700                                  // 3.
                                            : static_cast<int>(std::lround((anchoTira + 480) * 0.6)));
    HScroll1_->setSingleStep(150);
    HScroll1_->setPageStep(1500);
    const int pantalla = twips::desdePixeles(screen() ? screen()->availableGeometry().width() : 1024);
    const int anchoVentana = anchoLista + 360 >= pantalla ? pantalla - 480 : anchoLista + 280;  // 4.
    resize(twips::aPixeles(anchoVentana), height());
    redistribuir();
}

// ---------------------------------------------------------------------------
// Searching

int Lib_FrmCons3::Busqueda(int Clave, const QString& QueValor) {
    const QString buscado = QueValor.trimmed();
    for (int r = 0; r < ListView1_->topLevelItemCount(); ++r) {
        const QTreeWidgetItem* fila = ListView1_->topLevelItem(r);
        const QString celda = fila->text(Clave < 1 ? 0 : Clave).trimmed();
        if (celda.left(buscado.size()).compare(buscado, Qt::CaseInsensitive) == 0) return r + 1;
    }
    return 0;
}

int Lib_FrmCons3::IndiceColumna(const QString& Columna) const {
    const QTreeWidgetItem* titulos = ListView1_->headerItem();
    for (int j = 0; j < ListView1_->columnCount(); ++j)
        if (titulos->text(j).trimmed().compare(Columna.trimmed(), Qt::CaseInsensitive) == 0) return j + 1;
    return 0;
}

void Lib_FrmCons3::busquedaEnLista(int indice) {
    QComboBox* caja = CmbSearch(indice);
    if (!caja || indice >= std::max(1, ListView1_->columnCount())) return;
    const int fila = Busqueda(indice, caja->currentText().trimmed());
    if (fila > 0) {
        QTreeWidgetItem* item = ListView1_->topLevelItem(fila - 1);
        ListView1_->setCurrentItem(item);
        ListView1_->scrollToItem(item);
    }
}

void Lib_FrmCons3::buscarEnBase(int indice) {
    QComboBox* caja = CmbSearch(indice);
    if (!caja) return;
    plataforma::ejecutarSaltandoErrores({
        [&] {                                                                        // 1.-6.
            QString texto = caja->currentText();
            BusquedaEnBase::Coincidencia coincidencia = BusquedaEnBase::Coincidencia::PalabrasEnOrden;
            if (!CfgUsaConsultaLIKE) {
                // "*" is the user's wildcard; the box shows it as the server reads it.
                texto = global_.gUtilidades.reemplazar(texto, QStringLiteral("*"), QStringLiteral("%"));
                const QSignalBlocker sinBusqueda(caja);
                caja->setEditText(texto);
                coincidencia = BusquedaEnBase::Coincidencia::EmpiezaCon;
            }
            SQL = BusquedaEnBase::agregarCondicion(SQL, caja->property("tag").toString(), texto, coincidencia)
                      .SQL;
        },
        [&] {                                                                        // 7.
            caja->setEditText(QString());
            cargar();
        },
    });
}

void Lib_FrmCons3::ordenarPorColumna(int columna) {
    plataforma::ejecutarSaltandoErrores({[&] {
        ordenado_ = true;
        columnaOrden_ = columna;
        ordenOrden_ = ordenOrden_ == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
        ListView1_->sortItems(columnaOrden_, ordenOrden_);
    }});
}

// ---------------------------------------------------------------------------
// Keys

bool Lib_FrmCons3::eventFilter(QObject* objeto, QEvent* evento) {
    const int indice = CmbSearch_.indexOf(qobject_cast<QComboBox*>(objeto));
    if (indice >= 0) {
        if (evento->type() == QEvent::FocusIn) {
            ColumnaActual_ = indice;
            colorDeFondo(CmbSearch_[indice], QColor(0, 255, 255));
        } else if (evento->type() == QEvent::FocusOut) {
            colorDeFondo(CmbSearch_[indice], Qt::white);
        } else if (evento->type() == QEvent::KeyPress) {
            return teclaDeBusqueda(indice, static_cast<QKeyEvent*>(evento));
        }
    } else if (objeto == ListView1_ && evento->type() == QEvent::KeyPress) {
        return teclaDeLista(static_cast<QKeyEvent*>(evento));
    }
    return QDialog::eventFilter(objeto, evento);
}

void Lib_FrmCons3::keyPressEvent(QKeyEvent* evento) {
    switch (evento->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: aceptar(); return;
    case Qt::Key_Escape: cancelar(); return;
    case Qt::Key_F12:
        if (EsArticulos_) {
            informarFaltante();
            return;
        }
        break;
    default: break;
    }
    QDialog::keyPressEvent(evento);
}

bool Lib_FrmCons3::teclaDeBusqueda(int indice, QKeyEvent* evento) {
    switch (evento->key()) {
    case Qt::Key_F5: buscarEnBase(indice); return true;
    case Qt::Key_Return:
    case Qt::Key_Enter: aceptar(); return true;
    case Qt::Key_Escape: cancelar(); return true;
    case Qt::Key_F12:
        if (!EsArticulos_) return false;
        informarFaltante();
        return true;
    case Qt::Key_Down:
    case Qt::Key_Up:
    case Qt::Key_PageDown:
    case Qt::Key_PageUp: {
        // The list's key handling has nothing to do for these; the list
        // then moves its selection itself.
        ListView1_->setFocus(Qt::OtherFocusReason);
        QKeyEvent copia(QEvent::KeyPress, evento->key(), Qt::NoModifier);
        QApplication::sendEvent(ListView1_, &copia);
        return true;
    }
    default: return false;
    }
}

bool Lib_FrmCons3::teclaDeLista(QKeyEvent* evento) {
    const int tecla = evento->key();
    const bool shift = evento->modifiers() & Qt::ShiftModifier;
    bool consumida = false;
    plataforma::ejecutarPaso(
        [&] {
            if (tecla == Qt::Key_Space && CheckBoxes) return;                        // 1.
            if (tecla == Qt::Key_Return || tecla == Qt::Key_Enter) {                 // 2.
                consumida = true;
                aceptar();
            } else if (tecla == Qt::Key_Insert && shift && UsaCantidades) {          // 3.
                consumida = true;
                pedirCantidad();
            } else if (tecla == Qt::Key_Insert && !shift && UsaCantidades) {         // 4.
                consumida = true;
                sumarCantidad(1);
            } else if (tecla == Qt::Key_Delete && !shift && UsaCantidades) {         // 5.
                consumida = true;
                sumarCantidad(-1);
            } else if (tecla == Qt::Key_Backspace) {                                 // 6.
                consumida = true;
                escribirEnBusqueda(QString(), true);
            } else if (evento->modifiers() & Qt::KeypadModifier && tecla >= Qt::Key_0 && tecla <= Qt::Key_9) {
                consumida = true;
                escribirEnBusqueda(QString(QChar(tecla)), false);
            } else if ((tecla >= 47 && tecla <= 93) || tecla == Qt::Key_Space) {
                consumida = true;
                escribirEnBusqueda(QString(QChar(tecla)), false);
            }
        },
        [this](const RuntimeError& error) { return tratarError(error, QStringLiteral("ListView1_KeyDown")); });
    return consumida;
}

void Lib_FrmCons3::escribirEnBusqueda(const QString& texto, bool borrarUltimo) {
    QComboBox* caja = CmbSearch(ColumnaActual_);
    if (!caja) return;
    QString actual = caja->currentText();
    if (borrarUltimo) actual.chop(1);
    else actual += texto;
    caja->setEditText(actual);
    caja->setFocus(Qt::OtherFocusReason);
}

int Lib_FrmCons3::columnaCantidad() const {
    const int q = IndiceColumna(TituloCantidad) - 1;
    if (q < 0 || !ListView1_->currentItem())
        throw RuntimeError(ErrorIndice, QStringLiteral("Índice fuera de los límites"), QStringLiteral("ListView1"));
    return q;
}

void Lib_FrmCons3::pedirCantidad() {
    const int q = columnaCantidad();
    QTreeWidgetItem* fila = ListView1_->currentItem();
    const QString respuesta = global_.dialogos.entrada(QStringLiteral("Ingrese la Cantidad del Articulo..."),
                                                       QStringLiteral("Carga de Datos"), fila->text(q));
    // An answer of 0, no answer or a cancelled box leaves the row as it was.
    const double cantidad = global_.gUtilidades.importe(respuesta).aDouble();
    if (cantidad == 0) return;
    fila->setText(q, textoCantidad(cantidad, 2));
    fila->setCheckState(0, Qt::Checked);
}

void Lib_FrmCons3::sumarCantidad(double cuanto) {
    const int q = columnaCantidad();
    QTreeWidgetItem* fila = ListView1_->currentItem();
    const double cantidad = global_.gUtilidades.importe(fila->text(q)).aDouble() + cuanto;
    fila->setText(q, textoCantidad(cantidad, 1));
    if (cuanto > 0) {
        fila->setCheckState(0, Qt::Checked);
    } else if (cantidad <= 0) {
        fila->setCheckState(0, Qt::Unchecked);
        fila->setText(q, QStringLiteral("0.00"));
    }
}

// ---------------------------------------------------------------------------
// Commands

QString Lib_FrmCons3::valorDeColumna(QTreeWidgetItem* fila, const QString& columna, const QString& previo) const {
    const int n = IndiceColumna(columna);
    if (n == 1) return fila->text(0);
    if (n > 1) return fila->text(n - 1);
    return previo;
}

void Lib_FrmCons3::aceptar() {
    QString v;
    const bool terminado = plataforma::ejecutarPasos(
        {
            [&] {
                if (!CheckBoxes) return;                                             // 1.
                if (CampoDevuelto.isEmpty() && ListView1_->columnCount() > 0)
                    CampoDevuelto = ListView1_->headerItem()->text(0);
                if (!Valores) Valores = QStringList();
                for (int r = 0; r < ListView1_->topLevelItemCount(); ++r) {
                    QTreeWidgetItem* fila = ListView1_->topLevelItem(r);
                    if (fila->checkState(0) != Qt::Checked) continue;
                    v = valorDeColumna(fila, CampoDevuelto, v);
                    Valores->append(v);
                }
            },
            [&] {
                QTreeWidgetItem* fila = ListView1_->currentItem();
                if (CheckBoxes || !fila) return;                                     // 2.
                if (CmpsDevueltos) {                                                 // 3.
                    if (!Valores) Valores = QStringList();
                    for (const QString& columna : *CmpsDevueltos) {
                        v = valorDeColumna(fila, columna, v);
                        Valores->append(v);
                    }
                }
                if (!CampoDevuelto.trimmed().isEmpty()) v = valorDeColumna(fila, CampoDevuelto, v);
                ValorDevuelto = v;
            },
        },
        [this](const RuntimeError& error) { return tratarError(error, QStringLiteral("cmdAceptar_Click")); });
    if (terminado) done(QDialog::Accepted);                                          // 4.
}

void Lib_FrmCons3::cancelar() {
    plataforma::ejecutarSaltandoErrores({
        [&] { ValorDevuelto.clear(); },
        [&] { CmpsDevueltos.reset(); },
        [&] { Valores.reset(); },
        [&] { done(QDialog::Rejected); },
    });
}

void Lib_FrmCons3::nuevaBusqueda() {
    plataforma::ejecutarSaltandoErrores({
        [&] { SQL = SQLOriginal_; },
        [&] { cargar(); },
        [&] { CmbSearch_[0]->setFocus(Qt::OtherFocusReason); },
    });
}

void Lib_FrmCons3::nuevoRegistro() {
    const QString tabla = TablaConsulta_.trimmed();
    const auto es = [&](std::initializer_list<const char*> nombres) {
        for (const char* nombre : nombres)
            if (tabla.compare(QLatin1String(nombre), Qt::CaseInsensitive) == 0) return true;
        return false;
    };
    QString destino = QStringLiteral("SHELL:V_TA_TABLAS");
    QString parametro = tabla;
    if (es({"V_TA_RUBROS", "V_TA_UNIDAD"})) {
    } else if (es({"VT_CLIENTES"})) {
        destino = QStringLiteral("SHELL:V_MA_CLIENTES");
        parametro = QStringLiteral("1");
    } else if (es({"VT_PROVEEDORES"})) {
        destino = QStringLiteral("SHELL:V_MA_CLIENTES");
        parametro = QStringLiteral("0");
    } else if (es({"V_TA_Tecnicos"})) {
        destino = QStringLiteral("SHELL:V_TA_Tecnicos");
        parametro.clear();
    } else if (es({"V_TA_VENDEDORES"})) {
        destino = QStringLiteral("SHELL:V_TA_VENDEDORES");
        parametro.clear();
    } else if (es({"V_MA_ARTICULOS", "VT_MA_ARTICULOS"})) {
        destino = QStringLiteral("SHELL:V_MA_ARTICULOS");
        parametro.clear();
    }
    plataforma::ejecutarSaltandoErrores({[&] {
        if (lanzador) lanzador(destino, parametro, 0);
    }});
}

void Lib_FrmCons3::marcarTodos() {
    // A list without check boxes shows none, whatever the button does.
    if (!CheckBoxes) return;
    for (int r = 0; r < ListView1_->topLevelItemCount(); ++r) {
        QTreeWidgetItem* fila = ListView1_->topLevelItem(r);
        fila->setFlags(fila->flags() | Qt::ItemIsUserCheckable);
        fila->setCheckState(0, fila->checkState(0) == Qt::Checked ? Qt::Unchecked : Qt::Checked);
    }
}

void Lib_FrmCons3::informarFaltante() {
    QTreeWidgetItem* fila = ListView1_->currentItem();
    const QString id = fila ? valorDeColumna(fila, QStringLiteral("idarticulo"), QString()) : QString();
    const QString d = fila ? valorDeColumna(fila, QStringLiteral("Descripcion"), QString()) : QString();
    const int respuesta = global_.dialogos.mensaje(
        QStringLiteral("Desea informar el articulo ") + id.trimmed() + u' ' + d.trimmed() + QStringLiteral("\r\n")
            + QStringLiteral("como un faltante de stock?"),
        plataforma::estilo::Pregunta | plataforma::estilo::SiNo, QStringLiteral("Atención!"));
    if (respuesta != plataforma::respuesta::Si) return;
    const QString sentencia =
        QStringLiteral("INSERT INTO V_MV_FALTANTES (FechaHora,IdArticulo,Descripcion,Usuario) values('")
        + datos::comillasSql(ado::FormatoRegional::textoFechaHora(QDateTime::currentDateTime()))
        + QStringLiteral("','") + datos::comillasSql(global_.gUtilidades.codigo(id, 25))
        + QStringLiteral("','") + datos::comillasSql(d.trimmed()) + QStringLiteral("','")
        + datos::comillasSql(global_.DB.gUsuario) + QStringLiteral("')");
    global_.DB.EjecutaConsultaSQL(sentencia);
}

// ---------------------------------------------------------------------------
// Closing

void Lib_FrmCons3::closeEvent(QCloseEvent* evento) {
    descargar();
    QDialog::closeEvent(evento);
}

void Lib_FrmCons3::descargar() {
    if (descargada_) return;
    descargada_ = true;
    try {
        UsarUDBC = false;
        GrabarAnchos();
        ListView1_->clear();
    } catch (const RuntimeError& error) {
        global_.dialogos.mensaje(error.Description(), plataforma::estilo::Critico,
                                 QStringLiteral("Aviso al Operador"));
    }
}

void Lib_FrmCons3::GrabarAnchos() {
    if (!GrabarCfg || TablaConsulta_.isEmpty()) return;
    QVector<double> anchos;
    for (int j = 0; j < ListView1_->columnCount(); ++j)
        anchos << twips::desdePixeles(ListView1_->columnWidth(j));
    const ArchivoAnchos archivo(global_.gUtilidades.carpeta(plataforma::carpetaAplicacion()));
    if (!archivo.grabar(TablaConsulta_, anchos))
        throw RuntimeError(75, QStringLiteral("Error de acceso a la ruta o el archivo: ") + archivo.ruta(),
                           QStringLiteral("GrabarAnchos"));
}

}  // namespace consultas
