#include "platform/FuncionesBasicas.h"

#include <QFile>
#include <QRegularExpression>

namespace plataforma {

bool contiene(const QString& texto, const QString& buscado) {
    return texto.contains(buscado, Qt::CaseInsensitive);
}

bool esIgual(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

double numeroInicial(const QString& texto) {
    static const QRegularExpression numero(QStringLiteral("^\\s*([-+]?(\\d+(\\.\\d*)?|\\.\\d+))"));
    const QRegularExpressionMatch m = numero.match(texto);
    return m.hasMatch() ? m.captured(1).toDouble() : 0.0;
}

bool ExisteArchivo(const QString& ruta) {
    QFile archivo(QString(ruta).remove(u'"'));
    return archivo.open(QIODevice::ReadOnly);
}

}  // namespace plataforma
