#pragma once

#include "platform/RuntimeError.h"
#include "platform/ado/Variant.h"

#include <QDialog>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVector>
#include <functional>
#include <optional>

class QComboBox;
class QFrame;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;
class QWidget;

namespace sesion { class Global; }

namespace consultas {

// The suite's tree lookup window, "Consulta...": runs one statement and shows
// its rows as a tree of codes under the root "Consulta...", a code hanging
// under the code it extends. The article families (V_TA_FAMILIAS) are built
// from a fixed statement of their own. The lookup class sets SQL,
// CampoDevuelto and CheckBoxes, calls cargar() (or just exec(), which loads
// first), shows it modally and reads ValorDevuelto and Valores once the
// window has hidden itself.
//
// Controls carry their suite names as objectName: picFields, CmbSearch_0,
// TreeV, Frame1, cmdAceptar, cmdCancelar, CmdNueva. Every node holds its key
// ("A" + code; the root "A") in its data (column 0, role Qt::UserRole).
class Lib_FrmCons3Tree : public QDialog {
    Q_OBJECT
public:
    explicit Lib_FrmCons3Tree(sesion::Global& global, QWidget* padre = nullptr);
    ~Lib_FrmCons3Tree() override;

    // ---- Public properties
    QString SQL;                          // the statement; rewritten by the builds and searches
    QString CampoDevuelto;                // "IDFAMILIA", "IDPOSICION" or "CODIGO"
    bool CheckBoxes = false;              // nodes carry check marks
    QString ValorDevuelto;                // result of a single pick
    std::optional<QStringList> Valores;   // result of a checked pick; nullopt once released

    // ---- Public operations
    void cargar();                // the window's load (runs again after every F5)
    void descargar();             // the window's closing: the tree emptied
    void ArmarTreeVFamilias();    // the family build

    // The commands, as the buttons and keys run them.
    void aceptar();         // cmdAceptar, Enter, double click
    void cancelar();        // cmdCancelar, Esc
    void nuevaBusqueda();   // CmdNueva
    void buscarEnBase();    // F5 in the search box

    // ---- Controls
    QWidget* picFields() const { return picFields_; }
    QComboBox* CmbSearch() const { return CmbSearch_; }
    QTreeWidget* TreeV() const { return TreeV_; }
    QFrame* Frame1() const { return Frame1_; }
    QPushButton* cmdAceptar() const { return cmdAceptar_; }
    QPushButton* cmdCancelar() const { return cmdCancelar_; }
    QPushButton* CmdNueva() const { return CmdNueva_; }

    // The node with that key, or nullptr; the nodes in the order they were
    // added, the root first.
    QTreeWidgetItem* nodo(const QString& clave) const;
    const QVector<QTreeWidgetItem*>& nodos() const { return nodos_; }

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;
    void keyPressEvent(QKeyEvent* evento) override;
    void showEvent(QShowEvent* evento) override;
    void closeEvent(QCloseEvent* evento) override;

private:
    void crearControles();
    int tratarError(const plataforma::RuntimeError& error, const QString& rutina);
    void armarSegunSentencia();
    void ArmarTreeVAutomatico();
    void vaciarArbol();
    void iniciarArbol();
    QVector<QVector<ado::Variant>> leerFilas();
    void armarFilas(const QString& rutina, const std::function<void(const QVector<ado::Variant>&)>& agregar);
    void prepararNodo(QTreeWidgetItem* nodo, const QString& clave, const QString& texto);
    QTreeWidgetItem* agregarNodo(QTreeWidgetItem* padre, const QString& clave, const QString& texto);
    QTreeWidgetItem* padreAutomatico(const QString& clave) const;
    void buscarEnArbol(const QString& texto);
    void propagarMarca(QTreeWidgetItem* nodo);
    QString valorDeTabla(const QString& tabla, const QString& codigo, const QString& columna, bool* existe);
    void aceptarMarcados();
    void aceptarSeleccionado();

    sesion::Global& global_;

    QWidget* picFields_ = nullptr;
    QComboBox* CmbSearch_ = nullptr;
    QTreeWidget* TreeV_ = nullptr;
    QFrame* Frame1_ = nullptr;
    QPushButton* cmdAceptar_ = nullptr;
    QPushButton* cmdCancelar_ = nullptr;
    QPushButton* CmdNueva_ = nullptr;

    QVector<QTreeWidgetItem*> nodos_;                    // in the order they were added
    QHash<QString, QTreeWidgetItem*> claves_;            // by key
    QHash<QString, QTreeWidgetItem*> primeraPorClave_;   // by key in small letters, the first one
    bool cargada_ = false;
    bool descargada_ = false;
    bool propagando_ = false;
};

}  // namespace consultas
