#include "lookup/ArchivoAnchos.h"

#include "platform/FuncionesBasicas.h"

#include <QFile>
#include <QTextStream>

#include <cstdio>

namespace consultas {

namespace {

const QString NombreArchivo = QStringLiteral("CONSULTASLEN.QZT");
const QString NombreAuxiliar = QStringLiteral("CONSULTASLEN.AUX");

QString sinComillas(QString campo) {
    campo = campo.trimmed();
    if (campo.size() >= 2 && campo.startsWith(u'"') && campo.endsWith(u'"'))
        return campo.mid(1, campo.size() - 2);
    return campo;
}

// A width as a Windows workstation may have written it, with its decimal
// comma ("1234,5").
double anchoEscrito(const QString& texto) {
    return plataforma::numeroInicial(QString(texto).replace(u',', u'.'));
}

QStringList lineas(const QString& ruta) {
    QFile archivo(ruta);
    if (!archivo.open(QIODevice::ReadOnly | QIODevice::Text)) return {};
    QStringList resultado;
    QTextStream entrada(&archivo);
    entrada.setEncoding(QStringConverter::Latin1);
    while (!entrada.atEnd()) resultado << entrada.readLine();
    return resultado;
}

}  // namespace

ArchivoAnchos::ArchivoAnchos(const QString& carpeta) : carpeta_(carpeta) {}

QString ArchivoAnchos::ruta() const { return carpeta_ + NombreArchivo; }
QString ArchivoAnchos::rutaAuxiliar() const { return carpeta_ + NombreAuxiliar; }

bool ArchivoAnchos::separarLinea(const QString& linea, QString& tabla, QString& anchos) {
    bool entreComillas = false;
    for (qsizetype i = 0; i < linea.size(); ++i) {
        if (linea[i] == u'"') entreComillas = !entreComillas;
        else if (linea[i] == u',' && !entreComillas) {
            tabla = sinComillas(linea.left(i));
            anchos = sinComillas(linea.mid(i + 1));
            return true;
        }
    }
    return false;
}

QVector<double> ArchivoAnchos::leerAnchos(QString anchos) {
    QVector<double> resultado;
    for (qsizetype fin = anchos.indexOf(u'|'); fin >= 0; fin = anchos.indexOf(u'|')) {
        resultado << anchoEscrito(anchos.left(fin));
        anchos = anchos.mid(fin + 1);
    }
    return resultado;
}

QVector<QVector<double>> ArchivoAnchos::leer(const QString& tabla) const {
    QVector<QVector<double>> resultado;
    for (const QString& linea : lineas(ruta())) {
        QString nombre, anchos;
        if (separarLinea(linea, nombre, anchos) && nombre.compare(tabla, Qt::CaseInsensitive) == 0)
            resultado << leerAnchos(anchos);
    }
    return resultado;
}

bool ArchivoAnchos::grabar(const QString& tabla, const QVector<double>& anchos) const {
    QString contenido;
    for (const QString& linea : lineas(ruta())) {
        QString nombre, resto;
        if (separarLinea(linea, nombre, resto) && nombre.compare(tabla, Qt::CaseInsensitive) == 0)
            continue;
        contenido += linea + QStringLiteral("\r\n");
    }
    QString textoAnchos;
    for (double ancho : anchos) textoAnchos += QString::number(ancho) + u'|';
    contenido += QStringLiteral("\"%1\",\"%2\"\r\n").arg(tabla, textoAnchos);

    QFile auxiliar(rutaAuxiliar());
    if (!auxiliar.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    const QByteArray bytes = contenido.toLatin1();
    const bool escrito = auxiliar.write(bytes) == bytes.size() && auxiliar.flush();
    auxiliar.close();
    if (!escrito) {
        QFile::remove(rutaAuxiliar());
        return false;
    }
    // The system's rename replaces the old file in one step, so a crash
    // leaves either the old widths or the new ones, never half a file.
    return std::rename(QFile::encodeName(rutaAuxiliar()).constData(),
                       QFile::encodeName(ruta()).constData()) == 0;
}

}  // namespace consultas
