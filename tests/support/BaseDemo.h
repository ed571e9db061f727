#pragma once

#include <QString>
#include <QTemporaryDir>

namespace prueba {

// A fresh copy of the demo databases (ZANTAR_DEMO and QZ_ESTADISTICAS) in a
// temporary folder of its own, built from the scripts in QUINTARO_DEMO_SQL
// and removed with the object. The folder is the "server" of the embedded
// engine.
//
//     prueba::BaseDemo demo;
//     ASSERT_TRUE(demo.valida()) << demo.error().toStdString();
//     sesion.gServidor = demo.servidor();
//     sesion.gDBName = demo.baseDatos();
class BaseDemo {
public:
    BaseDemo();

    bool valida() const { return error_.isEmpty(); }
    // Why the databases could not be built; empty when they were.
    const QString& error() const { return error_; }

    // The folder holding the files, without a trailing "/".
    QString servidor() const { return carpeta_.path(); }
    static QString baseDatos();
    // The administrator of the demo and its password; "jperez" is the
    // ordinary user.
    static QString usuario();
    static QString contrasena();

    QString archivo() const;              // <servidor>/ZANTAR_DEMO.db
    QString archivoEstadisticas() const;  // <servidor>/QZ_ESTADISTICAS.db

    // The suite's command line for this copy.
    QString lineaComandos(const QString& usuarioDemo = usuario()) const;
    // The session's connection text for this copy (SQL Server form, which the
    // embedded engine takes when the server is a folder).
    QString textoConexion(const QString& usuarioDemo = usuario()) const;

    // Opens `sesion` (a datos::DB_Dll) on this copy as the administrator.
    // In the header, so that programs without the data layer need not link it.
    template <class Sesion>
    void abrirSesion(Sesion& sesion) const {
        sesion.gServidor = servidor();
        sesion.gDBName = baseDatos();
        sesion.gUsuario = usuario();
        sesion.gUserPassWord = contrasena();
        sesion.OpenServerADODB();
    }

private:
    QTemporaryDir carpeta_;
    QString error_;
};

}  // namespace prueba
