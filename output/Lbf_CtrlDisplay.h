#pragma once

#include <QList>
#include <QPixmap>
#include <QWidget>

class QLabel;
class QPushButton;
class QTimer;

namespace salida {

// The progress window: a caption, three lines of text under it, an animated
// picture and an optional cancel button, shown modeless and a little
// see-through so the work behind it stays visible.
//
// Controls carry their suite names as objectName: "LblCtrol_0" to
// "LblCtrol_2", "Image1", "Timer1", "CmdDisplayCancelar". A click on the
// cancel button turns its caption into "Abortado", which is how the request
// is remembered until the window goes away.
class Lbf_CtrlDisplay : public QWidget {
    Q_OBJECT
public:
    static constexpr int Lineas = 3;
    static constexpr int Cuadros = 12;           // pictures of the animation
    static constexpr int IntervaloAnimacion = 100;  // ms between pictures
    static constexpr double Opacidad = 200.0 / 255.0;

    explicit Lbf_CtrlDisplay(QWidget* padre = nullptr);

    QLabel* LblCtrol(int indice) const { return lineas_.at(indice); }
    QLabel* Image1() const { return Image1_; }
    QPushButton* CmdDisplayCancelar() const { return CmdDisplayCancelar_; }
    QTimer* Timer1() const { return Timer1_; }

    // The cancel button was pressed since the window was created.
    bool cancelacionPedida() const;

    // The animation's counter: 0 to 11; the picture shown is the counter's
    // number (the first picture while the counter is 0).
    int cuadro() const { return cuadro_; }
    // The pictures, numbered from 1 as the animation names them.
    const QPixmap& imagen(int numero) const { return ImageList1_.at(numero - 1); }

public Q_SLOTS:
    void Timer1_Timer();

private:
    void crearControles();
    void Form_Load();
    void centrarEnPantalla();
    void ocuparAreaCliente();
    void mostrarImagen(int numero);
    void CmdDisplayCancelar_Click();
    static QList<QPixmap> dibujarCuadros();

    QList<QLabel*> lineas_;
    QLabel* Image1_ = nullptr;
    QPushButton* CmdDisplayCancelar_ = nullptr;
    QTimer* Timer1_ = nullptr;
    QList<QPixmap> ImageList1_;
    qint16 cuadro_ = 0;
};

}  // namespace salida
