#pragma once

class QFrame;
class QPushButton;

namespace consultas {

// The button bar of both lookup windows: "Aceptar" (the default button, so
// Enter accepts), "Cancelar" and "Nueva Busqueda", on the window's bottom
// frame, with the control names the windows are known by. Each window places
// and connects them itself.
struct BotonesConsulta {
    QPushButton* aceptar;
    QPushButton* cancelar;
    QPushButton* nueva;

    static BotonesConsulta crear(QFrame* marco);
};

}  // namespace consultas
