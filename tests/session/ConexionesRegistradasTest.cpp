// The list of registered connections, BASES.TXT: how its records are read,
// found and appended, byte for byte.

#include "session/ConexionesRegistradas.h"

#include "platform/RuntimeError.h"
#include "session/utility_component/Utilidades.h"
#include "support/DialogosGuion.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <array>
#include <gtest/gtest.h>
#include <vector>

namespace {

using sesion::ConexionesRegistradas;

class ListaDeConexiones : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(carpeta_.isValid()); }

    QString carpeta() const { return carpeta_.path() + QStringLiteral("/"); }

    void escribir(const QByteArray& contenido) {
        QFile archivo(carpeta() + QStringLiteral("BASES.TXT"));
        ASSERT_TRUE(archivo.open(QIODevice::WriteOnly));
        archivo.write(contenido);
    }

    QByteArray contenido() const {
        QFile archivo(carpeta() + QStringLiteral("BASES.TXT"));
        return archivo.open(QIODevice::ReadOnly) ? archivo.readAll() : QByteArray();
    }

    QTemporaryDir carpeta_;
    prueba::DialogosGuion dialogos_;
    utilidades::Utilidades utilidades_{dialogos_};
};

TEST_F(ListaDeConexiones, SinArchivoNoHayRegistrosYLaPrimeraGrabacionLoCrea) {
    const ConexionesRegistradas lista(carpeta());
    EXPECT_FALSE(lista.existe());
    EXPECT_FALSE(lista.buscar(QStringLiteral("CONTA / SRV01")).has_value());

    lista.GrabarConexion(QStringLiteral("CONTA / SRV01"), QStringLiteral("conta"),
                         QStringLiteral("conta"), QStringLiteral("conta"),
                         QStringLiteral("srv01:1450"), utilidades_);

    EXPECT_TRUE(lista.existe());
    ASSERT_EQ(lista.leer().size(), 1u);
}

// The written line: every field trimmed, the password ciphered, CR LF, in
// Latin-1; later records are appended after it.
TEST_F(ListaDeConexiones, LaLineaEscritaByteAByte) {
    const ConexionesRegistradas lista(carpeta());
    lista.GrabarConexion(QStringLiteral(" AÑO / SRV01\\INST "), QStringLiteral(" año "),
                         QStringLiteral("año"), QStringLiteral("año"),
                         QStringLiteral(" srv01\\inst:1433 "), utilidades_);
    lista.GrabarConexion(QStringLiteral("B / S"), QStringLiteral("b"), QStringLiteral("b"),
                         QStringLiteral("b"), QStringLiteral("s"), utilidades_);

    const QByteArray esperado = QByteArray("A\xd1O / SRV01\\INST,a\xf1o,a\xf1o,")
                                + utilidades_.cifrar(QStringLiteral("año")).toLatin1()
                                + QByteArray(",srv01\\inst:1433\r\nB / S,b,b,")
                                + utilidades_.cifrar(QStringLiteral("b")).toLatin1()
                                + QByteArray(",s\r\n");
    EXPECT_EQ(contenido(), esperado);

    const auto leido = lista.buscar(QStringLiteral("AÑO / SRV01\\INST"));
    ASSERT_TRUE(leido.has_value());
    EXPECT_EQ(leido->baseDatos, QStringLiteral("año"));
    EXPECT_EQ(utilidades_.descifrar(leido->contrasena), QStringLiteral("año"));
    EXPECT_EQ(leido->servidor, QStringLiteral("srv01\\inst:1433"));
}

// The last line as a hand edit may leave it: a new entry never joins it.
struct CasoFinal {
    const char* nombre;
    const char* antes;
    const char* separador;  // what comes between the old content and the new line
};

TEST_F(ListaDeConexiones, UnaEntradaNuevaEmpiezaSiempreEnSuPropiaLinea) {
    const CasoFinal casos[] = {
        {"SinFinDeLinea", "A / S,a,a,00,s", "\r\n"},
        {"ConCrLf", "A / S,a,a,00,s\r\n", ""},
        {"SoloLf", "A / S,a,a,00,s\n", ""},
    };
    for (const CasoFinal& caso : casos) {
        escribir(caso.antes);
        const ConexionesRegistradas lista(carpeta());
        lista.GrabarConexion(QStringLiteral("B / T"), QStringLiteral("b"), QStringLiteral("b"),
                             QStringLiteral("b"), QStringLiteral("t"), utilidades_);
        EXPECT_EQ(contenido(), QByteArray(caso.antes) + caso.separador + "B / T,b,b,"
                                   + utilidades_.cifrar(QStringLiteral("b")).toLatin1() + ",t\r\n")
            << caso.nombre;
        const auto registros = lista.leer();
        ASSERT_EQ(registros.size(), 2u) << caso.nombre;
        EXPECT_EQ(registros[0].servidor, QStringLiteral("s")) << caso.nombre;
        EXPECT_EQ(registros[1].clave, QStringLiteral("B / T")) << caso.nombre;
    }
}

TEST_F(ListaDeConexiones, UnArchivoQueNoSePuedeEscribirEsUnErrorParaQuienGraba) {
    QDir(carpeta()).mkdir(QStringLiteral("BASES.TXT"));  // a folder where the file should be
    const ConexionesRegistradas lista(carpeta());
    EXPECT_THROW(lista.GrabarConexion(QStringLiteral("K"), QStringLiteral("d"), QStringLiteral("d"),
                                      QStringLiteral("d"), QStringLiteral("s"), utilidades_),
                 plataforma::RuntimeError);
}

// ---- reading: the comma-delimited rules ---------------------------------------

struct CasoLectura {
    const char* nombre;
    QByteArray contenido;
    std::vector<std::array<const char*, 5>> registros;
};

void PrintTo(const CasoLectura& caso, std::ostream* os) { *os << caso.nombre; }

class LecturaDeRegistros : public ListaDeConexiones,
                           public ::testing::WithParamInterface<CasoLectura> {};

TEST_P(LecturaDeRegistros, CincoCamposPorRegistro) {
    escribir(GetParam().contenido);
    const auto registros = ConexionesRegistradas(carpeta()).leer();
    ASSERT_EQ(registros.size(), GetParam().registros.size());
    for (std::size_t i = 0; i < registros.size(); ++i) {
        const auto& e = GetParam().registros[i];
        const auto& r = registros[i];
        EXPECT_EQ(r.clave, QString::fromUtf8(e[0])) << i;
        EXPECT_EQ(r.baseDatos, QString::fromUtf8(e[1])) << i;
        EXPECT_EQ(r.usuario, QString::fromUtf8(e[2])) << i;
        EXPECT_EQ(r.contrasena, QString::fromUtf8(e[3])) << i;
        EXPECT_EQ(r.servidor, QString::fromUtf8(e[4])) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Casos, LecturaDeRegistros,
    ::testing::Values(
        CasoLectura{"Simple", "A / S,a,a,AB,s\r\n", {{"A / S", "a", "a", "AB", "s"}}},
        CasoLectura{"BlancosAlrededorDescartados", "  A / S  , a ,a,AB,  s:1450  \r\n",
                    {{"A / S", "a", "a", "AB", "s:1450"}}},
        CasoLectura{"ComillasQuitadas", "\"A / S\", \"a b\" ,a,AB,s\r\n", {{"A / S", "a b", "a", "AB", "s"}}},
        CasoLectura{"FinDeLineaSoloLF", "A,b,c,d,e\nF,g,h,i,j", {{"A", "b", "c", "d", "e"}, {"F", "g", "h", "i", "j"}}},
        CasoLectura{"ClaveVaciaSeLee", ",b,c,d,e\r\nF,g,h,i,j\r\n", {{"", "b", "c", "d", "e"}, {"F", "g", "h", "i", "j"}}},
        CasoLectura{"UltimoCampoVacio", "A,b,c,d,\r\n", {{"A", "b", "c", "d", ""}}},
        CasoLectura{"RegistroIncompletoConCamposVacios", "A,b,c\r\n", {{"A", "b", "c", "", ""}}},
        CasoLectura{"Latin1", "A\xd1O / S,a\xf1o,a,AB,s\r\n", {{"AÑO / S", "año", "a", "AB", "s"}}},
        CasoLectura{"LineasEnBlancoIgnoradas", "\r\nA,b,c,d,e\r\n\r\n", {{"A", "b", "c", "d", "e"}}}),
    [](const auto& prueba) { return std::string(prueba.param.nombre); });

// ---- finding a record -------------------------------------------------------------

TEST_F(ListaDeConexiones, SeEncuentraElPrimeroConLaClaveExactaSinImportarBlancos) {
    escribir("conta / srv01,minus,u,AB,s1\r\n"
             "CONTA / SRV01,primero,u,AB,s2\r\n"
             "  CONTA / SRV01  ,segundo,u,AB,s3\r\n");
    const ConexionesRegistradas lista(carpeta());

    const auto encontrado = lista.buscar(QStringLiteral(" CONTA / SRV01 "));
    ASSERT_TRUE(encontrado.has_value());
    EXPECT_EQ(encontrado->baseDatos, QStringLiteral("primero"));
    EXPECT_EQ(lista.buscar(QStringLiteral("conta / srv01"))->baseDatos, QStringLiteral("minus"));
    EXPECT_FALSE(lista.buscar(QStringLiteral("Conta / Srv01")).has_value());
    EXPECT_FALSE(lista.buscar(QStringLiteral("CONTA")).has_value());
}

// ---- the key and what a field can hold ------------------------------------------

TEST(ClaveDeRegistro, BaseYServidorEnMayusculasConElServidorCortadoEnLosDosPuntos) {
    EXPECT_EQ(ConexionesRegistradas::clave(QStringLiteral(" conta "), QStringLiteral(" srv01\\inst:1433 ")),
              QStringLiteral("CONTA / SRV01\\INST"));
    EXPECT_EQ(ConexionesRegistradas::clave(QStringLiteral("conta"), QStringLiteral("srv02")),
              QStringLiteral("CONTA / SRV02"));
    EXPECT_EQ(ConexionesRegistradas::clave(QStringLiteral("c"), QStringLiteral("a:1:2")),
              QStringLiteral("C / A"));
}

TEST(CampoDeRegistro, SoloTextosQueSeLeenComoSeEscribieron) {
    struct Caso {
        const char* texto;
        bool cabe;
    };
    const Caso casos[] = {
        {"srv01\\inst:1433", true}, {"año", true},     {"/tmp/demo server", true},
        {"a,b", false},             {"a\"b", false},   {"a\nb", false},
        {"a\rb", false},            {"snow☃", false},
    };
    for (const Caso& caso : casos)
        EXPECT_EQ(ConexionesRegistradas::cabeEnCampo(QString::fromUtf8(caso.texto)), caso.cabe) << caso.texto;
}

}  // namespace
