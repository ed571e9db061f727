#pragma once

#include "platform/ado/Importe.h"
#include "reconciliation/MotorReporteQt.h"

#include <QString>

class QWidget;

namespace plataforma { class Dialogos; class RuntimeError; }
namespace sesion { class Global; }

namespace conciliacion {

class ListaConciliaciones;

// The "Reporte" command of the main window: computes the four balances of
// the selected reconciliation's account, builds the formulas, the company and
// selection texts, picks the layout by type and has the report component show
// it.
class ReporteConciliacion {
public:
    ReporteConciliacion(sesion::Global& global, plataforma::Dialogos& dialogos, QWidget* padre = nullptr);

    // The command on the list's selected row; nothing on an empty list. A
    // failure while preparing or showing the report is told to the user.
    void cmdReporte(const ListaConciliaciones& lista);
    // The same for a row given by its cells: 1 identifier, 2 account, 6 first
    // period as shown, 8 type.
    void cmdReporte(const QString& identificador, const QString& cuenta, const QString& primerPeriodo,
                    const QString& tipo);

    // Balance of the account before `FechaAct` (a date as the workstation
    // writes it), rounded to the configured decimals; 0 when it cannot be read.
    ado::Importe ObtieneSaldoAnt(const QString& Cuenta, const QString& FechaAct);
    // The account's current balance; 0 for the final-consumer account and
    // for an account without a balance.
    ado::Importe SaldoCuenta(const QString& cuenta);
    // Sum of the account's reconciliation lines, reconciled or still pending,
    // as the value text ("" when there are none).
    QString sumaConciliacion(const QString& cuenta, bool conciliadas);

    // An amount text formatted with `decimales` decimals (-1: the configured
    // number; 0: the workstation's; -3: unchanged), rounded half to even,
    // with the workstation's separators and, with `miles`, grouping.
    static QString FmtMoneda(sesion::Global& global, const QString& importe, int decimales, bool miles);

    // "ConciliacionBancaria" for the type "BCO" (any letter case, not
    // trimmed), else "ConciliacionCuentas".
    static QString nombreDiseno(const QString& tipo);

    // The engine used when the program installed none in the report component.
    MotorReporteQt& motor() { return motor_; }

private:
    void mostrarReporte(const QString& identificador, const QString& cuenta, const QString& primerPeriodo,
                        const QString& tipo);
    int avisarFalla(const plataforma::RuntimeError& error);

    sesion::Global& global_;
    plataforma::Dialogos& dialogos_;
    MotorReporteQt motor_;
};

}  // namespace conciliacion
