#include "PantallaVirtual.h"

#include "support/Ordenes.h"

#include <QDeadlineTimer>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QThread>

namespace prueba {

namespace {

QProcessEnvironment conPantalla(const QString& nombre) {
    QProcessEnvironment entorno = QProcessEnvironment::systemEnvironment();
    entorno.insert(QStringLiteral("DISPLAY"), nombre);
    return entorno;
}

}  // namespace

PantallaVirtual::PantallaVirtual() {
    for (const char* programa : {"Xvfb", "xdotool"})
        if (QStandardPaths::findExecutable(QString::fromLatin1(programa)).isEmpty()) {
            motivo_ = QStringLiteral("falta ") + QString::fromLatin1(programa);
            return;
        }
    // Xvfb writes the number it took on the descriptor named, here its output.
    servidor_.start(QStringLiteral("Xvfb"), {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-nolisten"),
                                             QStringLiteral("tcp"), QStringLiteral("-screen"), QStringLiteral("0"),
                                             QStringLiteral("1280x1024x24")});
    const QDeadlineTimer plazo(30'000);
    while (!servidor_.canReadLine() && !plazo.hasExpired() && servidor_.state() != QProcess::NotRunning)
        servidor_.waitForReadyRead(500);
    const QString numero = QString::fromLatin1(servidor_.readLine()).trimmed();
    if (numero.isEmpty()) {
        motivo_ = QStringLiteral("Xvfb no arrancó: ") + QString::fromLocal8Bit(servidor_.readAllStandardError());
        return;
    }
    nombre_ = u':' + numero;
}

PantallaVirtual::~PantallaVirtual() {
    if (servidor_.state() == QProcess::NotRunning) return;
    servidor_.terminate();
    if (!servidor_.waitForFinished(10'000)) {
        servidor_.kill();
        servidor_.waitForFinished();
    }
}

QString PantallaVirtual::esperarVentana(const QString& patron, int segundos) const {
    const QDeadlineTimer plazo(segundos * 1000);
    do {
        const Resultado r = correr(QStringLiteral("xdotool"), {QStringLiteral("search"), QStringLiteral("--name"), patron},
                                   conPantalla(nombre_), 10);
        const QString primera = r.salida.section(u'\n', 0, 0).trimmed();
        if (r.codigo == 0 && !primera.isEmpty()) return primera;
        QThread::msleep(200);
    } while (!plazo.hasExpired());
    return QString();
}

bool PantallaVirtual::pulsar(const QString& ventana, const QString& tecla) const {
    return correr(QStringLiteral("xdotool"),
                  {QStringLiteral("windowfocus"), QStringLiteral("--sync"), ventana, QStringLiteral("key"), tecla},
                  conPantalla(nombre_), 10)
               .codigo
           == 0;
}

}  // namespace prueba
