// The reader for many date texts in a row gives the date and time the
// general date reading gives, for the shapes it reads itself and for every other text,
// under workstations that write dates in different orders and separators.

#include "platform/ado/FormatoRegional.h"
#include "platform/ado/LectorFechas.h"

#include <QDateTime>
#include <QLocale>
#include <QStringList>
#include <gtest/gtest.h>
#include <ostream>

// Failures name the workstation's settings.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QLocale& regional, std::ostream* os) { *os << regional.name().toStdString(); }
QT_END_NAMESPACE

namespace {

// Texts of the shapes the reader takes directly and their near misses: every
// order of day, month and year, the usual separators, one- to three-digit
// days and months, short and long years, impossible dates, with and without
// a time of the shapes the general reading knows and some it does not.
QStringList textosDePrueba() {
    const QStringList dias = {"5", "05", "005", "29", "31", "32", "0", ""};
    const QStringList meses = {"3", "03", "02", "12", "13"};
    const QStringList anios = {"2024", "2023", "24", "0024", "0000", "20245"};
    const QStringList separadores = {"/", "-", "."};
    const QStringList horas = {"", " 09:15:22", "  09:15:22 ", " 9:15:22", " 09:15", " 23:59:59", " 24:00:00",
                               " 09:60:00", " 09:15:22.123", "T10:00:00", "T", " x", " 09:15:22 x", " 09-15-22"};
    QStringList textos;
    for (const QString& s : separadores)
        for (const QString& d : dias)
            for (const QString& m : meses)
                for (const QString& a : anios) {
                    textos << d + s + m + s + a << m + s + d + s + a << a + s + m + s + d;
                    if (a == QLatin1String("2024"))
                        for (const QString& h : horas)
                            textos << d + s + m + s + a + h << m + s + d + s + a + h << a + s + m + s + d + h;
                }
    textos << "2024-03-05" << "2024-03-05 10:00:00" << "2024-03-05T10:00:00" << "2024/03/05" << "  05/03/2024  "
           << "05/03/2024\t09:15:22" << "05 03 2024" << "05/03/2024/" << "/05/03/2024" << "05//03/2024"
           << "٠٥/٠٣/٢٠٢٤" << "05/03/2024 ٠٩:١٥:٢٢" << "" << " " << "ABIERTA" << "1234,50" << "05/mar/2024";
    return textos;
}

class LectorDeFechas : public ::testing::TestWithParam<QLocale> {
protected:
    void SetUp() override { QLocale::setDefault(GetParam()); }
    void TearDown() override { QLocale::setDefault(anterior_); }

private:
    QLocale anterior_;
};

TEST_P(LectorDeFechas, LeeCadaTextoComoLaLecturaGeneral) {
    const ado::LectorFechas lector;
    int fechas = 0;
    for (const QString& texto : textosDePrueba()) {
        const QDateTime general = ado::FormatoRegional::leerFechaHora(texto);
        const std::optional<ado::LectorFechas::FechaHora> leida = lector.leer(texto);
        ASSERT_EQ(leida.has_value(), general.isValid()) << texto.toStdString();
        if (leida) {
            EXPECT_EQ(leida->fecha, general.date()) << texto.toStdString();
            EXPECT_EQ(leida->hora, general.time()) << texto.toStdString();
            ++fechas;
        }
    }
    // The table holds dates of this workstation's shape, not only misses.
    EXPECT_GT(fechas, 20);
}

INSTANTIATE_TEST_SUITE_P(Regionales, LectorDeFechas,
                         ::testing::Values(QLocale(QLocale::Spanish, QLocale::Argentina),
                                           QLocale(QLocale::English, QLocale::UnitedStates),
                                           QLocale(QLocale::German, QLocale::Germany),
                                           QLocale(QLocale::Dutch, QLocale::Netherlands),
                                           QLocale(QLocale::Swedish, QLocale::Sweden),
                                           QLocale(QLocale::Japanese, QLocale::Japan), QLocale::c()),
                         [](const ::testing::TestParamInfo<QLocale>& regional) {
                             return regional.param.name().replace(u'_', QString()).toStdString();
                         });

}  // namespace
