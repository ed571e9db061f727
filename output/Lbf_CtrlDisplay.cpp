#include "output/Lbf_CtrlDisplay.h"

#include "platform/ui/Twips.h"

#include <QColor>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <cmath>
#include <numbers>

namespace salida {

namespace {

using plataforma::twips::aPixeles;

// Design sizes in twips.
constexpr int AnchoDiseno = 7845;
constexpr int AltoDiseno = 2970;

constexpr int LadoImagen = 32;
constexpr const char* TituloCancelar = "&Cancelar";
constexpr const char* TituloCancelado = "Abortado";

}  // namespace

Lbf_CtrlDisplay::Lbf_CtrlDisplay(QWidget* padre)
    : QWidget(padre, Qt::Window | Qt::WindowTitleHint | Qt::CustomizeWindowHint),
      ImageList1_(dibujarCuadros()) {
    setObjectName(QStringLiteral("Lbf_CtrlDisplay"));
    setWindowTitle(QStringLiteral("Procesando Datos"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    crearControles();
    Form_Load();
}

void Lbf_CtrlDisplay::crearControles() {
    resize(aPixeles(AnchoDiseno), aPixeles(AltoDiseno));
    for (int i = 0; i < Lineas; ++i) {
        auto* linea = new QLabel(this);
        linea->setObjectName(QStringLiteral("LblCtrol_%1").arg(i));
        linea->setAlignment(Qt::AlignCenter);
        linea->setGeometry(aPixeles(120), aPixeles(120 + i * 330), aPixeles(AnchoDiseno - 240), aPixeles(285));
        lineas_ << linea;
    }
    Image1_ = new QLabel(this);
    Image1_->setObjectName(QStringLiteral("Image1"));
    Image1_->setGeometry((width() - LadoImagen) / 2, aPixeles(1200), LadoImagen, LadoImagen);

    CmdDisplayCancelar_ = new QPushButton(this);
    CmdDisplayCancelar_->setObjectName(QStringLiteral("CmdDisplayCancelar"));
    CmdDisplayCancelar_->setGeometry((width() - aPixeles(1215)) / 2, aPixeles(2430), aPixeles(1215), aPixeles(375));
    connect(CmdDisplayCancelar_, &QPushButton::clicked, this, [this] { CmdDisplayCancelar_Click(); });

    Timer1_ = new QTimer(this);
    Timer1_->setObjectName(QStringLiteral("Timer1"));
    Timer1_->setInterval(IntervaloAnimacion);
    connect(Timer1_, &QTimer::timeout, this, &Lbf_CtrlDisplay::Timer1_Timer);
    Timer1_->start();
}

// The window's load.
void Lbf_CtrlDisplay::Form_Load() {
    centrarEnPantalla();
    CmdDisplayCancelar_->setText(QString::fromLatin1(TituloCancelar));
    mostrarImagen(1);
    ocuparAreaCliente();
    setWindowOpacity(Opacidad);
}

void Lbf_CtrlDisplay::centrarEnPantalla() {
    const QScreen* pantalla = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!pantalla) return;
    const QRect area = pantalla->geometry();
    move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
}

// The outer rectangle takes the place and size the client area had, so the
// frame the window system adds does not make the window grow. Until the
// window has been framed both rectangles are the same and nothing moves.
void Lbf_CtrlDisplay::ocuparAreaCliente() {
    const QRect cliente = geometry();
    const QRect exterior = frameGeometry();
    const int izquierda = cliente.left() - exterior.left();
    const int arriba = cliente.top() - exterior.top();
    const int derecha = exterior.right() - cliente.right();
    const int abajo = exterior.bottom() - cliente.bottom();
    if (izquierda == 0 && arriba == 0 && derecha == 0 && abajo == 0) return;
    setGeometry(cliente.left() + izquierda, cliente.top() + arriba,
                cliente.width() - izquierda - derecha, cliente.height() - arriba - abajo);
}

void Lbf_CtrlDisplay::mostrarImagen(int numero) {
    if (numero < 1 || numero > ImageList1_.size()) return;  // a missing picture leaves the last one
    Image1_->setPixmap(ImageList1_.at(numero - 1));
}

bool Lbf_CtrlDisplay::cancelacionPedida() const {
    return CmdDisplayCancelar_->text() == QLatin1String(TituloCancelado);
}

void Lbf_CtrlDisplay::CmdDisplayCancelar_Click() {
    CmdDisplayCancelar_->setText(QString::fromLatin1(TituloCancelado));
}

void Lbf_CtrlDisplay::Timer1_Timer() {
    ++cuadro_;
    mostrarImagen(cuadro_);
    if (cuadro_ >= Cuadros) cuadro_ = 0;
}

// A ring of twelve dots; in picture n the n-th dot is the darkest and the
// ones before it fade out behind, so the ring seems to turn.
QList<QPixmap> Lbf_CtrlDisplay::dibujarCuadros() {
    QList<QPixmap> cuadros;
    const double centro = LadoImagen / 2.0;
    const double radio = LadoImagen / 2.0 - 5;
    for (int n = 0; n < Cuadros; ++n) {
        QPixmap imagen(LadoImagen, LadoImagen);
        imagen.fill(Qt::transparent);
        QPainter pintor(&imagen);
        pintor.setRenderHint(QPainter::Antialiasing);
        pintor.setPen(Qt::NoPen);
        for (int punto = 0; punto < Cuadros; ++punto) {
            const int atraso = (n - punto + Cuadros) % Cuadros;
            const double angulo = 2 * std::numbers::pi * punto / Cuadros - std::numbers::pi / 2;
            QColor color(0, 70, 160);
            color.setAlpha(255 - atraso * 18);
            pintor.setBrush(color);
            pintor.drawEllipse(QPointF(centro + radio * std::cos(angulo), centro + radio * std::sin(angulo)),
                               3.2, 3.2);
        }
        cuadros << imagen;
    }
    return cuadros;
}

}  // namespace salida
