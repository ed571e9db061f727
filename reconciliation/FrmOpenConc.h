#pragma once

#include "platform/RuntimeError.h"
#include "platform/ado/Recordset.h"
#include "reconciliation/FiltroConciliaciones.h"
#include "reconciliation/FrmConcOpen.h"
#include "reconciliation/ListaConciliaciones.h"

#include <QHash>
#include <QMainWindow>
#include <QSet>
#include <QString>
#include <functional>
#include <optional>

class QCheckBox;
class QFrame;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QStatusBar;
class QToolButton;
class QTreeWidgetItem;

namespace plataforma { class Dialogos; }
namespace sesion { class Global; }

namespace conciliacion {

// The program's main window, "Apertura Momentanea de Conciliaciones": the
// command buttons, the state and filter boxes, the reconciliation list and the
// status bar with the session banner.
//
// Controls carry their suite names as objectName (cmdCargar, chkAbiertas,
// Lvw, sbStatusBar ...); the two filter boxes of the txtFields array are
// "txtFields_0" (account) and "txtFields_1" (date), and carry their field name
// in the dynamic property "campo" and their tag in "tag". The status bar's
// panels are QLabels named by their keys.
//
// The window sees keys before its controls: Esc closes it, F5 runs the field
// lookup. Closing it ends the program: programaTerminado() is emitted.
class FrmOpenConc : public QMainWindow {
    Q_OBJECT
public:
    FrmOpenConc(sesion::Global& global, plataforma::Dialogos& dialogos, QWidget* padre = nullptr);
    ~FrmOpenConc() override;

    // The window's load, before it is first shown: start-up, appearance,
    // session banner and the first load of the list.
    void cargar();

    // Rebuilds the list from the database with the current filters.
    void CargarLista();

    ListaConciliaciones& lista() const { return *Lvw_; }
    // The filter box that last had the focus; null until one has had it.
    QLineEdit* mCampoActual() const { return mCampoActual_; }
    QStatusBar& barraEstado() const { return *sbStatusBar_; }
    sesion::Global& global() const { return global_; }
    plataforma::Dialogos& dialogos() const { return dialogos_; }

    // The list's statement for a filter text.
    static QString sentenciaLista(const QString& filtro);

public Q_SLOTS:
    void recargar();               // "Cargar"
    void mostrarReporte();         // "Reporte"
    void abrirMomentaneamente();   // "Apertura Momentanea"
    void verHistorial();           // "Ver Historial de Acciones"
    void salir();                  // "[Esc] Salir" and Esc
    void ConsultarCampo();         // F5: the lookup of the focused filter box

Q_SIGNALS:
    // The window was closed: the program ends.
    void programaTerminado();

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;
    void resizeEvent(QResizeEvent* evento) override;
    void closeEvent(QCloseEvent* evento) override;

private:
    void crearBotones(QWidget* area);
    void crearFiltros(QWidget* area);
    void crearBarraEstado();
    void redistribuir();
    bool teclaDeLaVentana(QObject* receptor, int tecla);
    // The filter boxes' focus tracking and keyboard rules.
    bool eventoDeFiltro(QObject* receptor, QEvent* evento);
    bool teclaDeFiltro(QLineEdit& caja, QKeyEvent& tecla);
    void moverFoco(const QLineEdit& desde, int paso);

    void mostrarCabecera(FrmConcOpen::Cabecera cabecera);

    // CargarLista's pieces.
    FiltroConciliaciones::Opciones opcionesFiltro() const;
    QLineEdit* cajaDelCampo(const QString& campo) const;
    bool recorrerResultado(ado::Recordset& rs);
    bool agregarSiCorresponde(ado::Recordset& rs);
    bool completarFila(ado::Recordset& rs, QTreeWidgetItem* fila, const QString& id);
    bool conservarFila(ado::Recordset& rs, const QString& id);
    bool aperturaVigente(const QString& id);
    QSet<QString> leerAperturasVigentes();
    QString descripcionCuenta(ado::Recordset& rs);
    QString periodo(ado::Recordset& rs, const QString& desde, const QString& hasta);
    bool paso(const std::function<void()>& accion);
    int tratarError(const plataforma::RuntimeError& error);

    sesion::Global& global_;
    plataforma::Dialogos& dialogos_;

    QToolButton* cmdCargar_ = nullptr;
    QToolButton* cmdReporte_ = nullptr;
    QToolButton* cmdAbrir_ = nullptr;
    QToolButton* cmdHistorial_ = nullptr;
    QToolButton* cmdSalir_ = nullptr;
    QFrame* Frame1_ = nullptr;
    QCheckBox* chkFinalizadas_ = nullptr;
    QCheckBox* chkAbiertasM_ = nullptr;
    QCheckBox* chkAbiertas_ = nullptr;
    QLineEdit* txtFields_[2] = {nullptr, nullptr};
    QLineEdit* mCampoActual_ = nullptr;
    ListaConciliaciones* Lvw_ = nullptr;
    QStatusBar* sbStatusBar_ = nullptr;

    // What one load has read, so that it sends one statement per distinct
    // account and one for the openings in force, however many rows it lists.
    // Emptied at the start of every load: nothing is kept from one to the next.
    QHash<QString, QString> descripciones_;          // the account as stored -> its description
    std::optional<QSet<QString>> aperturasVigentes_;  // identifiers, without trailing blanks
};

}  // namespace conciliacion
