#include "data/Sinonimos.h"

#include "platform/ado/LexicoSql.h"

#include <array>

namespace datos {

namespace {

// When a group of substitutions applies.
enum class Vigencia { Siempre, SalvoPraventoEscaldo, SalvoQztransTorva };

struct Sustitucion {
    const char* buscar;
    const char* reemplazo;
    Vigencia vigencia;
};

// In this order: a name is recognised only with the neighbours listed, and
// the marked "@Admin_MA_CUENTAS" is restored after the unmarked forms went to
// the counterpart. The counterpart of AC_CUENTASDIARIO_CCOSTO really is
// spelled with an underscore between CUENTAS and DIARIO.
constexpr std::array<Sustitucion, 38> kSustituciones{{
    {" MA_CUENTAS ", " SS_MA_CUENTAS ", Vigencia::Siempre},
    {"(MA_CUENTAS ", "(SS_MA_CUENTAS ", Vigencia::Siempre},
    {" MA_CUENTAS.", " SS_MA_CUENTAS.", Vigencia::Siempre},
    {"(MA_CUENTAS.", "(SS_MA_CUENTAS.", Vigencia::Siempre},
    {",MA_CUENTAS.", ",SS_MA_CUENTAS.", Vigencia::Siempre},
    {"{MA_CUENTAS.", "{SS_MA_CUENTAS.", Vigencia::Siempre},
    {"@Admin_MA_CUENTAS", "MA_CUENTAS", Vigencia::Siempre},
    {" V_TA_DEPOSITO ", " SS_V_TA_DEPOSITO ", Vigencia::SalvoPraventoEscaldo},
    {"(V_TA_DEPOSITO ", "(SS_V_TA_DEPOSITO ", Vigencia::SalvoPraventoEscaldo},
    {" V_TA_DEPOSITO.", " SS_V_TA_DEPOSITO.", Vigencia::SalvoPraventoEscaldo},
    {"(V_TA_DEPOSITO.", "(SS_V_TA_DEPOSITO.", Vigencia::SalvoPraventoEscaldo},
    {",V_TA_DEPOSITO.", ",SS_V_TA_DEPOSITO.", Vigencia::SalvoPraventoEscaldo},
    {" MV_ASIENTOS ", " SS_MV_ASIENTOS ", Vigencia::Siempre},
    {"(MV_ASIENTOS ", "(SS_MV_ASIENTOS ", Vigencia::Siempre},
    {" MV_ASIENTOS.", " SS_MV_ASIENTOS.", Vigencia::Siempre},
    {"(MV_ASIENTOS.", "(SS_MV_ASIENTOS.", Vigencia::Siempre},
    {",MV_ASIENTOS.", ",SS_MV_ASIENTOS.", Vigencia::Siempre},
    {" V_TA_FAMILIAS ", " SS_V_TA_FAMILIAS ", Vigencia::SalvoQztransTorva},
    {"(V_TA_FAMILIAS ", "(SS_V_TA_FAMILIAS ", Vigencia::SalvoQztransTorva},
    {" V_TA_FAMILIAS.", " SS_V_TA_FAMILIAS.", Vigencia::SalvoQztransTorva},
    {"(V_TA_FAMILIAS.", "(SS_V_TA_FAMILIAS.", Vigencia::SalvoQztransTorva},
    {",V_TA_FAMILIAS.", ",SS_V_TA_FAMILIAS.", Vigencia::SalvoQztransTorva},
    {" V_TA_CAJAS ", " SS_V_TA_CAJAS ", Vigencia::Siempre},
    {"(V_TA_CAJAS ", "(SS_V_TA_CAJAS ", Vigencia::Siempre},
    {" V_TA_CAJAS.", " SS_V_TA_CAJAS.", Vigencia::Siempre},
    {"(V_TA_CAJAS.", "(SS_V_TA_CAJAS.", Vigencia::Siempre},
    {",V_TA_CAJAS.", ",SS_V_TA_CAJAS.", Vigencia::Siempre},
    {" AC_CUENTASDIARIO ", " SS_AC_CUENTASDIARIO ", Vigencia::Siempre},
    {"(AC_CUENTASDIARIO ", "(SS_AC_CUENTASDIARIO ", Vigencia::Siempre},
    {" AC_CUENTASDIARIO.", " SS_AC_CUENTASDIARIO.", Vigencia::Siempre},
    {"(AC_CUENTASDIARIO.", "(SS_AC_CUENTASDIARIO.", Vigencia::Siempre},
    {",AC_CUENTASDIARIO.", ",SS_AC_CUENTASDIARIO.", Vigencia::Siempre},
    {" AC_CUENTASDIARIO_CCOSTO ", " SS_AC_CUENTAS_DIARIO_CCOSTO ", Vigencia::Siempre},
    {"(AC_CUENTASDIARIO_CCOSTO ", "(SS_AC_CUENTAS_DIARIO_CCOSTO ", Vigencia::Siempre},
    {" AC_CUENTASDIARIO_CCOSTO.", " SS_AC_CUENTAS_DIARIO_CCOSTO.", Vigencia::Siempre},
    {"(AC_CUENTASDIARIO_CCOSTO.", "(SS_AC_CUENTAS_DIARIO_CCOSTO.", Vigencia::Siempre},
    {",AC_CUENTASDIARIO_CCOSTO.", ",SS_AC_CUENTAS_DIARIO_CCOSTO.", Vigencia::Siempre},
    {"@Admin_", "", Vigencia::Siempre},
}};

bool esPrograma(const QString& nombre, const char* uno, const char* otro) {
    return nombre.compare(QLatin1String(uno), Qt::CaseInsensitive) == 0 ||
           nombre.compare(QLatin1String(otro), Qt::CaseInsensitive) == 0;
}

bool rige(Vigencia vigencia, const QString& ejecutable) {
    switch (vigencia) {
    case Vigencia::SalvoPraventoEscaldo: return !esPrograma(ejecutable, "PRAVENTO", "ESCALDO");
    case Vigencia::SalvoQztransTorva: return !esPrograma(ejecutable, "QZTRANS", "TORVA");
    case Vigencia::Siempre: break;
    }
    return true;
}

// Journal lines stay visible to everyone unless the company keeps them
// confidential; such a statement is left wholly alone, other tables included.
bool asientosSinReserva(const QString& sentencia, const Sinonimos::Contexto& contexto) {
    return !contexto.confidencialidad &&
           ado::LexicoSql::sinCadenas(sentencia).contains(QLatin1String("MV_ASIENTOS"), Qt::CaseInsensitive);
}

QString sinMarcasEnTramo(const QString& tramo) {
    return QString(tramo).replace(QLatin1String("@Admin_"), QString(), Qt::CaseInsensitive);
}

}  // namespace

// Markers and synonyms are names: the quoted values of the statement (a
// reason that mentions "@Admin_" or MA_CUENTAS) are stored as typed.
QString Sinonimos::sinMarcas(const QString& sentencia) {
    return ado::LexicoSql::fueraDeCadenas(sentencia, sinMarcasEnTramo);
}

QString Sinonimos::aplicar(const QString& sentencia, const Contexto& contexto) {
    if (contexto.esAdministrador || asientosSinReserva(sentencia, contexto))
        return sinMarcas(sentencia);
    return ado::LexicoSql::fueraDeCadenas(sentencia, [&contexto](const QString& tramo) {
        QString resultado = tramo;
        for (const Sustitucion& s : kSustituciones)
            if (rige(s.vigencia, contexto.nombreEjecutable))
                resultado.replace(QLatin1String(s.buscar), QLatin1String(s.reemplazo), Qt::CaseInsensitive);
        return resultado;
    });
}

}  // namespace datos
