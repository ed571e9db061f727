#include "session/utility_component/Teclado.h"

#include <QObject>
#include <QVariant>

namespace utilidades {

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
