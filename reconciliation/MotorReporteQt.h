#pragma once

#include "reconciliation/DocumentoConciliacion.h"
#include "session/utility_component/MotorReporte.h"

#include <QString>
#include <functional>
#include <optional>

class QPrintPreviewDialog;
class QWidget;

namespace plataforma { class Dialogos; }
namespace sesion { class Global; }

namespace conciliacion {

// The report engine of the program: reads the selected reconciliation through
// the main session, applies the formulas and shows the layout in a print
// preview window, from which the user prints it or saves it as PDF.
class MotorReporteQt : public utilidades::MotorReporte {
public:
    MotorReporteQt(sesion::Global& global, plataforma::Dialogos& dialogos, QWidget* padre = nullptr);

    void mostrar(const utilidades::PedidoReporte& pedido) override;

    // Shows the preview window; by default it runs it modally. Tests put in
    // their own, to look at the document and use the window's actions
    // without blocking.
    std::function<void(QPrintPreviewDialog&, const DocumentoConciliacion&)> mostrarVistaPrevia;
    // Asks where to save the PDF, proposing `propuesto`; "" when the user
    // cancels. By default a save file dialog.
    std::function<QString(const QString& propuesto)> elegirArchivoPdf;

    // Where the save dialog starts: "Conciliación <n>.pdf" in the user's
    // documents folder, or in the home folder when there is none.
    static QString archivoPdfPropuesto(const QString& identificador);

    // The last document prepared, for whoever looks after the showing.
    const std::optional<DocumentoConciliacion>& ultimoDocumento() const { return ultimo_; }

private:
    DocumentoConciliacion preparar(const utilidades::PedidoReporte& pedido);
    void leerConciliacion(const QString& seleccion, DocumentoConciliacion& documento);
    void aplicarFormulas(const utilidades::PedidoReporte& pedido, DocumentoConciliacion& documento) const;
    void vistaPrevia(const DocumentoConciliacion& documento, bool maximizada);
    void guardarComoPdf(const DocumentoConciliacion& documento);

    sesion::Global& global_;
    plataforma::Dialogos& dialogos_;
    QWidget* padre_;
    std::optional<DocumentoConciliacion> ultimo_;
};

}  // namespace conciliacion
