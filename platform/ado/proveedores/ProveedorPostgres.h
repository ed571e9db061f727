#pragma once

#include "platform/ado/Proveedor.h"

namespace ado {

// PostgreSQL through the psqlODBC driver, usually reached through a data
// source. The program's statements, written for SQL Server, run one by one,
// each rewritten for the server (DialectoPostgres);
// the server's errors (psqlODBC reports the native number 1 for all of them)
// get SQL Server's states and native numbers from their real SQLSTATE; names
// the program writes unquoted are the server's lower-case names.
class ProveedorPostgres : public Proveedor {
public:
    // Only through a data source (ProveedorOrigenDatos): raises IM002.
    QString cadenaOdbc(const TextoConexion& texto, const QString& usuario, const QString& contrasena,
                       const QStringList& controladoresInstalados) const override;
    QString origen() const override { return QStringLiteral("PostgreSQL"); }
    void conectado(odbc::ConexionOdbc& conexion, const odbc::VerificadorOdbc& verificar,
                   long segundosEspera) override;
    void normalizar(Error& error) const override;
    bool ejecutaPorSentencias() const override { return true; }
    QString reescribir(const QString& sentencia, const TipoDeclarado& tipoDeclarado) const override;
    // The server answers the lower-case names it folded ("descripcion"):
    // a column the statement names gets the name as written there
    // ("DESCRIPCION"), as SQL Server answers it.
    void nombrarColumnas(TablaDatos& resultado, const QString& sentencia) const override;
    // A connection stays on its database: the session's DefaultDatabase is
    // the one it was opened on.
    bool admiteBaseActual() const override { return false; }
    QString citar(const QString& identificador) const override;
    QString nombreEnCatalogo(const QString& nombre) const override;
};

}  // namespace ado
