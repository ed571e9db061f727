#include "session/frmAcceso.h"

#include "data/DB_Dll.h"
#include "data/ErroresGenerales.h"
#include "platform/Aplicacion.h"
#include "platform/Pasos.h"
#include "platform/RuntimeError.h"
#include "platform/ado/Recordset.h"
#include "platform/ui/Dialogos.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QVBoxLayout>
#include <cstdint>

namespace sesion {

using plataforma::Abandonar;
using plataforma::RuntimeError;
namespace estilo = plataforma::estilo;

namespace {

// The hint's text colour: the suite's colour number 2 (red 2, green 0, blue 0).
const QColor ColorHint(2, 0, 0);

// Failures a registration passes over: the object already closed (3704), the
// service not started or already running (1056, 440, 20480) and the service
// database locked (0x80070420).
bool seDejaPasar(long numero) {
    return numero == plataforma::numero::ObjetoCerrado || numero == 1056 || numero == 440
           || numero == 20480 || numero == -2147023840;
}

QString numeroConSigno(long numero) {
    return (numero < 0 ? QString() : QStringLiteral(" ")) + QString::number(numero);
}

QLineEdit* nuevaCaja(const char* nombre, const QString& ayuda, QWidget* padre) {
    auto* caja = new QLineEdit(padre);
    caja->setObjectName(QString::fromLatin1(nombre));
    caja->setToolTip(ayuda);
    return caja;
}

QPushButton* nuevoBoton(const char* nombre, const QString& titulo, QWidget* padre) {
    auto* boton = new QPushButton(titulo, padre);
    boton->setObjectName(QString::fromLatin1(nombre));
    // Enter does not accept: the user leaves the dialog only through its
    // buttons, Esc or a double click on an entry.
    boton->setAutoDefault(false);
    return boton;
}

}  // namespace

frmAcceso::frmAcceso(datos::DB_Dll& sesion, QWidget* padre)
    : QDialog(padre),
      sesion_(sesion),
      utilidades_(sesion.dialogos()),
      lista_(utilidades_.carpeta(plataforma::carpetaAplicacion())) {
    setObjectName(QStringLiteral("frmAcceso"));
    setWindowTitle(QStringLiteral("Control de Acceso"));
    setModal(true);
    crearControles();
    ordenarControles();
    conectarControles();
    // 1. Loading.
    centrarEnPantalla();
    llenarlist();
    for (QLineEdit* caja : {txtUserId_, txtUserPassword_, txtDbName_, txtServidor_})
        MensajeInicial(caja);
}

// ---- Controls ---------------------------------------------------------------

void frmAcceso::crearControles() {
    lblDatos_ = new QLabel(QStringLiteral("Complete los datos de conexion"), this);
    lblDatos_->setObjectName(QStringLiteral("Label1_0"));
    lblRegistradas_ = new QLabel(QStringLiteral("Conexiones registradas"), this);
    lblRegistradas_->setObjectName(QStringLiteral("Label1_1"));

    txtUserId_ = nuevaCaja("TxtUserId", QStringLiteral("Ingrese el nombre de usuario"), this);
    txtUserId_->setText(QStringLiteral(" "));
    txtUserPassword_ = nuevaCaja("TxtUserPassword", QStringLiteral("Ingrese la contraseña"), this);
    txtUserPassword_->setEchoMode(QLineEdit::Password);
    txtDbName_ = nuevaCaja("TxtDbName", QStringLiteral("ingrese el nombre de la base de datos"), this);
    txtServidor_ =
        nuevaCaja("TxtServidor", QStringLiteral("ingrese el nombre del servidor e instancia"), this);
    txtPuerto_ = nuevaCaja("TxtPuerto", QStringLiteral("Ingrese el Puerto "), this);
    txtPuerto_->setText(QStringLiteral("1433"));
    // Shown only: the port travels in the server text ("server:port").
    txtPuerto_->setReadOnly(true);

    cboPlataformaDB_ = new QComboBox(this);
    cboPlataformaDB_->setObjectName(QStringLiteral("CboPlataformaDB"));
    cboPlataformaDB_->addItems({QStringLiteral("SQL Server"), QStringLiteral("ORACLE")});

    lstBases_ = new QListWidget(this);
    lstBases_->setObjectName(QStringLiteral("lstBases"));

    bcAceptar_ = nuevoBoton("bcAceptar", QStringLiteral("Aceptar"), this);
    bcCancelar_ = nuevoBoton("bcCancelar", QStringLiteral("Cancelar"), this);
    cmdRegistrar_ = nuevoBoton("CmdRegistrar", QStringLiteral("Registrar"), this);
    cmdLineaComando_ = nuevoBoton("CmdLineaComando", QStringLiteral("Crear Acceso Directo"), this);
}

// The boxes one under the other, platform and port side by side below them,
// the registered connections to their right, the buttons in a row at the
// bottom.
void frmAcceso::ordenarControles() {
    auto* framAcceso = new QGroupBox(this);
    framAcceso->setObjectName(QStringLiteral("framAcceso"));
    auto* cajas = new QVBoxLayout(framAcceso);
    for (QLineEdit* caja : {txtUserId_, txtUserPassword_, txtDbName_, txtServidor_})
        cajas->addWidget(caja);
    auto* plataformaYPuerto = new QHBoxLayout;
    plataformaYPuerto->addWidget(cboPlataformaDB_, 2);
    plataformaYPuerto->addWidget(txtPuerto_, 1);
    cajas->addLayout(plataformaYPuerto);
    cajas->addStretch();

    auto* rejilla = new QGridLayout;
    rejilla->addWidget(lblDatos_, 0, 0);
    rejilla->addWidget(framAcceso, 1, 0);
    rejilla->addWidget(lblRegistradas_, 0, 1);
    rejilla->addWidget(lstBases_, 1, 1);
    rejilla->setColumnStretch(0, 1);
    rejilla->setColumnStretch(1, 1);

    auto* botones = new QHBoxLayout;
    for (QPushButton* boton : {bcAceptar_, bcCancelar_, cmdRegistrar_, cmdLineaComando_})
        botones->addWidget(boton);

    auto* todo = new QVBoxLayout(this);
    todo->addLayout(rejilla);
    todo->addLayout(botones);

    setTabOrder(txtUserId_, txtUserPassword_);
    setTabOrder(txtUserPassword_, txtDbName_);
    setTabOrder(txtDbName_, txtServidor_);
    setTabOrder(txtServidor_, cboPlataformaDB_);
    setTabOrder(cboPlataformaDB_, txtPuerto_);
    setTabOrder(txtPuerto_, lstBases_);
    setTabOrder(lstBases_, bcAceptar_);
    setTabOrder(bcAceptar_, bcCancelar_);
    setTabOrder(bcCancelar_, cmdRegistrar_);
    setTabOrder(cmdRegistrar_, cmdLineaComando_);
    resize(560, 300);
}

void frmAcceso::conectarControles() {
    for (QLineEdit* caja : {txtDbName_, txtServidor_, txtUserPassword_})
        connect(caja, &QLineEdit::textChanged, this, [this, caja] { MensajeInicial(caja); });
    txtUserId_->installEventFilter(this);
    lstBases_->installEventFilter(this);
    connect(lstBases_, &QListWidget::itemClicked, this, [this] { AsignarDatosBase(); });
    connect(lstBases_, &QListWidget::itemDoubleClicked, this, [this] {
        AsignarDatosBase();
        aceptar();
    });
    connect(bcAceptar_, &QPushButton::clicked, this, &frmAcceso::aceptar);
    connect(bcCancelar_, &QPushButton::clicked, this, &frmAcceso::reject);
    connect(cmdRegistrar_, &QPushButton::clicked, this, &frmAcceso::registrar);
    connect(cmdLineaComando_, &QPushButton::clicked, this, &frmAcceso::crearAccesoDirecto);
}

void frmAcceso::centrarEnPantalla() {
    const QScreen* pantalla = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!pantalla) return;
    const QRect area = pantalla->geometry();
    move(area.width() / 2 - width() / 2, area.height() / 2 - height() / 2);
}

// The user box's hint comes back when it receives the focus; a key pressed on
// the list applies the entry it leaves selected.
bool frmAcceso::eventFilter(QObject* objeto, QEvent* evento) {
    if (reenviandoEvento_) return QDialog::eventFilter(objeto, evento);
    if (objeto == txtUserId_ && evento->type() == QEvent::FocusIn) {
        reenviar(objeto, evento);
        MensajeInicial(txtUserId_);
        return true;
    }
    if (objeto == lstBases_ && evento->type() == QEvent::KeyPress) {
        reenviar(objeto, evento);
        AsignarDatosBase();
        return true;
    }
    return QDialog::eventFilter(objeto, evento);
}

// The control handles the event first, so that what follows sees its result.
void frmAcceso::reenviar(QObject* objeto, QEvent* evento) {
    reenviandoEvento_ = true;
    QCoreApplication::sendEvent(objeto, evento);
    reenviandoEvento_ = false;
}

// ---- Buttons ----------------------------------------------------------------

void frmAcceso::aceptar() {
    Aceptar = true;
    QDialog::accept();
}

// "Cancelar", Esc and the title bar's close button.
void frmAcceso::reject() {
    Aceptar = false;
    QDialog::reject();
}

// ---- The list of registered connections --------------------------------------

void frmAcceso::llenarlist() {
    std::vector<ConexionesRegistradas::Registro> registros;
    std::int16_t contados = 0;
    const plataforma::TratamientoDeError tratar = [this](const RuntimeError& error) {
        return datos::TratamientoErroresGeneral(sesion_.principal(), error, std::nullopt,
                                                QStringLiteral("FormLoad"));
    };
    // 2.
    if (!lista_.existe()) {
        lstBases_->clear();
        return;
    }
    plataforma::ejecutarPasos(
        {
            // 3.
            [&] {
                lstBases_->clear();
                registros = lista_.leer();
            },
            [&] {
                for (const ConexionesRegistradas::Registro& registro : registros) {
                    if (contados == ConexionesRegistradas::MaximoRegistros)
                        throw RuntimeError(6, QStringLiteral("Desbordamiento"));
                    ++contados;
                    if (!registro.clave.trimmed().isEmpty()) lstBases_->addItem(registro.clave);
                }
            },
            // 4.
            [&] {
                if (lstBases_->count() == 0) return;
                lstBases_->setCurrentRow(0);
                AsignarDatosBase();
            },
        },
        tratar);
}

void frmAcceso::DatosBase(const QString& Nombre) {
    try {
        const std::optional<ConexionesRegistradas::Registro> registro = lista_.buscar(Nombre);
        if (!registro) return;
        // Server, database and user first: a password that does not
        // decipher is reported and left empty, but the entry still applies.
        encontrado_ = *registro;
        encontrado_.contrasena.clear();
        encontrado_.contrasena = utilidades_.descifrar(registro->contrasena);
    } catch (const RuntimeError& error) {
        utilidades_.dialogoError(error);
    }
}

void frmAcceso::AsignarDatosBase() {
    const QListWidgetItem* elegida = lstBases_->currentItem();
    // 1.
    DatosBase(elegida ? elegida->text().trimmed() : QString());
    // 2.
    QString servidor = encontrado_.servidor;
    const qsizetype dosPuntos = servidor.indexOf(u':');
    if (dosPuntos >= 0) {
        puerto_ = servidor.mid(dosPuntos + 1);
        servidor = servidor.left(dosPuntos).toUpper().trimmed();
    }
    // 3.
    txtServidor_->setText(servidor);
    txtUserId_->setText(QString());
    txtUserPassword_->setText(QString());
    txtDbName_->setText(encontrado_.baseDatos);
    txtPuerto_->setText(puerto_);
}

// ---- Hints ------------------------------------------------------------------

QString frmAcceso::hint(const QString& nombreCaja) {
    if (nombreCaja == QLatin1String("TxtUserId")) return QStringLiteral("Ingrese el usuario");
    if (nombreCaja == QLatin1String("TxtDbName"))
        return QStringLiteral("ingrese el nombre de la base de datos");
    if (nombreCaja == QLatin1String("TxtServidor"))
        return QStringLiteral("ingrese el nombre del servidor e instancia");
    return QString();
}

void frmAcceso::MensajeInicial(QLineEdit* ObjTxt) {
    if (!ObjTxt) return;
    const QString texto = hint(ObjTxt->objectName());
    if (!ObjTxt->text().trimmed().isEmpty() && ObjTxt->text() != texto) return;
    if (ObjTxt->text() != texto) ObjTxt->setText(texto);
    QPalette colores = ObjTxt->palette();
    colores.setColor(QPalette::Text, ColorHint);
    ObjTxt->setPalette(colores);
    ObjTxt->setSelection(0, int(ObjTxt->text().trimmed().size()));
    ObjTxt->update();
}

// ---- Connection test --------------------------------------------------------

bool frmAcceso::ExisteBaseDeDatos(const QString& Servidor, const QString& Dbname,
                                  const QString& Usuario, const QString& Password,
                                  const QString& Proveedor) {
    bool fallo = false;
    auto paso = [&](const std::function<void()>& accion) {
        try {
            accion();
        } catch (const RuntimeError&) {
            fallo = true;
        }
    };
    // 1.
    paso([&] {
        if (sesionConectada()) sesion_.gCnn().Close();
    });
    // 2.
    const QString texto = datos::DB_Dll::textoSqlServer(Proveedor, Servidor, Dbname, Usuario, Password);
    // 3.
    paso([&] { sesion_.gCnn().Open(texto, QString(), QString(), -1); });
    // 4. A connection opened after an earlier failure stays open.
    if (fallo) return false;
    paso([&] { sesion_.gCnn().Close(); });
    return !fallo;
}

// ---- Registration -----------------------------------------------------------

void frmAcceso::registrar() {
    // 1.
    const QString clave = ConexionesRegistradas::clave(txtDbName_->text(), txtServidor_->text());
    // 2.
    if (yaRegistrada(clave)) return;
    // 3.
    recortarCajas();
    if (!textosRegistrables()) return;
    // 4. to 7.
    bool irAlEnvioOdbc = false;
    if (!probarYGrabar(clave, irAlEnvioOdbc) && !irAlEnvioOdbc) {
        sesion_.dialogos().mensaje(QStringLiteral("NO SE PUDO CONECTAR AL SERVIDOR ")
                                       + txtServidor_->text()
                                       + QStringLiteral(" VERIFIQUE EL NOMBRE DE USUARIO Y PASSWORD INGRESADO"),
                                   estilo::Informacion, QStringLiteral("AVISO AL OPERADOR"));
        return;
    }
    const plataforma::TratamientoDeError tratar = [this](const RuntimeError& error) {
        if (!seDejaPasar(error.Number())) avisarFallaRegistro(error);
        return plataforma::SeguirConElSiguiente;
    };
    plataforma::ejecutarPasos(
        {
            [&] { iniciarAyudanteOdbc(); },       // 8.
            [&] { sesion_.gCnn().Close(); },      // 9.
            [&] { llenarlist(); },                // 10.
        },
        tratar);
}

bool frmAcceso::yaRegistrada(const QString& clave) {
    encontrado_.servidor.clear();
    DatosBase(clave);
    if (encontrado_.servidor.trimmed().isEmpty()) return false;
    sesion_.dialogos().mensaje(QStringLiteral("La conexion que intenta registrar ya existe "),
                               estilo::Informacion, QStringLiteral("Atencion"));
    return true;
}

void frmAcceso::recortarCajas() {
    for (QLineEdit* caja : {txtServidor_, txtUserId_, txtUserPassword_, txtDbName_})
        caja->setText(caja->text().trimmed());
}

// A comma, a double quote or a line break in a field would shift every field
// after it for every later reading of the list, so such a connection is not
// written at all.
bool frmAcceso::textosRegistrables() {
    if (ConexionesRegistradas::cabeEnCampo(txtDbName_->text())
        && ConexionesRegistradas::cabeEnCampo(txtServidor_->text()))
        return true;
    sesion_.dialogos().mensaje(
        QStringLiteral("El nombre de la base de datos o del servidor contiene comas, comillas "
                       "dobles, saltos de linea o caracteres que la lista de conexiones no puede "
                       "guardar. La conexion no se registro."),
        estilo::Informacion, QStringLiteral("Atencion"));
    return false;
}

// Answers whether the connection was written; `irAlEnvioOdbc` tells that a
// failure was shown and the registration goes on with the helper program.
// The flag may be set while the connection is closed (the dialog shown
// again after a failed connection, or a failure the session only showed):
// only an open connection counts.
bool frmAcceso::sesionConectada() const {
    return sesion_.gOpenFlag && sesion_.gCnn().State() != ado::estado::Cerrado;
}

bool frmAcceso::probarYGrabar(const QString& clave, bool& irAlEnvioOdbc) {
    bool grabada = false;
    bool probada = false;
    const plataforma::TratamientoDeError tratar = [&](const RuntimeError& error) {
        if (seDejaPasar(error.Number())) return plataforma::SeguirConElSiguiente;
        avisarFallaRegistro(error);
        irAlEnvioOdbc = true;
        return Abandonar;
    };
    const QString base = txtDbName_->text().toUpper();
    plataforma::ejecutarPasos(
        {
            // 4. The database name stands for user and password.
            [&] { probada = ExisteBaseDeDatos(txtServidor_->text(), base, base, base,
                                              QStringLiteral("SQLOLEDB")); },
            // 5.
            [&] {
                if (!probada) return;
                grabar(clave);
                grabada = true;
            },
            // 6. The typed user and password.
            [&] {
                if (probada || !sesionConectada()) return;
                sesion_.gCnn().Close();
            },
            [&] {
                if (probada) return;
                sesion_.gServidor = txtServidor_->text();
                sesion_.gUsuario = txtUserId_->text();
                sesion_.gUserPassWord = txtUserPassword_->text();
                sesion_.gDBName = txtDbName_->text();
                sesion_.OpenServerADODB(false, 3, QString(), true, true);
            },
            // 7. A failure the session only showed leaves its flag set:
            // only an open connection counts.
            [&] {
                if (probada || !sesionConectada()) return;
                grabar(clave);
                grabada = true;
            },
        },
        tratar);
    return grabada;
}

// Fields 3 and 4 hold the database name, whatever user opened the
// connection.
void frmAcceso::grabar(const QString& clave) {
    const QString base = txtDbName_->text();
    lista_.GrabarConexion(clave, base, base, base, txtServidor_->text(), utilidades_);
}

void frmAcceso::iniciarAyudanteOdbc() {
    const QString carpeta = utilidades_.carpeta(plataforma::carpetaEjecutable());
    const QFileInfo ayudante(carpeta + QStringLiteral("ODBC.exe"));
    if (!ayudante.isFile() || !ayudante.isExecutable()) return;
    const QString argumento = QStringLiteral("Server=") + txtServidor_->text()
                              + QStringLiteral(";DB=") + sesion_.gDBName + QStringLiteral(";");
    QProcess::startDetached(ayudante.filePath(), {argumento}, carpeta);
}

void frmAcceso::avisarFallaRegistro(const RuntimeError& error) {
    sesion_.dialogos().mensaje(QStringLiteral("SQL Server start failed.  ") + QStringLiteral("\r")
                                   + QStringLiteral("SQL-DMO error:  ") + numeroConSigno(error.Number())
                                   + QStringLiteral(" ") + error.Description(),
                               estilo::SoloAceptar, plataforma::nombreEjecutable());
}

// ---- Desktop shortcut -------------------------------------------------------

// A desktop entry "Trevanis.desktop" on the user's desktop that starts this
// program with its icon.
void frmAcceso::crearAccesoDirecto() {
    const QString escritorio = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    if (escritorio.isEmpty() || !QDir().mkpath(escritorio)) {
        avisarFallaAccesoDirecto(QStringLiteral("No se encontro la carpeta del escritorio."));
        return;
    }
    const QString programa = utilidades_.carpeta(plataforma::carpetaEjecutable())
                             + plataforma::nombreEjecutable();
    QString icono = programa;
    const QIcon iconoVentana = QApplication::windowIcon();
    if (!iconoVentana.isNull()) {
        const QString carpetaIconos =
            QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
            + QStringLiteral("/icons");
        const QString archivoIcono = carpetaIconos + QStringLiteral("/Trevanis.png");
        if (QDir().mkpath(carpetaIconos) && iconoVentana.pixmap(64, 64).save(archivoIcono))
            icono = archivoIcono;
    }
    QFile acceso(escritorio + QStringLiteral("/Trevanis.desktop"));
    const QString contenido = QStringLiteral("[Desktop Entry]\nType=Application\nName=Trevanis\n")
                              + QStringLiteral("Exec=\"") + programa + QStringLiteral("\"\n")
                              + QStringLiteral("Icon=") + icono + QStringLiteral("\n")
                              + QStringLiteral("Terminal=false\n");
    if (!acceso.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || acceso.write(contenido.toUtf8()) < 0 || !acceso.flush()) {
        avisarFallaAccesoDirecto(acceso.errorString());
        return;
    }
    acceso.close();
    acceso.setPermissions(acceso.permissions() | QFileDevice::ExeOwner | QFileDevice::ExeUser
                          | QFileDevice::ExeGroup | QFileDevice::ExeOther);
}

void frmAcceso::avisarFallaAccesoDirecto(const QString& causa) {
    sesion_.dialogos().mensaje(QStringLiteral("No se pudo crear el acceso directo en el escritorio. ")
                                   + causa,
                               estilo::Exclamacion, QStringLiteral("Crear Acceso Directo"));
}

// ---- Running a command ------------------------------------------------------

bool frmAcceso::EjecutarCmdRegDB(const QString& Archivo, QString& ErrDevuelto) {
    QStringList partes = QProcess::splitCommand(Archivo);
    if (partes.isEmpty())
        throw RuntimeError(53, QStringLiteral("No se encontró el archivo"));
    QProcess proceso;
    const QString programa = partes.takeFirst();
    proceso.start(programa, partes);
    if (!proceso.waitForStarted())
        throw RuntimeError(53, QStringLiteral("No se encontró el archivo ") + programa);
    // The window keeps answering while the command runs.
    QEventLoop espera;
    connect(&proceso, &QProcess::finished, &espera, &QEventLoop::quit);
    if (proceso.state() != QProcess::NotRunning) espera.exec();
    if (proceso.exitStatus() == QProcess::CrashExit) {
        ErrDevuelto = QStringLiteral("Error al ejecutar el comando");
        return false;
    }
    return true;
}

}  // namespace sesion
