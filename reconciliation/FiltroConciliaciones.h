#pragma once

#include <QString>

namespace conciliacion {

// The WHERE part of the list's query, built step by step from the two filter
// texts and the three state boxes. The account and the date go into the
// statement as quoted literals with their single quotes doubled, so a typed
// quote can neither break the statement nor widen it.
class FiltroConciliaciones {
public:
    struct Opciones {
        QString cuenta;
        QString fecha;
        bool finalizadas = false;
        bool abiertasMomentaneamente = false;
        bool abiertas = false;
    };

    explicit FiltroConciliaciones(const Opciones& opciones);

    // The condition + " " + the state clause closed by ")" (nothing when no
    // state box is checked).
    QString texto() const;

    // A date as the workstation's date rules read it: "25/03/2024",
    // "25/3/2024", ISO form, and with other separators or a two-digit year
    // ("25/03/24", "25-03-2024").
    static bool esFechaValida(const QString& texto);

private:
    void agregarCuenta(const QString& cuenta);
    void agregarFecha(const QString& fecha);
    static QString literalDeFecha(const QString& fecha);
    void agregarFinalizadas();
    void agregarAbiertas();

    QString condicion_;
    QString clausulaEstado_;
};

}  // namespace conciliacion
