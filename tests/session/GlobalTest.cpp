#include "platform/ui/Dialogos.h"
#include "session/AccesoSinDialogo.h"
#include "session/Global.h"
#include "support/DialogosGuion.h"

#include <gtest/gtest.h>

namespace {

TEST(Global, ValoresIniciales) {
    prueba::DialogosGuion dialogos;
    sesion::Global global(dialogos);
    EXPECT_EQ(global.gCaja, QStringLiteral("1"));
    EXPECT_EQ(global.gTimeOut, 360);
    EXPECT_TRUE(global.gUsuarioLogeado.isEmpty());
    EXPECT_TRUE(global.gCadenaReporte.isEmpty());
    EXPECT_FALSE(global.DB.gOpenFlag);
    EXPECT_EQ(&global.DB.principal(), &global.DB);
    // The statistics session is another session that knows the main one.
    EXPECT_NE(&global.gEstadisticas(), &global.DB);
    EXPECT_EQ(&global.gEstadisticas().principal(), &global.DB);
    EXPECT_EQ(&global.gEstadisticas(), &global.gEstadisticas());
}

TEST(Global, SinDialogoDeConexionSeExplicaYNoSeAcepta) {
    prueba::DialogosGuion dialogos;
    sesion::Global global(dialogos);
    ASSERT_NE(global.DB.dialogoAcceso, nullptr);
    QString servidor = QStringLiteral("S"), base, usuario, contrasena;
    int plataforma = 0;
    EXPECT_FALSE(global.DB.dialogoAcceso->pedirConexion(servidor, base, usuario, contrasena, plataforma));
    EXPECT_EQ(servidor, QStringLiteral("S"));
    ASSERT_EQ(dialogos.mensajes().size(), 1u);
    EXPECT_EQ(dialogos.mensajes().front().texto, sesion::AccesoSinDialogo::mensaje());
    EXPECT_EQ(dialogos.mensajes().front().estilo,
              plataforma::estilo::SoloAceptar | plataforma::estilo::Exclamacion);
}

}  // namespace
