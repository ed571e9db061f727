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

    // The workstation's day, month and year order with two-digit day and month
    // and four-digit year ("dd/MM/yyyy" under Argentine settings).
    static QString formatoFecha();

private:
    QCalendarWidget* calendario_;
};

}  // namespace plataforma
