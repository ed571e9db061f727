// The program installed into a read-only prefix and run by an ordinary user
// with a home of its own: the demo starts, and what the program writes (the
// demo databases, the lookup definitions, the error log) lands in that
// user's data folder while nothing under the prefix changes.

#include "CopiaInstalada.h"
#include "PantallaVirtual.h"
#include "UsuarioComun.h"

#include "platform/RuntimeError.h"
#include "platform/ado/BaseEmbebida.h"
#include "session/BaseDemo.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

namespace {

const QString VentanaPrincipal = QStringLiteral("^Apertura Momentanea de Conciliaciones$");
constexpr qint64 LargoRegistroConsultas = 1202;

class CopiaDeUnUsuario : public ::testing::Test {
protected:
    void SetUp() override {
        if (!usuario_.disponible()) GTEST_SKIP() << "Sin un usuario que no sea root: " << usuario_.motivo().toStdString();
        ASSERT_TRUE(copia_.valida()) << copia_.error().toStdString();
        ASSERT_TRUE(pantalla_.disponible()) << pantalla_.motivo().toStdString();
        ASSERT_TRUE(casa_.isValid());
        ASSERT_TRUE(usuario_.adueniarse(casa_.path()));
        antes_ = copia_.estado();
    }

    void TearDown() override {
        if (programa_.state() != QProcess::NotRunning) {
            programa_.kill();
            programa_.waitForFinished();
        }
    }

    // The user's data folder as the freedesktop.org rules give it.
    QString datos() const { return casa_.filePath(QStringLiteral(".local/share/quintaro")) + u'/'; }

    // The installed copy as the user starts it from the menu: a bare
    // environment, none of the tests' variables.
    void arrancar(const QStringList& argumentos) {
        QProcessEnvironment entorno;
        entorno.insert(QStringLiteral("HOME"), casa_.path());
        entorno.insert(QStringLiteral("PATH"), QStringLiteral("/usr/bin:/bin"));
        entorno.insert(QStringLiteral("DISPLAY"), pantalla_.nombre());
        entorno.insert(QStringLiteral("LANG"), QStringLiteral("es_AR.UTF-8"));
        entorno.insert(QStringLiteral("LC_ALL"), QStringLiteral("es_AR.UTF-8"));
        entorno.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        // A sanitized build's options reach the installed copy too.
        for (const char* opciones : {"ASAN_OPTIONS", "UBSAN_OPTIONS"})
            if (qEnvironmentVariableIsSet(opciones))
                entorno.insert(QString::fromLatin1(opciones), qEnvironmentVariable(opciones));
        programa_.setProcessEnvironment(entorno);
        programa_.setProcessChannelMode(QProcess::MergedChannels);
        programa_.setWorkingDirectory(QDir::rootPath());
        const QString orden = usuario_.orden();
        if (orden.isEmpty())
            programa_.start(copia_.programa(), argumentos);
        else
            programa_.start(orden, usuario_.argumentos(copia_.programa(), argumentos));
        ASSERT_TRUE(programa_.waitForStarted()) << programa_.errorString().toStdString();
    }

    std::string salida() { return programa_.readAll().toStdString(); }

    prueba::UsuarioComun usuario_;
    prueba::CopiaInstalada copia_;
    prueba::PantallaVirtual pantalla_;
    QTemporaryDir casa_;
    QMap<QString, QString> antes_;
    QProcess programa_;
};

// The text of a file, waiting at most `segundos` for it to hold `buscado`.
QString esperarTexto(const QString& ruta, const QString& buscado, int segundos) {
    const QDeadlineTimer plazo(segundos * 1000);
    QString texto;
    do {
        QFile archivo(ruta);
        if (archivo.open(QIODevice::ReadOnly)) texto = QString::fromLatin1(archivo.readAll());
        if (texto.contains(buscado)) break;
        QThread::msleep(200);
    } while (!plazo.hasExpired());
    return texto;
}

TEST_F(CopiaDeUnUsuario, LaDemoArrancaYGuardaLoQueEscribeEnLaCasaDelUsuario) {
    arrancar({QStringLiteral("--demo")});

    const QString ventana = pantalla_.esperarVentana(VentanaPrincipal, 120);
    ASSERT_FALSE(ventana.isEmpty()) << salida();
    EXPECT_TRUE(QFileInfo(datos() + QStringLiteral("demo/ZANTAR_DEMO.db")).size() > 0);
    EXPECT_TRUE(QFileInfo::exists(datos() + QStringLiteral("demo/QZ_ESTADISTICAS.db")));
    // The eleven built-in lookup definitions, written at start-up.
    EXPECT_EQ(QFileInfo(datos() + QStringLiteral("consultas.qzt")).size(), 11 * LargoRegistroConsultas);
    // The folder holds the connection list's passwords: its owner's alone.
    EXPECT_EQ(QFileInfo(datos()).permissions() & (QFileDevice::ReadOther | QFileDevice::ReadGroup),
              QFileDevice::Permissions());

    // "[Esc] Salir" ends the program.
    ASSERT_TRUE(pantalla_.pulsar(ventana, QStringLiteral("Escape")));
    ASSERT_TRUE(programa_.waitForFinished(30'000)) << salida();
    EXPECT_EQ(programa_.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(programa_.exitCode(), 0) << salida();
    EXPECT_EQ(copia_.estado(), antes_);
}

TEST_F(CopiaDeUnUsuario, UnErrorQuedaEnElRegistroDeLaCasaDelUsuario) {
    // A demo whose reconciliation table is set aside: the list's first load fails.
    const QString demo = datos() + QStringLiteral("demo");
    ASSERT_NO_THROW(sesion::BaseDemo::crear(demo, sesion::BaseDemo::carpetaScripts()));
    ASSERT_NO_THROW(ado::crearBaseEmbebida(demo + QStringLiteral("/ZANTAR_DEMO.db"),
                                           {QStringLiteral("ALTER TABLE MV_CONCILIACION_CAB RENAME TO MV_CONCILIACION_CAB_APARTE;")}));
    ASSERT_TRUE(usuario_.adueniarse(casa_.path()));
    arrancar({QStringLiteral("--demo")});

    const QString aviso = pantalla_.esperarVentana(QStringLiteral("^AbrirRecordset - .*Aviso al operador"), 120);
    ASSERT_FALSE(aviso.isEmpty()) << salida();
    // The first button, "Abortar", is the default one.
    ASSERT_TRUE(pantalla_.pulsar(aviso, QStringLiteral("Return")));

    const QString registro = esperarTexto(datos() + QStringLiteral("QZERR.LOG"), QStringLiteral("Abortar"), 30);
    EXPECT_TRUE(registro.contains(QStringLiteral(" Rutina: AbrirRecordset - Mensaje Ha ocurrido el Siguiente Error (")))
        << registro.toStdString();
    EXPECT_TRUE(registro.contains(QStringLiteral("MV_CONCILIACION_CAB"))) << registro.toStdString();
    EXPECT_TRUE(registro.contains(QStringLiteral(" Respondi\u00f3 : Abortar\r\n"))) << registro.toStdString();
    EXPECT_EQ(copia_.estado(), antes_);
}

}  // namespace
