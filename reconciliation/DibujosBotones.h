#pragma once

#include <QIcon>

class QPainter;

namespace conciliacion {

// The pictures of the main window's command buttons, drawn by the program
// (32 by 32): reload, report, momentary opening, history and exit.
class DibujosBotones {
public:
    static constexpr int Lado = 32;

    static QIcon cargar();
    static QIcon reporte();
    static QIcon apertura();
    static QIcon historial();
    static QIcon salir();

private:
    template <typename Dibujo>
    static QIcon dibujar(Dibujo dibujo);
};

}  // namespace conciliacion
