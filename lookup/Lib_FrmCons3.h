#pragma once

#include "platform/RuntimeError.h"
#include "platform/ado/Recordset.h"

#include <QDialog>
#include <QString>
#include <QStringList>
#include <QVector>
#include <functional>
#include <memory>
#include <optional>

class QComboBox;
class QFrame;
class QLabel;
class QPushButton;
class QScrollBar;
class QTreeWidget;
class QTreeWidgetItem;
class QWidget;

namespace datos { class DB_Dll; }
namespace sesion { class Global; }

namespace consultas {

// The suite's record-lookup window, "Consulta...": runs one SELECT statement
// and shows its rows in a multi-column list with a search box over every
// column. The lookup class fills the public properties, calls cargar() (or
// just exec(), which loads first), shows it modally and reads the results
// back once the window has hidden itself (accept or cancel); then it calls
// descargar() (or destroys the window, which does the same).
//
// Controls carry their suite names as objectName: Label1, CmdNuevo, CmdTodos,
// picFields, CmbSearch_0, CmbSearch_1 ..., ListView1, HScroll1, Frame1,
// cmdAceptar, cmdCancelar, CmdNueva. Each search box holds its column's name
// in the dynamic property "tag".
class Lib_FrmCons3 : public QDialog {
    Q_OBJECT
public:
    // Runs the suite's external program launcher: target, parameter, mode.
    using Lanzador = std::function<void(const QString& destino, const QString& parametro, int modo)>;
    // Reads a company setting (key → text; "" or " " when missing).
    using LectorAjustes = std::function<QString(const QString& clave)>;

    Lib_FrmCons3(sesion::Global& global, QWidget* padre = nullptr);
    ~Lib_FrmCons3() override;

    // ---- Public properties (set before the load, read after the window hides)
    // Text colours (red + 256 × green + 65536 × blue); none: the level is not
    // coloured.
    std::optional<long> StkNivel1;
    std::optional<long> StkNivel2;
    std::optional<long> StkNivel3;
    std::optional<long> StkNivel4;
    QString MuestraStock;                       // "SI": stock colouring of article lists
    QString SQL;                                // the statement; changed by searches
    QString CampoDevuelto;                      // column whose value is returned
    std::optional<QStringList> CmpsDevueltos;   // further columns returned in Valores
    bool CheckBoxes = false;                    // rows carry check marks
    QString ValorDevuelto;                      // result of a single pick
    QString FiltroInicial;                      // initial text of search box 0
    bool OrdenarPorLwv = false;                 // sort the loaded rows by the first column
    std::optional<QStringList> Valores;         // returned values; nullopt once released
    std::optional<QStringList> Cantidades;      // handed back empty
    bool UsaCantidades = false;                 // quantity keys active
    QString ValoresDefault;                     // rows that start checked; "@10" widens columns
    bool CfgUsaConsultaLIKE = false;            // F5 searches for the words anywhere
    bool GrabarCfg = false;                     // save the column widths when closing
    bool UsarUDBC = false;                      // open through the second session object

    // Hooks the lookup class sets: the program launcher ("N&uevo"), the
    // company settings (price-class titles) and the second session object.
    // Without a launcher "N&uevo" does nothing; without a settings reader
    // every setting reads empty; without a second session UsarUDBC uses the
    // main one.
    Lanzador lanzador;
    LectorAjustes leerAjuste;
    datos::DB_Dll* sesionSecundaria = nullptr;

    // ---- Public operations
    void cargar();      // the window's load (runs again for every new search)
    void descargar();   // the window's closing: widths saved, list emptied
    void CalcularAncho();
    void Leer(long Cdesde = 0, long Cuantas = 0);
    void Encolumnar();
    int Busqueda(int Clave, const QString& QueValor);
    int IndiceColumna(const QString& Columna) const;

    // The commands, as the buttons and keys run them.
    void aceptar();         // cmdAceptar
    void cancelar();        // cmdCancelar
    void nuevaBusqueda();   // CmdNueva
    void nuevoRegistro();   // CmdNuevo
    void marcarTodos();     // CmdTodos
    // F5 in search box `indice`: a new database search with its text.
    void buscarEnBase(int indice);
    // F12: report the selected article as missing stock.
    void informarFaltante();

    // ---- Controls
    QLabel* Label1() const { return Label1_; }
    QPushButton* CmdNuevo() const { return CmdNuevo_; }
    QPushButton* CmdTodos() const { return CmdTodos_; }
    QWidget* picFields() const { return picFields_; }
    QTreeWidget* ListView1() const { return ListView1_; }
    QScrollBar* HScroll1() const { return HScroll1_; }
    QFrame* Frame1() const { return Frame1_; }
    QPushButton* cmdAceptar() const { return cmdAceptar_; }
    QPushButton* cmdCancelar() const { return cmdCancelar_; }
    QPushButton* CmdNueva() const { return CmdNueva_; }
    // Search box `i` (nullptr when it does not exist); cantidadBusquedas()
    // counts the boxes created so far.
    QComboBox* CmbSearch(int i) const;
    int cantidadBusquedas() const { return static_cast<int>(CmbSearch_.size()); }

    // State the searches work on.
    int ColumnaActual() const { return ColumnaActual_; }
    const QString& TablaConsulta() const { return TablaConsulta_; }
    bool EsArticulos() const { return EsArticulos_; }

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;
    void keyPressEvent(QKeyEvent* evento) override;
    void resizeEvent(QResizeEvent* evento) override;
    void showEvent(QShowEvent* evento) override;
    void closeEvent(QCloseEvent* evento) override;

private:
    ado::Recordset rs_;

    void crearControles();
    QComboBox* crearBusqueda(int indice);
    void redistribuir();
    datos::DB_Dll& sesionDeDatos() const;
    QString ajuste(const QString& clave) const;
    int tratarError(const plataforma::RuntimeError& error, const QString& rutina);

    // The load's pieces.
    void prepararLista();
    void tomarSentencia();
    void aplicarFiltroInicial();
    void cerrarRecordset();
    void LeerAnchos();
    void GrabarAnchos();
    void agregarFila();
    QString colorStock() const;
    void pintarFila(QTreeWidgetItem* fila, const QString& color);

    // The searches and keys.
    void busquedaEnLista(int indice);
    bool teclaDeLista(QKeyEvent* evento);
    bool teclaDeBusqueda(int indice, QKeyEvent* evento);
    void pedirCantidad();
    void sumarCantidad(double cuanto);
    int columnaCantidad() const;
    void escribirEnBusqueda(const QString& texto, bool borrarUltimo);
    void ordenarPorColumna(int columna);
    QString valorDeColumna(QTreeWidgetItem* fila, const QString& columna, const QString& previo) const;

    sesion::Global& global_;

    QLabel* Label1_ = nullptr;
    QPushButton* CmdNuevo_ = nullptr;
    QPushButton* CmdTodos_ = nullptr;
    QWidget* picFields_ = nullptr;
    QWidget* marcoFields_ = nullptr;
    QTreeWidget* ListView1_ = nullptr;
    QScrollBar* HScroll1_ = nullptr;
    QFrame* Frame1_ = nullptr;
    QPushButton* cmdAceptar_ = nullptr;
    QPushButton* cmdCancelar_ = nullptr;
    QPushButton* CmdNueva_ = nullptr;
    QVector<QComboBox*> CmbSearch_;

    int ColumnaActual_ = 0;
    bool EsArticulos_ = false;
    QString TablaConsulta_;
    QString SQLOriginal_;
    bool cargada_ = false;
    bool descargada_ = false;
    bool ordenado_ = false;                     // sorted mode, once switched on
    int columnaOrden_ = 0;
    Qt::SortOrder ordenOrden_ = Qt::AscendingOrder;
};

}  // namespace consultas
