#pragma once

#include "platform/ado/Connection.h"
#include "platform/ado/Recordset.h"
#include "platform/ado/TablaDatos.h"

#include <memory>
#include <vector>

namespace ado {

// A recordset's rows, fields and cursor, and what an updatable one needs to
// write its changes back.
struct Recordset::Datos {
    enum class Edicion { Ninguna, Agregando, Cambiando };

    static std::unique_ptr<Datos> deTabla(TablaDatos tabla);
    void tomarTabla(TablaDatos nueva);

    bool abierto = false;
    TablaDatos tabla;
    std::vector<Field> campos;
    qsizetype posicion = 0;  // -1 before the first row, filas.size() past the last
    long cursorType = cursor::ForwardOnly;
    long lockType = bloqueo::ReadOnly;

    // The connection the rows came from (not owned), and whether it still lives.
    Connection* conexion = nullptr;
    std::weak_ptr<int> vida;
    std::unique_ptr<Connection> propia;  // opened from a connection text
    QString tablaOrigen;                 // the table named after FROM

    Edicion edicion = Edicion::Ninguna;
    qsizetype posicionAntesDeAgregar = 0;
    std::vector<Variant> original;  // the row as read, while it is being changed
    std::vector<bool> asignados;    // the fields given a value since AddNew / the first change

    bool enFila() const { return posicion >= 0 && posicion < static_cast<qsizetype>(tabla.filas.size()); }
};

}  // namespace ado
