#include "platform/ado/proveedores/ProveedorSqlite.h"

#include "platform/ado/CadenaOdbc.h"
#include "platform/ado/DialectoSqlite.h"
#include "platform/ado/FallaDeConexion.h"
#include "platform/ado/odbc/SentenciaOdbc.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace ado {

namespace {

// SQLite reports every failure as HY000 with its own result code (19 for
// every constraint); the program tells them apart by SQL Server's numbers.
struct Clasificacion {
    const char* mensaje;
    const char* sqlState;
    long nativo;
};
constexpr Clasificacion clasificaciones[] = {
    {"UNIQUE constraint failed", "23000", 2627},
    {"PRIMARY KEY must be unique", "23000", 2627},
    {"FOREIGN KEY constraint failed", "23000", 547},
    {"CHECK constraint failed", "23000", 547},
    {"NOT NULL constraint failed", "23000", 515},
    {"no such table", "42S02", 208},
    {"no such view", "42S02", 208},
    {"no such column", "42S22", 207},
    {"syntax error", "42000", 102},
    {"would be truncated", "22001", 8152},
    {"database is locked", "HYT00", 1222},
};

// Scale of a declared type "NUMERIC(18,4)"; -1 when it states none.
int escalaDeclarada(const QString& tipo) {
    static const QRegularExpression patron(QStringLiteral(R"(\(\s*\d+\s*,\s*(\d+)\s*\))"));
    const auto coincidencia = patron.match(tipo);
    return coincidencia.hasMatch() ? coincidencia.captured(1).toInt() : -1;
}

bool esNumericoDecimal(const QString& tipo) {
    return tipo.startsWith(QLatin1String("numeric"), Qt::CaseInsensitive) ||
           tipo.startsWith(QLatin1String("decimal"), Qt::CaseInsensitive);
}

}  // namespace

QString ProveedorSqlite::cadenaArchivo(const QString& archivo, bool crear) {
    CadenaOdbc cadena;
    cadena.controlador(controladorSqlite()).agregar(QStringLiteral("Database"), archivo);
    if (!crear) cadena.agregar(QStringLiteral("NoCreat"), QStringLiteral("1"));
    // Foreign keys enforced as SQL Server does; a writer that meets another
    // workstation's write waits a bounded time for it, then fails with the
    // time-out error ("database is locked").
    cadena.agregar(QStringLiteral("FKSupport"), QStringLiteral("1"))
        .agregar(QStringLiteral("Timeout"), QString::number(esperaEscrituraMs()));
    return cadena.texto();
}

long ProveedorSqlite::esperaEscrituraMs() {
    bool valido = false;
    const long indicada = qEnvironmentVariable("QUINTARO_ESPERA_ESCRITURA_MS").trimmed().toLong(&valido);
    return valido && indicada > 0 ? indicada : EsperaEscrituraMs;
}

// Several workstations share the file: with the write-ahead log a reader
// never holds a writer's COMMIT back, and a writer never blocks the readers
// (the start-up's queries, the list). The mode stays in the file; when it
// cannot be set (another program holds the file in the old mode), the
// connection goes on in the mode the file has.
void ProveedorSqlite::conectado(odbc::ConexionOdbc& conexion, const odbc::VerificadorOdbc&, long segundosEspera) {
    Errors descartados;
    const odbc::VerificadorOdbc callado(descartados, {}, origen(), textos());
    try {
        odbc::SentenciaOdbc s(conexion, callado, segundosEspera);
        s.ejecutar(QStringLiteral("PRAGMA journal_mode=WAL"));
    } catch (const plataforma::RuntimeError&) {
    }
}

bool ProveedorSqlite::esNombreDeBase(const QString& base) {
    return !base.isEmpty() && !base.contains(u'/') && !base.contains(u'\\') && !base.contains(QChar(0));
}

QString ProveedorSqlite::cadenaOdbc(const TextoConexion& texto, const QString&, const QString&,
                                    const QStringList&) const {
    const QString base = texto.valor({QStringLiteral("Database"), QStringLiteral("Initial Catalog")}).trimmed();
    const auto rechazar = [this](const QString& descripcion) {
        throw FallaDeConexion(FallaDeConexion::alConectar(QStringLiteral("08001"), 0, descripcion, origen()));
    };
    // The database is a file of the server's folder: a name that is a path
    // would open another folder's file.
    if (!base.isEmpty() && !esNombreDeBase(base))
        rechazar(QStringLiteral("El nombre de la base de datos \"%1\" no es valido: no puede contener "
                                "\"/\" ni \"\\\".").arg(base));
    const QString archivo = QDir(carpeta_).filePath(base + QStringLiteral(".db"));
    // The driver would create a missing file and open an empty database.
    if (base.isEmpty() || !QFileInfo(archivo).isFile())
        rechazar(QStringLiteral("No existe la base de datos \"%1\" (archivo %2).").arg(base, archivo));
    // The driver opens any file and only its first statement finds out that
    // it holds no database: every start-up query would fail on its own.
    if (!esArchivoSqlite(archivo))
        rechazar(QStringLiteral("El archivo %1 no es una base de datos \"%2\".").arg(archivo, base));
    return cadenaArchivo(archivo, false);
}

// The driver would open a transaction with a plain BEGIN, which takes the
// write lock only at the first write. Under the write-ahead log a
// transaction that has read first cannot wait for that lock: when another
// workstation writes at the same time, it fails at once, or waits out its
// whole time-out for a snapshot that can no longer become current. BEGIN
// IMMEDIATE takes the write lock at the start, waiting the busy time-out for
// it, so a transaction either begins with the lock or fails before it has
// written anything. The connection stays in autocommit mode: the engine
// itself keeps the transaction open until COMMIT or ROLLBACK.
void ProveedorSqlite::comenzarTransaccion(odbc::ConexionOdbc& conexion, const odbc::VerificadorOdbc& verificar,
                                          long segundosEspera) const {
    odbc::SentenciaOdbc(conexion, verificar, segundosEspera).ejecutar(QStringLiteral("BEGIN IMMEDIATE"));
}

// A COMMIT that fails leaves the engine's transaction open, for the
// caller's ROLLBACK.
void ProveedorSqlite::terminarTransaccion(odbc::ConexionOdbc& conexion, bool confirmar,
                                          const odbc::VerificadorOdbc& verificar, long segundosEspera) const {
    odbc::SentenciaOdbc(conexion, verificar, segundosEspera)
        .ejecutar(confirmar ? QStringLiteral("COMMIT") : QStringLiteral("ROLLBACK"));
}

bool ProveedorSqlite::esArchivoSqlite(const QString& archivo) {
    static const QByteArray cabecera("SQLite format 3", 16);  // with its closing NUL
    QFile f(archivo);
    return f.open(QIODevice::ReadOnly) && f.read(cabecera.size()) == cabecera;
}

void ProveedorSqlite::normalizar(Error& error) const {
    for (const Clasificacion& c : clasificaciones) {
        if (error.Description.contains(QLatin1String(c.mensaje), Qt::CaseInsensitive)) {
            error.SQLState = QString::fromLatin1(c.sqlState);
            error.NativeError = c.nativo;
            return;
        }
    }
}

QString ProveedorSqlite::reescribir(const QString& sentencia, const TipoDeclarado& tipoDeclarado) const {
    return DialectoSqlite(tipoDeclarado).reescribir(sentencia);
}

void ProveedorSqlite::ajustarColumna(odbc::DescripcionColumna& columna, const TipoDeclarado& tipoDeclarado) const {
    // The driver reports NUMERIC(18,4) as a double and money as text: the
    // declared type says which columns hold amounts.
    const QString tipo = columna.nombreTipo.trimmed();
    // The driver reads "05/03/2024" as the 3rd of May: dates come as text.
    if (columna.tipoSql == SQL_TYPE_DATE || columna.tipoSql == SQL_TYPE_TIMESTAMP || columna.tipoSql == SQL_TYPE_TIME)
        columna.fechaEnTexto = true;
    if (tipo.contains(QLatin1String("money"), Qt::CaseInsensitive)) {
        columna.tipoSql = SQL_NUMERIC;
        columna.decimales = 4;
        columna.tamano = 19;
        return;
    }
    if (!esNumericoDecimal(tipo)) return;
    QString declarado = tipo;
    if (escalaDeclarada(declarado) < 0 && tipoDeclarado && !columna.tablaBase.isEmpty())
        declarado = tipoDeclarado(columna.tablaBase, columna.columnaBase);
    const int escala = escalaDeclarada(declarado);
    columna.tipoSql = SQL_NUMERIC;
    // A column whose declaration the driver cannot trace (an alias) is taken
    // for an amount: reading it as text into an Importe loses nothing.
    columna.decimales = static_cast<SQLSMALLINT>(escala < 0 && !esNumericoDecimal(declarado) ? 4 : std::max(escala, 0));
    columna.tamano = 18;
}

}  // namespace ado
