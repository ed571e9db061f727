#pragma once

#include "session/utility_component/MotorReporte.h"
#include "session/utility_component/PedidoReporte.h"

#include <QString>
#include <QStringList>

namespace utilidades {

// The suite's report component. Start-up gives it the program's folder; the
// caller hands over formulas and settings, then asks for a layout to be
// shown. The showing itself is the engine's, which the program installs.
class Reporte {
public:
    const QString& carpeta() const { return carpeta_; }
    void setCarpeta(const QString& carpeta) { carpeta_ = carpeta; }

    // The first `cantidad` texts, each "NAME = value".
    void Formulas(const QStringList& formulas, int cantidad);
    const QStringList& formulas() const { return formulas_; }

    // The three on/off settings: straight to the printer, preview window,
    // preview window maximised.
    void setImprimirDirecto(bool valor) { imprimirDirecto_ = valor; }
    void setVistaPrevia(bool valor) { vistaPrevia_ = valor; }
    void setMaximizada(bool valor) { maximizada_ = valor; }
    bool imprimirDirecto() const { return imprimirDirecto_; }
    bool vistaPrevia() const { return vistaPrevia_; }
    bool maximizada() const { return maximizada_; }

    // The numeric setting: seconds the report's reads may take, for the next
    // showing.
    void setTiempoEspera(int segundos) { tiempoEspera_ = segundos; }
    int tiempoEspera() const { return tiempoEspera_; }

    // Who renders and shows; none installed makes Mostrar fail.
    MotorReporte* motor() const { return motor_; }
    void setMotor(MotorReporte* motor) { motor_ = motor; }

    // Shows the layout `nombre` for the rows the selection formula picks.
    // The four options the suite's callers leave out are not taken; `titulo`
    // replaces the layout's title when not empty. Raises
    // plataforma::RuntimeError when there is no engine or the engine fails.
    void Mostrar(const QString& nombre, const QStringList& parametros, const QString& seleccion,
                 const QString& conexion, const QString& formulaEmpresa,
                 const QString& esquinaIzquierda = QStringLiteral("IZQ"),
                 const QString& esquinaDerecha = QStringLiteral("DER"), const QString& titulo = {});

private:
    QString carpeta_;
    QStringList formulas_;
    bool imprimirDirecto_ = false;
    bool vistaPrevia_ = true;
    bool maximizada_ = true;
    int tiempoEspera_ = 0;
    MotorReporte* motor_ = nullptr;
};

}  // namespace utilidades
