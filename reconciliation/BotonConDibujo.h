#pragma once

#include <QToolButton>

namespace conciliacion {

// A command button with its picture above the caption, the caption wrapped
// over as many lines as the button's width asks ("Ver Historial de Acciones"
// fits in two), as the suite's graphical buttons show it.
class BotonConDibujo : public QToolButton {
    Q_OBJECT
public:
    explicit BotonConDibujo(QWidget* padre = nullptr);

protected:
    void paintEvent(QPaintEvent* evento) override;
};

}  // namespace conciliacion
