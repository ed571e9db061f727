#pragma once

#include <QChar>
#include <QList>
#include <QString>

class QObject;

namespace utilidades {

// The keyboard rules shared by the filter boxes. A box carries its field name
// in the dynamic property "campo" and its tag in "tag"; a box tagged "Fecha"
// (any letter case) holds a date.
class Teclado {
public:
    // Where a key sends the focus among the filter boxes.
    enum class Movimiento { Ninguno, Siguiente, Anterior };

    static constexpr int LargoFecha = 10;

    // Key down in a box: Enter (either key) and Down go to the next box, Up
    // to the previous one; other keys stay with the box.
    Movimiento teclaAbajo(int tecla) const;

    // Key press in `caja` (any object with the text box's "text" and
    // "selectedText" properties): the character the box takes, or a null
    // QChar when it refuses it. A date box takes digits and "/" only, and no
    // character once it holds 10 (a selection that the character replaces
    // does not count); other boxes take any character. Control characters
    // (Backspace and the like) always pass.
    QChar teclaPresionada(const QObject& caja, QChar caracter) const;

    // Index of the box whose field name equals `campo` (ignoring case), -1 when none.
    int buscarCampo(const QString& campo, const QList<QObject*>& cajas) const;

private:
    static bool esCajaDeFecha(const QObject& caja);
};

}  // namespace utilidades
