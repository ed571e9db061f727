#pragma once

#include <QProcess>
#include <QString>

namespace prueba {

// An X display of the test's own (Xvfb on the first free number), on which
// a program shows its windows and xdotool finds them and presses keys as a
// user would. Stopped with the object.
class PantallaVirtual {
public:
    PantallaVirtual();
    ~PantallaVirtual();
    PantallaVirtual(const PantallaVirtual&) = delete;
    PantallaVirtual& operator=(const PantallaVirtual&) = delete;

    bool disponible() const { return motivo_.isEmpty(); }
    const QString& motivo() const { return motivo_; }
    // ":<n>", for DISPLAY.
    const QString& nombre() const { return nombre_; }

    // The first window whose title matches `patron` (a regular expression),
    // waiting for it at most `segundos`; empty when none appears.
    QString esperarVentana(const QString& patron, int segundos) const;
    // Gives `ventana` the keyboard and presses `tecla` ("Return", "Escape").
    bool pulsar(const QString& ventana, const QString& tecla) const;

private:
    QProcess servidor_;
    QString nombre_;
    QString motivo_;
};

}  // namespace prueba
