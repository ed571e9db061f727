#include "platform/ado/DialectoSqlite.h"

#include "platform/ado/FormatoRegional.h"

#include <QRegularExpression>
#include <QStringList>

namespace ado {

using Clase = LexicoSql::Clase;

QString DialectoSqlite::nombreCitado(const QString& interior) const {
    return u'"' + QString(interior).replace(u'"', QStringLiteral("\"\"")) + u'"';
}

std::optional<QString> DialectoSqlite::funcionRenombrada(const Token& t) const {
    if (t.es("ISNULL")) return QStringLiteral("IFNULL");
    if (t.es("SUBSTRING")) return QStringLiteral("SUBSTR");
    return std::nullopt;
}

std::optional<QString> DialectoSqlite::fechaIso(const QString& literal) {
    static const QRegularExpression forma(
        QStringLiteral(R"(^'\s*\d{1,4}[/.-]\d{1,2}[/.-]\d{1,4}(\s+\d{1,2}:\d{2}(:\d{2})?)?\s*'$)"));
    if (!forma.match(literal).hasMatch()) return std::nullopt;
    const QString interior = literal.mid(1, literal.size() - 2).trimmed();
    // ISO text is already what SQLite compares; only the regional order moves.
    if (QDate::fromString(interior.left(10), Qt::ISODate).isValid()) return std::nullopt;
    const QDateTime f = FormatoRegional::leerFechaHora(interior);
    if (!f.isValid()) return std::nullopt;
    return u'\'' + FormatoRegional::textoIso(f) + u'\'';
}

bool DialectoSqlite::esColumnaFecha(const QString& tabla, const QString& columna) const {
    if (!tipoDeclarado_) return false;
    const QString tipo = tipoDeclarado_(tabla, columna);
    return tipo.contains(QLatin1String("date"), Qt::CaseInsensitive) ||
           tipo.contains(QLatin1String("time"), Qt::CaseInsensitive);
}

void DialectoSqlite::fechasInsertadas(Tokens& tokens, qsizetype i, const QString& tabla) const {
    // INSERT INTO tabla (columnas) VALUES (valores)[, (valores)...]
    const auto n = static_cast<qsizetype>(tokens.size());
    if (i >= n || !tokens[i].simbolo("(")) return;
    QStringList columnas;
    const qsizetype finColumnas = cierre(tokens, i);
    for (qsizetype j = siguiente(tokens, i); j < finColumnas; j = siguiente(tokens, j)) {
        if (tokens[j].simbolo(",")) continue;
        columnas << nombreSimple(tokens, j);
    }
    qsizetype j = siguiente(tokens, finColumnas);
    if (j >= n || !tokens[j].es("VALUES")) return;
    for (j = siguiente(tokens, j); j < n && tokens[j].simbolo("("); j = siguiente(tokens, j)) {
        const qsizetype finValores = cierre(tokens, j);
        int posicion = 0, nivel = 0;
        for (qsizetype k = j + 1; k < finValores; ++k) {
            if (tokens[k].simbolo("(")) ++nivel;
            if (tokens[k].simbolo(")")) --nivel;
            if (nivel == 0 && tokens[k].simbolo(",")) ++posicion;
            if (nivel == 0 && tokens[k].clase == Clase::Cadena && posicion < columnas.size() &&
                esColumnaFecha(tabla, columnas[posicion]))
                tokens[k].texto = fechaIso(tokens[k].texto).value_or(tokens[k].texto);
        }
        j = siguiente(tokens, finValores);
        if (j >= n || !tokens[j].simbolo(",")) return;
    }
}

void DialectoSqlite::fechasAsignadas(Tokens& tokens, qsizetype i, const QString& tabla) const {
    // UPDATE tabla SET columna = 'valor', ... [WHERE ...]
    const auto n = static_cast<qsizetype>(tokens.size());
    if (i >= n || !tokens[i].es("SET")) return;
    for (qsizetype j = siguiente(tokens, i); j < n && !tokens[j].es("WHERE") && !tokens[j].es("FROM");
         j = siguiente(tokens, j)) {
        if (tokens[j].simbolo("(")) {
            j = cierre(tokens, j);
            continue;
        }
        if (tokens[j].clase != Clase::Palabra && tokens[j].clase != Clase::Nombre) continue;
        const QString columna = nombreSimple(tokens, j);
        const qsizetype igual = siguiente(tokens, j);
        const qsizetype valor = siguiente(tokens, igual);
        if (igual >= n || !tokens[igual].simbolo("=") || valor >= n || tokens[valor].clase != Clase::Cadena) continue;
        const qsizetype despues = siguiente(tokens, valor);
        const bool literalSolo = despues >= n || tokens[despues].simbolo(",") || tokens[despues].es("WHERE");
        if (literalSolo && esColumnaFecha(tabla, columna))
            tokens[valor].texto = fechaIso(tokens[valor].texto).value_or(tokens[valor].texto);
        j = valor;
    }
}

void DialectoSqlite::fechasAlmacenadas(Tokens& tokens) const {
    if (!tipoDeclarado_) return;
    const auto n = static_cast<qsizetype>(tokens.size());
    qsizetype i = siguiente(tokens, -1);
    if (i >= n) return;
    const bool insertar = tokens[i].es("INSERT");
    if (!insertar && !tokens[i].es("UPDATE")) return;
    i = siguiente(tokens, i);
    if (insertar && i < n && tokens[i].es("INTO")) i = siguiente(tokens, i);
    const QString tabla = nombreSimple(tokens, i);
    if (tabla.isEmpty()) return;
    i = siguiente(tokens, i);
    if (insertar) fechasInsertadas(tokens, i, tabla);
    else fechasAsignadas(tokens, i, tabla);
}

}  // namespace ado
