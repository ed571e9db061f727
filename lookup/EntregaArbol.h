#pragma once

#include <QString>
#include <QStringList>

namespace consultas {

// What Lib_ClsCons3 hands the tree window for one lookup, and what it reads
// back once the window is hidden.
struct EntregaArbol {
    QString SQL;
    QString CampoDevuelto;
    bool Checks = false;

    QString ValorDevuelto;
    QStringList Valores;
};

}  // namespace consultas
