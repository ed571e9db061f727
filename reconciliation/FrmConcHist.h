#pragma once

#include "output/ModExportarExcel.h"

#include <QDialog>
#include <QString>

class QLabel;
class QTableWidget;
class QToolButton;

namespace ado { class Recordset; }
namespace plataforma { class Dialogos; }
namespace sesion { class Global; }

namespace conciliacion {

// "Historial de Acciones": the momentary openings of one reconciliation, in
// the order they were made, under a heading that names the reconciliation,
// its account and the account's description. Read-only; "Exportar" copies
// the grid to a spreadsheet.
//
// The caller sets IdConc, Cuenta and DescCuenta and shows the dialog; the
// log is read once, when the dialog is first shown (or CargarHistorial is
// called). Only the rows of IdConc (in its stored 15-character code form)
// are listed.
//
// Controls carry their suite names as objectName: lblConc, lblCuenta,
// lblDesc, Line1 to Line3, cmdExportar, cmdSalir, MSHFlexGrid1.
class FrmConcHist : public QDialog {
    Q_OBJECT
public:
    FrmConcHist(sesion::Global& global, plataforma::Dialogos& dialogos, QWidget* padre = nullptr);
    ~FrmConcHist() override;

    QString IdConc;
    QString Cuenta;
    QString DescCuenta;

    // The dialog's load: heading, the log's rows and the column widths.
    void CargarHistorial();

    // The log's statement for a reconciliation.
    QString sentenciaHistorial() const;

    QTableWidget& grilla() const { return *MSHFlexGrid1_; }
    salida::ModExportarExcel& exportador() { return exportador_; }

public Q_SLOTS:
    void exportar();  // "Exportar"
    void salir();     // "[Esc] Salir" and Esc

protected:
    void showEvent(QShowEvent* evento) override;

private:
    void crearControles();
    void mostrarEncabezado();
    void enlazarGrilla(ado::Recordset& rs);
    void ajustarColumnas();

    sesion::Global& global_;
    salida::ModExportarExcel exportador_;
    bool cargado_ = false;

    QLabel* lblConc_ = nullptr;
    QLabel* lblCuenta_ = nullptr;
    QLabel* lblDesc_ = nullptr;
    QToolButton* cmdExportar_ = nullptr;
    QToolButton* cmdSalir_ = nullptr;
    QTableWidget* MSHFlexGrid1_ = nullptr;
};

}  // namespace conciliacion
