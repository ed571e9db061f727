#pragma once

#include <QDate>
#include <QDialog>

class QCalendarWidget;

namespace plataforma {

// A small modal calendar: Enter (or a double click on a day) accepts the
// highlighted day, Esc cancels.
class SelectorFecha : public QDialog {
    Q_OBJECT
public:
    explicit SelectorFecha(QWidget* padre = nullptr, const QDate& inicial = QDate::currentDate());

    QDate fecha() const;

private:
    QCalendarWidget* calendario_;
};

}  // namespace plataforma
