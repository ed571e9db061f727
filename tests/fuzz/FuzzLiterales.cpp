// SQLValue and the pieces of SQL text every module writes: quoted texts,
// numbers and object names.
#include "DialogosGuion.h"
#include "Entrada.h"
#include "data/DB_Dll.h"
#include "data/LiteralesSql.h"
#include "platform/RuntimeError.h"
#include <QLocale>
#include <cmath>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Argentina));
    return 0;
}

static void literal(datos::DB_Dll& db, const QString& texto) {
    const QString citado = db.SQLValue(ado::Variant(texto)).texto();
    fuzz::exigir(citado.startsWith(QLatin1Char('\'')) && citado.endsWith(QLatin1Char('\'')) &&
                     fuzz::comillas(citado) == 2 * fuzz::comillas(texto) + 2,
                 "a quoted value can end its literal early", texto);
    try {
        const QString numero = db.SQLValue(ado::Variant(texto), QStringLiteral("@")).texto();
        fuzz::exigir(!numero.contains(QLatin1Char(',')) && !numero.contains(QLatin1Char('\'')),
                     "a number is not a plain number", numero);
    } catch (const plataforma::RuntimeError& error) {
        fuzz::exigir(error.Number() == 6, "a number fails with other than overflow", texto);
    }
}

// The name helpers raise error 5 where the run-time's string functions would
// (a lone "[", an arrow with nothing before it, a name without its ".").
template <typename Paso> static void sinOtroError(const QString& texto, Paso paso) {
    try {
        paso();
    } catch (const plataforma::RuntimeError& error) {
        fuzz::exigir(error.Number() == 5, "a name fails with other than error 5", texto);
    }
}

static void nombres(const QString& texto) {
    sinOtroError(texto, [&] { (void)datos::DB_Dll::AddBrackets(texto); });
    sinOtroError(texto, [&] { (void)datos::DB_Dll::StripBrackets(texto); });
    sinOtroError(texto, [&] { (void)datos::DB_Dll::StripConnect(texto); });
    sinOtroError(texto, [&] { (void)datos::DB_Dll::StripFileName(texto); });
    QString dueno = texto;
    sinOtroError(texto, [&] { (void)datos::DB_Dll::StripOwner(dueno); });
    for (std::int16_t parte : {std::int16_t(0), std::int16_t(1)}) {
        QString nombre = texto;
        sinOtroError(texto, [&] { (void)datos::DB_Dll::stSTF(nombre, parte); });
    }
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t largo) {
    const QString texto = fuzz::texto(datos, largo);
    prueba::DialogosGuion dialogos;
    datos::DB_Dll db(dialogos);
    literal(db, texto);
    nombres(texto);
    fuzz::exigir(fuzz::comillas(datos::comillasSql(texto)) == 2 * fuzz::comillas(texto), "a quote not doubled", texto);
    const double valor = datos::valorNumerico(texto);
    fuzz::exigir(std::isfinite(valor) || texto.size() > 300, "a number read as infinite", texto);
    if (std::isfinite(valor))
        fuzz::exigir(!datos::numeroSql(valor).contains(QLatin1Char(',')), "a number with a comma", texto);
    (void)datos::recortar(texto);
    return 0;
}
