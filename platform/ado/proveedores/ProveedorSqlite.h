#pragma once

#include "platform/ado/Proveedor.h"

namespace ado {

// The embedded engine: a SQL Server connection text whose server names a
// folder opens "<database>.db" in it through the SQLite ODBC driver. The
// statements, written for SQL Server, are rewritten for SQLite one by one,
// and SQLite's errors are given SQL Server's states and native numbers.
class ProveedorSqlite : public Proveedor {
public:
    explicit ProveedorSqlite(QString carpeta) : carpeta_(std::move(carpeta)) {}

    QString cadenaOdbc(const TextoConexion& texto, const QString& usuario, const QString& contrasena,
                       const QStringList& controladoresInstalados) const override;
    QString origen() const override { return QStringLiteral("SQLite"); }
    // Debian's sqliteodbc has only the narrow calls, and keeps their UTF-8.
    odbc::Textos textos() const override { return odbc::Textos::Utf8; }
    // Puts the database in write-ahead-log mode.
    void conectado(odbc::ConexionOdbc& conexion, const odbc::VerificadorOdbc& verificar,
                   long segundosEspera) override;
    // BEGIN IMMEDIATE ... COMMIT or ROLLBACK, sent by the layer itself.
    void comenzarTransaccion(odbc::ConexionOdbc& conexion, const odbc::VerificadorOdbc& verificar,
                             long segundosEspera) const override;
    void terminarTransaccion(odbc::ConexionOdbc& conexion, bool confirmar, const odbc::VerificadorOdbc& verificar,
                             long segundosEspera) const override;
    void normalizar(Error& error) const override;
    bool ejecutaPorSentencias() const override { return true; }
    QString reescribir(const QString& sentencia, const TipoDeclarado& tipoDeclarado) const override;
    void ajustarColumna(odbc::DescripcionColumna& columna, const TipoDeclarado& tipoDeclarado) const override;
    bool admiteBaseActual() const override { return false; }
    bool admiteAislamiento() const override { return false; }
    QString citar(const QString& identificador) const override { return u'"' + identificador + u'"'; }

    // The driver registered for SQLite 3 ("SQLite" names a library that
    // Debian does not ship).
    static QString controladorSqlite() { return QStringLiteral("SQLite3"); }
    // The ODBC connection string for a database file; `crear` lets the
    // driver create a missing file.
    static QString cadenaArchivo(const QString& archivo, bool crear);
    // A database name that names a file of the folder: not empty, no path.
    static bool esNombreDeBase(const QString& base);
    // The file begins with SQLite's header (an empty file does not).
    static bool esArchivoSqlite(const QString& archivo);

    // How long a write waits for another connection's write before it fails:
    // QUINTARO_ESPERA_ESCRITURA_MS when it holds a positive number of
    // milliseconds, else EsperaEscrituraMs.
    static constexpr long EsperaEscrituraMs = 10000;
    static long esperaEscrituraMs();

private:
    QString carpeta_;
};

}  // namespace ado
