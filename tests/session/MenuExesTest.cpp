#include "session/MenuExes.h"

#include "EntornoTemporal.h"
#include "platform/ui/Dialogos.h"
#include "session/Global.h"
#include "session/LineaComandos.h"
#include "support/DialogosGuion.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

namespace {

using sesion::Global;

// A session as the suite's menu hands it over, in a program folder of the
// test's own.
class Lanzador : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(carpeta.isValid());
        global.DB.gServidor = QStringLiteral("SRV01");
        global.DB.gDBName = QStringLiteral("ZANTAR_DEMO");
        global.DB.gUsuario = QStringLiteral("mgomez");
        global.DB.gUserPassWord = QStringLiteral("demo");
        global.gUsuarioLogeado = QStringLiteral("MGOMEZ");
        global.gCaja = QStringLiteral("   3");
    }

    QString carpetaPrograma() const { return carpeta.path() + u'/'; }

    // A program of the folder that writes the argument text it receives
    // into <itself>.args.
    QString crearEco(const QString& nombre) const {
        const QString ruta = carpetaPrograma() + nombre;
        QFile eco(ruta);
        EXPECT_TRUE(eco.open(QIODevice::WriteOnly));
        eco.write("#!/bin/sh\nprintf '%s' \"$*\" > \"$0.args.tmp\" && mv \"$0.args.tmp\" \"$0.args\"\n");
        eco.close();
        eco.setPermissions(eco.permissions() | QFileDevice::ExeOwner);
        return ruta;
    }

    // What the started program wrote; empty when it wrote nothing in time.
    static QString argumentosRecibidos(const QString& programa) {
        QFile salida(programa + QStringLiteral(".args"));
        const QDeadlineTimer limite(30000);
        while (!salida.exists() && !limite.hasExpired()) QThread::msleep(20);
        return salida.open(QIODevice::ReadOnly) ? QString::fromUtf8(salida.readAll()) : QString();
    }

    QTemporaryDir carpeta;
    prueba::EntornoTemporal carpetaDelPrograma{"QUINTARO_CARPETA", carpeta.path()};
    prueba::DialogosGuion dialogos;
    Global global{dialogos};
};

TEST_F(Lanzador, LaColaLlevaLaSesionEnElFormatoDeLaSuite) {
    EXPECT_EQ(sesion::colaDeParametros(global, QStringLiteral("001")),
              QStringLiteral(" ; @server=SRV01; @dbname=ZANTAR_DEMO; @usuario=mgomez; @Password=demo; "
                             "@ParametroAdicional=001; kemo@ ; @UsuarioLogeado = MGOMEZ; @Caja=   3;"));
}

struct CasoRuta {
    const char* designacion;
    bool enLaCarpeta;
    const char* ruta;
};

TEST_F(Lanzador, LaRutaSaleDeLaDesignacion) {
    const CasoRuta casos[] = {
        {"SHELL:PROGX", true, "PROGX"},
        {"shell:progx", true, "progx"},
        {"SHELL:C:\\APPS\\PROGY", false, "C:\\APPS\\PROGY"},
        {"SHELL:/opt/apps/progy", false, "/opt/apps/progy"},
        {"PROGZ", true, "PROGZ"},
    };
    for (const CasoRuta& c : casos)
        EXPECT_EQ(sesion::rutaDelPrograma(QString::fromLatin1(c.designacion), QStringLiteral("/inst/")),
                  (c.enLaCarpeta ? QStringLiteral("/inst/") : QString()) + QString::fromLatin1(c.ruta))
            << c.designacion;
}

// The started program reads the session back with start-up's own parser.
struct CasoInicio {
    const char* nombre;
    const char* designacion;  // %1: the program's full path
    const char* parametro;
    const char* parametroDespues;
    const char* contrasena;
    const char* contrasenaLeida;
};

class InicioDeOtroPrograma : public Lanzador, public ::testing::WithParamInterface<CasoInicio> {};

TEST_P(InicioDeOtroPrograma, RecibeLaSesionQueSuInicioLee) {
    const CasoInicio& c = GetParam();
    const QString programa = crearEco(QStringLiteral("eco"));
    global.DB.gUserPassWord = QString::fromLatin1(c.contrasena);
    QString parametro = QString::fromLatin1(c.parametro);
    std::int32_t proceso = 0;

    sesion::MenuExes(global, QString::fromLatin1(c.designacion).arg(programa), parametro, proceso);

    EXPECT_EQ(parametro, QString::fromLatin1(c.parametroDespues));
    EXPECT_NE(proceso, 0);
    EXPECT_TRUE(dialogos.mensajes().empty()) << dialogos.mensajes().front().texto.toStdString();
    const QString recibido = argumentosRecibidos(programa);
    EXPECT_EQ(recibido, sesion::colaDeParametros(global, parametro));
    const sesion::LineaComandos::Parametros leidos = sesion::LineaComandos::leer(recibido);
    EXPECT_EQ(leidos.servidor, QStringLiteral("SRV01"));
    EXPECT_EQ(leidos.baseDatos, QStringLiteral("ZANTAR_DEMO"));
    EXPECT_EQ(leidos.usuario, QStringLiteral("mgomez"));
    EXPECT_EQ(leidos.contrasena, QString::fromLatin1(c.contrasenaLeida));
    EXPECT_EQ(leidos.caja, QStringLiteral("3"));
    EXPECT_EQ(leidos.parametroAdicional, QString::fromLatin1(c.parametroDespues));
    EXPECT_EQ(leidos.usuarioLogeado, QStringLiteral("MGOMEZ"));
}

const CasoInicio casosInicio[] = {
    {"DeLaCarpetaConShell", "SHELL:eco", "001", "001", "demo", "demo"},
    {"DeLaCarpetaSinShell", "eco", "001", "001", "demo", "demo"},
    {"RutaCompleta", "SHELL:%1", "001", "001", "demo", "demo"},
    {"ParametroConBlancoSeEnviaDesdeElBlanco", "SHELL:eco", "CLI 001", "001", "demo", "demo"},
    {"ContrasenaConPuntoYComaLaCortaElQueLee", "eco", "X", "X", "de;mo", "de"},
};

INSTANTIATE_TEST_SUITE_P(Casos, InicioDeOtroPrograma, ::testing::ValuesIn(casosInicio),
                         [](const ::testing::TestParamInfo<CasoInicio>& caso) {
                             return std::string(caso.param.nombre);
                         });

TEST_F(Lanzador, UnProgramaQueNoExisteVaAlTratamientoYConIgnorarAvisa) {
    dialogos.responder(plataforma::respuesta::Ignorar);
    QString parametro = QStringLiteral("1");
    std::int32_t proceso = 0;
    sesion::MenuExes(global, QStringLiteral("NOEXISTE"), parametro, proceso);
    EXPECT_EQ(proceso, 0);
    ASSERT_EQ(dialogos.mensajes().size(), 2u);
    EXPECT_TRUE(dialogos.mensajes()[0].titulo.contains(QStringLiteral("MenuExes")))
        << dialogos.mensajes()[0].titulo.toStdString();
    const auto& aviso = dialogos.mensajes()[1];
    EXPECT_EQ(aviso.texto, QStringLiteral("Opcion no Implementada!\rComuniquese con su proveedor de sistemas"));
    EXPECT_EQ(aviso.estilo, plataforma::estilo::Critico);
    EXPECT_EQ(aviso.titulo, QStringLiteral("Atención"));
}

TEST_F(Lanzador, UnProgramaQueNoExisteConAbortarTerminaSinAviso) {
    dialogos.responder(plataforma::respuesta::Abortar);
    QString parametro = QStringLiteral("1");
    std::int32_t proceso = 7;
    sesion::MenuExes(global, QStringLiteral("NOEXISTE"), parametro, proceso);
    EXPECT_EQ(proceso, 7);
    EXPECT_EQ(dialogos.mensajes().size(), 1u);
}

TEST_F(Lanzador, ReintentarVuelveAIntentarElInicio) {
    dialogos.responder(plataforma::respuesta::Reintentar);
    dialogos.responder(plataforma::respuesta::Abortar);
    QString parametro = QStringLiteral("1");
    std::int32_t proceso = 0;
    sesion::MenuExes(global, QStringLiteral("NOEXISTE"), parametro, proceso);
    EXPECT_EQ(dialogos.mensajes().size(), 2u);
}

}  // namespace
