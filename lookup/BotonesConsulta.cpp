#include "lookup/BotonesConsulta.h"

#include <QFrame>
#include <QPushButton>

namespace consultas {

namespace {

QPushButton* boton(const char* texto, const char* nombre, QFrame* marco) {
    auto* b = new QPushButton(QString::fromUtf8(texto), marco);
    b->setObjectName(QString::fromLatin1(nombre));
    return b;
}

}  // namespace

BotonesConsulta BotonesConsulta::crear(QFrame* marco) {
    BotonesConsulta botones{boton("&Aceptar", "cmdAceptar", marco), boton("&Cancelar", "cmdCancelar", marco),
                            boton("&Nueva Busqueda", "CmdNueva", marco)};
    botones.aceptar->setDefault(true);
    // Enter accepts also while the focus is on another button.
    botones.cancelar->setAutoDefault(false);
    botones.nueva->setAutoDefault(false);
    return botones;
}

}  // namespace consultas
