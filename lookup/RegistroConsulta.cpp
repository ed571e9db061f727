#include "lookup/RegistroConsulta.h"

namespace consultas {

namespace {

QByteArray campoFijo(const QString& texto, int ancho) {
    QByteArray campo = texto.toLatin1().left(ancho);
    campo.append(QByteArray(ancho - campo.size(), ' '));
    return campo;
}

}  // namespace

QByteArray RegistroConsulta::bytes() const {
    QByteArray registro;
    registro.reserve(Largo);
    registro += campoFijo(Nombre, AnchoNombre);
    registro += campoFijo(Tabla, AnchoTabla);
    registro += campoFijo(Campos, AnchoCampos);
    registro += campoFijo(Condicion, AnchoCondicion);
    registro += QByteArray("\r\n", AnchoFin);
    return registro;
}

RegistroConsulta RegistroConsulta::desdeBytes(const QByteArray& datos) {
    QByteArray completo = datos.left(Largo);
    completo.append(QByteArray(Largo - completo.size(), '\0'));
    auto campo = [&completo](int desde, int ancho) {
        return QString::fromLatin1(completo.mid(desde, ancho));
    };
    RegistroConsulta r;
    r.Nombre = campo(0, AnchoNombre);
    r.Tabla = campo(AnchoNombre, AnchoTabla);
    r.Campos = campo(AnchoNombre + AnchoTabla, AnchoCampos);
    r.Condicion = campo(AnchoNombre + AnchoTabla + AnchoCampos, AnchoCondicion);
    return r;
}

}  // namespace consultas
