#include "session/utility_component/Teclado.h"

#include <QObject>
#include <QVariant>

namespace utilidades {

namespace {

bool esCifra(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

}  // namespace

Teclado::Movimiento Teclado::teclaAbajo(int tecla) const {
    switch (tecla) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Down:
        return Movimiento::Siguiente;
    case Qt::Key_Up:
        return Movimiento::Anterior;
    default:
        return Movimiento::Ninguno;
    }
}

QChar Teclado::teclaPresionada(const QObject& caja, QChar caracter) const {
    if (caracter.unicode() < 0x20 || caracter.unicode() == 0x7F) return caracter;
    if (!esCajaDeFecha(caja)) return caracter;
    if (!esCifra(caracter) && caracter != QLatin1Char('/')) return {};
    const qsizetype largo = caja.property("text").toString().size() -
                            caja.property("selectedText").toString().size();
    if (largo >= LargoFecha) return {};
    return caracter;
}

bool Teclado::esCajaDeFecha(const QObject& caja) {
    return caja.property("tag").toString().compare(QStringLiteral("Fecha"), Qt::CaseInsensitive) == 0;
}

int Teclado::buscarCampo(const QString& campo, const QList<QObject*>& cajas) const {
    for (int i = 0; i < cajas.size(); ++i) {
        const QObject* caja = cajas.at(i);
        if (caja != nullptr &&
            caja->property("campo").toString().compare(campo, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

}  // namespace utilidades
