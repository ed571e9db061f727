#include "reconciliation/FiltroConciliaciones.h"

#include "data/LiteralesSql.h"
#include "platform/ado/FormatoRegional.h"

namespace conciliacion {

FiltroConciliaciones::FiltroConciliaciones(const Opciones& opciones) {
    agregarCuenta(opciones.cuenta);
    agregarFecha(opciones.fecha);
    if (opciones.finalizadas) agregarFinalizadas();
    if (opciones.abiertas) agregarAbiertas();
    // With both open boxes checked the open condition appears twice; the
    // query selects the same rows either way.
    if (opciones.abiertasMomentaneamente) agregarAbiertas();
}

void FiltroConciliaciones::agregarCuenta(const QString& cuenta) {
    const QString recortada = cuenta.trimmed();
    if (recortada.isEmpty()) return;
    condicion_ = QStringLiteral(" Where rtrim(Cuenta)='") + datos::comillasSql(recortada) + QStringLiteral("' ");
}

void FiltroConciliaciones::agregarFecha(const QString& fecha) {
    const QString valor = literalDeFecha(fecha);
    if (valor.isEmpty()) return;
    const QString literal = datos::comillasSql(valor);
    if (condicion_.trimmed().isEmpty())
        condicion_ = QStringLiteral(" Where MV_CONCILIACION_CAB.Fecha='") + literal + QStringLiteral("' ");
    else
        condicion_ += QStringLiteral(" and MV_CONCILIACION_CAB.Fecha='") + literal + QStringLiteral("' ");
}

void FiltroConciliaciones::agregarFinalizadas() {
    if (!clausulaEstado_.trimmed().isEmpty())
        clausulaEstado_ += QStringLiteral(" or Finalizada=1 ");
    else if (condicion_.trimmed().isEmpty())
        clausulaEstado_ = QStringLiteral(" Where (Finalizada=1 ");
    else
        clausulaEstado_ = QStringLiteral(" and (Finalizada=1 ");
}

void FiltroConciliaciones::agregarAbiertas() {
    if (!clausulaEstado_.trimmed().isEmpty())
        clausulaEstado_ += QStringLiteral(" or (Finalizada=0 or Finalizada is null) ");
    else if (condicion_.trimmed().isEmpty())
        clausulaEstado_ = QStringLiteral(" where ((Finalizada=0 or Finalizada is null) ");
    else
        clausulaEstado_ = QStringLiteral(" and ((Finalizada=0 or Finalizada is null) ");
}

QString FiltroConciliaciones::texto() const {
    const QString estado = clausulaEstado_.trimmed().isEmpty() ? QString() : clausulaEstado_ + QStringLiteral(")");
    return condicion_ + QStringLiteral(" ") + estado;
}

// The same rules by which the data layer reads a date literal, so that a date
// the filter accepts is one the engine compares as a date.
bool FiltroConciliaciones::esFechaValida(const QString& texto) { return !literalDeFecha(texto).isEmpty(); }

// A date the data layer reads as it stands goes as typed; one written with
// other separators or a two-digit year goes in the workstation's own form
// (dd/MM/yyyy under es_AR), which the engines read in the workstation's order.
// Empty when the text is no date.
QString FiltroConciliaciones::literalDeFecha(const QString& fecha) {
    const QString recortada = fecha.trimmed();
    if (recortada.isEmpty()) return QString();
    if (ado::FormatoRegional::leerFechaHora(recortada).isValid()) return recortada;
    const QDate escrita = ado::FormatoRegional::leerFechaEscrita(recortada);
    return escrita.isValid() ? ado::FormatoRegional::textoFecha(escrita) : QString();
}

}  // namespace conciliacion
