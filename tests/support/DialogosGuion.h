#pragma once

#include "platform/ui/Dialogos.h"

#include <QString>
#include <QStringList>
#include <deque>
#include <vector>

namespace prueba {

// Answers the program's message boxes, input boxes and date picker from a
// script, and remembers what was asked, so that a test plays the user.
class DialogosGuion : public plataforma::Dialogos {
public:
    struct Mensaje {
        QString texto;
        int estilo;
        QString titulo;
    };

    // Queue the answers, in the order the boxes will appear.
    void responder(int respuesta) { respuestas_.push_back(respuesta); }
    void escribir(const QString& texto) { entradas_.push_back(texto); }
    void elegir(const QString& fecha) { fechas_.push_back(fecha); }

    const std::vector<Mensaje>& mensajes() const { return mensajes_; }
    const QStringList& preguntas() const { return preguntas_; }

    // A box that the script did not expect gets the answer that gives up: OK,
    // Abort, No or Cancel by its style; tests check mensajes() to see it.
    int mensaje(const QString& texto, int estilo, const QString& titulo) override {
        mensajes_.push_back({texto, estilo, titulo});
        if (!respuestas_.empty()) {
            int r = respuestas_.front();
            respuestas_.pop_front();
            return r;
        }
        switch (estilo & plataforma::estilo::BotonesMascara) {
        case plataforma::estilo::AceptarCancelar: return plataforma::respuesta::Aceptar;
        case plataforma::estilo::AbortarReintentarIgnorar: return plataforma::respuesta::Abortar;
        case plataforma::estilo::SiNoCancelar:
        case plataforma::estilo::SiNo: return plataforma::respuesta::No;
        case plataforma::estilo::ReintentarCancelar: return plataforma::respuesta::Cancelar;
        default: return plataforma::respuesta::Aceptar;
        }
    }

    QString entrada(const QString& pregunta, const QString&, const QString&) override {
        preguntas_.push_back(pregunta);
        if (entradas_.empty()) return {};
        QString t = entradas_.front();
        entradas_.pop_front();
        return t;
    }

    QString elegirFecha() override {
        if (fechas_.empty()) return {};
        QString f = fechas_.front();
        fechas_.pop_front();
        return f;
    }

private:
    std::deque<int> respuestas_;
    std::deque<QString> entradas_;
    std::deque<QString> fechas_;
    std::vector<Mensaje> mensajes_;
    QStringList preguntas_;
};

}  // namespace prueba
