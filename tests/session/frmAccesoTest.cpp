// "Control de Acceso" on the offscreen platform, driven by keys and the mouse:
// its hints, the registered connections, accepting and cancelling, and
// registrations against a real embedded database.

#include "session/frmAcceso.h"

#include "data/DB_Dll.h"
#include "session/AccesoConDialogo.h"
#include "session/utility_component/Utilidades.h"
#include "support/BaseDemo.h"
#include "support/DialogosGuion.h"
#include "tests/session/EntornoTemporal.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

namespace {

using sesion::frmAcceso;
namespace respuesta = plataforma::respuesta;
namespace estilo = plataforma::estilo;

class DialogoAcceso : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(carpeta_.isValid());
        ASSERT_TRUE(demo_.valida()) << demo_.error().toStdString();
    }

    QString carpeta() const { return carpeta_.path() + QStringLiteral("/"); }
    QString rutaLista() const { return carpeta() + QStringLiteral("BASES.TXT"); }

    void escribirLista(const QByteArray& contenido) {
        QFile archivo(rutaLista());
        ASSERT_TRUE(archivo.open(QIODevice::WriteOnly));
        archivo.write(contenido);
    }

    QByteArray lista() const {
        QFile archivo(rutaLista());
        return archivo.open(QIODevice::ReadOnly) ? archivo.readAll() : QByteArray();
    }

    QByteArray registro(const char* clave, const char* servidor) const {
        return QByteArray(clave) + ",db,db," + utilidades_.cifrar(QStringLiteral("db")).toLatin1() + ","
               + servidor + "\r\n";
    }

    frmAcceso& abrir() {
        dialogo_ = std::make_unique<frmAcceso>(sesion_);
        dialogo_->show();
        dialogo_->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(dialogo_.get()));
        return *dialogo_;
    }

    QPushButton* boton(const char* nombre) const {
        return dialogo_->findChild<QPushButton*>(QString::fromLatin1(nombre));
    }

    void escribirEn(QLineEdit* caja, const QString& texto) {
        caja->setFocus();
        caja->selectAll();
        QTest::keyClick(caja, Qt::Key_Backspace);
        QTest::keyClicks(caja, texto);
    }

    void pulsarEntrada(int fila, bool doble = false) {
        QListWidget* lst = dialogo_->lstBases();
        const QPoint punto = lst->visualItemRect(lst->item(fila)).center();
        // A double click starts as a click.
        QTest::mouseClick(lst->viewport(), Qt::LeftButton, {}, punto);
        if (doble) QTest::mouseDClick(lst->viewport(), Qt::LeftButton, {}, punto);
    }

    QString mensajes() const {
        QString todos;
        for (const auto& m : dialogos_.mensajes()) todos += m.titulo + QStringLiteral(": ") + m.texto + u'\n';
        return todos;
    }

    QTemporaryDir carpeta_;
    prueba::EntornoTemporal carpetaPrograma_{"QUINTARO_CARPETA", carpeta_.path()};
    prueba::BaseDemo demo_;
    prueba::DialogosGuion dialogos_;
    utilidades::Utilidades utilidades_{dialogos_};
    datos::DB_Dll sesion_{dialogos_};
    std::unique_ptr<frmAcceso> dialogo_;
};

// ---- what the dialog shows ------------------------------------------------------

TEST_F(DialogoAcceso, AlCargarMuestraSusControlesYLasAyudasSeleccionadas) {
    frmAcceso& d = abrir();

    EXPECT_EQ(d.windowTitle(), QStringLiteral("Control de Acceso"));
    EXPECT_FALSE(d.Aceptar);
    struct Caja {
        QLineEdit* caja;
        const char* texto;
        const char* ayuda;
    };
    const Caja cajas[] = {
        {d.TxtUserId(), "Ingrese el usuario", "Ingrese el nombre de usuario"},
        {d.TxtUserPassword(), "", "Ingrese la contraseña"},
        {d.TxtDbName(), "ingrese el nombre de la base de datos", "ingrese el nombre de la base de datos"},
        {d.TxtServidor(), "ingrese el nombre del servidor e instancia",
         "ingrese el nombre del servidor e instancia"},
    };
    for (const Caja& c : cajas) {
        EXPECT_EQ(c.caja->text(), QString::fromUtf8(c.texto)) << c.caja->objectName().toStdString();
        EXPECT_EQ(c.caja->toolTip(), QString::fromUtf8(c.ayuda)) << c.caja->objectName().toStdString();
        EXPECT_EQ(c.caja->palette().color(QPalette::Text), QColor(2, 0, 0));
    }
    EXPECT_EQ(d.TxtDbName()->selectedText(), d.TxtDbName()->text());
    EXPECT_EQ(d.TxtUserPassword()->echoMode(), QLineEdit::Password);
    EXPECT_EQ(d.TxtPuerto()->text(), QStringLiteral("1433"));
    EXPECT_EQ(d.TxtPuerto()->toolTip(), QStringLiteral("Ingrese el Puerto "));
    ASSERT_EQ(d.CboPlataformaDB()->count(), 2);
    EXPECT_EQ(d.CboPlataformaDB()->itemText(0), QStringLiteral("SQL Server"));
    EXPECT_EQ(d.CboPlataformaDB()->itemText(1), QStringLiteral("ORACLE"));
    EXPECT_EQ(d.lstBases()->count(), 0);
    const char* botones[][2] = {{"bcAceptar", "Aceptar"},
                                {"bcCancelar", "Cancelar"},
                                {"CmdRegistrar", "Registrar"},
                                {"CmdLineaComando", "Crear Acceso Directo"}};
    int izquierda = -1;
    for (const auto& b : botones) {
        QPushButton* p = boton(b[0]);
        ASSERT_NE(p, nullptr) << b[0];
        EXPECT_EQ(p->text(), QString::fromLatin1(b[1]));
        EXPECT_GT(p->x(), izquierda) << b[0];  // a row in this order
        izquierda = p->x();
    }
    QStringList etiquetas;
    for (const QLabel* l : d.findChildren<QLabel*>()) etiquetas << l->text();
    EXPECT_TRUE(etiquetas.contains(QStringLiteral("Complete los datos de conexion")));
    EXPECT_TRUE(etiquetas.contains(QStringLiteral("Conexiones registradas")));
    // The boxes stand one under the other, the list to their right.
    EXPECT_LT(d.TxtUserId()->mapTo(&d, QPoint()).y(), d.TxtUserPassword()->mapTo(&d, QPoint()).y());
    EXPECT_LT(d.TxtDbName()->mapTo(&d, QPoint()).y(), d.TxtServidor()->mapTo(&d, QPoint()).y());
    EXPECT_GT(d.lstBases()->mapTo(&d, QPoint()).x(), d.TxtServidor()->mapTo(&d, QPoint()).x());
}

TEST_F(DialogoAcceso, ElTabuladorRecorreUsuarioContrasenaBaseYServidor) {
    frmAcceso& d = abrir();
    d.TxtUserId()->setFocus();
    const QLineEdit* orden[] = {d.TxtUserPassword(), d.TxtDbName(), d.TxtServidor()};
    for (const QLineEdit* siguiente : orden) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), siguiente) << siguiente->objectName().toStdString();
    }
}

// The hint is selected, so the first key replaces it; an emptied box shows it
// again.
TEST_F(DialogoAcceso, LaPrimeraTeclaReemplazaLaAyudaYBorrarTodoLaDevuelve) {
    frmAcceso& d = abrir();
    QLineEdit* base = d.TxtDbName();
    base->setFocus();
    QTest::keyClicks(base, QStringLiteral("conta"));
    EXPECT_EQ(base->text(), QStringLiteral("conta"));

    base->selectAll();
    QTest::keyClick(base, Qt::Key_Backspace);
    EXPECT_EQ(base->text(), frmAcceso::hint(QStringLiteral("TxtDbName")));
    EXPECT_EQ(base->selectedText(), base->text());
    QTest::keyClicks(base, QStringLiteral("x"));
    EXPECT_EQ(base->text(), QStringLiteral("x"));
}

TEST_F(DialogoAcceso, ElUsuarioVacioMuestraSuAyudaAlRecibirElFoco) {
    frmAcceso& d = abrir();
    d.TxtUserId()->setText(QString());
    d.TxtDbName()->setFocus();
    QTest::keyClick(d.TxtDbName(), Qt::Key_Backtab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    ASSERT_EQ(QApplication::focusWidget(), d.TxtUserId());
    EXPECT_EQ(d.TxtUserId()->text(), QStringLiteral("Ingrese el usuario"));
    EXPECT_EQ(d.TxtUserId()->selectedText(), QStringLiteral("Ingrese el usuario"));
}

// ---- the registered connections -------------------------------------------------

TEST_F(DialogoAcceso, LaListaMuestraLasClavesNoVaciasYAplicaLaPrimera) {
    escribirLista(registro("CONTA / SRV01", "srv01:1450") + registro("   ", "srv09")
                  + registro("VENTAS / SRV02", "srv02"));
    frmAcceso& d = abrir();

    ASSERT_EQ(d.lstBases()->count(), 2);
    EXPECT_EQ(d.lstBases()->item(0)->text(), QStringLiteral("CONTA / SRV01"));
    EXPECT_EQ(d.lstBases()->item(1)->text(), QStringLiteral("VENTAS / SRV02"));
    EXPECT_EQ(d.lstBases()->currentRow(), 0);
    EXPECT_EQ(d.TxtServidor()->text(), QStringLiteral("SRV01"));
    EXPECT_EQ(d.TxtPuerto()->text(), QStringLiteral("1450"));
    EXPECT_EQ(d.TxtDbName()->text(), QStringLiteral("db"));
}

// A server with a port fills both boxes; one without leaves the port as it
// was.
TEST_F(DialogoAcceso, ElegirUnaEntradaLlenaServidorBaseYPuertoYVaciaUsuarioYContrasena) {
    escribirLista(registro("CONTA / SRV01", "srv01:1450") + registro("VENTAS / SRV02", "srv02"));
    frmAcceso& d = abrir();
    d.TxtUserId()->setText(QStringLiteral("mgomez"));
    d.TxtUserPassword()->setText(QStringLiteral("demo"));

    pulsarEntrada(1);

    EXPECT_EQ(d.TxtServidor()->text(), QStringLiteral("srv02"));
    EXPECT_EQ(d.TxtPuerto()->text(), QStringLiteral("1450"));
    EXPECT_EQ(d.TxtUserId()->text(), QString());
    EXPECT_EQ(d.TxtUserPassword()->text(), QString());
    EXPECT_FALSE(d.Aceptar);
    EXPECT_TRUE(d.isVisible());

    // A key on the list applies the entry it leaves selected.
    QTest::keyClick(d.lstBases(), Qt::Key_Up);
    EXPECT_EQ(d.TxtServidor()->text(), QStringLiteral("SRV01"));
}

TEST_F(DialogoAcceso, UnaEntradaSinPuertoEnUnDialogoNuevoDejaElPuertoVacio) {
    escribirLista(registro("VENTAS / SRV02", "srv02"));
    frmAcceso& d = abrir();
    EXPECT_EQ(d.TxtServidor()->text(), QStringLiteral("srv02"));
    EXPECT_EQ(d.TxtPuerto()->text(), QString());
}

TEST_F(DialogoAcceso, UnaContrasenaIlegibleSeAvisaPeroLaEntradaLlenaServidorYBase) {
    escribirLista(registro("CONTA / SRV01", "srv01") + "MALA / X,mala,u,no-cifrada,x:1500\r\n");
    frmAcceso& d = abrir();
    pulsarEntrada(1);

    ASSERT_EQ(dialogos_.mensajes().size(), 1u);
    EXPECT_EQ(d.TxtServidor()->text(), QStringLiteral("X"));
    EXPECT_EQ(d.TxtDbName()->text(), QStringLiteral("mala"));
    EXPECT_EQ(d.TxtPuerto()->text(), QStringLiteral("1500"));
}

// The records are counted in 16 bits: the one after the 32767th overflows and
// goes to the error treatment; Ignore goes on with selecting the first entry,
// Abort leaves the list without a selection.
TEST_F(DialogoAcceso, UnaListaDeMasDe32767RegistrosDesbordaYSeTrata) {
    QByteArray contenido;
    for (int i = 0; i <= sesion::ConexionesRegistradas::MaximoRegistros; ++i)
        contenido += registro(QByteArray::number(i).constData(), "srv");
    escribirLista(contenido);
    struct Caso {
        int respuesta;
        int filaElegida;
    };
    for (const Caso caso : {Caso{respuesta::Abortar, -1}, Caso{respuesta::Ignorar, 0}}) {
        dialogos_ = prueba::DialogosGuion();
        dialogos_.responder(caso.respuesta);
        frmAcceso& d = abrir();

        ASSERT_EQ(dialogos_.mensajes().size(), 1u);
        EXPECT_TRUE(dialogos_.mensajes().front().titulo.startsWith(QStringLiteral("FormLoad - ")));
        EXPECT_EQ(d.lstBases()->count(), sesion::ConexionesRegistradas::MaximoRegistros);
        EXPECT_EQ(d.lstBases()->currentRow(), caso.filaElegida) << caso.respuesta;
    }
}

// ---- leaving the dialog ---------------------------------------------------------

TEST_F(DialogoAcceso, DobleClicEnUnaEntradaAceptaConSusDatos) {
    escribirLista(registro("CONTA / SRV01", "srv01:1450") + registro("VENTAS / SRV02", "srv02"));
    frmAcceso& d = abrir();
    pulsarEntrada(1, true);

    EXPECT_TRUE(d.Aceptar);
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(d.TxtServidor()->text(), QStringLiteral("srv02"));
}

TEST_F(DialogoAcceso, AceptarYCancelar) {
    struct Caso {
        const char* nombre;
        std::function<void(frmAcceso&)> accion;
        bool aceptar;
        bool sigueVisible;
    };
    const Caso casos[] = {
        {"Aceptar", [this](frmAcceso&) { QTest::mouseClick(boton("bcAceptar"), Qt::LeftButton); }, true, false},
        {"Cancelar", [this](frmAcceso&) { QTest::mouseClick(boton("bcCancelar"), Qt::LeftButton); }, false, false},
        {"Esc", [](frmAcceso& d) { QTest::keyClick(d.TxtDbName(), Qt::Key_Escape); }, false, false},
        {"Cerrar", [](frmAcceso& d) { d.close(); }, false, false},
        {"EnterNoAcepta", [](frmAcceso& d) { QTest::keyClick(d.TxtDbName(), Qt::Key_Return); }, false, true},
    };
    for (const Caso& caso : casos) {
        frmAcceso& d = abrir();
        // A cancel also undoes an earlier acceptance.
        if (!caso.sigueVisible) d.Aceptar = !caso.aceptar;
        caso.accion(d);
        EXPECT_EQ(d.Aceptar, caso.aceptar) << caso.nombre;
        EXPECT_EQ(d.isVisible(), caso.sigueVisible) << caso.nombre;
    }
}

// What the session reads back: the boxes as the user left them, a hint
// included, and the platform chosen.
TEST_F(DialogoAcceso, LaSesionLeeLasCajasTalComoQuedaronConSusAyudas) {
    sesion::AccesoConDialogo acceso(sesion_);
    acceso.mostrar = [this](frmAcceso& d) {
        dialogo_.reset();
        d.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&d));
        EXPECT_EQ(d.TxtServidor()->text(), QStringLiteral("srv01"));
        EXPECT_EQ(d.TxtUserPassword()->text(), QStringLiteral("clave"));
        d.TxtUserId()->setFocus();
        d.CboPlataformaDB()->setCurrentIndex(1);
        QTest::mouseClick(d.findChild<QPushButton*>(QStringLiteral("bcAceptar")), Qt::LeftButton);
    };
    QString servidor = QStringLiteral("srv01");
    QString base;
    QString usuario;
    QString contrasena = QStringLiteral("clave");
    int plataforma = 0;
    ASSERT_TRUE(acceso.pedirConexion(servidor, base, usuario, contrasena, plataforma));

    EXPECT_EQ(servidor, QStringLiteral("srv01"));
    EXPECT_EQ(base, QStringLiteral("ingrese el nombre de la base de datos"));
    EXPECT_EQ(usuario, QStringLiteral("Ingrese el usuario"));
    EXPECT_EQ(contrasena, QStringLiteral("clave"));
    EXPECT_EQ(plataforma, 1);
}

// By default the dialog runs modally: the request returns once it is hidden.
TEST_F(DialogoAcceso, PorOmisionElDialogoEsModal) {
    sesion::AccesoConDialogo acceso(sesion_);
    bool eraModal = false;
    QTimer::singleShot(0, [&] {
        auto* d = qobject_cast<frmAcceso*>(QApplication::activeModalWidget());
        ASSERT_NE(d, nullptr);
        eraModal = d->isModal();
        QTest::keyClick(d, Qt::Key_Escape);
    });
    QString servidor, base, usuario, contrasena;
    int plataforma = 0;
    EXPECT_FALSE(acceso.pedirConexion(servidor, base, usuario, contrasena, plataforma));
    EXPECT_TRUE(eraModal);
    EXPECT_TRUE(base.isEmpty());
}

// ---- registering a connection ---------------------------------------------------

TEST_F(DialogoAcceso, RegistrarUnaBaseQueAbreLaAgregaALaListaYCierraLaConexion) {
    frmAcceso& d = abrir();
    escribirEn(d.TxtDbName(), QStringLiteral(" zantar_demo "));
    escribirEn(d.TxtServidor(), demo_.servidor());
    QTest::mouseClick(boton("CmdRegistrar"), Qt::LeftButton);

    EXPECT_TRUE(dialogos_.mensajes().empty()) << mensajes().toStdString();
    const QString clave = QStringLiteral("ZANTAR_DEMO / ") + demo_.servidor().toUpper();
    // The database name stands in the user and password fields.
    EXPECT_EQ(lista(), (clave + QStringLiteral(",zantar_demo,zantar_demo,")
                        + utilidades_.cifrar(QStringLiteral("zantar_demo")) + u',' + demo_.servidor()
                        + QStringLiteral("\r\n"))
                           .toLatin1());
    ASSERT_EQ(d.lstBases()->count(), 1);
    EXPECT_EQ(d.lstBases()->item(0)->text(), clave);
    EXPECT_EQ(sesion_.gCnn().State(), 0);
    EXPECT_TRUE(d.isVisible());

    // The same key again is refused before any connection is tried.
    escribirEn(d.TxtDbName(), QStringLiteral("ZANTAR_DEMO"));
    escribirEn(d.TxtServidor(), demo_.servidor());
    QTest::mouseClick(boton("CmdRegistrar"), Qt::LeftButton);
    ASSERT_EQ(dialogos_.mensajes().size(), 1u);
    EXPECT_EQ(dialogos_.mensajes().front().texto, QStringLiteral("La conexion que intenta registrar ya existe "));
    EXPECT_EQ(dialogos_.mensajes().front().titulo, QStringLiteral("Atencion"));
    EXPECT_EQ(dialogos_.mensajes().front().estilo, estilo::Informacion);
    EXPECT_EQ(d.lstBases()->count(), 1);
}

// The key is cut at the port, the server field keeps it.
TEST_F(DialogoAcceso, LaClaveCortaElPuertoYElServidorLoConserva) {
    frmAcceso& d = abrir();
    escribirEn(d.TxtDbName(), QStringLiteral("ZANTAR_DEMO"));
    escribirEn(d.TxtServidor(), demo_.servidor() + QStringLiteral(":1450"));
    // The embedded engine takes no port: the typed connection cannot open.
    dialogos_.responder(respuesta::No);
    QTest::mouseClick(boton("CmdRegistrar"), Qt::LeftButton);
    EXPECT_TRUE(lista().isEmpty());

    // Registered by hand, the port goes to its box.
    ASSERT_NO_THROW(sesion::ConexionesRegistradas(carpeta()).GrabarConexion(
        sesion::ConexionesRegistradas::clave(QStringLiteral("ZANTAR_DEMO"), demo_.servidor() + ":1450"),
        QStringLiteral("ZANTAR_DEMO"), QStringLiteral("ZANTAR_DEMO"), QStringLiteral("ZANTAR_DEMO"),
        demo_.servidor() + ":1450", utilidades_));
    d.llenarlist();
    EXPECT_EQ(d.lstBases()->item(0)->text(), QStringLiteral("ZANTAR_DEMO / ") + demo_.servidor().toUpper());
    EXPECT_EQ(d.TxtServidor()->text(), demo_.servidor().toUpper());
    EXPECT_EQ(d.TxtPuerto()->text(), QStringLiteral("1450"));
}

TEST_F(DialogoAcceso, UnaConexionQueNoAbreSeAvisaYNoSeGraba) {
    frmAcceso& d = abrir();
    escribirEn(d.TxtDbName(), QStringLiteral("NO_EXISTE"));
    escribirEn(d.TxtServidor(), demo_.servidor());
    escribirEn(d.TxtUserId(), QStringLiteral("mgomez"));
    QTest::mouseClick(boton("CmdRegistrar"), Qt::LeftButton);

    ASSERT_FALSE(dialogos_.mensajes().empty());
    EXPECT_EQ(dialogos_.mensajes().back().texto,
              QStringLiteral("NO SE PUDO CONECTAR AL SERVIDOR ") + demo_.servidor()
                  + QStringLiteral(" VERIFIQUE EL NOMBRE DE USUARIO Y PASSWORD INGRESADO"))
        << mensajes().toStdString();
    EXPECT_EQ(dialogos_.mensajes().back().titulo, QStringLiteral("AVISO AL OPERADOR"));
    EXPECT_FALSE(QFileInfo::exists(rutaLista()));
    // The session keeps the typed values.
    EXPECT_EQ(sesion_.gDBName, QStringLiteral("NO_EXISTE"));
    EXPECT_EQ(sesion_.gUsuario, QStringLiteral("mgomez"));
}

// A comma, a quote or a line break would shift the fields of every later
// reading: such a connection is refused before anything is tried.
TEST_F(DialogoAcceso, UnNombreQueRomperiaLaListaSeRechaza) {
    const QString nombres[] = {QStringLiteral("a,b"), QStringLiteral("a\"b")};
    for (const QString& nombre : nombres) {
        frmAcceso& d = abrir();
        dialogos_ = prueba::DialogosGuion();
        d.TxtDbName()->setText(nombre);
        d.TxtServidor()->setText(demo_.servidor());
        QTest::mouseClick(boton("CmdRegistrar"), Qt::LeftButton);

        ASSERT_EQ(dialogos_.mensajes().size(), 1u) << nombre.toStdString();
        EXPECT_EQ(dialogos_.mensajes().front().titulo, QStringLiteral("Atencion"));
        EXPECT_FALSE(QFileInfo::exists(rutaLista()));
        EXPECT_EQ(sesion_.gCnn().State(), 0);
    }
}

TEST_F(DialogoAcceso, TrasRegistrarSeIniciaElAyudanteOdbcConSuLinea) {
    const QString salida = carpeta() + QStringLiteral("odbc-args.txt");
    {
        QFile ayudante(carpeta() + QStringLiteral("ODBC.exe"));
        ASSERT_TRUE(ayudante.open(QIODevice::WriteOnly));
        ayudante.write(("#!/bin/sh\nprintf '%s' \"$*\" > '" + salida + ".tmp' && mv '" + salida + ".tmp' '"
                        + salida + "'\n")
                           .toUtf8());
        ayudante.close();
        ayudante.setPermissions(ayudante.permissions() | QFileDevice::ExeOwner);
    }
    frmAcceso& d = abrir();
    escribirEn(d.TxtDbName(), QStringLiteral("ZANTAR_DEMO"));
    escribirEn(d.TxtServidor(), demo_.servidor());
    QTest::mouseClick(boton("CmdRegistrar"), Qt::LeftButton);

    ASSERT_TRUE(QTest::qWaitFor([&] { return QFileInfo::exists(salida); }, 20000));
    QFile argumentos(salida);
    ASSERT_TRUE(argumentos.open(QIODevice::ReadOnly));
    // The database is the session's current one: the test connection does not
    // set it.
    EXPECT_EQ(QString::fromUtf8(argumentos.readAll()),
              QStringLiteral("Server=") + demo_.servidor() + QStringLiteral(";DB=") + sesion_.gDBName
                  + QStringLiteral(";"));
}

// ---- the desktop shortcut -------------------------------------------------------

TEST_F(DialogoAcceso, CrearAccesoDirectoDejaUnaEntradaEjecutableEnElEscritorio) {
    QTemporaryDir casa;
    prueba::EntornoTemporal home("HOME", casa.path());
    prueba::EntornoTemporal configuracion("XDG_CONFIG_HOME", casa.path() + QStringLiteral("/.config"));
    prueba::EntornoTemporal datos("XDG_DATA_HOME", casa.path() + QStringLiteral("/.local/share"));
    abrir();
    QTest::mouseClick(boton("CmdLineaComando"), Qt::LeftButton);

    EXPECT_TRUE(dialogos_.mensajes().empty()) << mensajes().toStdString();
    const QFileInfo acceso(casa.path() + QStringLiteral("/Desktop/Trevanis.desktop"));
    ASSERT_TRUE(acceso.exists());
    EXPECT_TRUE(acceso.isExecutable());
    QFile archivo(acceso.filePath());
    ASSERT_TRUE(archivo.open(QIODevice::ReadOnly));
    const QString texto = QString::fromUtf8(archivo.readAll());
    EXPECT_TRUE(texto.startsWith(QStringLiteral("[Desktop Entry]\n")));
    EXPECT_TRUE(texto.contains(QStringLiteral("\nExec=\"") + carpeta()
                               + QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName()
                               + QStringLiteral("\"\n")))
        << texto.toStdString();
    EXPECT_TRUE(texto.contains(QStringLiteral("\nIcon=")));
}

TEST_F(DialogoAcceso, UnEscritorioInalcanzableSeAvisa) {
    QTemporaryDir casa;
    QFile estorbo(casa.path() + QStringLiteral("/Desktop"));  // a file where the folder should be
    ASSERT_TRUE(estorbo.open(QIODevice::WriteOnly));
    estorbo.close();
    prueba::EntornoTemporal home("HOME", casa.path());
    prueba::EntornoTemporal configuracion("XDG_CONFIG_HOME", casa.path() + QStringLiteral("/.config"));
    abrir();
    QTest::mouseClick(boton("CmdLineaComando"), Qt::LeftButton);

    ASSERT_EQ(dialogos_.mensajes().size(), 1u);
    EXPECT_EQ(dialogos_.mensajes().front().titulo, QStringLiteral("Crear Acceso Directo"));
}

// ---- running a command and waiting ------------------------------------------------

TEST_F(DialogoAcceso, EjecutarCmdRegDBEsperaElFinDelComando) {
    frmAcceso& d = abrir();
    const QString marca = carpeta() + QStringLiteral("hecho");
    QString error;
    EXPECT_TRUE(d.EjecutarCmdRegDB(QStringLiteral("/bin/sh -c \"touch '") + marca + QStringLiteral("'\""), error));
    EXPECT_TRUE(QFileInfo::exists(marca));
    EXPECT_TRUE(error.isEmpty());
    EXPECT_THROW(d.EjecutarCmdRegDB(carpeta() + QStringLiteral("no-existe"), error), plataforma::RuntimeError);
}

}  // namespace
