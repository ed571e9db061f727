#include "session/LineaComandos.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

using sesion::LineaComandos;

struct CasoLinea {
    const char* nombre;
    QString linea;
    LineaComandos::Parametros esperado;
};

void PrintTo(const CasoLinea& caso, std::ostream* os) { *os << caso.nombre; }

LineaComandos::Parametros parametros(QString servidor, QString base, QString usuario,
                                     QString contrasena, QString caja = QStringLiteral("1"),
                                     QString cadena = {}) {
    LineaComandos::Parametros p;
    p.servidor = std::move(servidor);
    p.baseDatos = std::move(base);
    p.usuario = std::move(usuario);
    p.contrasena = std::move(contrasena);
    p.caja = std::move(caja);
    p.cadenaConexion = std::move(cadena);
    return p;
}

const CasoLinea casosLinea[] = {
    {"LineaVacia", "", parametros("", "", "", "")},
    {"LineaDelMenu", "@Server=SRVCONTABLE\\ZANTAR;@DbName=EMPRESA01;@Usuario=jperez;@Password=secreto;@Caja=3",
     parametros("SRVCONTABLE\\ZANTAR", "EMPRESA01", "jperez", "secreto", "3")},
    {"ClavesEnMayusculasValoresConservanSuCaja", "@SERVER=Srv;@DBNAME=Empresa;@USUARIO=JPerez;@PASSWORD=SeCreto",
     parametros("Srv", "Empresa", "JPerez", "SeCreto")},
    {"BlancosAlrededorDelValorSeQuitan", "@Server=SRV;@DbName= EMPRESA01 ;@Usuario = jperez ;@Password=x",
     parametros("SRV", "EMPRESA01", "jperez", "x")},
    {"SoloSeQuitanLosBlancosDeAfuera", "@DbName=  MI EMPRESA  ;@Usuario=a",
     parametros("", "MI EMPRESA", "a", "")},
    {"UltimoItemSinPuntoYComa", "@Server=SRV;@Usuario=jperez;@Password=clave final",
     parametros("SRV", "", "jperez", "clave final")},
    {"ContrasenaConPuntoYComaLlegaCortada", "@Server=SRV;@Usuario=u;@Password=ab;cd;@Caja=2",
     parametros("SRV", "", "u", "ab", "2")},
    {"ContrasenaConIgualLoPierde", "@Server=SRV;@Usuario=u;@Password=a=b==c;@Caja=2",
     parametros("SRV", "", "u", "abc", "2")},
    {"SinCajaEsUno", "@Server=SRV;@Usuario=u", parametros("SRV", "", "u", "")},
    {"CajaVaciaQuedaVacia", "@Server=SRV;@Usuario=u;@Caja=", parametros("SRV", "", "u", "", "")},
    {"CajaDeBlancosQuedaVacia", "@Server=SRV;@Caja=  ;@Usuario=u", parametros("SRV", "", "u", "", "")},
    {"ServidorOracle", "@Server=#ORCL;@DbName=TNS;@Usuario=u;@Password=p",
     parametros("ORCL", "TNS", "u", "p", "1",
                "Provider=OraOLEDB.Oracle.1;Data Source=TNS;User Id=u;Password=p;")},
    {"NumeralQueNoEstaAlPrincipioNoEsOracle", "@Server=SRV#2;@Usuario=u",
     parametros("SRV#2", "", "u", "")},
    {"ClaveSinValorAlFinal", "@Usuario=u;@Server", parametros("", "", "u", "")},
    {"LaPrimeraAparicionGana", "@Server=UNO;@Server=DOS;@Usuario=u", parametros("UNO", "", "u", "")},
};

class LecturaDeLinea : public ::testing::TestWithParam<CasoLinea> {};

TEST_P(LecturaDeLinea, DaLosParametrosDeLaSesion) {
    const CasoLinea& caso = GetParam();
    const LineaComandos::Parametros p = LineaComandos::leer(caso.linea);
    EXPECT_EQ(p.servidor, caso.esperado.servidor);
    EXPECT_EQ(p.baseDatos, caso.esperado.baseDatos);
    EXPECT_EQ(p.usuario, caso.esperado.usuario);
    EXPECT_EQ(p.contrasena, caso.esperado.contrasena);
    EXPECT_EQ(p.caja, caso.esperado.caja);
    EXPECT_EQ(p.cadenaConexion, caso.esperado.cadenaConexion);
}

INSTANTIATE_TEST_SUITE_P(Casos, LecturaDeLinea, ::testing::ValuesIn(casosLinea),
                         [](const auto& prueba) { return std::string(prueba.param.nombre); });

// The launcher's keys, and the trap of a key that starts a longer one.
TEST(LineaComandos, ElUsuarioLogeadoAntesDelUsuarioSeLoLleva) {
    const QString linea = QStringLiteral("@Server=SRV;@UsuarioLogeado= Juan Perez ;@Usuario=jperez");
    const auto p = LineaComandos::leer(linea);
    EXPECT_EQ(p.usuario, QStringLiteral("Logeado Juan Perez"));
    EXPECT_EQ(p.usuarioLogeado, QStringLiteral("Juan Perez"));
}

TEST(LineaComandos, SinUsuarioElUsuarioLogeadoTambienSeLoLleva) {
    const auto p = LineaComandos::leer(QStringLiteral("@Server=SRV;@UsuarioLogeado=jperez"));
    EXPECT_EQ(p.usuario, QStringLiteral("Logeadojperez"));
}

TEST(LineaComandos, ElFormatoDelLanzadorDaSusClavesExtra) {
    const auto p = LineaComandos::leer(QStringLiteral(
        "kemo@Server=SRV;@DbName=EMP;@Usuario=jperez;@Password=x;@Caja=2;"
        "@ParametroAdicional=FACTURA 12;@UsuarioLogeado=jperez"));
    EXPECT_EQ(p.usuario, QStringLiteral("jperez"));
    EXPECT_EQ(p.parametroAdicional, QStringLiteral("FACTURA 12"));
    EXPECT_EQ(p.usuarioLogeado, QStringLiteral("jperez"));
    EXPECT_EQ(p.menu, QString());
}

TEST(LineaComandos, ValorConPredeterminado) {
    EXPECT_EQ(LineaComandos::valor(QStringLiteral("@Server=X"), QStringLiteral("@Caja"),
                                   QStringLiteral("1")),
              QStringLiteral("1"));
    EXPECT_EQ(LineaComandos::valor(QStringLiteral("@caja=7"), QStringLiteral("@Caja"),
                                   QStringLiteral("1")),
              QStringLiteral("7"));
}

TEST(LineaComandos, LosArgumentosSeUnenConBlancos) {
    EXPECT_EQ(LineaComandos::unir({}), QString());
    EXPECT_EQ(LineaComandos::unir({QStringLiteral("@Server=X;@DbName=Y")}),
              QStringLiteral("@Server=X;@DbName=Y"));
    // A command line split by the shell at its blanks reads as it was written.
    const QString linea = LineaComandos::unir(
        {QStringLiteral("@Server=X;@DbName=MI"), QStringLiteral("EMPRESA;@Usuario=u")});
    EXPECT_EQ(LineaComandos::leer(linea).baseDatos, QStringLiteral("MI EMPRESA"));
}

struct CasoServidor {
    const char* servidor;
    const char* esperado;
};

class NombreDelServidor : public ::testing::TestWithParam<CasoServidor> {};

TEST_P(NombreDelServidor, EsElNombreDesnudo) {
    EXPECT_EQ(LineaComandos::NombreServidor(QString::fromUtf8(GetParam().servidor)),
              QString::fromUtf8(GetParam().esperado));
}

INSTANTIATE_TEST_SUITE_P(Casos, NombreDelServidor,
                         ::testing::Values(CasoServidor{"SRV", "SRV"},
                                           CasoServidor{"SRV:1433", "SRV"},
                                           CasoServidor{"A/B:1", "B"},
                                           CasoServidor{"A/ B", " B"},
                                           CasoServidor{"A/B/C", "B/C"},
                                           CasoServidor{"A:1/B", "B"},
                                           CasoServidor{" SRV ", " SRV "},
                                           CasoServidor{"SRV\\ZANTAR", "SRV\\ZANTAR"},
                                           CasoServidor{"", ""},
                                           CasoServidor{"demo", "demo"},
                                           // A folder of the embedded engine stays whole.
                                           CasoServidor{"/srv/zantar/demo", "/srv/zantar/demo"}));

}  // namespace
