#pragma once

#include "platform/ui/Dialogos.h"

class QWidget;

namespace plataforma {

// The program's standard boxes on screen: message boxes with the run-time's
// button sets, icons and answer codes (Spanish captions), input boxes and the
// date picker. Every box is modal over `padre` (none: over the whole program).
class DialogosQt : public Dialogos {
public:
    explicit DialogosQt(QWidget* padre = nullptr) : padre_(padre) {}

    void setPadre(QWidget* padre) { padre_ = padre; }

    int mensaje(const QString& texto, int estilo, const QString& titulo) override;
    QString entrada(const QString& pregunta, const QString& titulo,
                    const QString& predeterminado) override;
    QString elegirFecha() override;

private:
    QWidget* padre_;
};

}  // namespace plataforma
