#include "data/RegistroErrores.h"

#include "data/LiteralesSql.h"
#include "platform/ui/Dialogos.h"

namespace datos {

RegistroErrores::RegistroErrores(const QString& ruta) : archivo_(ruta) {
    // The log is shared with other copies of the program: only ever appended to.
    (void)archivo_.open(QIODevice::WriteOnly | QIODevice::Append);
}

void RegistroErrores::escribir(const QString& linea) {
    if (archivo_.isOpen()) (void)archivo_.write(linea.toLatin1());
}

QString RegistroErrores::nombreRespuesta(int respuesta) {
    namespace r = plataforma::respuesta;
    switch (respuesta) {
    case r::Reintentar: return QStringLiteral("Reintentar");
    case r::Ignorar: return QStringLiteral("Ignorar");
    case r::Abortar: return QStringLiteral("Abortar");
    case r::Cancelar: return QStringLiteral("Cancelar");
    case r::Si: return QStringLiteral("Sí");
    case r::No: return QStringLiteral("No");
    default: return {};
    }
}

QString RegistroErrores::linea(const QDateTime& momento, const QString& lugar,
                               const QString& mensaje, int respuesta) {
    // Month first whatever the workstation's settings, so every log reads alike.
    return momento.toString(QStringLiteral("MM-dd-yyyy")) + QLatin1Char(' ')
           + momento.toString(QStringLiteral("hh:mm:ss")) + QStringLiteral(" Rutina: ")
           + recortar(lugar) + QStringLiteral(" Mensaje ") + recortar(mensaje)
           + QStringLiteral(" Respondió : ") + nombreRespuesta(respuesta)
           + QStringLiteral("\r\n");
}

}  // namespace datos
