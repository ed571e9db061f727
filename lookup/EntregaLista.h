#pragma once

#include <QList>
#include <QString>
#include <optional>
#include <QStringList>

namespace consultas {

// What Lib_ClsCons3 hands the list window for one lookup, and what it reads
// back once the window is hidden. The names are the window's properties.
struct EntregaLista {
    // One row of an option list (MenuOpciones, CheckOpciones,
    // ConsultaDesdeArchivo).
    struct Opcion {
        QString texto;
        bool marcada = false;
    };

    // ---- A lookup on a statement (ConsultaSearch) ----
    std::optional<long> StkNivel1;
    std::optional<long> StkNivel2;
    std::optional<long> StkNivel3;
    std::optional<long> StkNivel4;
    QString MuestraStock;
    bool CfgUsaConsultaLIKE = false;
    bool OrdenarPorLwv = false;
    QString FiltroInicial;
    QString SQL;
    QString CampoDevuelto;
    bool CheckBoxes = false;
    bool UsaCantidades = false;
    QString ValoresDefault;
    QStringList* CmpsDevueltos = nullptr;  // the caller's collection; may be absent
    // Every loaded row starts unchecked, whatever ValoresDefault says.
    bool desmarcarFilas = false;

    // ---- An option list instead of a statement ----
    // When set, the window shows no statement: its new-search command is
    // hidden, it has one column titled `Titulo` as wide as the list, one row
    // per option, and is `AnchoTwips` wide (capped at the screen's width).
    bool listaDeOpciones = false;
    QString Titulo;
    QList<Opcion> opciones;
    long AnchoTwips = 0;

    // ---- Read back after the window ----
    QString ValorDevuelto;
    QStringList Valores;
    QStringList Cantidades;
};

}  // namespace consultas
