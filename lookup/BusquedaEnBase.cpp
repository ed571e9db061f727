#include "lookup/BusquedaEnBase.h"

#include "data/LiteralesSql.h"
#include "platform/FuncionesBasicas.h"

namespace consultas {

BusquedaEnBase::Resultado BusquedaEnBase::agregarCondicion(const QString& SQL, const QString& columna,
                                                           const QString& texto, Coincidencia coincidencia) {
    Resultado r;
    QString base = SQL;
    const qsizetype orden = SQL.indexOf(QStringLiteral("order by"), 0, Qt::CaseInsensitive);
    if (orden >= 0) {
        r.ParteOrden = SQL.mid(orden);
        base = SQL.left(orden);
    }
    // A grouping part carries any ordering after it: the condition goes
    // before both.
    const qsizetype grupo = SQL.indexOf(QStringLiteral("group by"), 0, Qt::CaseInsensitive);
    if (grupo >= 0) {
        r.ParteOrden = SQL.mid(grupo);
        base = SQL.left(grupo);
    }
    const QString union_ = plataforma::contiene(SQL, QStringLiteral("where")) ? QStringLiteral(" and ")
                                                                               : QStringLiteral(" where ");
    r.SQL = base + union_ + prefijoArticulos(base) + columna + QStringLiteral(" like '")
            + datos::comillasSql(patron(texto, coincidencia)) + QStringLiteral("' ") + r.ParteOrden;
    return r;
}

QString BusquedaEnBase::patron(const QString& texto, Coincidencia coincidencia) {
    switch (coincidencia) {
    case Coincidencia::EmpiezaCon: return texto + u'%';
    case Coincidencia::Contiene: return u'%' + texto + u'%';
    case Coincidencia::PalabrasEnOrden: return u'%' + QString(texto).replace(u' ', u'%') + u'%';
    }
    return texto;
}

QString BusquedaEnBase::prefijoArticulos(const QString& base) {
    if (plataforma::contiene(base, QStringLiteral("v_ma_articulos."))) return QStringLiteral("v_ma_articulos.");
    if (plataforma::contiene(base, QStringLiteral("stk_ma_articulos."))) return QStringLiteral("stk_ma_articulos.");
    return {};
}

}  // namespace consultas
