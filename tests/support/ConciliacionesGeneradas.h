#pragma once

#include <QString>

namespace datos { class DB_Dll; }

namespace prueba {

// Replaces the reconciliations of a company database (the demo's, on the
// embedded engine or on the PostgreSQL server) with `cantidad` made up by a
// fixed rule, as a company that has kept them for years holds them: few
// accounts for many reconciliations, identifiers in the 15-character code
// form, Finalizada 1, 0 and NULL, periods missing here and there, and
// openings with ESTADO 1, 0, 2 and NULL, several for some reconciliations.
//
// With `variantes` the account values also come as the suite's data brings
// them: with trailing blanks, in the other letter case (an account of its own
// with its own description), without a description, or confidential (hidden
// from ordinary users). Meant for the embedded engine, whose codes compare
// with letter case as given.
//
// The accounts are written to MA_CUENTAS as "9.9.NN" / "Bco.NN" with the
// description "Cuenta generada NN". Raises plataforma::RuntimeError with the
// provider's message when a statement is refused.
class ConciliacionesGeneradas {
public:
    struct Opciones {
        int cantidad = 1000;
        int cuentas = 40;
        bool variantes = false;
    };

    static void cargar(datos::DB_Dll& sesion, const Opciones& opciones);

    // The account of one generated reconciliation as stored (untrimmed).
    static QString cuentaDe(int numero, const Opciones& opciones);
    // The date of one generated reconciliation, as ISO text.
    static QString fechaDe(int numero);
};

}  // namespace prueba
