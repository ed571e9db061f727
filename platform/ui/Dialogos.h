#pragma once

#include <QString>

namespace plataforma {

// Message-box styles and answers, with the run-time's numbers: a style is
// buttons + icon (+ default button), an answer is the button pressed.
namespace estilo {
inline constexpr int SoloAceptar = 0;
inline constexpr int AceptarCancelar = 1;
inline constexpr int AbortarReintentarIgnorar = 2;
inline constexpr int SiNoCancelar = 3;
inline constexpr int SiNo = 4;
inline constexpr int ReintentarCancelar = 5;
inline constexpr int Critico = 16;
inline constexpr int Pregunta = 32;
inline constexpr int Exclamacion = 48;
inline constexpr int Informacion = 64;
inline constexpr int BotonesMascara = 15;
inline constexpr int IconoMascara = 112;
}  // namespace estilo

namespace respuesta {
inline constexpr int Aceptar = 1;
inline constexpr int Cancelar = 2;
inline constexpr int Abortar = 3;
inline constexpr int Reintentar = 4;
inline constexpr int Ignorar = 5;
inline constexpr int Si = 6;
inline constexpr int No = 7;
}  // namespace respuesta

// Everything the program asks the user through a standard box: message boxes,
// input boxes and the date picker. The program shows them through this one
// interface, so that a test answers them instead of a person.
class Dialogos {
public:
    virtual ~Dialogos() = default;

    // Shows a modal message box; returns the answer code of the button pressed.
    virtual int mensaje(const QString& texto, int estilo, const QString& titulo) = 0;

    // Shows a modal input box; returns the typed text, or "" when cancelled.
    virtual QString entrada(const QString& pregunta, const QString& titulo,
                            const QString& predeterminado) = 0;

    // Lets the user pick a date; returns it as text in the workstation's short
    // date format, or "" when cancelled.
    virtual QString elegirFecha() = 0;
};

}  // namespace plataforma
