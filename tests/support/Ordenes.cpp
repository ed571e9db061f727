#include "Ordenes.h"

#include <QProcess>

namespace prueba {

Resultado correr(const QString& programa, const QStringList& argumentos, const QProcessEnvironment& entorno,
                 int segundos) {
    QProcess p;
    if (!entorno.isEmpty()) p.setProcessEnvironment(entorno);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(programa, argumentos);
    if (!p.waitForFinished(segundos * 1000)) {
        p.kill();
        p.waitForFinished();
        return {-1, QStringLiteral("sin terminar: ") + QString::fromUtf8(p.readAll())};
    }
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAll())};
}

}  // namespace prueba
