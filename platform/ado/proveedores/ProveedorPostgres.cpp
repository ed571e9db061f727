#include "platform/ado/proveedores/ProveedorPostgres.h"

#include "platform/ado/FallaDeConexion.h"
#include "platform/ado/DialectoPostgres.h"
#include "platform/ado/LexicoSql.h"
#include "platform/ado/odbc/SentenciaOdbc.h"

#include <QHash>
#include <QRegularExpression>

namespace ado {

namespace {

// The server's SQLSTATE and what SQL Server reports for the same failure.
struct Equivalencia {
    const char* estadoPostgres;
    const char* estadoSqlServer;
    long nativo;  // 0: the one the driver gave stays
};
constexpr Equivalencia equivalencias[] = {
    {"23505", "23000", 2627},  // unique_violation
    {"23503", "23000", 547},   // foreign_key_violation
    {"23514", "23000", 547},   // check_violation
    {"23502", "23000", 515},   // not_null_violation
    {"22001", "22001", 8152},  // string_data_right_truncation
    {"22003", "22003", 8115},  // numeric_value_out_of_range
    {"22012", "22012", 8134},  // division_by_zero
    {"22007", "22007", 241},   // invalid_datetime_format
    {"22008", "22008", 242},   // datetime_field_overflow
    {"42P01", "42S02", 208},   // undefined_table
    {"42703", "42S22", 207},   // undefined_column
    {"42601", "42000", 102},   // syntax_error
    {"42883", "42000", 195},   // undefined_function
    {"40P01", "40001", 1205},  // deadlock_detected
    {"57014", "HYT00", 0},     // query_canceled: the statement time-out
    // The server went away under the connection: it is lost, as SQL Server
    // reports a broken link.
    {"57P01", "08S01", 0},  // admin_shutdown
    {"57P02", "08S01", 0},  // crash_shutdown
    {"57P03", "08001", 0},  // cannot_connect_now
    {"08006", "08S01", 0},  // connection_failure
    {"08003", "08S01", 0},  // connection_does_not_exist
};

// psqlODBC writes "ERROR:  message\nDETAIL: ...;\nError while executing the
// query": the server's words are the description.
QString descripcionDelServidor(QString texto) {
    static const QRegularExpression prefijo(QStringLiteral(R"(^(ERROR|FATAL|PANIC):\s*)"));
    static const QRegularExpression colaDelControlador(QStringLiteral(R"(;?\s*\n[^\n]*$)"));
    if (!prefijo.match(texto).hasMatch()) return texto;
    texto.remove(prefijo);
    const qsizetype ultima = texto.lastIndexOf(u'\n');
    if (ultima > 0 && texto.mid(ultima + 1).startsWith(QLatin1String("Error while"))) texto.remove(colaDelControlador);
    return texto.replace(u'\n', u' ').trimmed();
}

}  // namespace

QString ProveedorPostgres::cadenaOdbc(const TextoConexion&, const QString&, const QString&,
                                      const QStringList&) const {
    // The server's address, port and options live in the data source.
    throw FallaDeConexion(FallaDeConexion::alConectar(
        QStringLiteral("IM002"), 0,
        QStringLiteral("PostgreSQL se alcanza por un origen de datos ODBC: el servidor debe nombrarlo"), origen()));
}

void ProveedorPostgres::conectado(odbc::ConexionOdbc& conexion, const odbc::VerificadorOdbc& verificar,
                                  long segundosEspera) {
    // The dates the program writes day first ('05/03/2024') are read day first.
    prepararSesion(conexion, verificar, segundosEspera, QStringLiteral("SET DateStyle = 'ISO, DMY'"));
}

void ProveedorPostgres::normalizar(Error& error) const {
    error.Description = descripcionDelServidor(error.Description);
    for (const Equivalencia& e : equivalencias) {
        if (error.SQLState != QLatin1String(e.estadoPostgres)) continue;
        error.SQLState = QString::fromLatin1(e.estadoSqlServer);
        if (e.nativo != 0) error.NativeError = e.nativo;
        return;
    }
}

QString ProveedorPostgres::reescribir(const QString& sentencia, const TipoDeclarado&) const {
    return DialectoPostgres().reescribir(sentencia);
}

void ProveedorPostgres::nombrarColumnas(TablaDatos& resultado, const QString& sentencia) const {
    QHash<QString, QString> escritos;  // the server's name -> the first spelling in the statement
    for (const LexicoSql::Token& t : LexicoSql::separar(sentencia)) {
        QString nombre;
        if (t.clase == LexicoSql::Clase::Palabra) nombre = t.texto;
        else if (t.clase == LexicoSql::Clase::Nombre) nombre = t.texto.mid(1, t.texto.size() - 2);
        else continue;
        const QString enServidor = nombreEnCatalogo(nombre);
        if (!escritos.contains(enServidor)) escritos.insert(enServidor, nombre);
    }
    for (auto& columna : resultado.columnas)
        columna.descripcion.nombre = escritos.value(columna.descripcion.nombre, columna.descripcion.nombre);
}

QString ProveedorPostgres::citar(const QString& identificador) const {
    QString nombre = nombreEnCatalogo(identificador);
    return u'"' + nombre.replace(u'"', QStringLiteral("\"\"")) + u'"';
}

QString ProveedorPostgres::nombreEnCatalogo(const QString& nombre) const {
    return DialectoPostgres::nombreEnServidor(nombre);
}

}  // namespace ado
