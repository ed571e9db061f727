#pragma once

#include <QString>

namespace consultas {

// A new database search (F5 in a lookup window, list or tree): the loaded
// statement narrowed by one more condition on the searched column. The
// condition goes before the statement's ordering or grouping part, so the
// rows keep their order; repeated searches add " and " conditions.
class BusquedaEnBase {
public:
    // How the typed text must occur in the column.
    enum class Coincidencia {
        EmpiezaCon,       // 'text%': "*" already turned into "%" by the window
        Contiene,         // '%text%'
        PalabrasEnOrden,  // '%w1%w2%': every typed word, in the typed order
    };

    struct Resultado {
        QString SQL;         // the narrowed statement
        QString ParteOrden;  // the ordering (or grouping) part it kept at its end
    };

    static Resultado agregarCondicion(const QString& SQL, const QString& columna, const QString& texto,
                                      Coincidencia coincidencia);

private:
    static QString patron(const QString& texto, Coincidencia coincidencia);
    // "stk_ma_articulos." or "v_ma_articulos." when the statement names the
    // article views' columns that way (the column alone would be ambiguous).
    static QString prefijoArticulos(const QString& base);
};

}  // namespace consultas
