#pragma once

#include "platform/ado/Errors.h"
#include "platform/ado/Recordset.h"

#include <QString>
#include <QStringList>
#include <memory>

namespace ado {

namespace esquema {
inline constexpr long Columnas = 4;  // adSchemaColumns: TABLE_CATALOG, TABLE_SCHEMA, TABLE_NAME, COLUMN_NAME, ...
inline constexpr long Tablas = 20;   // adSchemaTables: TABLE_CATALOG, TABLE_SCHEMA, TABLE_NAME, TABLE_TYPE
}
namespace aislamiento {
inline constexpr long LecturaNoConfirmada = 256;  // adXactReadUncommitted
inline constexpr long LecturaConfirmada = 4096;   // adXactReadCommitted
}

class Proveedor;

// A database connection with ADO's shape, over unixODBC.
//
// The connection text keeps ADO's form ("PROVIDER=SQLOLEDB;Server=...;"); the
// provider it names turns it into an ODBC connection string and, for the
// embedded engine (a server that names a folder), rewrites every statement
// from SQL Server's dialect just before it reaches the driver.
//
// Errors() holds the diagnostics of the most recent command, query or opening:
// it is cleared when one starts. A failing call also raises
// plataforma::RuntimeError with ADO's number.
//
// When the environment variable QUINTARO_TRAZA_SQL names a file, every
// statement text handed to the connection (Execute, and the queries of
// recordsets opened on it) is appended to that file with a timestamp, as the
// caller wrote it.
class Connection {
public:
    Connection();
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    void Open(const QString& textoConexion, const QString& usuario = {},
              const QString& contrasena = {}, long options = -1);  // 3705 when open
    void Close();                                                  // 3704 when closed
    long State() const;

    // Runs a command (or several: on the embedded engine a text of several
    // statements runs one by one, its transaction statements becoming the
    // connection's own calls, and the first failure stops it). Returns the
    // rows of the last statement that produced any, else a closed recordset.
    Recordset Execute(const QString& texto, long* registrosAfectados = nullptr, long options = -1);

    QString ConnectionString() const;
    void setConnectionString(const QString& texto);
    long CursorLocation() const;
    void setCursorLocation(long c);
    long CommandTimeout() const;       // seconds, applied to every statement; 30 at first
    void setCommandTimeout(long segundos);
    long ConnectionTimeout() const;    // login time-out in seconds; 15 at first
    void setConnectionTimeout(long segundos);
    long IsolationLevel() const;
    void setIsolationLevel(long nivel);
    QString DefaultDatabase() const;
    void setDefaultDatabase(const QString& base);

    long BeginTrans();
    void CommitTrans();
    void RollbackTrans();

    // The catalogue: esquema::Tablas (TABLE_CATALOG, TABLE_SCHEMA, TABLE_NAME,
    // TABLE_TYPE, DESCRIPTION; tables, views and system tables alike) or
    // esquema::Columnas (TABLE_CATALOG, TABLE_SCHEMA, TABLE_NAME, COLUMN_NAME,
    // ...). `restricciones` are ADO's: catalogue, schema, table and type or
    // column; an empty one restricts nothing.
    Recordset OpenSchema(long esquema, const QStringList& restricciones = {});

    Errors& errors() { return errors_; }
    const Errors& errors() const { return errors_; }

    // For the recordsets: the live ODBC connection and its provider.
    struct Interna;
    Interna& interna();

private:
    Errors errors_;
    std::unique_ptr<Interna> d_;
};

}  // namespace ado
