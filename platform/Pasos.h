#pragma once

#include "platform/RuntimeError.h"

#include <functional>
#include <initializer_list>

namespace plataforma {

// The two ways a routine of the program reacts to a failing step.
//
// With an error treatment: the error goes to `tratar`, which shows it and
// answers; 4 (retry) runs the failing step again, 5 (ignore) goes on with the
// next step, anything else leaves the routine. ejecutarPasos answers whether
// the routine ran to its end (false when the user chose to leave).
//
// In error-continuation mode: a failing step is skipped and the next one runs.
using Paso = std::function<void()>;
using TratamientoDeError = std::function<int(const RuntimeError&)>;

inline constexpr int RepetirPaso = 4;
inline constexpr int SeguirConElSiguiente = 5;
// An answer that is neither: the routine is left.
inline constexpr int Abandonar = 0;

inline bool ejecutarPaso(const Paso& paso, const TratamientoDeError& tratar) {
    for (;;) {
        try {
            paso();
            return true;
        } catch (const RuntimeError& error) {
            switch (tratar(error)) {
            case RepetirPaso: continue;
            case SeguirConElSiguiente: return true;
            default: return false;
            }
        }
    }
}

inline bool ejecutarPasos(std::initializer_list<Paso> pasos, const TratamientoDeError& tratar) {
    for (const Paso& paso : pasos)
        if (!ejecutarPaso(paso, tratar)) return false;
    return true;
}

// One step in error-continuation mode, called as it comes: for a step that
// runs very many times (a cell of a large grid), where making a Paso of it
// each time would cost as much as the step.
template <typename Llamable>
void ejecutarSaltandoError(Llamable&& paso) {
    try {
        paso();
    } catch (const RuntimeError&) {
    }
}

inline void ejecutarSaltandoErrores(std::initializer_list<Paso> pasos) {
    for (const Paso& paso : pasos) ejecutarSaltandoError(paso);
}

}  // namespace plataforma
