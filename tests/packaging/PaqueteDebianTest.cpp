// The Debian package that "cpack -G DEB" makes from this build: its name,
// its dependencies, what it installs, and the menu entry it brings.

#include "support/Ordenes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using prueba::correr;
using prueba::Resultado;

const QString NombrePaquete = QStringLiteral("quintaro_" QUINTARO_VERSION "_amd64.deb");

class PaqueteDebian : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(carpeta_.isValid());
        const Resultado cpack = correr(QStringLiteral(QUINTARO_CPACK),
                                       {QStringLiteral("-G"), QStringLiteral("DEB"), QStringLiteral("--config"),
                                        QStringLiteral(QUINTARO_CONSTRUCCION "/CPackConfig.cmake"),
                                        QStringLiteral("-B"), carpeta_.path()},
                                       {}, 600);
        ASSERT_EQ(cpack.codigo, 0) << cpack.salida.toStdString();
    }

    QString paquete() const { return carpeta_.filePath(NombrePaquete); }

    QString campo(const QString& nombre) const {
        const Resultado r = correr(QStringLiteral("dpkg-deb"), {QStringLiteral("-f"), paquete(), nombre});
        EXPECT_EQ(r.codigo, 0) << r.salida.toStdString();
        return r.salida.trimmed();
    }

    QTemporaryDir carpeta_;
};

// The package names of a Depends field, without versions or alternatives.
QSet<QString> paquetesDe(const QString& dependencias) {
    QSet<QString> nombres;
    for (const QString& dependencia : dependencias.split(u','))
        nombres.insert(dependencia.trimmed().section(u' ', 0, 0));
    return nombres;
}

TEST_F(PaqueteDebian, LlevaElNombreYLaVersionDelPrograma) {
    ASSERT_TRUE(QFile::exists(paquete())) << QDir(carpeta_.path()).entryList().join(u' ').toStdString();
    EXPECT_EQ(campo(QStringLiteral("Package")), QStringLiteral("quintaro"));
    EXPECT_EQ(campo(QStringLiteral("Version")), QStringLiteral(QUINTARO_VERSION));
    EXPECT_EQ(campo(QStringLiteral("Architecture")), QStringLiteral("amd64"));
}

TEST_F(PaqueteDebian, DependeDeSusBibliotecasYDeLasPiezasOdbcQueCargaSinEnlazarlas) {
    const QSet<QString> dependencias = paquetesDe(campo(QStringLiteral("Depends")));
    // Loaded at run time: the driver manager's tools and the embedded
    // engine's driver; the rest comes from the linked libraries.
    for (const char* nombre : {"libsqliteodbc", "unixodbc", "libodbc2", "libqt6widgets6", "libqt6printsupport6",
                               "libxlsxwriter4", "libc6"})
        EXPECT_TRUE(dependencias.contains(QString::fromLatin1(nombre))) << nombre;
}

TEST_F(PaqueteDebian, InstalaElProgramaSusArchivosYSuEntradaDeMenuBajoUsr) {
    const Resultado lista = correr(QStringLiteral("dpkg-deb"), {QStringLiteral("-c"), paquete()});
    ASSERT_EQ(lista.codigo, 0) << lista.salida.toStdString();
    QSet<QString> rutas;
    for (const QString& linea : lista.salida.split(u'\n', Qt::SkipEmptyParts))
        rutas.insert(linea.section(u' ', -1));

    for (const char* ruta : {"./usr/bin/quintaro", "./usr/share/quintaro/Styles/Vista.cjstyles",
                             "./usr/share/quintaro/Styles/Normalitunes.ini",
                             "./usr/share/quintaro/demo-sql/empresa-esquema.sql",
                             "./usr/share/quintaro/demo-sql/empresa-datos.sql",
                             "./usr/share/quintaro/demo-sql/estadisticas.sql",
                             "./usr/share/applications/quintaro.desktop",
                             "./usr/share/icons/hicolor/scalable/apps/quintaro.svg"})
        EXPECT_TRUE(rutas.contains(QString::fromLatin1(ruta))) << ruta;
    for (const QString& ruta : rutas) {
        EXPECT_TRUE(ruta.startsWith(QStringLiteral("./usr/"))) << ruta.toStdString();
        EXPECT_FALSE(ruta.contains(QStringLiteral("prueba"))) << ruta.toStdString();
    }
}

TEST_F(PaqueteDebian, SuEntradaDeMenuEsValidaYArrancaElProgramaInstaladoConSuIcono) {
    QTemporaryDir raiz;
    ASSERT_EQ(correr(QStringLiteral("dpkg-deb"), {QStringLiteral("-x"), paquete(), raiz.path()}).codigo, 0);
    const QString entrada = raiz.filePath(QStringLiteral("usr/share/applications/quintaro.desktop"));

    const Resultado validacion = correr(QStringLiteral("desktop-file-validate"), {entrada});
    EXPECT_EQ(validacion.codigo, 0) << validacion.salida.toStdString();
    EXPECT_TRUE(validacion.salida.trimmed().isEmpty()) << validacion.salida.toStdString();

    QFile archivo(entrada);
    ASSERT_TRUE(archivo.open(QIODevice::ReadOnly));
    const QStringList lineas = QString::fromUtf8(archivo.readAll()).split(u'\n');
    const auto valor = [&lineas](const QString& clave) {
        for (const QString& l : lineas)
            if (l.startsWith(clave + u'=')) return l.mid(clave.size() + 1);
        return QString();
    };
    EXPECT_EQ(valor(QStringLiteral("Exec")), QStringLiteral("quintaro"));
    EXPECT_TRUE(QFileInfo(raiz.filePath(QStringLiteral("usr/bin/quintaro"))).isExecutable());
    EXPECT_TRUE(QFile::exists(raiz.filePath(QStringLiteral("usr/share/icons/hicolor/scalable/apps/")
                                            + valor(QStringLiteral("Icon")) + QStringLiteral(".svg"))));
    EXPECT_TRUE(valor(QStringLiteral("Categories")).split(u';').contains(QStringLiteral("Office")));
    EXPECT_FALSE(valor(QStringLiteral("Name")).isEmpty());
    EXPECT_FALSE(valor(QStringLiteral("Comment")).isEmpty());
}

}  // namespace
