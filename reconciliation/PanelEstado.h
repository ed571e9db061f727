#pragma once

#include <QLabel>

namespace conciliacion {

// One panel of the status bar: a sunken label that asks for the suite's
// default panel width (1440 twips) but gives way when the window is made
// narrower, so the bar never keeps the window from shrinking.
class PanelEstado : public QLabel {
    Q_OBJECT
public:
    PanelEstado(const QString& clave, const QString& texto, QWidget* padre = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
};

}  // namespace conciliacion
