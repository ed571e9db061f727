#include "platform/ado/ConnectionInterna.h"

#include "platform/RuntimeError.h"
#include "platform/ado/FallaDeConexion.h"
#include "platform/ado/SeparadorSentencias.h"
#include "platform/ado/odbc/LectorResultados.h"
#include "platform/ado/odbc/SentenciaOdbc.h"
#include "platform/ado/odbc/TiposColumna.h"

#include <QRegularExpression>

namespace ado {

namespace {

// What a statement of a command text asks of the embedded engine.
enum class Orden { Comenzar, Confirmar, Deshacer, Omitir, Ejecutar };

Orden ordenDe(const QString& sentencia) {
    const QString s = sentencia.simplified().toUpper();
    static const QRegularExpression comenzar(QStringLiteral(R"(^(BEGIN (TRAN|TRANSACTION)( \w+)?|SET TRANSACTION)$)"));
    static const QRegularExpression confirmar(QStringLiteral(R"(^COMMIT( (TRAN|TRANSACTION|WORK))?( \w+)?$)"));
    static const QRegularExpression deshacer(QStringLiteral(R"(^ROLLBACK( (TRAN|TRANSACTION|WORK))?( \w+)?$)"));
    // SQLite has no counterpart of these, and a missing object is answered by
    // the statement that the guard would have let through.
    static const QRegularExpression omitir(QStringLiteral(R"(^(SET NOCOUNT (ON|OFF)|SET TRANSACTION .*|IF (NOT )?EXIST.*)$)"));
    if (comenzar.match(s).hasMatch()) return Orden::Comenzar;
    if (confirmar.match(s).hasMatch()) return Orden::Confirmar;
    if (deshacer.match(s).hasMatch()) return Orden::Deshacer;
    if (omitir.match(s).hasMatch()) return Orden::Omitir;
    return Orden::Ejecutar;
}

// A text with several results opens the first, as ADO does; the later
// statements still run and count their rows.
void acumular(Connection::Interna::Resultado& total, Connection::Interna::Resultado&& parcial) {
    if (parcial.filas && !total.filas) total.filas = std::move(parcial.filas);
    if (parcial.afectadas >= 0) total.afectadas = (total.afectadas < 0 ? 0 : total.afectadas) + parcial.afectadas;
}

// ADO's empty restriction means none.
void restriccion(const QStringList& lista, int i, std::optional<QString>& destino) {
    if (i < lista.size() && !lista[i].isEmpty()) destino = lista[i];
}

// ODBC's catalogue calls take schema, table and column names as patterns,
// where "_" and "%" match any character and any text; ADO's restrictions
// name objects exactly. The driver's escape character (itself included)
// makes each a letter again; a driver without one gets the name as it is.
QString literalEnPatron(const QString& nombre, const QString& escape) {
    if (escape.isEmpty()) return nombre;
    QString literal;
    for (const QChar c : nombre) {
        if (c == u'_' || c == u'%' || escape == c) literal += escape;
        literal += c;
    }
    return literal;
}

void renombrar(TablaDatos& tabla, const char* de, const char* a) {
    for (auto& c : tabla.columnas)
        if (c.descripcion.nombre.compare(QLatin1String(de), Qt::CaseInsensitive) == 0)
            c.descripcion.nombre = QLatin1String(a);
}

}  // namespace

odbc::VerificadorOdbc Connection::Interna::verificador() const {
    const Proveedor* p = proveedor.get();
    return odbc::VerificadorOdbc(
        errores, [p](Error& e) { if (p) p->normalizar(e); }, p ? p->origen() : QStringLiteral("ADODB.Connection"),
        p ? p->textos() : odbc::Textos::Anchos);
}

// The error goes on the list as well: callers of a command learn of a
// failure from the list alone, and an empty one reads as success.
void Connection::Interna::exigirAbierta() const {
    if (abierta()) return;
    const Error cerrada{plataforma::numero::ConexionCerrada,
                        QStringLiteral("La conexión no se puede usar para realizar esta operación. "
                                       "Está cerrada o no es válida en este contexto."),
                        QString(), 0, QStringLiteral("ADODB.Connection")};
    errores.Clear();
    errores.Add(cerrada);
    throw plataforma::RuntimeError(cerrada.Number, cerrada.Description, cerrada.Source);
}

void Connection::Interna::abrir(const QString& texto, const QString& usuario, const QString& contrasena) {
    const TextoConexion partes(texto);
    proveedor = Proveedor::elegir(partes, entorno.origenesDeDatos());
    // Whatever stops the attempt (no driver, no database, a refused login,
    // the session's set-up) is a failed connection to the program.
    const auto verificar = verificador().alConectar();
    try {
        const QString cadena = proveedor->cadenaOdbc(partes, usuario, contrasena, entorno.controladores());
        conexion.emplace(entorno, cadena, connectionTimeout, verificar);
    } catch (const FallaDeConexion& falla) {
        errores.Add(falla.error());
        throw;
    }
    try {
        proveedor->conectado(*conexion, verificar, connectionTimeout);
    } catch (...) {
        conexion.reset();  // half prepared: the connection does not count as open
        throw;
    }
    connectionString = texto;
    anidamiento = 0;
    tiposDeclarados_.clear();
    aplicarAislamiento();
    if (!defaultDatabase.isEmpty()) aplicarBaseActual();
}

void Connection::Interna::cerrar() {
    conexion.reset();  // rolls back an open transaction
    anidamiento = 0;
    tiposDeclarados_.clear();
}

void Connection::Interna::aplicarAislamiento() {
    if (!abierta() || !proveedor->admiteAislamiento()) return;
    SQLULEN nivel = SQL_TXN_READ_COMMITTED;
    switch (isolationLevel) {
    case aislamiento::LecturaNoConfirmada: nivel = SQL_TXN_READ_UNCOMMITTED; break;
    case 65536: nivel = SQL_TXN_REPEATABLE_READ; break;
    case 1048576: nivel = SQL_TXN_SERIALIZABLE; break;
    default: break;
    }
    conexion->fijarEntero(SQL_ATTR_TXN_ISOLATION, nivel, verificador());
}

void Connection::Interna::aplicarBaseActual() {
    if (!abierta() || !proveedor->admiteBaseActual()) return;
    conexion->fijarTexto(SQL_ATTR_CURRENT_CATALOG, defaultDatabase, verificador());
}

Connection::Interna::Resultado Connection::Interna::ejecutarSentencia(const QString& sentencia) {
    exigirAbierta();
    const auto verificar = verificador();
    odbc::SentenciaOdbc s(*conexion, verificar, commandTimeout);
    s.ejecutar(sentencia);
    const auto ajustar = [this](odbc::DescripcionColumna& c) {
        proveedor->ajustarColumna(c, [this](const QString& t, const QString& k) { return tipoDeclarado(t, k); });
    };
    Resultado r;
    // A SQL Server batch reports each statement's result (and failure) in
    // turn: all of them are read, so no error is left unseen.
    do {
        Resultado parcial;
        if (s.columnas() > 0) parcial.filas = odbc::LectorResultados::leer(s, ajustar);
        else parcial.afectadas = static_cast<long>(s.filasAfectadas());
        acumular(r, std::move(parcial));
    } while (s.siguienteResultado());
    return r;
}

QString Connection::Interna::reescrita(const QString& sentencia) {
    return proveedor->reescribir(sentencia, [this](const QString& t, const QString& k) { return tipoDeclarado(t, k); });
}

Connection::Interna::Resultado Connection::Interna::ejecutarTexto(const QString& texto) {
    exigirAbierta();
    if (!proveedor->ejecutaPorSentencias()) return ejecutarSentencia(texto);
    Resultado total;
    for (const auto& tramo : SeparadorSentencias(SeparadorSentencias::Modo::Embebido).separar(texto)) {
        switch (ordenDe(tramo.sentencia)) {
        case Orden::Comenzar: comenzarDesdeTexto(); break;
        case Orden::Confirmar: confirmarDesdeTexto(); break;
        case Orden::Deshacer: deshacerDesdeTexto(); break;
        case Orden::Omitir: break;
        case Orden::Ejecutar: {
            Resultado parcial = ejecutarSentencia(reescrita(tramo.sentencia));
            if (parcial.filas) proveedor->nombrarColumnas(*parcial.filas, tramo.sentencia);
            acumular(total, std::move(parcial));
            break;
        }
        }
    }
    return total;
}

long Connection::Interna::ejecutarConParametros(const QString& sentencia, odbc::ParametrosOdbc& parametros) {
    exigirAbierta();
    const auto verificar = verificador();
    odbc::SentenciaOdbc s(*conexion, verificar, commandTimeout);
    s.preparar(sentencia);
    parametros.vincular(s);
    s.ejecutarPreparada();
    return static_cast<long>(s.filasAfectadas());
}

void Connection::Interna::fallarTransaccion(long nativo, const QString& descripcion) const {
    Error e = FallaDeConexion::registro(QStringLiteral("25000"), nativo, descripcion, {});
    verificador().fallar(e);
}

void Connection::Interna::exigirTransaccion(bool abierta) const {
    if (abierta && anidamiento == 0)
        verificador().fallar(Error{plataforma::numero::SinTransaccion, QStringLiteral("No hay ninguna transacción activa."),
                                   QStringLiteral("25000"), 0, {}});
    if (!abierta && anidamiento > 0)
        verificador().fallar(Error{plataforma::numero::TransaccionActiva,
                                   QStringLiteral("Sólo puede haber una transacción activa en esta sesión."),
                                   QStringLiteral("25000"), 0, {}});
}

void Connection::Interna::comenzar() {
    exigirAbierta();
    exigirTransaccion(false);
    proveedor->comenzarTransaccion(*conexion, verificador(), commandTimeout);
    anidamiento = 1;
}

void Connection::Interna::terminar(bool confirmarla) {
    exigirAbierta();
    exigirTransaccion(true);
    proveedor->terminarTransaccion(*conexion, confirmarla, verificador(), commandTimeout);
    anidamiento = 0;
}

void Connection::Interna::confirmar() { terminar(true); }

void Connection::Interna::deshacer() { terminar(false); }

void Connection::Interna::comenzarDesdeTexto() {
    if (anidamiento == 0) comenzar();
    else ++anidamiento;
}

void Connection::Interna::confirmarDesdeTexto() {
    if (anidamiento == 0)
        fallarTransaccion(3902, QStringLiteral("The COMMIT TRANSACTION request has no corresponding BEGIN TRANSACTION."));
    if (anidamiento > 1) --anidamiento;
    else confirmar();
}

void Connection::Interna::deshacerDesdeTexto() {
    if (anidamiento == 0)
        fallarTransaccion(3903, QStringLiteral("The ROLLBACK TRANSACTION request has no corresponding BEGIN TRANSACTION."));
    deshacer();
}

TablaDatos Connection::Interna::tablas(const QStringList& restricciones) {
    return leerCatalogo(restricciones, false,
                        [](odbc::SentenciaOdbc& s, const RestriccionesOdbc& r) {
                            s.tablas(r.catalogo, r.esquema, r.objeto, r.cuarta);
                        },
                        {{"REMARKS", "DESCRIPTION"}});
}

TablaDatos Connection::Interna::columnas(const QStringList& restricciones) {
    return leerCatalogo(restricciones, true,
                        [](odbc::SentenciaOdbc& s, const RestriccionesOdbc& r) {
                            s.columnasDe(r.catalogo, r.esquema, r.objeto, r.cuarta);
                        },
                        {{"COLUMN_DEF", "COLUMN_DEFAULT"}, {"REMARKS", "DESCRIPTION"}});
}

// ADO's restrictions as an ODBC catalogue call takes them: an empty text
// means none, the catalogue counts only where the engine knows databases, and
// names are spelled as the engine's catalogue keeps them, never as patterns. The result's
// columns carry ADO's names.
TablaDatos Connection::Interna::leerCatalogo(
    const QStringList& restricciones, bool cuartaEsNombre,
    const std::function<void(odbc::SentenciaOdbc&, const RestriccionesOdbc&)>& llamar,
    std::initializer_list<std::pair<const char*, const char*>> nombresAdo) {
    exigirAbierta();
    RestriccionesOdbc r;
    if (proveedor->admiteBaseActual()) restriccion(restricciones, 0, r.catalogo);
    restriccion(restricciones, 1, r.esquema);
    restriccion(restricciones, 2, r.objeto);
    restriccion(restricciones, 3, r.cuarta);
    const QString escape = conexion->informacion(SQL_SEARCH_PATTERN_ESCAPE);
    if (r.esquema) r.esquema = literalEnPatron(*r.esquema, escape);
    if (r.objeto) r.objeto = literalEnPatron(proveedor->nombreEnCatalogo(*r.objeto), escape);
    if (cuartaEsNombre && r.cuarta) r.cuarta = literalEnPatron(proveedor->nombreEnCatalogo(*r.cuarta), escape);
    const auto verificar = verificador();
    odbc::SentenciaOdbc s(*conexion, verificar, commandTimeout);
    llamar(s, r);
    TablaDatos t = odbc::LectorResultados::leer(s, nullptr);
    renombrar(t, "TABLE_CAT", "TABLE_CATALOG");
    renombrar(t, "TABLE_SCHEM", "TABLE_SCHEMA");
    for (const auto& [de, a] : nombresAdo) renombrar(t, de, a);
    return t;
}

QStringList Connection::Interna::clavePrimaria(const QString& tabla) {
    exigirAbierta();
    const auto verificar = verificador();
    odbc::SentenciaOdbc s(*conexion, verificar, commandTimeout);
    s.clavePrimaria(proveedor->nombreEnCatalogo(tabla));
    const TablaDatos t = odbc::LectorResultados::leer(s, nullptr);
    QStringList claves;
    for (const auto& fila : t.filas)
        if (fila.size() > 3) claves << fila[3].texto();  // COLUMN_NAME
    return claves;
}

QString Connection::Interna::tipoDeclarado(const QString& tabla, const QString& columna) {
    if (!tiposDeclarados_.contains(tabla.toLower())) {
        QHash<QString, QString> tipos;
        const Errors antes = errores;
        try {
            const TablaDatos t = columnas({QString(), QString(), tabla, QString()});
            for (const auto& fila : t.filas)
                if (fila.size() > 5) tipos.insert(fila[3].texto().toLower(), fila[5].texto());  // TYPE_NAME
        } catch (const plataforma::RuntimeError&) {
            // Without the catalogue the column keeps the driver's typing, and
            // the query that asked has not failed.
            errores = antes;
        }
        tiposDeclarados_.insert(tabla.toLower(), tipos);
    }
    return tiposDeclarados_.value(tabla.toLower()).value(columna.toLower());
}

}  // namespace ado
