#include "session/utility_component/Teclado.h"

#include <QObject>
#include <QVariant>
#include <gtest/gtest.h>

namespace {

using utilidades::Teclado;

// A box as the keyboard class sees it: its tag, its text and the selected
// part of it.
struct Caja {
    const char* tag;
    const char* texto;
    const char* seleccion;
};

struct CasoCaracter {
    const char* nombre;
    Caja caja;
    char16_t escrito;
    bool tomado;
};

void PrintTo(const CasoCaracter& c, std::ostream* os) { *os << c.nombre; }

class CaracterEnUnaCaja : public ::testing::TestWithParam<CasoCaracter> {};

TEST_P(CaracterEnUnaCaja, SeTomaOSeRechazaSegunLaCaja) {
    const CasoCaracter& c = GetParam();
    QObject caja;
    caja.setProperty("tag", QString::fromLatin1(c.caja.tag));
    caja.setProperty("text", QString::fromLatin1(c.caja.texto));
    caja.setProperty("selectedText", QString::fromLatin1(c.caja.seleccion));
    const QChar resultado = Teclado().teclaPresionada(caja, QChar(c.escrito));
    if (c.tomado)
        EXPECT_EQ(resultado, QChar(c.escrito));
    else
        EXPECT_TRUE(resultado.isNull()) << QString(resultado).toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Casos, CaracterEnUnaCaja,
    ::testing::Values(
        CasoCaracter{"FechaCifra", {"Fecha", "05/0", ""}, u'3', true},
        CasoCaracter{"FechaBarra", {"FECHA", "05", ""}, u'/', true},
        CasoCaracter{"FechaLetra", {"Fecha", "", ""}, u'a', false},
        CasoCaracter{"FechaGuion", {"Fecha", "05", ""}, u'-', false},
        CasoCaracter{"FechaBlanco", {"Fecha", "05", ""}, u' ', false},
        CasoCaracter{"FechaCifraDeOtraEscritura", {"Fecha", "", ""}, u'\u0663', false},
        CasoCaracter{"FechaLlena", {"Fecha", "05/03/2024", ""}, u'1', false},
        CasoCaracter{"FechaLlenaConSeleccion", {"Fecha", "05/03/2024", "2024"}, u'1', true},
        CasoCaracter{"FechaLlenaRetroceso", {"Fecha", "05/03/2024", ""}, u'\b', true},
        CasoCaracter{"CuentaLetra", {"MA_CUENTAS", "1.1", ""}, u'x', true},
        CasoCaracter{"CuentaApostrofo", {"MA_CUENTAS", "O", ""}, u'\'', true},
        CasoCaracter{"CuentaLarga", {"MA_CUENTAS", "123456789012345", ""}, u'6', true}),
    [](const ::testing::TestParamInfo<CasoCaracter>& caso) { return std::string(caso.param.nombre); });

TEST(TeclaAbajo, IntroYAbajoVanALaSiguienteArribaALaAnterior) {
    const Teclado teclado;
    EXPECT_EQ(teclado.teclaAbajo(Qt::Key_Return), Teclado::Movimiento::Siguiente);
    EXPECT_EQ(teclado.teclaAbajo(Qt::Key_Enter), Teclado::Movimiento::Siguiente);
    EXPECT_EQ(teclado.teclaAbajo(Qt::Key_Down), Teclado::Movimiento::Siguiente);
    EXPECT_EQ(teclado.teclaAbajo(Qt::Key_Up), Teclado::Movimiento::Anterior);
    for (int otra : {int(Qt::Key_F5), int(Qt::Key_Tab), int(Qt::Key_Left), int(Qt::Key_A)})
        EXPECT_EQ(teclado.teclaAbajo(otra), Teclado::Movimiento::Ninguno) << otra;
}

}  // namespace
