#include "platform/ado/TrazaSql.h"

#include <QDateTime>
#include <QFile>

namespace ado {

void TrazaSql::anotar(const QString& sentencia) {
    const QString archivo = qEnvironmentVariable("QUINTARO_TRAZA_SQL");
    if (archivo.isEmpty()) return;
    QFile traza(archivo);
    // A trace that cannot be written must not stop the program's work.
    if (!traza.open(QIODevice::Append | QIODevice::Text)) return;
    const QString linea = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz ")) +
                          sentencia + u'\n';
    traza.write(linea.toUtf8());
}

}  // namespace ado
