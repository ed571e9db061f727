#pragma once

#include "platform/ado/Proveedor.h"

#include <memory>

namespace ado {

// A SQL Server connection text whose server names an ODBC data source
// registered with the driver manager: the connection goes through the data
// source with the session's database, user and password, and once the
// driver has answered, the engine it reports (SQL_DBMS_NAME) decides how
// statements are written and errors read. The engine's own provider does
// that work; this one only passes it on.
class ProveedorOrigenDatos : public Proveedor {
public:
    ProveedorOrigenDatos(QString nombre, QString controlador);

    QString cadenaOdbc(const TextoConexion& texto, const QString& usuario, const QString& contrasena,
                       const QStringList& controladoresInstalados) const override;
    QString origen() const override;
    void conectado(odbc::ConexionOdbc& conexion, const odbc::VerificadorOdbc& verificar,
                   long segundosEspera) override;

    void comenzarTransaccion(odbc::ConexionOdbc& conexion, const odbc::VerificadorOdbc& verificar,
                             long segundosEspera) const override {
        motor_->comenzarTransaccion(conexion, verificar, segundosEspera);
    }
    void terminarTransaccion(odbc::ConexionOdbc& conexion, bool confirmar, const odbc::VerificadorOdbc& verificar,
                             long segundosEspera) const override {
        motor_->terminarTransaccion(conexion, confirmar, verificar, segundosEspera);
    }
    odbc::Textos textos() const override;
    void normalizar(Error& error) const override { motor_->normalizar(error); }
    bool ejecutaPorSentencias() const override { return motor_->ejecutaPorSentencias(); }
    QString reescribir(const QString& sentencia, const TipoDeclarado& tipoDeclarado) const override {
        return motor_->reescribir(sentencia, tipoDeclarado);
    }
    void nombrarColumnas(TablaDatos& resultado, const QString& sentencia) const override {
        motor_->nombrarColumnas(resultado, sentencia);
    }
    void ajustarColumna(odbc::DescripcionColumna& columna, const TipoDeclarado& tipoDeclarado) const override {
        motor_->ajustarColumna(columna, tipoDeclarado);
    }
    bool admiteBaseActual() const override { return motor_->admiteBaseActual(); }
    bool admiteAislamiento() const override { return motor_->admiteAislamiento(); }
    QString citar(const QString& identificador) const override { return motor_->citar(identificador); }
    QString nombreEnCatalogo(const QString& nombre) const override { return motor_->nombreEnCatalogo(nombre); }

    // The engine's provider for the name a driver reports; SQL Server's,
    // which sends statements as written, for an engine it does not know
    // (without SQL Server's session settings).
    static std::unique_ptr<Proveedor> motorPara(const QString& nombreDbms);
    // The engine's provider chosen once the driver answered.
    const Proveedor& motor() const { return *motor_; }

private:
    QString nombre_;
    QString controlador_;
    bool conectado_ = false;
    // Until the driver answers, statements would go as written.
    std::unique_ptr<Proveedor> motor_;
};

}  // namespace ado
