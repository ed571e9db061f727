#pragma once

#include "platform/ado/Errors.h"
#include "platform/ado/TextoConexion.h"
#include "platform/ado/odbc/DescripcionColumna.h"

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

    // The provider for a connection text: by its PROVIDER key, and the
    // embedded engine for a SQL Server text whose server names a folder.
    static std::unique_ptr<Proveedor> elegir(const TextoConexion& texto);

    // The ODBC connection string; `usuario` and `contrasena`, when not empty,
    // stand for those of the text. Raises FallaDeConexion when the target
    // cannot be reached (no driver installed, a missing database file).
    virtual QString cadenaOdbc(const TextoConexion& texto, const QString& usuario, const QString& contrasena,
                               const QStringList& controladoresInstalados) const = 0;

    // The Source of its errors.
    virtual QString origen() const = 0;

    // Gives an engine's diagnostic its SQL Server state and native number.
    virtual void normalizar(Error&) const {}

    // The declared type of a table's column ("" when unknown).
    using TipoDeclarado = std::function<QString(const QString& tabla, const QString& columna)>;

    // The embedded engine runs one statement per call, written in its own
    // dialect: a command text is cut and each statement rewritten.
    virtual bool ejecutaPorSentencias() const { return false; }
    virtual QString reescribir(const QString& sentencia, const TipoDeclarado&) const { return sentencia; }

    // Lets the provider correct a column's description.
    virtual void ajustarColumna(odbc::DescripcionColumna&, const TipoDeclarado&) const {}

    virtual bool admiteBaseActual() const { return true; }      // DefaultDatabase
    virtual bool admiteAislamiento() const { return true; }     // IsolationLevel

    // An identifier written so that the engine takes it as a name.
    virtual QString citar(const QString& identificador) const {
        return u'[' + identificador + u']';
    }

protected:
    // The driver to use: the one named by the environment variable, else the
    // first installed of the preferred names, else the first installed whose
    // name contains `parte` (when given). "" when none.
    static QString controlador(const char* variableEntorno, const QStringList& preferidos, const QString& parte,
                               const QStringList& instalados);
    [[noreturn]] void sinControlador(const QString& quien) const;
};

}  // namespace ado
