#pragma once

#include <QElapsedTimer>
#include <QString>
#include <QVariant>
#include <memory>
#include <optional>

namespace salida {

class Lbf_CtrlDisplay;

// A long routine's handle on the progress window: CartelInicio opens it,
// CartelMostrar updates its lines and answers whether the user asked to
// cancel, CartelCerrar closes it. A CartelInicio after CartelCerrar opens a
// fresh window, with cancel not requested.
//
// CartelMostrar may run for every row of a long job: the lines are set every
// time, but the window is repainted and the pending events are let through at
// most once every IntervaloRefresco ms (and always on the first call after
// CartelInicio), which is all a person can see.
class Dll_Display {
public:
    static constexpr int IntervaloRefresco = 40;  // ms

    Dll_Display();
    ~Dll_Display();
    Dll_Display(const Dll_Display&) = delete;
    Dll_Display& operator=(const Dll_Display&) = delete;

    void CartelInicio(const QString& Titulo, bool PermiteCancelar);
    // Each line given is shown as text (a null value as an empty line);
    // lines not given keep their text.
    void CartelMostrar(bool& Cancelado, const std::optional<QVariant>& L1 = std::nullopt,
                       const std::optional<QVariant>& l2 = std::nullopt,
                       const std::optional<QVariant>& l3 = std::nullopt);
    void CartelCerrar();

    // Whether the next CartelMostrar repaints the window. A caller that
    // tells every step of a long job may compose its lines only then: lines
    // set in between are never seen.
    bool tocaRefrescar() const;

    // Keeps the window above all others (true) or among them (false).
    void setSiempre_Visible(bool siempre);

    // The window, while there is one.
    Lbf_CtrlDisplay* ventana() const { return ventana_.get(); }

private:
    Lbf_CtrlDisplay& ventanaCreada();

    std::unique_ptr<Lbf_CtrlDisplay> ventana_;
    QElapsedTimer ultimoRefresco_;
};

}  // namespace salida
