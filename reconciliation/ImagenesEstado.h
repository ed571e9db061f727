#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>
#include <QStringList>

namespace conciliacion {

// The three 16 by 16 state pictures of a reconciliation, keyed as the list and
// the other dialogs name them, drawn by the program itself:
// "Finalizada" a green check, "AbiertaM" an amber padlock with its shackle
// raised, "Abierta" a blue padlock with its shackle swung aside.
class ImagenesEstado {
public:
    static inline const QString Finalizada = QStringLiteral("Finalizada");
    static inline const QString AbiertaM = QStringLiteral("AbiertaM");
    static inline const QString Abierta = QStringLiteral("Abierta");

    static constexpr int Lado = 16;

    // The state text cell 9 of the list shows with the key's picture:
    // "Finalizada", "Momentaneamente" or "Abierta".
    static QString textoEstado(const QString& clave);

    // The keys in the image list's order.
    static QStringList claves();
    // A transparent picture for an unknown key.
    static QPixmap imagen(const QString& clave);
    static QIcon icono(const QString& clave) { return QIcon(imagen(clave)); }

private:
    static QPixmap finalizada();
    static QPixmap candado(const QColor& cuerpo, const QColor& borde, int apertura);
};

}  // namespace conciliacion
