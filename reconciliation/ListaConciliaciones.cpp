#include "reconciliation/ListaConciliaciones.h"

#include "platform/ui/Twips.h"
#include "reconciliation/ImagenesEstado.h"

#include <QHeaderView>
#include <QStyledItemDelegate>
#include <array>

namespace twips = plataforma::twips;

namespace conciliacion {

namespace {

constexpr int RolClave = Qt::UserRole;
constexpr int RolClaveIcono = Qt::UserRole + 1;

struct Columna {
    const char* encabezado;
    int anchoTwips;
};

constexpr std::array<Columna, ListaConciliaciones::Columnas> columnas{{
    {"", 500},
    {"Conc. Nro", 1000},
    {"Cuenta", 1200},
    {"Descripción", 2500},
    {"Fecha", 1200},
    {"Comentario", 1500},
    {"Periodo1", 2000},
    {"Periodo2", 2000},
    {"Tipo", 1000},
    {"Estado", 1000},
}};

// Rows compare by the text of the sort column alone, ignoring letter case.
class Fila : public QTreeWidgetItem {
public:
    using QTreeWidgetItem::QTreeWidgetItem;

    bool operator<(const QTreeWidgetItem& otra) const override {
        const int columna = treeWidget() ? treeWidget()->sortColumn() : 0;
        return text(columna).compare(otra.text(columna), Qt::CaseInsensitive) < 0;
    }
};

// Identifiers are kept in their right-aligned code form (leading blanks), which
// is also what the column sorts by; on screen they show without the blanks.
class IdentificadorSinBlancos : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* opcion, const QModelIndex& indice) const override {
        QStyledItemDelegate::initStyleOption(opcion, indice);
        opcion->text = opcion->text.trimmed();
    }
};

}  // namespace

ListaConciliaciones::ListaConciliaciones(QWidget* padre) : QTreeWidget(padre) {
    setObjectName(QStringLiteral("Lvw"));
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setIconSize(QSize(ImagenesEstado::Lado, ImagenesEstado::Lado));
    setSortingEnabled(false);
    header()->setSectionsClickable(true);
    header()->setSortIndicatorShown(false);
    header()->setStretchLastSection(false);
    setItemDelegateForColumn(1, new IdentificadorSinBlancos(this));
    connect(header(), &QHeaderView::sectionClicked, this, &ListaConciliaciones::ordenarPorColumna);
    prepararColumnas();
}

ListaConciliaciones::~ListaConciliaciones() { qDeleteAll(agregadas_); }

void ListaConciliaciones::prepararColumnas() {
    qDeleteAll(agregadas_);
    agregadas_.clear();
    clear();
    primeraAgregada_ = nullptr;
    setColumnCount(0);
    setColumnCount(Columnas);
    QStringList encabezados;
    for (const Columna& c : columnas) encabezados << QString::fromUtf8(c.encabezado);
    setHeaderLabels(encabezados);
    for (int i = 0; i < Columnas; ++i) setColumnWidth(i, twips::aPixeles(columnas[i].anchoTwips));
}

QTreeWidgetItem* ListaConciliaciones::agregarFila(const QString& clave) {
    auto* fila = new Fila();
    fila->setData(0, RolClave, clave);
    if (!primeraAgregada_) primeraAgregada_ = fila;
    agregadas_.append(fila);
    return fila;
}

void ListaConciliaciones::mostrarAgregadas() {
    if (agregadas_.isEmpty()) return;
    addTopLevelItems(agregadas_);
    agregadas_.clear();
}

void ListaConciliaciones::ponerCelda(QTreeWidgetItem* fila, int posicion, const QString& texto) {
    fila->setText(posicion, texto);
}

void ListaConciliaciones::ponerIcono(QTreeWidgetItem* fila, const QString& claveIcono) {
    auto icono = iconos_.find(claveIcono);
    if (icono == iconos_.end()) icono = iconos_.insert(claveIcono, ImagenesEstado::icono(claveIcono));
    fila->setData(0, RolClaveIcono, claveIcono);
    fila->setIcon(0, *icono);
}

QString ListaConciliaciones::claveDe(const QTreeWidgetItem* fila) {
    return fila ? fila->data(0, RolClave).toString() : QString();
}

QString ListaConciliaciones::claveIconoDe(const QTreeWidgetItem* fila) {
    return fila ? fila->data(0, RolClaveIcono).toString() : QString();
}

void ListaConciliaciones::terminarCarga() {
    mostrarAgregadas();
    aplicarOrden();
    if (primeraAgregada_) setCurrentItem(primeraAgregada_);
}

void ListaConciliaciones::quitarFila(QTreeWidgetItem* fila) {
    if (!fila) return;
    if (fila == primeraAgregada_) primeraAgregada_ = nullptr;
    delete fila;
}

QTreeWidgetItem* ListaConciliaciones::filaSeleccionada() const {
    const QList<QTreeWidgetItem*> elegidas = selectedItems();
    return elegidas.isEmpty() ? nullptr : elegidas.first();
}

QString ListaConciliaciones::celda(int posicion) const {
    const QTreeWidgetItem* fila = filaSeleccionada();
    return fila ? fila->text(posicion) : QString();
}

QString ListaConciliaciones::iconKey() const { return claveIconoDe(filaSeleccionada()); }

QString ListaConciliaciones::claveFila() const { return claveDe(filaSeleccionada()); }

void ListaConciliaciones::setIconKey(const QString& claveIcono) {
    if (QTreeWidgetItem* fila = filaSeleccionada()) ponerIcono(fila, claveIcono);
}

void ListaConciliaciones::setCell(int posicion, const QString& texto) {
    if (QTreeWidgetItem* fila = filaSeleccionada()) ponerCelda(fila, posicion, texto);
}

void ListaConciliaciones::ordenarPorColumna(int columna) {
    ordenada_ = true;
    columnaOrden_ = columna;
    orden_ = orden_ == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    aplicarOrden();
}

void ListaConciliaciones::aplicarOrden() {
    if (ordenada_) sortItems(columnaOrden_, orden_);
}

}  // namespace conciliacion
