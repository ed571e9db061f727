#include "platform/ado/DialectoSql.h"

namespace ado {

namespace {

using Clase = LexicoSql::Clase;
using Token = LexicoSql::Token;

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

// Whether a quoted name ends with its closing quote: a doubled one is part of
// the name, so "[a]]" (a text cut short) is still open.
bool nombreCerrado(const QString& citado, QChar cierre) {
    qsizetype finales = 0;
    while (finales < citado.size() - 1 && citado[citado.size() - 1 - finales] == cierre) ++finales;
    return finales % 2 == 1;
}

// The content of a quoted name: [a]]b] is a]b, "a""b" is a"b. A name never
// closed is everything after its opening quote, so that no character of the
// statement goes (a quote lost there would unbalance the text).
QString interiorDelNombre(const QString& citado) {
    const QChar cierre = citado.startsWith(u'[') ? QChar(u']') : QChar(u'"');
    const QString interior = citado.mid(1, citado.size() - (nombreCerrado(citado, cierre) ? 2 : 1));
    if (citado.startsWith(u'[')) return QString(interior).replace(QStringLiteral("]]"), QStringLiteral("]"));
    return QString(interior).replace(QStringLiteral("\"\""), QStringLiteral("\""));
}

bool esLiteralDeTexto(const std::vector<Token>& tokens, qsizetype inicio) {
    return tokens[inicio].clase == Clase::Cadena ||
           (tokens[inicio].es("N") && inicio + 1 < static_cast<qsizetype>(tokens.size()) &&
            tokens[inicio + 1].clase == Clase::Cadena);
}

}  // namespace

qsizetype DialectoSql::siguiente(const Tokens& tokens, qsizetype i) {
    for (qsizetype j = i + 1; j < static_cast<qsizetype>(tokens.size()); ++j)
        if (tokens[j].significativo()) return j;
    return static_cast<qsizetype>(tokens.size());
}

qsizetype DialectoSql::anterior(const Tokens& tokens, qsizetype i) {
    for (qsizetype j = i - 1; j >= 0; --j)
        if (tokens[j].significativo()) return j;
    return -1;
}

qsizetype DialectoSql::cierre(const Tokens& tokens, qsizetype abre) {
    int nivel = 0;
    for (qsizetype j = abre; j < static_cast<qsizetype>(tokens.size()); ++j) {
        if (tokens[j].simbolo("(")) ++nivel;
        if (tokens[j].simbolo(")") && --nivel == 0) return j;
    }
    return static_cast<qsizetype>(tokens.size());
}

std::optional<DialectoSql::Parentesis> DialectoSql::llamada(const Tokens& tokens, qsizetype i, const char* funcion) {
    const auto n = static_cast<qsizetype>(tokens.size());
    if (!tokens[i].es(funcion)) return std::nullopt;
    const qsizetype abre = siguiente(tokens, i);
    if (abre >= n || !tokens[abre].simbolo("(")) return std::nullopt;
    const qsizetype cierra = cierre(tokens, abre);
    if (cierra >= n) return std::nullopt;
    return Parentesis{abre, cierra};
}

std::vector<DialectoSql::Tokens> DialectoSql::argumentos(const Tokens& tokens, qsizetype abre, qsizetype cierra) {
    std::vector<Tokens> lista(1);
    int nivel = 0;
    for (qsizetype j = abre + 1; j < cierra; ++j) {
        if (tokens[j].simbolo("(")) ++nivel;
        if (tokens[j].simbolo(")")) --nivel;
        if (nivel == 0 && tokens[j].simbolo(",")) lista.emplace_back();
        else lista.back().push_back(tokens[j]);
    }
    for (Tokens& a : lista) a = sinBlancosExtremos(std::move(a));
    return lista;
}

QString DialectoSql::nombreSimple(const Tokens& tokens, qsizetype& i) {
    const auto n = static_cast<qsizetype>(tokens.size());
    QString nombre;
    for (; i < n; i = siguiente(tokens, i)) {
        const Token& t = tokens[i];
        if (t.clase == Clase::Nombre) nombre = interiorDelNombre(t.texto);
        else if (t.clase == Clase::Palabra) nombre = t.texto;
        else return nombre;
        const qsizetype punto = siguiente(tokens, i);
        if (punto >= n || !tokens[punto].simbolo(".")) return nombre;
        i = punto;
    }
    return nombre;
}

void DialectoSql::quitarDueno(Tokens& tokens) {
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
        const qsizetype antes = anterior(tokens, i);
        if (antes >= 0 && tokens[antes].simbolo(".")) continue;
        const qsizetype punto = siguiente(tokens, i);
        if (punto >= n() || !tokens[punto].simbolo(".")) continue;
        const qsizetype nombre = siguiente(tokens, punto);
        if (nombre >= n() || !esNombre(tokens[nombre])) continue;
        tokens.erase(tokens.begin() + i, tokens.begin() + nombre);
    }
}

bool DialectoSql::esSugerencia(const Tokens& tokens, qsizetype abre, qsizetype cierra) {
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

void DialectoSql::quitarSugerencias(Tokens& tokens) {
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

qsizetype DialectoSql::finDeOperando(const Tokens& tokens, qsizetype i) {
    const auto n = static_cast<qsizetype>(tokens.size());
    if (i < 0 || i >= n) return -1;
    const Token& t = tokens[i];
    if (t.clase == Clase::Cadena || t.clase == Clase::Numero) return i;
    if (esLiteralDeTexto(tokens, i)) return i + 1;
    if (t.simbolo("(")) return cierre(tokens, i) < n ? cierre(tokens, i) : -1;
    if (t.clase != Clase::Palabra && t.clase != Clase::Nombre) return -1;
    // a name, perhaps qualified, perhaps called
    qsizetype fin = i;
    for (qsizetype punto = siguiente(tokens, fin); punto < n && tokens[punto].simbolo(".");
         punto = siguiente(tokens, fin)) {
        const qsizetype parte = siguiente(tokens, punto);
        if (parte >= n || (tokens[parte].clase != Clase::Palabra && tokens[parte].clase != Clase::Nombre)) break;
        fin = parte;
    }
    const qsizetype abre = siguiente(tokens, fin);
    if (abre < n && tokens[abre].simbolo("(") && tokens[fin].clase == Clase::Palabra) {
        const qsizetype cierra = cierre(tokens, abre);
        if (cierra < n) fin = cierra;
    }
    return fin;
}

void DialectoSql::concatenaciones(Tokens& tokens) {
    // A chain "a + b + ..." in which some operand is a text (a literal, or a
    // group already found to join texts) and none a number (SQL Server would
    // then add) joins texts: these engines' "+" only adds numbers. From the
    // last operand back, so that a group is decided before the chain it is in.
    const auto n = static_cast<qsizetype>(tokens.size());
    const auto esTexto = [&tokens](qsizetype inicio, qsizetype fin) {
        if (esLiteralDeTexto(tokens, inicio)) return true;
        if (!tokens[inicio].simbolo("(")) return false;
        int nivel = 0;
        for (qsizetype k = inicio; k <= fin; ++k) {
            if (tokens[k].simbolo("(")) ++nivel;
            if (tokens[k].simbolo(")")) --nivel;
            if (nivel == 1 && tokens[k].simbolo("||")) return true;
        }
        return false;
    };
    for (qsizetype i = n - 1; i >= 0; --i) {
        qsizetype fin = finDeOperando(tokens, i);
        if (fin < 0) continue;
        bool deTexto = esTexto(i, fin), deNumeros = tokens[i].clase == Clase::Numero;
        std::vector<qsizetype> signos;
        for (qsizetype mas = siguiente(tokens, fin); mas < n && tokens[mas].simbolo("+"); mas = siguiente(tokens, fin)) {
            const qsizetype operando = siguiente(tokens, mas);
            const qsizetype finOperando = finDeOperando(tokens, operando);
            if (finOperando < 0) break;
            signos.push_back(mas);
            deTexto = deTexto || esTexto(operando, finOperando);
            deNumeros = deNumeros || tokens[operando].clase == Clase::Numero;
            fin = finOperando;
        }
        if (!deTexto || deNumeros) continue;
        for (qsizetype s : signos) tokens[s] = simbolo(QStringLiteral("||"));
    }
}

void DialectoSql::largos(Tokens& tokens) {
    // SQL Server's LEN does not count trailing blanks.
    for (qsizetype i = static_cast<qsizetype>(tokens.size()) - 1; i >= 0; --i) {
        const auto p = llamada(tokens, i, "LEN");
        if (!p) continue;
        tokens.insert(tokens.begin() + p->cierra, simbolo(QStringLiteral(")")));
        tokens.insert(tokens.begin() + p->abre + 1, {palabra(QStringLiteral("RTRIM")), simbolo(QStringLiteral("("))});
        tokens[i] = palabra(QStringLiteral("LENGTH"));
    }
}

void DialectoSql::invertirCharindex(Tokens& tokens) const {
    // From the last one back, so that one nested in the arguments of another
    // is already rewritten when the outer one moves it.
    for (qsizetype i = static_cast<qsizetype>(tokens.size()) - 1; i >= 0; --i) {
        const auto p = llamada(tokens, i, "CHARINDEX");
        if (!p) continue;
        const qsizetype cierra = p->cierra;
        const std::vector<Tokens> args = argumentos(tokens, p->abre, cierra);
        if (args.size() != 2) continue;  // with a start position the engines have no equal
        Tokens nuevo{palabra(funcionPosicion()), simbolo(QStringLiteral("("))};
        // The arguments keep their tokens, so that the rest of the
        // rewriting still reaches inside them.
        nuevo.insert(nuevo.end(), args[1].begin(), args[1].end());
        nuevo.push_back(simbolo(QStringLiteral(",")));
        nuevo.push_back(espacio());
        nuevo.insert(nuevo.end(), args[0].begin(), args[0].end());
        nuevo.push_back(simbolo(QStringLiteral(")")));
        tokens.erase(tokens.begin() + i, tokens.begin() + cierra + 1);
        tokens.insert(tokens.begin() + i, nuevo.begin(), nuevo.end());
    }
}

std::optional<qsizetype> DialectoSql::quitarTop(const Tokens& tokens, qsizetype top, Nivel& nivel) {
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

bool DialectoSql::esComparada(const Token* previo, const Nivel& nivel, bool andDeBetween) {
    if (!previo) return false;
    if (esComparacion(*previo)) return !(previo->simbolo("=") && nivel.enSet);  // SET a = '...' stores
    return previo->es("BETWEEN") || andDeBetween || (nivel.listaIn && (previo->simbolo("(") || previo->simbolo(",")));
}

DialectoSql::Tokens DialectoSql::transformar(const Tokens& tokens) const {
    Tokens salida;
    std::vector<Nivel> niveles(1);
    bool andDeBetween = false;  // the last significant token is the AND of a BETWEEN
    const auto n = static_cast<qsizetype>(tokens.size());
    for (qsizetype i = 0; i < n; ++i) {
        const Token& t = tokens[i];
        Nivel& nivel = niveles.back();
        const Token* previo = ultimoSignificativo(salida);
        bool esAndDeBetween = false;

        if (t.simbolo("(")) {
            Nivel nuevo;
            nuevo.listaIn = previo && previo->es("IN");
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
        if (t.clase == Clase::Nombre) {
            salida.push_back({Clase::Nombre, nombreCitado(interiorDelNombre(t.texto))});
        } else if (t.es("N") && i + 1 < n && tokens[i + 1].clase == Clase::Cadena) {
            // N'...' (a Unicode literal): every text of these engines is Unicode.
        } else if (t.clase == Clase::Cadena && esComparada(previo, nivel, andDeBetween)) {
            // Only a compared literal is a date to the program: text stored
            // through VALUES or SET keeps exactly what the user wrote.
            salida.push_back({Clase::Cadena, literalComparado(t.texto).value_or(t.texto)});
        } else if (t.clase == Clase::Palabra && siguiente(tokens, i) < n && tokens[siguiente(tokens, i)].simbolo("(")) {
            const qsizetype abre = siguiente(tokens, i);
            if (t.es("GETDATE") && siguiente(tokens, abre) < n && tokens[siguiente(tokens, abre)].simbolo(")")) {
                salida.push_back(palabra(fechaActual()));
                i = siguiente(tokens, abre);
            } else {
                const auto renombrada = funcionRenombrada(t);
                salida.push_back(renombrada ? palabra(*renombrada) : t);
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

QString DialectoSql::reescribir(const QString& sentencia) const {
    Tokens tokens = LexicoSql::separar(sentencia);
    quitarDueno(tokens);
    prepararTokens(tokens);
    largos(tokens);
    concatenaciones(tokens);
    quitarSugerencias(tokens);
    invertirCharindex(tokens);
    return LexicoSql::unir(transformar(tokens));
}

}  // namespace ado
