#include "LectorLibro.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

namespace prueba {

LectorLibro::LectorLibro(const QString& archivo) {
    QProcess lector;
    lector.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral(QUINTARO_LEER_LIBRO), archivo});
    if (!lector.waitForFinished(-1) || lector.exitCode() != 0) {
        error_ = QStringLiteral("leer_libro.py: ") + QString::fromUtf8(lector.readAllStandardError());
        return;
    }
    QJsonParseError falla;
    const QJsonObject libro = QJsonDocument::fromJson(lector.readAllStandardOutput(), &falla).object();
    if (falla.error != QJsonParseError::NoError) {
        error_ = falla.errorString();
        return;
    }
    for (const QJsonValue& h : libro[QStringLiteral("hojas")].toArray()) hojas_ << h.toString();
    filas_ = libro[QStringLiteral("filas")].toInt();
    const QJsonObject columnas = libro[QStringLiteral("columnas")].toObject();
    for (auto it = columnas.begin(); it != columnas.end(); ++it) columnas_[it.key()] = it.value().toDouble();
    for (const QJsonValue& v : libro[QStringLiteral("celdas")].toArray()) {
        const QJsonObject o = v.toObject();
        Celda c;
        c.ref = o[QStringLiteral("ref")].toString();
        c.valor = o[QStringLiteral("valor")].toVariant();
        c.tipo = o[QStringLiteral("tipo")].toString();
        c.formato = o[QStringLiteral("formato")].toString();
        c.tamanio = o[QStringLiteral("tamanio")].toDouble();
        c.negrita = o[QStringLiteral("negrita")].toBool();
        c.color = o[QStringLiteral("color")].toString();
        c.relleno = o[QStringLiteral("relleno")].toString();
        for (const QJsonValue& b : o[QStringLiteral("bordes")].toArray()) c.bordes << b.toString();
        celdas_[c.ref] = c;
    }
}

}  // namespace prueba
