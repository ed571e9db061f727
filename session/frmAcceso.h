#pragma once

#include "session/ConexionesRegistradas.h"
#include "session/utility_component/Utilidades.h"

#include <QDialog>
#include <QString>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace datos { class DB_Dll; }
namespace plataforma { class RuntimeError; }

namespace sesion {

// "Control de Acceso": where the user states how to reach the suite's
// database (user, password, database, server, platform), with the list of
// connections registered on this workstation (BASES.TXT).
//
// The dialog only collects values: the caller presets the boxes, runs it
// modally and reads `Aceptar` and the boxes back. The one place where it
// touches the session's connection is "Registrar", which tests the typed
// connection before it appends it to the list.
class frmAcceso : public QDialog {
    Q_OBJECT
public:
    // `sesion` is the main database session; the list lives in the program's
    // folder.
    explicit frmAcceso(datos::DB_Dll& sesion, QWidget* padre = nullptr);

    bool Aceptar = false;

    QLineEdit* TxtUserId() const { return txtUserId_; }
    QLineEdit* TxtUserPassword() const { return txtUserPassword_; }
    QLineEdit* TxtDbName() const { return txtDbName_; }
    QLineEdit* TxtServidor() const { return txtServidor_; }
    QLineEdit* TxtPuerto() const { return txtPuerto_; }
    QComboBox* CboPlataformaDB() const { return cboPlataformaDB_; }
    QListWidget* lstBases() const { return lstBases_; }

    // Refills the list from BASES.TXT and applies its first entry.
    void llenarlist();
    // Remembers the fields of the first record whose key is `Nombre`.
    void DatosBase(const QString& Nombre);
    // The selected entry's record into the boxes.
    void AsignarDatosBase();
    // Whether the session's connection opens with these values; it is closed
    // again.
    bool ExisteBaseDeDatos(const QString& Servidor, const QString& Dbname, const QString& Usuario,
                           const QString& Password, const QString& Proveedor);
    // The box's hint, selected, while the box is empty.
    void MensajeInicial(QLineEdit* ObjTxt);
    // Runs a command line and waits for its end, handling window events
    // meanwhile.
    bool EjecutarCmdRegDB(const QString& Archivo, QString& ErrDevuelto);

    // The hint a box shows while empty.
    static QString hint(const QString& nombreCaja);

public Q_SLOTS:
    void aceptar();
    void reject() override;
    void registrar();
    void crearAccesoDirecto();

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    void crearControles();
    void ordenarControles();
    void conectarControles();
    void centrarEnPantalla();
    void reenviar(QObject* objeto, QEvent* evento);

    // "Registrar"'s pieces.
    bool yaRegistrada(const QString& clave);
    void recortarCajas();
    bool textosRegistrables();
    bool sesionConectada() const;
    bool probarYGrabar(const QString& clave, bool& irAlEnvioOdbc);
    void grabar(const QString& clave);
    void iniciarAyudanteOdbc();
    void avisarFallaRegistro(const plataforma::RuntimeError& error);
    void avisarFallaAccesoDirecto(const QString& causa);

    datos::DB_Dll& sesion_;
    utilidades::Utilidades utilidades_;
    ConexionesRegistradas lista_;

    // The record DatosBase found last, and the port shown.
    ConexionesRegistradas::Registro encontrado_;
    QString puerto_;
    bool reenviandoEvento_ = false;

    QLabel* lblDatos_ = nullptr;
    QLabel* lblRegistradas_ = nullptr;
    QLineEdit* txtUserId_ = nullptr;
    QLineEdit* txtUserPassword_ = nullptr;
    QLineEdit* txtDbName_ = nullptr;
    QLineEdit* txtServidor_ = nullptr;
    QComboBox* cboPlataformaDB_ = nullptr;
    QLineEdit* txtPuerto_ = nullptr;
    QListWidget* lstBases_ = nullptr;
    QPushButton* bcAceptar_ = nullptr;
    QPushButton* bcCancelar_ = nullptr;
    QPushButton* cmdRegistrar_ = nullptr;
    QPushButton* cmdLineaComando_ = nullptr;
};

}  // namespace sesion
