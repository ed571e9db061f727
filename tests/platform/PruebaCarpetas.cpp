// Which folder holds what: a copy in a folder named for it, a copy run from
// its build folder and an installed copy, on real folders laid out as each
// copy finds them.

#include "platform/CarpetasPrograma.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

namespace {

using plataforma::CarpetasPrograma;

// A workstation in a temporary folder: an installed prefix (usr/bin with
// usr/share/quintaro), a build folder with nothing installed beside it, and
// the user's home.
class Estacion : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(raiz.isValid());
        ASSERT_TRUE(QDir().mkpath(ruta("usr/bin")));
        ASSERT_TRUE(QDir().mkpath(ruta("usr/share/quintaro/Styles")));
        ASSERT_TRUE(QDir().mkpath(ruta("fuente/build")));
        ASSERT_TRUE(QDir().mkpath(ruta("casa")));
    }

    QString ruta(const char* relativa) const { return raiz.filePath(QString::fromUtf8(relativa)); }
    QString carpeta(const char* relativa) const { return ruta(relativa) + u'/'; }

    CarpetasPrograma instalada(const QString& datosUsuario = QString()) const {
        return CarpetasPrograma::segun({ruta("usr/bin"), QString(), datosUsuario, ruta("casa")});
    }

    QTemporaryDir raiz;
};

TEST_F(Estacion, UnaCopiaInstaladaLeeLoQueTraeYEscribeEnLosDatosDelUsuario) {
    const CarpetasPrograma c = instalada();

    EXPECT_TRUE(c.instalada());
    EXPECT_EQ(c.ejecutables(), carpeta("usr/bin"));
    EXPECT_EQ(c.instalados(), carpeta("usr/share/quintaro"));
    EXPECT_EQ(c.propios(), carpeta("casa/.local/share/quintaro"));
}

TEST_F(Estacion, LosDatosDelUsuarioSiguenAXdgDataHomeSoloCuandoEsAbsoluto) {
    struct Caso {
        const char* caso;
        QString xdgDataHome;
        QString esperada;
    };
    const Caso casos[] = {
        {"absoluta", ruta("casa/datos"), carpeta("casa/datos/quintaro")},
        {"con barra final", ruta("casa/datos") + u'/', carpeta("casa/datos/quintaro")},
        {"relativa: no vale", QStringLiteral("datos"), carpeta("casa/.local/share/quintaro")},
        {"vacia", QString(), carpeta("casa/.local/share/quintaro")},
    };
    for (const Caso& caso : casos)
        EXPECT_EQ(instalada(caso.xdgDataHome).propios(), caso.esperada) << caso.caso;
}

TEST_F(Estacion, UnaCopiaEnSuCarpetaDeConstruccionTieneTodoJunto) {
    const CarpetasPrograma c =
        CarpetasPrograma::segun({ruta("fuente/build"), QString(), ruta("casa/datos"), ruta("casa")});

    EXPECT_FALSE(c.instalada());
    EXPECT_EQ(c.ejecutables(), carpeta("fuente/build"));
    EXPECT_EQ(c.instalados(), carpeta("fuente/build"));
    EXPECT_EQ(c.propios(), carpeta("fuente/build"));
}

TEST_F(Estacion, QuintaroCarpetaNombraUnaSolaCarpetaTambienParaUnaCopiaInstalada) {
    const CarpetasPrograma c =
        CarpetasPrograma::segun({ruta("usr/bin"), ruta("otra"), ruta("casa/datos"), ruta("casa")});

    EXPECT_FALSE(c.instalada());
    EXPECT_EQ(c.ejecutables(), carpeta("otra"));
    EXPECT_EQ(c.instalados(), carpeta("otra"));
    EXPECT_EQ(c.propios(), carpeta("otra"));
}

TEST_F(Estacion, LaCarpetaPropiaSeCreaParaSuDuenoSoloCuandoFalta) {
    const CarpetasPrograma c = instalada();
    ASSERT_FALSE(QFileInfo::exists(c.propios()));

    ASSERT_TRUE(c.crearPropios());
    const QFileInfo creada(c.propios());
    ASSERT_TRUE(creada.isDir());
    EXPECT_EQ(creada.permissions() & (QFileDevice::ReadOther | QFileDevice::ReadGroup | QFileDevice::WriteOther
                                      | QFileDevice::WriteGroup | QFileDevice::ExeOther | QFileDevice::ExeGroup),
              QFileDevice::Permissions());

    // Made once; a second call keeps what is in it.
    QFile guardado(c.propios() + QStringLiteral("BASES.TXT"));
    ASSERT_TRUE(guardado.open(QIODevice::WriteOnly));
    guardado.close();
    EXPECT_TRUE(c.crearPropios());
    EXPECT_TRUE(QFileInfo::exists(guardado.fileName()));
}

TEST_F(Estacion, UnaCarpetaPropiaQueNoPuedeCrearseSeContesta) {
    // A file where the data folder's parent should be.
    QFile estorbo(ruta("casa/datos"));
    ASSERT_TRUE(estorbo.open(QIODevice::WriteOnly));
    estorbo.close();

    EXPECT_FALSE(instalada(ruta("casa/datos")).crearPropios());
}

}  // namespace
