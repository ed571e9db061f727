#pragma once

#include <QString>

namespace datos {

// The company's synonyms: ordinary users are sent to the restricted "SS_"
// counterparts of the sensitive tables and views. An "@Admin_" marker before
// a name keeps the real object and never reaches the server.
class Sinonimos {
public:
    // Who the statement runs for and under which program.
    struct Contexto {
        bool esAdministrador = false;
        bool confidencialidad = false;  // the company setting "SS_CONFIDENCIALIDAD"
        QString nombreEjecutable;       // without extension; compared ignoring case
    };

    // The statement as it must be sent.
    static QString aplicar(const QString& sentencia, const Contexto& contexto);

    // Only the "@Admin_" markers removed.
    static QString sinMarcas(const QString& sentencia);
};

}  // namespace datos
