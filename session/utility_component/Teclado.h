#pragma once

#include <QList>
#include <QString>

class QObject;

namespace utilidades {

// The keyboard rules shared by the filter boxes. A box carries its field name
// in the dynamic property "campo" and its tag in "tag".
class Teclado {
public:
    // Index of the box whose field name equals `campo` (ignoring case), -1 when none.
    int buscarCampo(const QString& campo, const QList<QObject*>& cajas) const;
};

}  // namespace utilidades
