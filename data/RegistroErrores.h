#pragma once

#include <QDateTime>
#include <QFile>
#include <QString>

namespace datos {

// The error log both error treatments append to (QZERR.LOG): one line per
// error box, "MM-dd-yyyy hh:mm:ss Rutina: <place> - Mensaje <message>
// Respondió : <answer>" ended by CR LF, in single-byte Latin-1 text.
//
// The file is opened for appending when the object is built and closed when
// it goes; a file that cannot be opened or written is skipped silently, since
// logging must never stop an error treatment.
class RegistroErrores {
public:
    explicit RegistroErrores(const QString& ruta);

    void escribir(const QString& linea);

    // The button's name as the log writes it; "" for OK and anything unnamed.
    static QString nombreRespuesta(int respuesta);
    // `lugar` is the place name with " - " after it, or ""; both `lugar` and
    // `mensaje` are trimmed into the line.
    static QString linea(const QDateTime& momento, const QString& lugar, const QString& mensaje,
                         int respuesta);

private:
    QFile archivo_;
};

}  // namespace datos
