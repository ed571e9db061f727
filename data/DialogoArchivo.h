#pragma once

#include <QString>

namespace datos {

// The file-open dialog the session object asks an Access file with.
class DialogoArchivo {
public:
    virtual ~DialogoArchivo() = default;

    // Shows the open dialog with its title and filter ("description|pattern");
    // answers the chosen file's path, or "" when the user cancelled.
    virtual QString abrirArchivo(const QString& titulo, const QString& filtro) = 0;
};

}  // namespace datos
