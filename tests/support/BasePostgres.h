#pragma once

#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace prueba {

// A database of its own on the private PostgreSQL server that the test run
// started (scripts/pruebas.sh, scripts/servidor-postgres.sh), reached through
// an ODBC data source written for the object.
//
// The constructor drops the database when it exists and creates it again,
// with the demo company (and the settings database QZ_ESTADISTICAS) loaded
// when asked; then writes a user odbc.ini in a temporary folder holding the
// data source "QUINTARO_PG" (driver "PostgreSQL Unicode", 127.0.0.1 and the
// server's port, no database: the session names it) and points ODBCINI at
// it, for the life of the object.
//
//     void SetUp() override { QUINTARO_EXIGIR_POSTGRES(); ... }
//     prueba::BasePostgres pg(QStringLiteral("prueba_x"), true);
//     ASSERT_TRUE(pg.valida()) << pg.error().toStdString();
//     sesion.gServidor = pg.origenDatos();
//     sesion.gDBName = pg.base();
//
// Test programs that use it are declared with POSTGRES in
// quintaro_prueba, so that no two of them run at once: some stop the
// server.
class BasePostgres {
public:
    // The server's variables are present (QUINTARO_PG_PUERTO and the rest).
    static bool disponible();
    // A missing server is a failure, not a reason to skip (QUINTARO_PG_EXIGIDO=1).
    static bool exigido();

    BasePostgres(QString nombreBase, bool conDemo);
    ~BasePostgres();
    BasePostgres(const BasePostgres&) = delete;
    BasePostgres& operator=(const BasePostgres&) = delete;

    bool valida() const { return error_.isEmpty(); }
    // Why the database or the data source could not be prepared.
    const QString& error() const { return error_; }

    QString origenDatos() const;    // the data source name, for gServidor
    QString base() const { return base_; }   // the database name, for gDBName
    QString usuario() const;
    QString clave() const;
    QString puerto() const;
    // The session's connection text for this database (SQL Server form).
    QString textoConexion() const;
    // The suite's command line for this database, by default with the
    // server's login; the demo's users (mgomez, jperez, password "demo") are
    // logins too once the demo is loaded.
    QString lineaComandos() const { return lineaComandos(usuario(), clave()); }
    QString lineaComandos(const QString& usuarioLinea, const QString& claveLinea) const;

    // Runs SQL through psql on this database, stopping at the first error.
    // `salida` receives the rows (unaligned, "|" between columns) or, when
    // it failed, psql's message.
    bool psql(const QString& sql, QString* salida = nullptr) const;

    // Take the server away (pg_ctl stop -m fast) and bring it back; both
    // wait until done. False with the reason on stderr when the control
    // script failed.
    static bool pararServidor();
    static bool arrancarServidor();
    // The server answers on its port now.
    static bool respondeServidor();

private:
    bool prepararBase(bool conDemo);
    bool escribirOrigenDatos();

    QString base_;
    QString error_;
    QTemporaryDir carpeta_;
    QByteArray odbciniAnterior_;
    bool habiaOdbcini_ = false;
};

}  // namespace prueba

// At a fixture's SetUp (or a test's start): without the server's variables
// the test is skipped, or fails when the run demands the server.
#define QUINTARO_EXIGIR_POSTGRES()                                                             \
    do {                                                                                       \
        if (!::prueba::BasePostgres::disponible()) {                                           \
            if (::prueba::BasePostgres::exigido())                                             \
                FAIL() << "No hay servidor PostgreSQL (QUINTARO_PG_PUERTO y los demas) y "     \
                          "QUINTARO_PG_EXIGIDO=1: corra las pruebas con scripts/pruebas.sh";   \
            GTEST_SKIP() << "Sin servidor PostgreSQL: corra las pruebas con scripts/pruebas.sh"; \
        }                                                                                      \
    } while (false)
