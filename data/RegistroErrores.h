#pragma once

#include <QDateTime>
#include <QString>

namespace datos {

// The error log both error treatments append to: one line per error box,
// "MM-dd-yyyy hh:mm:ss Rutina: <place> - Mensaje <message> Respondió : <answer>"
// ended by CR LF, written as single-byte Latin-1 text.
class RegistroErrores {
public:
    // The button's name as the log writes it; "" for OK and anything unnamed.
    static QString nombreRespuesta(int respuesta);
    // `lugar` is the place with its " - " already added, or "".
    static QString linea(const QDateTime& momento, const QString& lugar, const QString& mensaje,
                         int respuesta);
    // Appends the line; a file that cannot be opened or written is skipped.
    static void agregar(const QString& ruta, const QString& linea);
};

}  // namespace datos
