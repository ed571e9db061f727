#include "data/SentenciasAgregados.h"

#include "data/LiteralesSql.h"

namespace datos {

QString SentenciasAgregados::donde(const std::optional<QString>& condicion) {
    return condicion ? QStringLiteral(" WHERE ") + recortar(*condicion) : QString();
}

QString SentenciasAgregados::maximo(const QString& tabla, const QString& campo,
                                    const std::optional<QString>& condicion) {
    return QStringLiteral("SELECT MAX(") + campo + QStringLiteral(") AS MAYOR FROM ") + tabla + donde(condicion);
}

QString SentenciasAgregados::minimo(const QString& tabla, const QString& campo,
                                    const std::optional<QString>& condicion) {
    return QStringLiteral("SELECT MIN(") + campo + QStringLiteral(") AS MENOR FROM ") + tabla
           + QStringLiteral("  with(nolock) ") + donde(condicion);
}

QString SentenciasAgregados::ultimoCodigo(const QString& tabla, const QString& campo,
                                          const QString& condicion) {
    QString sentencia = QStringLiteral("SELECT MAX(") + campo + QStringLiteral(") AS MAYOR FROM ") + tabla;
    if (!recortar(condicion).isEmpty()) sentencia += QStringLiteral(" WHERE ") + condicion;
    return sentencia;
}

QString SentenciasAgregados::sinCodigosCero(const std::optional<QString>& condicion) {
    static const QString sinCero = QStringLiteral("substring(ltrim(idarticulo),1,1)<>'0'");
    if (!condicion || condicion->isEmpty()) return u' ' + sinCero;
    return *condicion + QStringLiteral(" and ") + sinCero;
}

QString SentenciasAgregados::textoDefault(const ado::Variant& valor) {
    switch (valor.tipo()) {
    case ado::Variant::Tipo::Entero:
    case ado::Variant::Tipo::Doble:
    case ado::Variant::Tipo::Importe: return numeroSql(valor.aDouble());
    default: return valor.texto();
    }
}

QString SentenciasAgregados::agregarCampo(const QString& tabla, const QString& campo, const QString& tipo,
                                          bool permiteNulos, const std::optional<ado::Variant>& valorDefault) {
    const QString nulos = permiteNulos ? QStringLiteral(" Null ") : QStringLiteral(" Not Null ");
    const QString predeterminado =
        valorDefault ? QStringLiteral(" CONSTRAINT DF_") + recortar(tabla) + u'_' + recortar(campo)
                           + QStringLiteral(" DEFAULT (") + textoDefault(*valorDefault) + u')'
                     : QString();
    return QStringLiteral("ALTER TABLE dbo.") + tabla + QStringLiteral(" ADD ") + campo + u' ' + tipo + nulos
           + predeterminado;
}

}  // namespace datos
