#pragma once

#include "session/utility_component/PedidoReporte.h"

namespace utilidades {

// Renders and shows a report. The report component knows no windows or
// databases: the program gives it an engine that does (see Reporte::setMotor).
class MotorReporte {
public:
    virtual ~MotorReporte() = default;
    // Raises plataforma::RuntimeError when the report cannot be prepared or
    // shown.
    virtual void mostrar(const PedidoReporte& pedido) = 0;
};

}  // namespace utilidades
