#include "platform/ado/DialectoSqlite.h"

#include "platform/ado/FormatoRegional.h"

#include <QRegularExpression>
#include <QStringList>

namespace ado {

namespace {

using Token = LexicoSql::Token;
using Clase = LexicoSql::Clase;

Token palabra(const QString& t) { return {Clase::Palabra, t}; }
Token simbolo(const QString& t) { return {Clase::Simbolo, t}; }
Token espacio() { return {Clase::Espacio, QStringLiteral(" ")}; }

std::vector<Token> sinBlancosExtremos(std::vector<Token> tokens) {
    while (!tokens.empty() && tokens.front().clase == Clase::Espacio) tokens.erase(tokens.begin());
    while (!tokens.empty() && tokens.back().clase == Clase::Espacio) tokens.pop_back();
    return tokens;
}

const Token* ultimoSignificativo(const std::vector<Token>& salida) {
    for (auto it = salida.rbegin(); it != salida.rend(); ++it)
        if (it->significativo()) return &*it;
    return nullptr;
}

bool esComparacion(const Token& t) {
    return t.simbolo("=") || t.simbolo("<>") || t.simbolo("!=") || t.simbolo("<") || t.simbolo(">") ||
           t.simbolo("<=") || t.simbolo(">=");
}

QString nombreSqlite(const QString& corchetes) {
    QString interior = corchetes.mid(1, corchetes.size() - 2).replace(QStringLiteral("]]"), QStringLiteral("]"));
    return u'"' + interior.replace(u'"', QStringLiteral("\"\"")) + u'"';
}

// The name a SQL Server function has in SQLite, for those that only differ
// in name.
std::optional<QString> funcionRenombrada(const Token& t) {
    if (t.es("ISNULL")) return QStringLiteral("IFNULL");
    if (t.es("LEN")) return QStringLiteral("LENGTH");
    if (t.es("SUBSTRING")) return QStringLiteral("SUBSTR");
    return std::nullopt;
}

}  // namespace

qsizetype DialectoSqlite::siguiente(const Tokens& tokens, qsizetype i) {
    for (qsizetype j = i + 1; j < static_cast<qsizetype>(tokens.size()); ++j)
        if (tokens[j].significativo()) return j;
    return static_cast<qsizetype>(tokens.size());
}

qsizetype DialectoSqlite::cierre(const Tokens& tokens, qsizetype abre) {
    int nivel = 0;
    for (qsizetype j = abre; j < static_cast<qsizetype>(tokens.size()); ++j) {
        if (tokens[j].simbolo("(")) ++nivel;
        if (tokens[j].simbolo(")") && --nivel == 0) return j;
    }
    return static_cast<qsizetype>(tokens.size());
}

bool DialectoSqlite::esSugerencia(const Tokens& tokens, qsizetype abre, qsizetype cierra) {
    bool alguna = false;
    for (qsizetype j = abre + 1; j < cierra; ++j) {
        const Token& t = tokens[j];
        if (!t.significativo() || t.simbolo(",")) continue;
        if (!(t.es("NOLOCK") || t.es("READUNCOMMITTED") || t.es("ROWLOCK") || t.es("UPDLOCK") ||
              t.es("HOLDLOCK") || t.es("READPAST") || t.es("TABLOCK") || t.es("PAGLOCK")))
            return false;
        alguna = true;
    }
    return alguna;
}

void DialectoSqlite::quitarDueno(Tokens& tokens) {
    const auto esDueno = [](const Token& t) {
        if (t.es("DBO")) return true;
        return t.clase == Clase::Nombre && t.texto.size() == 5 &&
               t.texto.mid(1, 3).compare(QLatin1String("dbo"), Qt::CaseInsensitive) == 0;
    };
    const auto esNombre = [](const Token& t) { return t.clase == Clase::Palabra || t.clase == Clase::Nombre; };
    const auto n = [&tokens] { return static_cast<qsizetype>(tokens.size()); };
    for (qsizetype i = 0; i < n(); ++i) {
        if (!esDueno(tokens[i])) continue;
        // "base.dbo.X" names another database: not this engine's to mend.
        qsizetype antes = i - 1;
        while (antes >= 0 && !tokens[antes].significativo()) --antes;
        if (antes >= 0 && tokens[antes].simbolo(".")) continue;
        const qsizetype punto = siguiente(tokens, i);
        if (punto >= n() || !tokens[punto].simbolo(".")) continue;
        const qsizetype nombre = siguiente(tokens, punto);
        if (nombre >= n() || !esNombre(tokens[nombre])) continue;
        tokens.erase(tokens.begin() + i, tokens.begin() + nombre);
    }
}

void DialectoSqlite::quitarSugerencias(Tokens& tokens) {
    for (qsizetype i = 0; i < static_cast<qsizetype>(tokens.size()); ++i) {
        qsizetype abre = -1, desde = i;
        if (tokens[i].es("WITH")) {
            const qsizetype j = siguiente(tokens, i);
            if (j < static_cast<qsizetype>(tokens.size()) && tokens[j].simbolo("(")) abre = j;
        } else if (tokens[i].simbolo("(")) {
            abre = i;  // the old form without WITH: "tabla (nolock)"
        }
        if (abre < 0) continue;
        const qsizetype cierra = cierre(tokens, abre);
        if (cierra >= static_cast<qsizetype>(tokens.size()) || !esSugerencia(tokens, abre, cierra)) continue;
        tokens.erase(tokens.begin() + desde, tokens.begin() + cierra + 1);
        --i;
    }
}

void DialectoSqlite::invertirCharindex(Tokens& tokens) {
    // From the last one back, so that one nested in the arguments of another
    // is already rewritten when the outer one moves it.
    for (qsizetype i = static_cast<qsizetype>(tokens.size()) - 1; i >= 0; --i) {
        if (!tokens[i].es("CHARINDEX")) continue;
        const qsizetype abre = siguiente(tokens, i);
        if (abre >= static_cast<qsizetype>(tokens.size()) || !tokens[abre].simbolo("(")) continue;
        const qsizetype cierra = cierre(tokens, abre);
        if (cierra >= static_cast<qsizetype>(tokens.size())) continue;
        std::vector<Tokens> argumentos(1);
        int nivel = 0;
        for (qsizetype j = abre + 1; j < cierra; ++j) {
            if (tokens[j].simbolo("(")) ++nivel;
            if (tokens[j].simbolo(")")) --nivel;
            if (nivel == 0 && tokens[j].simbolo(",")) argumentos.emplace_back();
            else argumentos.back().push_back(tokens[j]);
        }
        if (argumentos.size() != 2) continue;  // with a start position INSTR has no equal
        Tokens nuevo{palabra(QStringLiteral("INSTR")), simbolo(QStringLiteral("("))};
        // The arguments keep their tokens, so that the rest of the
        // rewriting still reaches inside them.
        const Tokens segundo = sinBlancosExtremos(argumentos[1]), primero = sinBlancosExtremos(argumentos[0]);
        nuevo.insert(nuevo.end(), segundo.begin(), segundo.end());
        nuevo.push_back(simbolo(QStringLiteral(",")));
        nuevo.push_back(espacio());
        nuevo.insert(nuevo.end(), primero.begin(), primero.end());
        nuevo.push_back(simbolo(QStringLiteral(")")));
        tokens.erase(tokens.begin() + i, tokens.begin() + cierra + 1);
        tokens.insert(tokens.begin() + i, nuevo.begin(), nuevo.end());
    }
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

std::optional<qsizetype> DialectoSqlite::quitarTop(const Tokens& tokens, qsizetype top, Nivel& nivel) {
    const auto n = static_cast<qsizetype>(tokens.size());
    const qsizetype k = siguiente(tokens, top);
    QString cantidad;
    qsizetype fin = k;
    if (k < n && tokens[k].clase == Clase::Numero) {
        cantidad = tokens[k].texto;
    } else if (k < n && tokens[k].simbolo("(")) {
        fin = cierre(tokens, k);
        cantidad = LexicoSql::unir(Tokens(tokens.begin() + k + 1, tokens.begin() + std::min(fin, n))).trimmed();
    }
    if (cantidad.isEmpty() || fin >= n) return std::nullopt;
    const qsizetype despues = siguiente(tokens, fin);
    const bool porcentaje = despues < n && tokens[despues].es("PERCENT");
    // Only the whole (100 PERCENT) has a LIMIT of its own: none.
    if (porcentaje && cantidad != QLatin1String("100")) return std::nullopt;
    if (porcentaje) fin = despues;
    else nivel.limite = cantidad;
    const qsizetype con = siguiente(tokens, fin);
    if (con < n && tokens[con].es("WITH") && siguiente(tokens, con) < n && tokens[siguiente(tokens, con)].es("TIES"))
        fin = siguiente(tokens, con);
    return fin;
}

bool DialectoSqlite::esComparada(const LexicoSql::Token* anterior, const Nivel& nivel, bool andDeBetween) {
    if (!anterior) return false;
    if (esComparacion(*anterior)) return !(anterior->simbolo("=") && nivel.enSet);  // SET a = '...' stores
    return anterior->es("BETWEEN") || andDeBetween ||
           (nivel.listaIn && (anterior->simbolo("(") || anterior->simbolo(",")));
}

DialectoSqlite::Tokens DialectoSqlite::transformar(const Tokens& tokens) {
    Tokens salida;
    std::vector<Nivel> niveles(1);
    bool andDeBetween = false;  // the last significant token is the AND of a BETWEEN
    const auto n = static_cast<qsizetype>(tokens.size());
    for (qsizetype i = 0; i < n; ++i) {
        const Token& t = tokens[i];
        Nivel& nivel = niveles.back();
        const Token* anterior = ultimoSignificativo(salida);
        bool esAndDeBetween = false;

        if (t.simbolo("(")) {
            Nivel nuevo;
            nuevo.listaIn = anterior && anterior->es("IN");
            salida.push_back(t);
            niveles.push_back(nuevo);
            continue;
        }
        if (t.simbolo(")") && niveles.size() > 1) {
            if (nivel.limite) salida.push_back({Clase::Palabra, QStringLiteral(" LIMIT ") + *nivel.limite});
            niveles.pop_back();
            salida.push_back(t);
            andDeBetween = false;
            continue;
        }
        if (t.es("SELECT")) {
            salida.push_back(t);
            qsizetype j = siguiente(tokens, i);
            if (j < n && (tokens[j].es("DISTINCT") || tokens[j].es("ALL"))) {
                for (qsizetype k = i + 1; k <= j; ++k) salida.push_back(tokens[k]);
                i = j;
                j = siguiente(tokens, i);
            }
            // TOP n goes, with the blank before it; the blank after it stays.
            if (j < n && tokens[j].es("TOP")) i = quitarTop(tokens, j, nivel).value_or(i);
            continue;
        }
        if (t.es("SET")) nivel.enSet = true;
        if (t.es("WHERE") || t.es("FROM")) nivel.enSet = false;
        if (t.es("BETWEEN")) nivel.entreBetween = true;
        if (t.es("AND") && nivel.entreBetween) {
            nivel.entreBetween = false;
            esAndDeBetween = true;
        }
        if (t.clase == Clase::Nombre && t.texto.startsWith(u'[')) {
            salida.push_back({Clase::Nombre, nombreSqlite(t.texto)});
        } else if (t.es("N") && i + 1 < n && tokens[i + 1].clase == Clase::Cadena) {
            // N'...' (a Unicode literal): every SQLite text is Unicode.
        } else if (t.clase == Clase::Cadena && esComparada(anterior, nivel, andDeBetween)) {
            // Only a compared literal is a date to the program: text stored
            // through VALUES or SET keeps exactly what the user wrote.
            salida.push_back({Clase::Cadena, fechaIso(t.texto).value_or(t.texto)});
        } else if (t.clase == Clase::Palabra && siguiente(tokens, i) < n && tokens[siguiente(tokens, i)].simbolo("(")) {
            const qsizetype abre = siguiente(tokens, i);
            if (t.es("GETDATE") && siguiente(tokens, abre) < n && tokens[siguiente(tokens, abre)].simbolo(")")) {
                // Local time, as the server's clock reads; SQLite's
                // CURRENT_TIMESTAMP would be UTC.
                salida.push_back(palabra(QStringLiteral("datetime('now', 'localtime')")));
                i = siguiente(tokens, abre);
            } else {
                salida.push_back(funcionRenombrada(t) ? palabra(*funcionRenombrada(t)) : t);
            }
        } else {
            salida.push_back(t);
        }
        if (t.significativo()) andDeBetween = esAndDeBetween;
    }
    if (niveles.front().limite) {
        // Before the blanks, comments and semicolons that end the text.
        auto fin = salida.end();
        while (fin != salida.begin() && (!(fin - 1)->significativo() || (fin - 1)->simbolo(";"))) --fin;
        salida.insert(fin, {Clase::Palabra, QStringLiteral(" LIMIT ") + *niveles.front().limite});
    }
    return salida;
}

// The name at i (perhaps owner.name, quoted or not): its last part without
// quotes; i ends on its last token.
QString DialectoSqlite::nombreSimple(const Tokens& tokens, qsizetype& i) {
    const auto n = static_cast<qsizetype>(tokens.size());
    QString nombre;
    for (; i < n; i = siguiente(tokens, i)) {
        const Token& t = tokens[i];
        if (t.clase == Clase::Nombre) nombre = t.texto.mid(1, t.texto.size() - 2);
        else if (t.clase == Clase::Palabra) nombre = t.texto;
        else return nombre;
        const qsizetype punto = siguiente(tokens, i);
        if (punto >= n || !tokens[punto].simbolo(".")) return nombre;
        i = punto;
    }
    return nombre;
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

QString DialectoSqlite::reescribir(const QString& sentencia) const {
    Tokens tokens = LexicoSql::separar(sentencia);
    quitarDueno(tokens);
    fechasAlmacenadas(tokens);
    quitarSugerencias(tokens);
    invertirCharindex(tokens);
    return LexicoSql::unir(transformar(tokens));
}

}  // namespace ado
