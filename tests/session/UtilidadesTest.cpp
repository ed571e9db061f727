#include "platform/RuntimeError.h"
#include "platform/ui/Dialogos.h"
#include "session/utility_component/Utilidades.h"
#include "support/DialogosGuion.h"

#include <QLocale>
#include <QRegularExpression>
#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>

namespace {

using utilidades::Utilidades;

class ConUtilidades : public ::testing::Test {
protected:
    prueba::DialogosGuion dialogos;
    Utilidades util{dialogos};
};

// ---- code form ----------------------------------------------------------

struct CasoCodigo {
    const char* texto;
    int ancho;
    const char* esperado;
};

class FormaDeCodigo : public ConUtilidades, public ::testing::WithParamInterface<CasoCodigo> {};

TEST_P(FormaDeCodigo, AlineaALaDerechaConBlancos) {
    EXPECT_EQ(util.codigo(QString::fromUtf8(GetParam().texto), GetParam().ancho),
              QString::fromUtf8(GetParam().esperado));
}

INSTANTIATE_TEST_SUITE_P(Casos, FormaDeCodigo,
                         ::testing::Values(CasoCodigo{"1", 4, "   1"},
                                           CasoCodigo{" 7  ", 4, "   7"},
                                           CasoCodigo{"1", 15, "              1"},
                                           CasoCodigo{"A 1", 5, "  A 1"},
                                           CasoCodigo{"1234", 4, "1234"},
                                           CasoCodigo{"12345", 4, "12345"},
                                           CasoCodigo{"", 4, "    "},
                                           CasoCodigo{"   ", 2, "  "}));

// ---- amounts under both regional settings ---------------------------------

struct CasoImporte {
    const char* texto;
    std::int64_t diezmilesimos;
};

void PrintTo(const CasoImporte& caso, std::ostream* os) { *os << '"' << caso.texto << '"'; }

// Sets the workstation's regional settings for one test and puts the
// previous ones back.
class ConRegional : public ConUtilidades {
protected:
    explicit ConRegional(const QLocale& regional) { QLocale::setDefault(regional); }
    ~ConRegional() override { QLocale::setDefault(anterior_); }

private:
    QLocale anterior_;
};

class ImporteArgentino : public ConRegional, public ::testing::WithParamInterface<CasoImporte> {
protected:
    ImporteArgentino() : ConRegional(QLocale(QLocale::Spanish, QLocale::Argentina)) {}
};

TEST_P(ImporteArgentino, LeeElNumeroDelPrincipio) {
    EXPECT_EQ(util.importe(QString::fromUtf8(GetParam().texto)).diezmilesimos(),
              GetParam().diezmilesimos);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, ImporteArgentino,
    ::testing::Values(CasoImporte{"1234,5", 12345000}, CasoImporte{"-0,25", -2500},
                      CasoImporte{"1.234,56", 12345600}, CasoImporte{"1.234.567,8", 12345678000},
                      // Without a comma the point is the decimal separator.
                      CasoImporte{"12.5", 125000}, CasoImporte{"1.234", 12340},
                      CasoImporte{"1.234.567", 12340},
                      // A point that does not group three digits ends the number.
                      CasoImporte{"1.23,4", 10000},
                      CasoImporte{"  42abc", 420000}, CasoImporte{"+3", 30000},
                      CasoImporte{"12,5%", 125000}, CasoImporte{",5", 5000},
                      CasoImporte{"abc", 0}, CasoImporte{"", 0}, CasoImporte{",", 0},
                      CasoImporte{"-", 0}, CasoImporte{"$ 10", 0},
                      // Past the fourth decimal: half away from zero.
                      CasoImporte{"1,23456", 12346}, CasoImporte{"1,23454", 12345},
                      CasoImporte{"-1,23455", -12346}, CasoImporte{"0,00005", 1},
                      CasoImporte{"922.337.203.685.477,5807", INT64_MAX}));

class ImporteSinRegional : public ConRegional, public ::testing::WithParamInterface<CasoImporte> {
protected:
    ImporteSinRegional() : ConRegional(QLocale::c()) {}
};

TEST_P(ImporteSinRegional, LeeElNumeroDelPrincipio) {
    EXPECT_EQ(util.importe(QString::fromUtf8(GetParam().texto)).diezmilesimos(),
              GetParam().diezmilesimos);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, ImporteSinRegional,
    ::testing::Values(CasoImporte{"1234.5", 12345000}, CasoImporte{"1,234.5", 12345000},
                      CasoImporte{"1,234", 12340000}, CasoImporte{"1,5", 10000},
                      CasoImporte{"-0.0001", -1}, CasoImporte{"7", 70000},
                      CasoImporte{"x7", 0}));

TEST_F(ConUtilidades, UnImporteFueraDeRangoEsDesbordamiento) {
    for (const char* texto : {"922337203685478", "999999999999999999999,5"}) {
        try {
            util.importe(QString::fromLatin1(texto));
            ADD_FAILURE() << texto << " no desbordó";
        } catch (const plataforma::RuntimeError& e) {
            EXPECT_EQ(e.Number(), 6) << texto;
        }
    }
}

TEST_F(ConUtilidades, NumeroEsElEnteroDelPrincipio) {
    const struct {
        const char* texto;
        long esperado;
    } casos[] = {{"42", 42}, {" -7x", -7}, {"3,9", 3}, {"3.9", 3}, {"abc", 0}, {"", 0}, {"+5", 5}};
    for (const auto& caso : casos)
        EXPECT_EQ(util.numero(QString::fromLatin1(caso.texto)), caso.esperado) << caso.texto;
    EXPECT_THROW(util.numero(QStringLiteral("99999999999999999999")), plataforma::RuntimeError);
}

// ---- cipher ----------------------------------------------------------------

class Cifrado : public ConUtilidades, public ::testing::WithParamInterface<const char*> {};

TEST_P(Cifrado, VuelveAlTextoYNoLlevaSeparadores) {
    const QString texto = QString::fromUtf8(GetParam());
    const QString cifrado = util.cifrar(texto);
    EXPECT_EQ(util.descifrar(cifrado), texto);
    // It must survive a comma-separated file read back with blanks dropped.
    static const QRegularExpression soloHexadecimal(QStringLiteral("\\A[0-9A-F]*\\z"));
    EXPECT_TRUE(soloHexadecimal.match(cifrado).hasMatch()) << cifrado.toStdString();
    if (!texto.isEmpty()) {
        EXPECT_NE(cifrado, texto);
        EXPECT_FALSE(cifrado.contains(texto));
    }
}

INSTANTIATE_TEST_SUITE_P(Textos, Cifrado,
                         ::testing::Values("", "secreto", "con,coma", "con \"comillas\" y 'apóstrofos'",
                                           "línea1\r\nlínea2", "ñandú €", "  blancos  ",
                                           "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa"));

TEST_F(ConUtilidades, DescifrarAlgoQueNoEsCifradoEsArgumentoInvalido) {
    for (const char* texto : {"plano", "ABC", "0G"}) {
        try {
            util.descifrar(QString::fromLatin1(texto));
            ADD_FAILURE() << texto;
        } catch (const plataforma::RuntimeError& e) {
            EXPECT_EQ(e.Number(), plataforma::numero::ArgumentoInvalido);
        }
    }
}

// ---- texts and folders -----------------------------------------------------

TEST_F(ConUtilidades, CarpetaTerminaEnBarra) {
    EXPECT_EQ(util.carpeta(QStringLiteral("/opt/zantar")), QStringLiteral("/opt/zantar/"));
    EXPECT_EQ(util.carpeta(QStringLiteral("/opt/zantar/")), QStringLiteral("/opt/zantar/"));
    EXPECT_EQ(util.carpeta(QStringLiteral("relativa")), QStringLiteral("relativa/"));
    // Not "/": a file name appended to it would land in the root.
    EXPECT_EQ(util.carpeta(QString()), QString());
}

TEST_F(ConUtilidades, QuitarSacaCadaCaracterDado) {
    EXPECT_EQ(Utilidades::quitar(QStringLiteral("= a=b =="), QStringLiteral("=")),
              QStringLiteral(" ab "));
    const QString conRelleno = QStringLiteral("MA_CUENTAS") + QChar(0) + QChar(0xFF) + QChar(0);
    EXPECT_EQ(Utilidades::quitar(conRelleno, QString(QChar(0)) + QChar(0xFF)),
              QStringLiteral("MA_CUENTAS"));
    EXPECT_EQ(Utilidades::quitar(QStringLiteral("abc"), QString()), QStringLiteral("abc"));
}

TEST_F(ConUtilidades, ReemplazarTodasOLaPrimera) {
    const struct {
        const char* texto;
        const char* buscar;
        const char* por;
        const char* todas;
        const char* primera;
    } casos[] = {
        {"|DESCRIPCION|CODIGO|", "|", ",", ",DESCRIPCION,CODIGO,", ",DESCRIPCION|CODIGO|"},
        {"aaa", "a", "aa", "aaaaaa", "aaaa"},
        {"Aba", "a", "x", "Abx", "Abx"},  // letter case counts
        {"abc", "z", "y", "abc", "abc"},
        {"abc", "", "x", "abc", "abc"},
    };
    for (const auto& c : casos) {
        const QString texto = QString::fromLatin1(c.texto);
        const QString buscar = QString::fromLatin1(c.buscar);
        const QString por = QString::fromLatin1(c.por);
        EXPECT_EQ(util.reemplazar(texto, buscar, por), QString::fromLatin1(c.todas)) << c.texto;
        EXPECT_EQ(util.reemplazarPrimero(texto, buscar, por), QString::fromLatin1(c.primera)) << c.texto;
    }
}

TEST_F(ConUtilidades, AjustarYContarPalabras) {
    EXPECT_EQ(util.ajustar(QStringLiteral("abcdef"), 3), QStringLiteral("abc"));
    EXPECT_EQ(util.ajustar(QStringLiteral("ab"), 250), QStringLiteral("ab"));
    EXPECT_EQ(util.contarPalabras(QString()), 0);
    EXPECT_EQ(util.contarPalabras(QStringLiteral("  SELECT  ")), 1);
    EXPECT_EQ(util.contarPalabras(QStringLiteral("SELECT\r\nTOP  1")), 3);
}

TEST_F(ConUtilidades, ValorDeUnNuloEsVacio) {
    EXPECT_EQ(util.valor(ado::Variant()), QString());
    EXPECT_EQ(util.valor(ado::Variant(QStringLiteral("Caja"))), QStringLiteral("Caja"));
}

// ---- the error dialog --------------------------------------------------------

TEST_F(ConUtilidades, DialogoDeErrorContestaAbortarReintentarOIgnorar) {
    const struct {
        int boton;
        int esperado;
    } casos[] = {{plataforma::respuesta::Reintentar, 4},
                 {plataforma::respuesta::Ignorar, 5},
                 {plataforma::respuesta::Abortar, 3},
                 {plataforma::respuesta::Aceptar, 3}};
    const plataforma::RuntimeError error(13, QStringLiteral(" No coinciden los tipos "),
                                         QStringLiteral("CargarLista"));
    for (const auto& caso : casos) {
        prueba::DialogosGuion guion;
        Utilidades conGuion(guion);
        guion.responder(caso.boton);
        EXPECT_EQ(conGuion.dialogoError(error), caso.esperado);
        ASSERT_EQ(guion.mensajes().size(), 1u);
        const auto& caja = guion.mensajes().front();
        EXPECT_EQ(caja.estilo, plataforma::estilo::AbortarReintentarIgnorar | plataforma::estilo::Critico);
        EXPECT_TRUE(caja.texto.contains(QStringLiteral("13")));
        EXPECT_TRUE(caja.texto.contains(QStringLiteral("No coinciden los tipos")));
    }
}

TEST_F(ConUtilidades, ElegirFechaPreguntaAlUsuario) {
    dialogos.elegir(QStringLiteral("05/03/2024"));
    EXPECT_EQ(util.elegirFecha(), QStringLiteral("05/03/2024"));
    EXPECT_EQ(util.elegirFecha(), QString());  // cancelled
}

}  // namespace
