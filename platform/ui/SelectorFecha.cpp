#include "platform/ui/SelectorFecha.h"

#include <QCalendarWidget>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace plataforma {

SelectorFecha::SelectorFecha(QWidget* padre, const QDate& inicial)
    : QDialog(padre), calendario_(new QCalendarWidget(this)) {
    setWindowTitle(QStringLiteral("Fecha"));
    setObjectName(QStringLiteral("SelectorFecha"));
    calendario_->setObjectName(QStringLiteral("calendario"));
    calendario_->setSelectedDate(inicial);
    calendario_->setGridVisible(true);

    auto* botones = new QDialogButtonBox(this);
    botones->addButton(QStringLiteral("Aceptar"), QDialogButtonBox::AcceptRole);
    botones->addButton(QStringLiteral("Cancelar"), QDialogButtonBox::RejectRole);

    auto* disposicion = new QVBoxLayout(this);
    disposicion->addWidget(calendario_);
    disposicion->addWidget(botones);

    // The calendar keeps Enter for itself and answers it with activated().
    connect(calendario_, &QCalendarWidget::activated, this, &QDialog::accept);
    connect(botones, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(botones, &QDialogButtonBox::rejected, this, &QDialog::reject);
    calendario_->setFocus();
}

QDate SelectorFecha::fecha() const { return calendario_->selectedDate(); }

}  // namespace plataforma
