#include "data/SentenciasBusqueda.h"

#include "data/LiteralesSql.h"

namespace datos {

SentenciasBusqueda::Clase SentenciasBusqueda::clase(const ado::Variant& tipoDato) {
    switch (tipoDato.aEntero()) {
    case 8: return Clase::Texto;
    case 7: return Clase::Fecha;
    case 3:
    case 5:
    case 4: return Clase::Numero;
    default: return Clase::Otro;
    }
}

QString SentenciasBusqueda::union_(const QString& condicion) {
    return condicion.contains(QStringLiteral(" WHERE "), Qt::CaseInsensitive)
               ? QStringLiteral(" ")
               : QStringLiteral(" WHERE ");
}

QString SentenciasBusqueda::numero(const QString& valor) {
    return recortar(numeroSql(valorNumerico(valor)));
}

QString SentenciasBusqueda::existeEnTabla(const QString& tabla, const QString& valorBuscado,
                                          const QString& campo, const ado::Variant& tipoDato,
                                          const QString& condicion) {
    const QString desde = QStringLiteral("SELECT TOP 1 * FROM ") + tabla;
    if (!condicion.isEmpty())
        return desde + QStringLiteral(" with(nolock) ") + union_(condicion) + condicion;

    const QString donde = desde + QStringLiteral(" with(nolock)  WHERE ") + campo + QStringLiteral(" = ");
    switch (clase(tipoDato)) {
    case Clase::Texto:
        return QStringLiteral("SELECT TOP 1  * FROM ") + tabla
               + QStringLiteral(" with(nolock)  WHERE LTRIM(RTRIM(") + campo + QStringLiteral(")) ='")
               + comillasSql(recortar(valorBuscado)) + QStringLiteral("'");
    case Clase::Fecha: return donde + recortar(valorBuscado) + QStringLiteral(" ");
    case Clase::Numero: return donde + numero(valorBuscado);
    case Clase::Otro: break;
    }
    return donde + valorBuscado;
}

QString SentenciasBusqueda::existeEnTablaST(const QString& tabla, const QString& valorBuscado,
                                            const QString& campo, const ado::Variant& tipoDato,
                                            const QString& condicion) {
    const QString desde = QStringLiteral("SELECT * FROM ") + tabla;
    if (!condicion.isEmpty())
        return desde + QStringLiteral(" with(nolock)  ") + union_(condicion) + condicion;

    const QString donde = desde + QStringLiteral(" with(nolock)   WHERE ") + campo;
    switch (clase(tipoDato)) {
    case Clase::Texto: return donde + QStringLiteral(" ='") + comillasSql(valorBuscado) + QStringLiteral("'");
    case Clase::Fecha: return donde + QStringLiteral(" = ") + recortar(valorBuscado) + QStringLiteral(" ");
    case Clase::Numero: return donde + QStringLiteral(" = ") + numero(valorBuscado);
    case Clase::Otro: break;
    }
    return donde + QStringLiteral(" = ") + valorBuscado;
}

QString SentenciasBusqueda::datosTabla(const QString& tabla, const QString& valorBuscado,
                                       const QString& campo, const ado::Variant& tipoDato,
                                       const QString& condicion, bool usaTrim) {
    // The condition is added to the value test, not put in its place.
    const QString y = recortar(condicion).isEmpty() ? QString() : QStringLiteral(" AND ");
    const QString donde = QStringLiteral("SELECT TOP 1 * FROM ") + tabla + QStringLiteral(" with(nolock)  WHERE ");
    switch (clase(tipoDato)) {
    case Clase::Texto:
        if (usaTrim)
            return donde + QStringLiteral("LTRIM(RTRIM(") + campo + QStringLiteral(")) ='")
                   + comillasSql(recortar(valorBuscado)) + QStringLiteral("' ") + y + condicion;
        return donde + campo + QStringLiteral(" ='") + comillasSql(valorBuscado) + QStringLiteral("' ")
               + y + condicion;
    case Clase::Fecha:
        return donde + campo + QStringLiteral(" = #") + recortar(valorBuscado) + QStringLiteral("# ") + y
               + condicion;
    case Clase::Numero: return donde + campo + QStringLiteral(" = ") + numero(valorBuscado) + y + condicion;
    case Clase::Otro: break;
    }
    return donde + campo + QStringLiteral(" = ") + valorBuscado + y + condicion;
}

}  // namespace datos
