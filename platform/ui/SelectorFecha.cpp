#include "platform/ui/SelectorFecha.h"

#include <QCalendarWidget>
#include <QDialogButtonBox>
#include <QLocale>
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

QString SelectorFecha::formatoFecha() {
    const QString corto = QLocale().dateFormat(QLocale::ShortFormat);
    QString formato;
    bool dia = false, mes = false, anio = false;
    for (qsizetype i = 0; i < corto.size();) {
        const QChar c = corto.at(i);
        qsizetype fin = i;
        while (fin < corto.size() && corto.at(fin) == c) ++fin;
        if (c == u'd') { formato += QStringLiteral("dd"); dia = true; }
        else if (c == u'M') { formato += QStringLiteral("MM"); mes = true; }
        else if (c == u'y') { formato += QStringLiteral("yyyy"); anio = true; }
        else formato += corto.mid(i, fin - i);
        i = fin;
    }
    if (!(dia && mes && anio)) return QStringLiteral("dd/MM/yyyy");
    return formato;
}

}  // namespace plataforma
