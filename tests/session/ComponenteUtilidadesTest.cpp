#include "EntornoTemporal.h"
#include "session/utility_component/ArchivoIni.h"
#include "session/utility_component/DatosEquipo.h"
#include "session/utility_component/Teclado.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QObject>
#include <QTemporaryDir>
#include <QVariant>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// ---- field finding -----------------------------------------------------------

TEST(Teclado, BuscarCampoDaElIndiceDeLaCajaSinMirarMayusculas) {
    std::vector<std::unique_ptr<QObject>> cajas;
    QList<QObject*> lista;
    for (const char* campo : {"Cuenta", "Fecha"}) {
        cajas.push_back(std::make_unique<QObject>());
        cajas.back()->setProperty("campo", QString::fromLatin1(campo));
        lista << cajas.back().get();
    }
    lista.prepend(nullptr);  // a box that is gone does not stop the search
    const utilidades::Teclado teclado;
    EXPECT_EQ(teclado.buscarCampo(QStringLiteral("Cuenta"), lista), 1);
    EXPECT_EQ(teclado.buscarCampo(QStringLiteral("FECHA"), lista), 2);
    EXPECT_EQ(teclado.buscarCampo(QStringLiteral("Importe"), lista), -1);
    EXPECT_EQ(teclado.buscarCampo(QStringLiteral("Cuenta"), {}), -1);
}

// ---- INI files -------------------------------------------------------------------

class LecturaIni : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(carpeta.isValid());
        escribir("cn000pr.ini",
                 "; estilos por usuario\r\n"
                 "[JPEREZStyles]\r\n"
                 "Styles = 3\r\n"
                 "\r\n"
                 "[General]\r\n"
                 "Empresa=\"Distribuidora del Litoral\"\r\n"
                 "Vacio=\r\n"
                 "Clave=primera\r\n"
                 "Clave=segunda\r\n"
                 "; Oculta=si\r\n");
    }

    void escribir(const char* nombre, const QByteArray& contenido) {
        QFile archivo(carpeta.filePath(QString::fromLatin1(nombre)));
        ASSERT_TRUE(archivo.open(QIODevice::WriteOnly));
        archivo.write(contenido);
    }

    QString ruta(const char* nombre) const { return carpeta.filePath(QString::fromLatin1(nombre)); }

    QTemporaryDir carpeta;
    const utilidades::ArchivoIni ini{};
};

TEST_F(LecturaIni, LeeSeccionesYClavesSinMirarMayusculas) {
    const struct {
        const char* seccion;
        const char* clave;
        const char* esperado;
    } casos[] = {
        {"JPEREZStyles", "Styles", "3"},
        {"jperezstyles", "STYLES", "3"},
        {"General", "Empresa", "Distribuidora del Litoral"},  // quotes dropped
        {"General", "Vacio", ""},                             // empty, not the default
        {"General", "Clave", "primera"},                      // first one wins
        {"General", "Oculta", "predeterminado"},              // commented out
        {"General", "Styles", "predeterminado"},              // key of another section
        {"MGOMEZStyles", "Styles", "predeterminado"},
    };
    for (const auto& c : casos)
        EXPECT_EQ(ini.leer(ruta("cn000pr.ini"), QString::fromLatin1(c.seccion),
                           QString::fromLatin1(c.clave), QStringLiteral("predeterminado")),
                  QString::fromLatin1(c.esperado))
            << c.seccion << "/" << c.clave;
}

TEST_F(LecturaIni, SinArchivoDaElPredeterminado) {
    EXPECT_EQ(ini.leer(ruta("no-existe.ini"), QStringLiteral("General"), QStringLiteral("x"),
                       QStringLiteral("1")),
              QStringLiteral("1"));
}

TEST_F(LecturaIni, UnNombreSinCarpetaSeBuscaEnLaCarpetaDelPrograma) {
    const prueba::EntornoTemporal programa("QUINTARO_CARPETA", carpeta.path());
    EXPECT_EQ(ini.leer(QStringLiteral("cn000pr.ini"), QStringLiteral("JPEREZStyles"),
                       QStringLiteral("Styles"), QStringLiteral("1")),
              QStringLiteral("3"));
}

TEST_F(LecturaIni, UnArchivoEnLatin1SeLeeIgual) {
    escribir("latin1.ini", QByteArray("[Empresa]\nNombre=Compa\xF1" "\xED" "a del A\xF1" "o\n"));
    EXPECT_EQ(ini.leer(ruta("latin1.ini"), QStringLiteral("Empresa"), QStringLiteral("Nombre"), {}),
              QStringLiteral("Compañía del Año"));
}

// ---- workstation data ------------------------------------------------------------

TEST(DatosEquipo, DaNombreDeMaquinaUsuarioYCarpetaParaElLog) {
    const utilidades::DatosEquipo equipo;
    EXPECT_FALSE(equipo.nombreMaquina().isEmpty());
    EXPECT_FALSE(equipo.usuarioEstacion().isEmpty());
    const QString carpeta = equipo.carpetaLogErrores();
    EXPECT_TRUE(carpeta.endsWith(QLatin1Char('/'))) << carpeta.toStdString();
    EXPECT_TRUE(QFileInfo(carpeta).isDir()) << carpeta.toStdString();
}

}  // namespace
