#include "data/DiccionarioOracle.h"

#include "data/LiteralesSql.h"
#include "data/ReconocedorFechas.h"
#include "platform/RuntimeError.h"
#include "session/utility_component/Utilidades.h"

#include <QList>
#include <QLocale>
#include <optional>

namespace datos {

namespace {

constexpr Qt::CaseSensitivity sinMayusculas = Qt::CaseInsensitive;

// The formats a date literal is written with: the date alone, and the date
// with the time of day when the literal carries one (a stamp written as
// midnight would lose the hour of an opening).
const QString FormatoOracleFecha = QStringLiteral("'DD/MM/YYYY'");
const QString FormatoOracleConHora = QStringLiteral("'DD/MM/YYYY HH24:MI:SS'");

QString aFecha(const QDate& fecha, const std::optional<QTime>& hora) {
    const QLocale c = QLocale::c();
    if (!hora)
        return QStringLiteral("TO_DATE('") + c.toString(fecha, QStringLiteral("dd/MM/yyyy")) + QStringLiteral("',")
               + FormatoOracleFecha + u')';
    return QStringLiteral("TO_DATE('") + c.toString(fecha, QStringLiteral("dd/MM/yyyy")) + u' '
           + c.toString(*hora, QStringLiteral("HH:mm:ss")) + QStringLiteral("',") + FormatoOracleConHora + u')';
}

QString reemplazado(QString texto, const QString& buscado, const QString& por) {
    return texto.replace(buscado, por, sinMayusculas);
}

// The arguments of a call whose "(" stands at `abre`: the texts between the
// commas that are outside quotes and nested parentheses, and the position of
// the closing ")". None when the parenthesis is never closed.
struct Argumentos {
    QStringList textos;
    qsizetype cierra = -1;
};

std::optional<Argumentos> argumentosDeLlamada(const QString& texto, qsizetype abre) {
    Argumentos resultado;
    int profundidad = 0;
    QChar comilla;  // the quote of the literal or name being read, if any
    qsizetype inicio = abre + 1;
    for (qsizetype i = abre + 1; i < texto.size(); ++i) {
        const QChar c = texto.at(i);
        if (!comilla.isNull()) {
            if (c == comilla) comilla = QChar();
            continue;
        }
        if (c == u'\'' || c == u'"') {
            comilla = c;
        } else if (c == u'(') {
            ++profundidad;
        } else if (c == u')') {
            if (profundidad == 0) {
                resultado.textos << texto.mid(inicio, i - inicio);
                resultado.cierra = i;
                return resultado;
            }
            --profundidad;
        } else if (c == u',' && profundidad == 0) {
            resultado.textos << texto.mid(inicio, i - inicio);
            inicio = i + 1;
        }
    }
    return std::nullopt;
}

}  // namespace

DiccionarioOracle::DiccionarioOracle(const utilidades::Utilidades& utilidades, QDate hoy)
    : utilidades_(utilidades), hoy_(hoy) {}

QString DiccionarioOracle::traducir(const QString& valor) const {
    // A single word: only the bare LEN function name has an Oracle form.
    if (utilidades_.contarPalabras(valor) < 2)
        return valor.toUpper() == QLatin1String("LEN") ? QStringLiteral("LENGTH") : valor;
    QString s = valor.contains(QStringLiteral("top "), sinMayusculas) ? top(valor) : valor;  // 1.
    s = len(s);             // 2.
    s = corchetes(s);       // 3.
    s = fechas(s);          // 4.
    s = charindex(s);       // 5.
    s = convert(s);         // 6. before 8, which finds the style inside the TO_CHAR made here
    s = textoVacio(s);      // 7.
    s = estiloFecha(s);     // 8.
    s = substring(s);       // 9.
    return isnull(s);       // 10.
}

// Reads the original text throughout, so later rules never see what it
// removed.
QString DiccionarioOracle::top(const QString& valor) {
    const qsizetype p = valor.indexOf(QStringLiteral("top"), 0, sinMayusculas);
    const QString prefijo = valor.left(p);
    const QString despues = recortar(valor.mid(p + 3));
    // The count keeps the blank that ends it; without one it is empty and the
    // body is all that follows.
    const qsizetype blanco = despues.indexOf(u' ');
    const QString cantidad = despues.left(blanco + 1);
    QString cuerpo = despues.mid(blanco + 1);

    // The grouping goes behind the condition with its leading blank moved to
    // its end; an ordering alone goes as written.
    QString cola;
    const qsizetype grupo = valor.indexOf(QStringLiteral(" GROUP BY "), 0, sinMayusculas);
    const qsizetype orden = valor.indexOf(QStringLiteral("ORDER BY "), 0, sinMayusculas);
    if (grupo >= 0)
        cola = valor.mid(grupo + 1) + u' ';
    else if (orden >= 0)
        cola = valor.mid(orden);

    const QString condicion = (valor.contains(QStringLiteral(" WHERE "), sinMayusculas)
                                   ? QStringLiteral(" AND ROWNUM <= ")
                                   : QStringLiteral(" WHERE ROWNUM <= "))
                              + cantidad;
    const QString colaRecortada = recortar(cola);
    if (!colaRecortada.isEmpty()) cuerpo.replace(colaRecortada, QStringLiteral(" "), sinMayusculas);
    return prefijo + u' ' + cuerpo + u' ' + condicion + u' ' + cola;
}

QString DiccionarioOracle::len(QString texto) {
    for (const char* forma : {" LEN(", " LEN (", " LEN  (", " LEN   (", " LEN    ("})
        texto.replace(QLatin1String(forma), QStringLiteral(" LENGTH("), sinMayusculas);
    return texto;
}

QString DiccionarioOracle::corchetes(QString texto) {
    texto.replace(u'[', u'"');
    texto.replace(u']', u'"');
    return texto;
}

// Quotes are paired from the left; each pair's content that reads as a date
// is replaced, everywhere in the result, by its TO_DATE form. A date already
// inside a TO_DATE comes out nested and is folded back.
QString DiccionarioOracle::fechas(const QString& texto) const {
    QString resultado = texto;
    qsizetype desde = 0;
    for (;;) {
        const qsizetype abre = texto.indexOf(u'\'', desde);
        if (abre < 0) break;
        const qsizetype cierra = texto.indexOf(u'\'', abre + 1);
        if (cierra < 0)
            throw plataforma::RuntimeError(plataforma::numero::ArgumentoInvalido,
                                           QStringLiteral("Llamada a procedimiento o argumento no válido"));
        const QString literal = texto.mid(abre + 1, cierra - abre - 1);
        if (const std::optional<QDate> fecha = ReconocedorFechas::fecha(literal, hoy_))
            resultado.replace(u'\'' + literal + u'\'', aFecha(*fecha, ReconocedorFechas::hora(literal, hoy_)),
                              sinMayusculas);
        desde = cierra + 1;
    }
    while (resultado.contains(QStringLiteral("TO_DATE(TO_DATE("), sinMayusculas)) {
        resultado.replace(QStringLiteral("TO_DATE(TO_DATE("), QStringLiteral("TO_DATE("), sinMayusculas);
        for (const QString& formato : {FormatoOracleFecha, FormatoOracleConHora})
            resultado.replace(formato + QStringLiteral("),") + formato + u')', formato + u')', sinMayusculas);
    }
    return resultado;
}

// From the last call to the first, so a call nested in another's arguments is
// already rewritten when the outer one swaps them.
QString DiccionarioOracle::charindex(const QString& texto) {
    static const QString nombre = QStringLiteral("Charindex");
    QList<qsizetype> posiciones;
    for (qsizetype p = texto.indexOf(nombre, 0, sinMayusculas); p >= 0;
         p = texto.indexOf(nombre, p + nombre.size(), sinMayusculas))
        posiciones << p;

    QString resultado = texto;
    for (auto it = posiciones.crbegin(); it != posiciones.crend(); ++it) {
        const qsizetype p = *it;
        resultado.replace(p, nombre.size(), QStringLiteral("InStr"));
        qsizetype abre = p + 5;
        while (abre < resultado.size() && resultado.at(abre) == u' ') ++abre;
        if (abre >= resultado.size() || resultado.at(abre) != u'(') continue;
        const std::optional<Argumentos> argumentos = argumentosDeLlamada(resultado, abre);
        if (!argumentos || argumentos->textos.size() < 2 || argumentos->textos.size() > 3) continue;
        const QStringList& a = argumentos->textos;
        QString llamada = a[1].trimmed() + QStringLiteral(", ") + a[0].trimmed();
        if (a.size() == 3) llamada += QStringLiteral(", ") + a[2].trimmed();
        resultado.replace(abre + 1, argumentos->cierra - abre - 1, llamada);
    }
    return resultado;
}

QString DiccionarioOracle::convert(QString texto) {
    texto.replace(QStringLiteral("CONVERT(NVARCHAR,"), QStringLiteral("TO_CHAR("), sinMayusculas);
    texto.replace(QStringLiteral("CONVERT(INT,"), QStringLiteral("TO_NUMBER("), sinMayusculas);
    return texto;
}

// A comparison with the empty text in the select list stays as it is.
QString DiccionarioOracle::textoVacio(const QString& texto) {
    const qsizetype donde = texto.indexOf(QStringLiteral("WHERE "), 0, sinMayusculas);
    if (donde < 0) return texto;
    const QString condiciones = reemplazado(reemplazado(texto.mid(donde), QStringLiteral("= ''"),
                                                        QStringLiteral(" IS NULL ")),
                                            QStringLiteral("=''"), QStringLiteral(" IS NULL "));
    return texto.left(donde) + condiciones;
}

QString DiccionarioOracle::estiloFecha(QString texto) {
    static const QString estilo = QStringLiteral("103");
    static const QString formato = QStringLiteral("'DD/MM/YYYY'");
    static const QString toChar = QStringLiteral("TO_CHAR(");
    qsizetype desde = 0;
    for (qsizetype p = texto.indexOf(estilo, desde); p >= 0; p = texto.indexOf(estilo, desde)) {
        const qsizetype abre = texto.lastIndexOf(u'(', p);
        const qsizetype inicio = abre - (toChar.size() - 1);
        if (abre >= 0 && inicio >= 0 && texto.mid(inicio, toChar.size()).compare(toChar, sinMayusculas) == 0) {
            texto.replace(p, estilo.size(), formato);
            desde = p + formato.size();
        } else {
            desde = p + estilo.size();
        }
    }
    return texto;
}

QString DiccionarioOracle::substring(QString texto) {
    return texto.replace(QStringLiteral("SUBSTRING("), QStringLiteral("SUBSTR("), sinMayusculas);
}

QString DiccionarioOracle::isnull(QString texto) {
    return texto.replace(QStringLiteral("ISNULL("), QStringLiteral("NVL("), sinMayusculas);
}

}  // namespace datos
