// Start-up without server or user: the session asks in "Control de Acceso".
// Cancelled, the program ends quietly; accepted with the embedded engine's
// folder, the main window opens on it; a connection that fails offers to ask
// again.

#include "session/AccesoConDialogo.h"

#include "reconciliation/FrmOpenConc.h"
#include "reconciliation/ListaConciliaciones.h"
#include "session/Global.h"
#include "session/InicioSistema.h"
#include "session/frmAcceso.h"
#include "support/BaseDemo.h"
#include "support/DialogosGuion.h"
#include "tests/session/EntornoTemporal.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <vector>

namespace {

namespace respuesta = plataforma::respuesta;

// What the user does in one showing of the dialog.
struct Respuesta {
    QString baseDatos;
    QString servidor;
    QString usuario;
    QString contrasena;
    bool aceptar;
    bool registrarAntes = false;  // "Registrar" first, with the typed texts
};

class InicioConDialogo : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(carpeta_.isValid());
        ASSERT_TRUE(demo_.valida()) << demo_.error().toStdString();
        global_.lineaComandos = [] { return QString(); };
        global_.terminarPrograma = [this] {
            ++terminaciones_;
            mensajesAlTerminar_ = dialogos_.mensajes().size();
        };
        acceso_.mostrar = [this](sesion::frmAcceso& dialogo) { jugar(dialogo); };
        global_.DB.dialogoAcceso = &acceso_;
    }

    // Plays the next scripted answer with keys and the mouse.
    void jugar(sesion::frmAcceso& dialogo) {
        dialogo.show();
        dialogo.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialogo));
        titulos_.push_back(dialogo.windowTitle());
        ASSERT_FALSE(guion_.empty());
        const Respuesta r = guion_.front();
        guion_.erase(guion_.begin());
        escribir(dialogo.TxtUserId(), r.usuario);
        escribir(dialogo.TxtUserPassword(), r.contrasena);
        escribir(dialogo.TxtDbName(), r.baseDatos);
        escribir(dialogo.TxtServidor(), r.servidor);
        if (r.registrarAntes) {
            QTest::mouseClick(dialogo.findChild<QPushButton*>(QStringLiteral("CmdRegistrar")), Qt::LeftButton);
            mensajesTrasRegistrar_ = dialogos_.mensajes().size();
            baseTrasRegistrar_ = global_.DB.gDBName;
        }
        const char* boton = r.aceptar ? "bcAceptar" : "bcCancelar";
        QTest::mouseClick(dialogo.findChild<QPushButton*>(QString::fromLatin1(boton)), Qt::LeftButton);
        EXPECT_FALSE(dialogo.isVisible());
    }

    static void escribir(QLineEdit* caja, const QString& texto) {
        caja->setFocus();
        caja->selectAll();
        QTest::keyClick(caja, Qt::Key_Backspace);
        caja->selectAll();
        QTest::keyClick(caja, Qt::Key_Backspace);
        if (!texto.isEmpty()) {
            caja->selectAll();
            QTest::keyClicks(caja, texto);
        }
    }

    Respuesta demo(bool aceptar = true) const {
        return {demo_.baseDatos(), demo_.servidor(), demo_.usuario(), demo_.contrasena(), aceptar};
    }

    QTemporaryDir carpeta_;
    prueba::EntornoTemporal carpetaPrograma_{"QUINTARO_CARPETA", carpeta_.path()};
    prueba::BaseDemo demo_;
    prueba::DialogosGuion dialogos_;
    sesion::Global global_{dialogos_};
    sesion::AccesoConDialogo acceso_{global_.DB};
    std::vector<Respuesta> guion_;
    QStringList titulos_;
    int terminaciones_ = 0;
    std::size_t mensajesAlTerminar_ = 0;
    std::size_t mensajesTrasRegistrar_ = 0;
    QString baseTrasRegistrar_;
};

TEST_F(InicioConDialogo, CanceladoTerminaElProgramaSinMensaje) {
    guion_.push_back(demo(false));
    sesion::InicioSistema(global_, 3);

    EXPECT_EQ(titulos_, QStringList{QStringLiteral("Control de Acceso")});
    EXPECT_EQ(terminaciones_, 1);
    EXPECT_EQ(mensajesAlTerminar_, 0u);
    EXPECT_FALSE(global_.DB.gOpenFlag);
}

TEST_F(InicioConDialogo, AceptadoConLaCarpetaDelMotorEmbebidoAbreLaVentanaSobreEsaBase) {
    guion_.push_back(demo());
    conciliacion::FrmOpenConc ventana(global_, dialogos_);
    ventana.cargar();

    EXPECT_EQ(titulos_.size(), 1);
    EXPECT_EQ(terminaciones_, 0);
    ASSERT_TRUE(global_.DB.gOpenFlag);
    EXPECT_NE(global_.DB.gCnn().State(), 0);
    EXPECT_EQ(global_.DB.gServidor, demo_.servidor());
    EXPECT_EQ(global_.DB.gProveedor, QStringLiteral("SQLOLEDB"));
    EXPECT_GT(ventana.lista().topLevelItemCount(), 0);
    const auto* servidor = ventana.barraEstado().findChild<QLabel*>(QStringLiteral("SERVER"));
    ASSERT_NE(servidor, nullptr);
    EXPECT_EQ(servidor->text(), QStringLiteral("Srv: ") + demo_.servidor());
}

// A connection that does not open: "Yes" shows the dialog again, and the
// second answer opens the session.
TEST_F(InicioConDialogo, UnaConexionFallidaOfreceIntentarDeNuevo) {
    Respuesta mala = demo();
    mala.baseDatos = QStringLiteral("NO_EXISTE");
    guion_ = {mala, demo()};
    dialogos_.responder(respuesta::Si);
    sesion::InicioSistema(global_, 3);

    EXPECT_EQ(titulos_.size(), 2);
    ASSERT_FALSE(dialogos_.mensajes().empty());
    EXPECT_EQ(dialogos_.mensajes().front().titulo, QStringLiteral(" Error de Conexion a Base de Datos"));
    EXPECT_TRUE(dialogos_.mensajes().front().texto.endsWith(QStringLiteral(" - Desea Intentarlo Nuevamente??? ")));
    EXPECT_EQ(terminaciones_, 0);
    EXPECT_TRUE(global_.DB.gOpenFlag);
    EXPECT_EQ(global_.DB.gDBName, demo_.baseDatos());
}

TEST_F(InicioConDialogo, UnaConexionFallidaSinReintentoTermina) {
    Respuesta mala = demo();
    mala.baseDatos = QStringLiteral("NO_EXISTE");
    guion_ = {mala};
    dialogos_.responder(respuesta::No);
    sesion::InicioSistema(global_, 3);

    EXPECT_EQ(titulos_.size(), 1);
    EXPECT_EQ(terminaciones_, 1);
    EXPECT_FALSE(global_.DB.gOpenFlag);
}

// The dialog shown again after a failed connection: the session's flag is
// still set by the first acceptance and its connection is closed. Registering
// the connection then tests the database with the database-name login, as
// a fresh dialog would, without tripping over the closed connection, and
// writes it to the list. (Tripping, it fell back to a second login with the
// typed user that replaced the session's values before the user accepted.)
TEST_F(InicioConDialogo, RegistrarTrasUnaConexionFallidaPruebaLaBaseYLaGraba) {
    Respuesta mala = demo();
    mala.baseDatos = QStringLiteral("NO_EXISTE");
    Respuesta registrada = demo();
    registrada.registrarAntes = true;
    guion_ = {mala, registrada};
    dialogos_.responder(respuesta::Si);
    sesion::InicioSistema(global_, 3);

    ASSERT_EQ(titulos_.size(), 2);
    // Only the first connection's failure was shown.
    EXPECT_EQ(mensajesTrasRegistrar_, 1u);
    EXPECT_EQ(baseTrasRegistrar_, QStringLiteral("NO_EXISTE"));
    QFile lista(carpeta_.path() + QStringLiteral("/BASES.TXT"));
    ASSERT_TRUE(lista.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromLatin1(lista.readAll()).startsWith(demo_.baseDatos().toUpper() + QStringLiteral(" / ")));
    EXPECT_TRUE(global_.DB.gOpenFlag);
    EXPECT_NE(global_.DB.gCnn().State(), 0);
}

}  // namespace
