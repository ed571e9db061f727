#include "platform/ado/CadenaOdbc.h"

namespace ado {

namespace {

bool necesitaLlaves(const QString& valor) {
    return valor.contains(u';') || valor.contains(u'{') || valor.contains(u'}') ||
           (!valor.isEmpty() && (valor.front().isSpace() || valor.back().isSpace()));
}

}  // namespace

CadenaOdbc& CadenaOdbc::agregar(const QString& clave, const QString& valor) {
    QString escrito = valor;
    if (necesitaLlaves(valor)) escrito = u'{' + QString(valor).replace(u'}', QStringLiteral("}}")) + u'}';
    texto_ += clave + u'=' + escrito + u';';
    return *this;
}

CadenaOdbc& CadenaOdbc::controlador(const QString& nombre) {
    texto_ += QStringLiteral("Driver={") + QString(nombre).replace(u'}', QStringLiteral("}}")) + QStringLiteral("};");
    return *this;
}

}  // namespace ado
