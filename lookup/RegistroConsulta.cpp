#include "lookup/RegistroConsulta.h"

namespace consultas {

namespace {

QByteArray campoFijo(const QString& texto, int ancho) {
    QByteArray campo = texto.toLatin1().left(ancho);
    campo.append(QByteArray(ancho - campo.size(), ' '));
    return campo;
}

// A NUL byte with a character of text after it, within the field.
bool nulDentroDelTexto(const QByteArray& campo) {
    const qsizetype nul = campo.indexOf('\0');
    if (nul < 0) return false;
    for (qsizetype i = nul + 1; i < campo.size(); ++i) {
        const char c = campo[i];
        if (c != '\0' && c != ' ' && c != '\xff') return true;
    }
    return false;
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

bool RegistroConsulta::danado(const QByteArray& datos) {
    if (datos.size() < Largo) return true;
    int desde = 0;
    for (const int ancho : {AnchoNombre, AnchoTabla, AnchoCampos, AnchoCondicion}) {
        if (nulDentroDelTexto(datos.mid(desde, ancho))) return true;
        desde += ancho;
    }
    return false;
}

}  // namespace consultas
