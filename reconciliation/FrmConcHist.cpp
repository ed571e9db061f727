#include "reconciliation/FrmConcHist.h"

#include "data/DB_Dll.h"
#include "data/LiteralesSql.h"
#include "platform/ado/Recordset.h"
#include "platform/ui/Twips.h"
#include "reconciliation/BotonConDibujo.h"
#include "reconciliation/DibujosBotones.h"
#include "session/Global.h"

#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QTableWidget>
#include <cmath>

namespace twips = plataforma::twips;

namespace conciliacion {

namespace {

// The client area the dialog was designed with, in twips.
constexpr int AnchoDiseno = 8070;
constexpr int AltoDiseno = 5040;
// Room left in the last column for the vertical scroll bar.
constexpr int AnchoBarraVertical = 300;
constexpr int AnchoIdentificador = 15;

// The log's columns, as the statement names them.
const QStringList ColumnasHistorial{QStringLiteral("FECHA"), QStringLiteral("USUARIO"),
                                    QStringLiteral("MOTIVO"), QStringLiteral("ESTADO")};

QLabel* etiquetaNegrita(QWidget* padre, const QString& nombre, int izquierda, int arriba) {
    auto* e = new QLabel(padre);
    e->setObjectName(nombre);
    QFont letra = e->font();
    letra.setBold(true);
    e->setFont(letra);
    e->setGeometry(twips::rectangulo(izquierda, arriba, 4575, 315));
    return e;
}

void linea(QWidget* padre, const QString& nombre, int arriba) {
    auto* l = new QFrame(padre);
    l->setObjectName(nombre);
    l->setFrameShape(QFrame::HLine);
    l->setFrameShadow(QFrame::Sunken);
    l->setGeometry(twips::rectangulo(105, arriba, 4575, 30));
}

// A sheet of squared paper with a green heading row and an arrow leaving it.
QIcon dibujoExportar() {
    QPixmap lienzo(DibujosBotones::Lado, DibujosBotones::Lado);
    lienzo.fill(Qt::transparent);
    QPainter p(&lienzo);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x55, 0x55, 0x55), 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(3.5, 5.5, 20, 23));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x21, 0x7A, 0x46));
    p.drawRect(QRectF(4, 6, 19, 5));
    p.setPen(QPen(QColor(0x21, 0x7A, 0x46), 1));
    for (double y = 15.5; y < 28; y += 4.5) p.drawLine(QPointF(4, y), QPointF(23, y));
    for (double x = 10.5; x < 23; x += 6.5) p.drawLine(QPointF(x, 11), QPointF(x, 28));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x1F, 0x6F, 0xC5));
    p.drawPolygon(QPolygonF({QPointF(18, 16), QPointF(24, 16), QPointF(24, 12), QPointF(31, 19),
                             QPointF(24, 26), QPointF(24, 22), QPointF(18, 22)}));
    p.end();
    return QIcon(lienzo);
}

QToolButton* boton(QWidget* padre, const QString& nombre, const QString& titulo, const QIcon& dibujo,
                   int izquierda) {
    auto* b = new BotonConDibujo(padre);
    b->setObjectName(nombre);
    b->setText(titulo);
    b->setIcon(dibujo);
    b->setIconSize(QSize(DibujosBotones::Lado, DibujosBotones::Lado));
    b->setGeometry(twips::rectangulo(izquierda, 0, 1365, 1110));
    return b;
}

}  // namespace

FrmConcHist::FrmConcHist(sesion::Global& global, plataforma::Dialogos& dialogos, QWidget* padre)
    : QDialog(padre), global_(global), exportador_(global.gUtilidades, dialogos) {
    setObjectName(QStringLiteral("FrmConcHist"));
    setWindowTitle(QStringLiteral("Historial de Acciones"));
    // The design sizes assume the suite's 8-point dialog font.
    QFont letra = font();
    letra.setPointSize(8);
    setFont(letra);
    crearControles();
    setFixedSize(twips::aPixeles(AnchoDiseno), twips::aPixeles(AltoDiseno));
}

FrmConcHist::~FrmConcHist() = default;

void FrmConcHist::crearControles() {
    lblConc_ = etiquetaNegrita(this, QStringLiteral("lblConc"), 100, 60);
    lblCuenta_ = etiquetaNegrita(this, QStringLiteral("lblCuenta"), 105, 435);
    lblDesc_ = etiquetaNegrita(this, QStringLiteral("lblDesc"), 105, 780);
    linea(this, QStringLiteral("Line1"), 390);
    linea(this, QStringLiteral("Line2"), 750);
    linea(this, QStringLiteral("Line3"), 1095);

    cmdExportar_ = boton(this, QStringLiteral("cmdExportar"), QStringLiteral("Exportar"), dibujoExportar(), 5355);
    cmdSalir_ = boton(this, QStringLiteral("cmdSalir"), QStringLiteral("[Esc] Salir"), DibujosBotones::salir(), 6705);
    connect(cmdExportar_, &QToolButton::clicked, this, &FrmConcHist::exportar);
    connect(cmdSalir_, &QToolButton::clicked, this, &FrmConcHist::salir);

    MSHFlexGrid1_ = new QTableWidget(this);
    MSHFlexGrid1_->setObjectName(QStringLiteral("MSHFlexGrid1"));
    MSHFlexGrid1_->setGeometry(twips::rectangulo(15, 1125, 8040, 3900));
    MSHFlexGrid1_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    MSHFlexGrid1_->verticalHeader()->hide();  // no fixed column
    MSHFlexGrid1_->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    MSHFlexGrid1_->setWordWrap(false);
}

void FrmConcHist::showEvent(QShowEvent* evento) {
    if (!cargado_) CargarHistorial();
    QDialog::showEvent(evento);
}

// ---- Load -------------------------------------------------------------------

void FrmConcHist::CargarHistorial() {
    cargado_ = true;
    mostrarEncabezado();                                                           // 1.
    ado::Recordset rs;
    global_.DB.AbrirRecordset(sentenciaHistorial(), rs, {}, ado::cursor::ForwardOnly,  // 2.
                              ado::bloqueo::ReadOnly);
    enlazarGrilla(rs);                                                             // 3.
    ajustarColumnas();                                                             // 4.
    if (rs.State() == ado::estado::Abierto) global_.DB.CierraRecordset(rs);
}

void FrmConcHist::mostrarEncabezado() {
    lblConc_->setText(QStringLiteral("Conciliación Nro.: ") + IdConc.trimmed());
    lblCuenta_->setText(QStringLiteral("Cuenta: ") + Cuenta);
    lblDesc_->setText(QStringLiteral("Descripción: ") + DescCuenta);
}

QString FrmConcHist::sentenciaHistorial() const {
    const QString id = global_.gUtilidades.codigo(IdConc, AnchoIdentificador);
    return QStringLiteral("SELECT FECHA,USUARIO,MOTIVO, CASE WHEN ESTADO=1 THEN 'ABIERTA' ELSE 'FINALIZADA' END "
                          "AS ESTADO FROM MV_CONCILIACION_OPEN WHERE IDCONCILIACION='") +
           datos::comillasSql(id) + QStringLiteral("' ORDER BY ID");
}

// The grid takes the result's columns, named as the result names them, and
// its rows. A query that failed has already been reported by the session and
// leaves no result: the grid keeps the log's headings with no rows.
void FrmConcHist::enlazarGrilla(ado::Recordset& rs) {
    MSHFlexGrid1_->clear();
    MSHFlexGrid1_->setRowCount(0);
    if (rs.State() != ado::estado::Abierto) {
        MSHFlexGrid1_->setColumnCount(int(ColumnasHistorial.size()));
        MSHFlexGrid1_->setHorizontalHeaderLabels(ColumnasHistorial);
        return;
    }
    QStringList encabezados;
    for (long i = 0; i < rs.FieldCount(); ++i) encabezados << rs.Fields(i).Name();
    MSHFlexGrid1_->setColumnCount(int(encabezados.size()));
    MSHFlexGrid1_->setHorizontalHeaderLabels(encabezados);
    for (; !rs.EOF_(); rs.MoveNext()) {
        const int fila = MSHFlexGrid1_->rowCount();
        MSHFlexGrid1_->insertRow(fila);
        for (long i = 0; i < rs.FieldCount(); ++i)
            MSHFlexGrid1_->setItem(fila, int(i), new QTableWidgetItem(global_.gUtilidades.valor(rs.Fields(i))));
    }
}

// Three columns take a quarter of the grid each; the last one leaves room
// for the vertical scroll bar.
void FrmConcHist::ajustarColumnas() {
    const int ancho = twips::desdePixeles(MSHFlexGrid1_->width());
    const int cuarto = static_cast<int>(std::lround(ancho / 4.0));
    for (int columna = 0; columna < MSHFlexGrid1_->columnCount(); ++columna) {
        const int twipsColumna = columna < 3 ? cuarto : cuarto - AnchoBarraVertical;
        MSHFlexGrid1_->setColumnWidth(columna, twips::aPixeles(twipsColumna));
    }
}

// ---- Commands ---------------------------------------------------------------

void FrmConcHist::exportar() {
    exportador_.ExportarGrillaExcel(*MSHFlexGrid1_, true, QString(), QString(), -1, -1, -1);
}

void FrmConcHist::salir() { hide(); }

}  // namespace conciliacion
