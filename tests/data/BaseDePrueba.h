#pragma once

#include "data/DB_Dll.h"
#include "tests/support/DialogosGuion.h"

#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

// A small company database of the embedded engine in a temporary folder,
// reached with the program's own SQL Server connection text (server = the
// folder, database = the file name without ".db"), and a main session
// pointed at it. Every statement the data layer receives is traced to a file
// of the folder; the program folder (and so the default error log) is a
// temporary one too.
class BaseDePrueba : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The folder that plays the server.
    QString carpetaServidor() const { return carpeta.filePath(QStringLiteral("servidor")); }
    QString carpetaPrograma() const { return carpeta.filePath(QStringLiteral("programa")) + u'/'; }

    // Fills the connection parameters of a session for the test database.
    void apuntar(datos::DB_Dll& sesion) const;
    // Opens the main session as start-up does; the test fails when it cannot.
    void abrir();
    // Reopens the open main session through a link named "oracle" to the
    // server folder: its connection text names Oracle, so the session takes
    // the Oracle paths (dialect rewriting, script runner) while the database
    // stays the embedded one.
    void abrirComoOracle();

    // The statements traced since the last olvidarTraza(), as written.
    QStringList trazadas() const;
    void olvidarTraza() const;

    // One number read with a query of its own on the main session.
    long contar(const QString& consulta);

    QTemporaryDir carpeta;
    prueba::DialogosGuion dialogos;
    std::unique_ptr<datos::DB_Dll> db;
};
