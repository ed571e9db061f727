#pragma once

#include <QHash>
#include <QIcon>
#include <QList>
#include <QString>
#include <QTreeWidget>

namespace conciliacion {

// The list `Lvw`: one row per reconciliation in ten columns, the state icon
// in column 0 and cells 1 to 9 addressed by position, as the dialogs that act
// on the selected row read and change them. Each row keeps its key ("A" +
// identifier) and its icon key as data.
//
// A header click sorts by that column's text and flips the order on every
// click, also when another column is clicked; the order starts ascending, so
// the first click sorts descending. Once sorted the list stays sorted, also
// for the rows of later loads.
class ListaConciliaciones : public QTreeWidget {
    Q_OBJECT
public:
    static constexpr int Columnas = 10;

    explicit ListaConciliaciones(QWidget* padre = nullptr);
    ~ListaConciliaciones() override;

    // Removes every row and header and adds the ten columns with their
    // headers and widths.
    void prepararColumnas();
    // A new row with the given key and empty text; the first row added since
    // prepararColumnas is the one a load leaves selected. The rows of a load
    // wait aside and enter the list together (mostrarAgregadas, terminarCarga):
    // one insertion, not one layout and repaint per row.
    QTreeWidgetItem* agregarFila(const QString& clave);
    // The rows added so far enter the list, so that what the user sees
    // meanwhile (an error dialog in the middle of a load) is up to date.
    void mostrarAgregadas();
    static void ponerCelda(QTreeWidgetItem* fila, int posicion, const QString& texto);
    // Every row shares the list's one picture per state.
    void ponerIcono(QTreeWidgetItem* fila, const QString& claveIcono);
    static QString claveDe(const QTreeWidgetItem* fila);
    static QString claveIconoDe(const QTreeWidgetItem* fila);
    // After a load: the rows enter the list, the sort in force is applied and
    // the first row added is selected.
    void terminarCarga();

    // Takes a row out of the list (nothing for none).
    void quitarFila(QTreeWidgetItem* fila);

    // The selected row (none when the list is empty).
    QTreeWidgetItem* filaSeleccionada() const;
    QString celda(int posicion) const;
    QString iconKey() const;
    QString claveFila() const;
    void setIconKey(const QString& claveIcono);
    void setCell(int posicion, const QString& texto);

    // Sorting state, as the header clicks left it.
    bool ordenada() const { return ordenada_; }
    int columnaOrden() const { return columnaOrden_; }
    Qt::SortOrder orden() const { return orden_; }

public Q_SLOTS:
    void ordenarPorColumna(int columna);

private:
    void aplicarOrden();

    bool ordenada_ = false;
    int columnaOrden_ = 0;
    Qt::SortOrder orden_ = Qt::AscendingOrder;
    QTreeWidgetItem* primeraAgregada_ = nullptr;
    QList<QTreeWidgetItem*> agregadas_;
    QHash<QString, QIcon> iconos_;
};

}  // namespace conciliacion
