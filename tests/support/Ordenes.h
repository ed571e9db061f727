#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace prueba {

// What a finished command left: its exit code (-1 when it crashed or did not
// end in time) and its output and error output together.
struct Resultado {
    int codigo;
    QString salida;
};

// Runs a command to its end, at most `segundos`, with `entorno` (the test's
// own environment when empty). A command still running then is killed.
Resultado correr(const QString& programa, const QStringList& argumentos,
                 const QProcessEnvironment& entorno = {}, int segundos = 180);

}  // namespace prueba
