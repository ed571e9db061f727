#pragma once

#include "lookup/EntregaArbol.h"
#include "lookup/EntregaLista.h"

namespace sesion { class Global; }

namespace consultas {

class Lib_ClsCons3;

// Puts the lookup windows behind the lookup service: each hand-over makes a
// fresh window for one lookup, sets its properties, shows it modally, reads
// its results back and discards it.
class VentanasConsulta {
public:
    // The program's lookup service, with its windows put in.
    static Lib_ClsCons3& servicio(sesion::Global& global);

    static void mostrarLista(sesion::Global& global, EntregaLista& entrega);
    static void mostrarArbol(sesion::Global& global, EntregaArbol& entrega);
};

}  // namespace consultas
