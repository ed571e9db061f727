#pragma once

#include <QString>
#include <QStringList>

namespace utilidades {

// Everything a report showing is asked with: the layout, what to select, the
// formulas and the settings the report component held at that moment.
struct PedidoReporte {
    QString nombre;             // layout name
    QStringList parametros;     // the two parameter texts (left empty by this program)
    QString seleccion;          // " {TABLE.FIELD} = 'value'"
    QString conexion;           // connection text the caller keeps for reports
    QString formulaEmpresa;     // "NombreEmpresa = '...'"
    QStringList formulas;       // "NAME = value" each
    QString esquinaIzquierda;   // alignment code of the header's first corner ("IZQ")
    QString esquinaDerecha;     // alignment code of the header's second corner ("DER")
    QString titulo;             // a title replacing the layout's own; empty keeps it
    bool imprimirDirecto = false;  // send to the printer without a preview
    bool vistaPrevia = true;       // show the preview window
    bool maximizada = true;        // the preview window fills the screen
    int tiempoEspera = 0;          // seconds for the report's reads; 0 the session's
    QString carpeta;               // the program's folder
};

}  // namespace utilidades
