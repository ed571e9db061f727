#pragma once

#include "platform/ado/Errors.h"
#include "platform/ado/TablaDatos.h"
#include "platform/ado/TextoConexion.h"
#include "platform/ado/odbc/ConexionOdbc.h"
#include "platform/ado/odbc/DescripcionColumna.h"
#include "platform/ado/odbc/EntornoOdbc.h"
#include "platform/ado/odbc/VerificadorOdbc.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

namespace ado {

// What an ADO provider named in a connection text means on this system: the
// ODBC driver and connection string it maps to, the source name its errors
// carry, and what its engine needs of the layer (statement rewriting, error
// classification, column typing).
class Proveedor {
public:
    virtual ~Proveedor() = default;

    // The provider for a connection text: by its PROVIDER key; for a SQL
    // Server text, the embedded engine when its server is an absolute path
    // or a folder of the program's that holds "<database>.db", else the data
    // source it names among `origenes` (ignoring case), else a SQL Server
    // host.
    static std::unique_ptr<Proveedor> elegir(const TextoConexion& texto,
                                             const std::vector<odbc::EntornoOdbc::OrigenDatos>& origenes = {});

    // The ODBC connection string; `usuario` and `contrasena`, when not empty,
    // stand for those of the text. Raises FallaDeConexion when the target
    // cannot be reached (no driver installed, a missing database file).
    virtual QString cadenaOdbc(const TextoConexion& texto, const QString& usuario, const QString& contrasena,
                               const QStringList& controladoresInstalados) const = 0;

    // The Source of its errors.
    virtual QString origen() const = 0;

    // Runs once the driver has connected, before any statement: a provider
    // that reaches its engine through a data source learns here which engine
    // answered, and an engine sets up the session it needs. A failure raises
    // through `verificar`, and the opening fails.
    virtual void conectado(odbc::ConexionOdbc& /*conexion*/, const odbc::VerificadorOdbc& /*verificar*/,
                           long /*segundosEspera*/) {}

    // A transaction of the connection: ODBC's manual-commit mode, ended by
    // SQLEndTran. A failure raises through `verificar`.
    virtual void comenzarTransaccion(odbc::ConexionOdbc& conexion, const odbc::VerificadorOdbc& verificar,
                                     long segundosEspera) const;
    virtual void terminarTransaccion(odbc::ConexionOdbc& conexion, bool confirmar,
                                     const odbc::VerificadorOdbc& verificar, long segundosEspera) const;

    // How its driver takes texts: through the wide calls unless it has only
    // the narrow ones.
    virtual odbc::Textos textos() const { return odbc::Textos::Anchos; }

    // Gives an engine's diagnostic its SQL Server state and native number.
    virtual void normalizar(Error&) const {}

    // The declared type of a table's column ("" when unknown).
    using TipoDeclarado = std::function<QString(const QString& tabla, const QString& columna)>;

    // The embedded engine runs one statement per call, written in its own
    // dialect: a command text is cut and each statement rewritten.
    virtual bool ejecutaPorSentencias() const { return false; }
    virtual QString reescribir(const QString& sentencia, const TipoDeclarado&) const { return sentencia; }

    // Lets the provider name a result's columns as `sentencia` (the
    // statement as the program wrote it) names them.
    virtual void nombrarColumnas(TablaDatos& /*resultado*/, const QString& /*sentencia*/) const {}

    // Lets the provider correct a column's description.
    virtual void ajustarColumna(odbc::DescripcionColumna&, const TipoDeclarado&) const {}

    virtual bool admiteBaseActual() const { return true; }      // DefaultDatabase
    virtual bool admiteAislamiento() const { return true; }     // IsolationLevel

    // An identifier written so that the engine takes it as a name.
    virtual QString citar(const QString& identificador) const {
        return u'[' + identificador + u']';
    }

    // The name the engine's catalogue keeps for a table or column the
    // program writes as `nombre` (an engine that folds unquoted names).
    virtual QString nombreEnCatalogo(const QString& nombre) const { return nombre; }

protected:
    // The driver to use: the one named by the environment variable, else the
    // first installed of the preferred names, else the first installed whose
    // name contains `parte` (when given). "" when none.
    static QString controlador(const char* variableEntorno, const QStringList& preferidos, const QString& parte,
                               const QStringList& instalados);
    [[noreturn]] void sinControlador(const QString& quien) const;
    // Runs a statement that sets up the session right after connecting; it
    // goes to the statement trace like the program's own.
    static void prepararSesion(odbc::ConexionOdbc& conexion, const odbc::VerificadorOdbc& verificar,
                               long segundosEspera, const QString& sentencia);
};

}  // namespace ado
