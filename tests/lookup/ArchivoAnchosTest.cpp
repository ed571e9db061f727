// The remembered column widths file: its quoted lines, reading a table's
// widths and replacing them without touching other tables' lines.

#include "lookup/ArchivoAnchos.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using consultas::ArchivoAnchos;

class Anchos : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(carpeta_.isValid()); }

    void escribir(const QByteArray& contenido) {
        QFile f(archivo_.ruta());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(contenido);
    }

    QByteArray contenido() const {
        QFile f(archivo_.ruta());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QTemporaryDir carpeta_;
    ArchivoAnchos archivo_{carpeta_.path() + u'/'};
};

struct CasoLinea {
    const char* linea;
    bool separada;
    const char* tabla;
    const char* anchos;
};

TEST(LineaDeAnchos, SeSeparaEnLaComaFueraDeLasComillas) {
    const CasoLinea casos[] = {
        {R"("MA_CUENTAS","2500|1200|")", true, "MA_CUENTAS", "2500|1200|"},
        {R"("A,B","10|")", true, "A,B", "10|"},          // a comma inside the quotes stays
        {R"(MA_CUENTAS,2500|)", true, "MA_CUENTAS", "2500|"},
        {R"("sin coma")", false, "", ""},
    };
    for (const CasoLinea& caso : casos) {
        QString tabla, anchos;
        EXPECT_EQ(ArchivoAnchos::separarLinea(QString::fromLatin1(caso.linea), tabla, anchos), caso.separada)
            << caso.linea;
        if (caso.separada) {
            EXPECT_EQ(tabla, QLatin1String(caso.tabla));
            EXPECT_EQ(anchos, QLatin1String(caso.anchos));
        }
    }
}

TEST(LineaDeAnchos, UnAnchoSinSuBarraNoCuenta) {
    EXPECT_EQ(ArchivoAnchos::leerAnchos(QStringLiteral("2500|1200,5|")), (QVector<double>{2500, 1200.5}));
    EXPECT_EQ(ArchivoAnchos::leerAnchos(QStringLiteral("2500|1200")), QVector<double>{2500});
    EXPECT_TRUE(ArchivoAnchos::leerAnchos(QString()).isEmpty());
}

TEST_F(Anchos, SinArchivoNoHayAnchos) {
    EXPECT_TRUE(archivo_.leer(QStringLiteral("MA_CUENTAS")).isEmpty());
}

TEST_F(Anchos, CadaLineaDeLaTablaEnOrdenSinDistinguirMayusculas) {
    escribir("\"MA_CUENTAS\",\"1|2|\"\r\n\"OTRA\",\"9|\"\r\n\"ma_cuentas\",\"3|\"\r\n");
    const auto lineas = archivo_.leer(QStringLiteral("Ma_Cuentas"));
    ASSERT_EQ(lineas.size(), 2);
    EXPECT_EQ(lineas[0], (QVector<double>{1, 2}));
    EXPECT_EQ(lineas[1], QVector<double>{3});
}

TEST_F(Anchos, GrabarReemplazaSoloLaTablaYNoDejaElAuxiliar) {
    escribir("\"OTRA\",\"9|\"\r\n\"MA_CUENTAS\",\"1|2|\"\r\n\"ULTIMA\",\"7|\"\r\n");
    ASSERT_TRUE(archivo_.grabar(QStringLiteral("MA_CUENTAS"), {2500, 1200.5}));
    EXPECT_EQ(contenido(), QByteArray("\"OTRA\",\"9|\"\r\n\"ULTIMA\",\"7|\"\r\n\"MA_CUENTAS\",\"2500|1200.5|\"\r\n"));
    EXPECT_FALSE(QFile::exists(archivo_.rutaAuxiliar()));
    EXPECT_EQ(archivo_.leer(QStringLiteral("MA_CUENTAS")), (QVector<QVector<double>>{{2500, 1200.5}}));
}

TEST_F(Anchos, UnAuxiliarQueNoSePuedeEscribirDejaElArchivoComoEstaba) {
    escribir("\"MA_CUENTAS\",\"1|2|\"\r\n");
    ASSERT_TRUE(carpeta_.path().size() > 0);
    // A folder in the auxiliary file's place: it cannot be opened for writing.
    ASSERT_TRUE(QDir(carpeta_.path()).mkdir(QStringLiteral("CONSULTASLEN.AUX")));
    EXPECT_FALSE(archivo_.grabar(QStringLiteral("MA_CUENTAS"), {5}));
    EXPECT_EQ(contenido(), QByteArray("\"MA_CUENTAS\",\"1|2|\"\r\n"));
}

}  // namespace
