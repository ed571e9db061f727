#include "platform/ui/DialogosQt.h"

#include "platform/ado/FormatoRegional.h"
#include "platform/ui/SelectorFecha.h"

#include <QCoreApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <utility>
#include <vector>

namespace plataforma {

namespace {

// The run-time's default-button bits: first button unless one of these is set.
constexpr int SegundoBotonPredeterminado = 256;
constexpr int TercerBotonPredeterminado = 512;

struct Boton {
    const char* texto;
    int respuesta;
};

std::vector<Boton> botonesDelEstilo(int estilo) {
    switch (estilo & estilo::BotonesMascara) {
    case estilo::AceptarCancelar:
        return {{"Aceptar", respuesta::Aceptar}, {"Cancelar", respuesta::Cancelar}};
    case estilo::AbortarReintentarIgnorar:
        return {{"Abortar", respuesta::Abortar},
                {"Reintentar", respuesta::Reintentar},
                {"Ignorar", respuesta::Ignorar}};
    case estilo::SiNoCancelar:
        return {{"Sí", respuesta::Si}, {"No", respuesta::No}, {"Cancelar", respuesta::Cancelar}};
    case estilo::SiNo:
        return {{"Sí", respuesta::Si}, {"No", respuesta::No}};
    case estilo::ReintentarCancelar:
        return {{"Reintentar", respuesta::Reintentar}, {"Cancelar", respuesta::Cancelar}};
    default:
        return {{"Aceptar", respuesta::Aceptar}};
    }
}

QMessageBox::Icon iconoDelEstilo(int estilo) {
    switch (estilo & estilo::IconoMascara) {
    case estilo::Critico: return QMessageBox::Critical;
    case estilo::Pregunta: return QMessageBox::Question;
    case estilo::Exclamacion: return QMessageBox::Warning;
    case estilo::Informacion: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}

std::size_t botonPredeterminado(int estilo, std::size_t cantidad) {
    std::size_t indice = 0;
    if (estilo & TercerBotonPredeterminado) indice = 2;
    else if (estilo & SegundoBotonPredeterminado) indice = 1;
    return indice < cantidad ? indice : 0;
}

// The run-time's boxes have no title of their own: the program's name stands in.
QString tituloDeCaja(const QString& titulo) {
    return titulo.isEmpty() ? QCoreApplication::applicationName() : titulo;
}

}  // namespace

int DialogosQt::mensaje(const QString& texto, int estilo, const QString& titulo) {
    QMessageBox caja(iconoDelEstilo(estilo), tituloDeCaja(titulo), texto, QMessageBox::NoButton,
                     padre_);
    // All buttons share one role so that they keep the run-time's order; Esc
    // answers only where the run-time lets it: Cancel, or the lone OK.
    std::vector<std::pair<QPushButton*, int>> botones;
    for (const Boton& b : botonesDelEstilo(estilo)) {
        QPushButton* boton = caja.addButton(QString::fromUtf8(b.texto), QMessageBox::ActionRole);
        botones.emplace_back(boton, b.respuesta);
        if (b.respuesta == respuesta::Cancelar) caja.setEscapeButton(boton);
    }
    caja.setDefaultButton(botones[botonPredeterminado(estilo, botones.size())].first);
    caja.exec();
    for (const auto& [boton, codigo] : botones)
        if (caja.clickedButton() == boton) return codigo;
    return respuesta::Cancelar;
}

QString DialogosQt::entrada(const QString& pregunta, const QString& titulo,
                            const QString& predeterminado) {
    QInputDialog caja(padre_);
    caja.setWindowTitle(tituloDeCaja(titulo));
    caja.setLabelText(pregunta);
    caja.setTextValue(predeterminado);
    caja.setOkButtonText(QStringLiteral("Aceptar"));
    caja.setCancelButtonText(QStringLiteral("Cancelar"));
    if (caja.exec() != QDialog::Accepted) return {};
    return caja.textValue();
}

QString DialogosQt::elegirFecha() {
    SelectorFecha selector(padre_);
    if (selector.exec() != QDialog::Accepted) return {};
    return ado::FormatoRegional::textoFecha(selector.fecha());
}

}  // namespace plataforma
