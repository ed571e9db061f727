#include "reconciliation/ReporteConciliacion.h"

#include "data/LiteralesSql.h"
#include "platform/Pasos.h"
#include "platform/RuntimeError.h"
#include "platform/ado/FormatoRegional.h"
#include "platform/ado/Recordset.h"
#include "platform/ui/Dialogos.h"
#include "reconciliation/ListaConciliaciones.h"
#include "session/Configuracion.h"
#include "session/Global.h"

#include <QLocale>
#include <QScopeGuard>
#include <QStringList>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <langinfo.h>
#include <locale.h>
#include <memory>

namespace conciliacion {

namespace {

constexpr int kDecimalesSinTocar = -3;
constexpr int kDecimalesConfigurados = -1;
constexpr int kDecimalesNinguno = -2;
constexpr int kDecimalesImporte = 4;

// The workstation's usual number of decimals for amounts, from its regional
// settings; 0 when they do not say.
int decimalesDelPuesto() {
    const std::unique_ptr<std::remove_pointer_t<locale_t>, decltype(&freelocale)> region(
        newlocale(LC_MONETARY_MASK, "", static_cast<locale_t>(nullptr)), &freelocale);
    if (!region) return 0;
    const char* valor = nl_langinfo_l(FRAC_DIGITS, region.get());
    if (!valor || *valor == CHAR_MAX || *valor < 0) return 0;
    return *valor;
}

constexpr int kDecimalesMaximos = 99;

std::int64_t potenciaDeDiez(int n) {
    std::int64_t p = 1;
    while (n-- > 0) p *= 10;
    return p;
}

// The amount in units of 10^-n (n at most the four decimals it holds), ties
// to the even neighbour.
std::int64_t redondearPar(std::int64_t diezmilesimos, int n) {
    const std::int64_t divisor = potenciaDeDiez(kDecimalesImporte - n);
    const bool negativo = diezmilesimos < 0;
    const std::int64_t absoluto = negativo ? -diezmilesimos : diezmilesimos;
    std::int64_t cociente = absoluto / divisor;
    const std::int64_t resto = absoluto % divisor;
    if (2 * resto > divisor || (2 * resto == divisor && cociente % 2 != 0)) ++cociente;
    return negativo ? -cociente : cociente;
}

QString agrupar(const QString& digitos, QString separador) {
    QString resultado;
    for (qsizetype i = 0; i < digitos.size(); ++i) {
        if (i > 0 && (digitos.size() - i) % 3 == 0) resultado += separador;
        resultado += digitos[i];
    }
    return resultado;
}

// The mask "############0." (or "###,###,###,###0.") followed by n zeros,
// with the workstation's separators; with no decimals the separator goes.
// An amount holds four decimals: it is rounded to at most four and every
// decimal past them is a written zero, so no power of ten beyond 10^4 is
// ever formed, whatever the setting asks (a text of more than
// kDecimalesMaximos decimals is no amount anyone reads: they are cut there).
QString conMascara(ado::Importe valor, int n, bool miles) {
    n = std::min(n, kDecimalesMaximos);
    const int exactos = std::min(n, kDecimalesImporte);
    const std::int64_t unidades = redondearPar(valor.diezmilesimos(), exactos);
    const bool negativo = unidades < 0;
    const std::int64_t absoluto = negativo ? -unidades : unidades;
    const std::int64_t escala = potenciaDeDiez(exactos);
    QString entero = QString::number(absoluto / escala);
    if (miles) entero = agrupar(entero, QLocale::system().groupSeparator());
    QString texto = (negativo ? QStringLiteral("-") : QString()) + entero;
    if (n > 0)
        texto += ado::FormatoRegional::separadorDecimal() +
                 (exactos > 0 ? QString::number(absoluto % escala).rightJustified(exactos, QLatin1Char('0'))
                              : QString()) +
                 QString(n - exactos, QLatin1Char('0'));
    return texto;
}

QString textoImporte(ado::Importe importe) { return importe.texto(ado::FormatoRegional::separadorDecimal()); }

}  // namespace

ReporteConciliacion::ReporteConciliacion(sesion::Global& global, plataforma::Dialogos& dialogos, QWidget* padre)
    : global_(global), dialogos_(dialogos), motor_(global, dialogos, padre) {}

void ReporteConciliacion::cmdReporte(const ListaConciliaciones& lista) {
    // Without a selected row there is nothing to report on: an empty list, or
    // the only selection taken away by Ctrl+click.
    if (!lista.filaSeleccionada()) return;
    cmdReporte(lista.celda(1), lista.celda(2), lista.celda(6), lista.celda(8));
}

void ReporteConciliacion::cmdReporte(const QString& identificador, const QString& cuenta,
                                     const QString& primerPeriodo, const QString& tipo) {
    mostrarReporte(identificador, cuenta, primerPeriodo, tipo);
}

void ReporteConciliacion::mostrarReporte(const QString& identificador, const QString& cuenta,
                                         const QString& primerPeriodo, const QString& tipo) {
    utilidades::Reporte& reporte = global_.gReporte;
    QString sConc, sAConc, seleccion, formulaEmpresa;
    ado::Importe sAnt;
    QStringList formulas(5);
    plataforma::ejecutarPasos(
        {[&] {                                                                                // 2.
             sConc = sumaConciliacion(cuenta, true);
             sAConc = sumaConciliacion(cuenta, false);
         },
         [&] {                                                                                // 3.
             seleccion = QStringLiteral(" {") + QStringLiteral("MV_CONCILIACION_CAB") +
                         QStringLiteral(".IDCONCILIACION} = '") +
                         global_.gUtilidades.codigo(identificador.trimmed(), 15) + QLatin1Char('\'');
         },
         [&] { sAnt = ObtieneSaldoAnt(cuenta, primerPeriodo.left(10)); },                   // 4.
         [&] {                                                                                // 5.
             formulas[0] = QStringLiteral("S_ANT = ") + FmtMoneda(global_, textoImporte(sAnt), -1, false);
             formulas[1] = QStringLiteral("S_ACONC = ") + FmtMoneda(global_, sAConc, -1, false);
             formulas[2] = QStringLiteral("S_CONC = ") + FmtMoneda(global_, sConc, -1, false);
             formulas[3] = QStringLiteral("S_ACT = ") + FmtMoneda(global_, textoImporte(SaldoCuenta(cuenta)), -1, false);
         },
         [&] {                                                                                // 6.
             formulaEmpresa = QStringLiteral("NombreEmpresa = '") +
                              sesion::Cfg(global_, QStringLiteral("NOMBRE")).trimmed() + QLatin1Char('\'');
         },
         [&] {                                                                                // 7.
             reporte.Formulas(formulas, 4);
             reporte.setVistaPrevia(true);
             reporte.setMaximizada(true);
             reporte.setImprimirDirecto(false);
         },
         [&] {                                                                                // 8.
             const bool sinMotor = reporte.motor() == nullptr;
             if (sinMotor) reporte.setMotor(&motor_);
             const auto devolver = qScopeGuard([&] { if (sinMotor) reporte.setMotor(nullptr); });
             reporte.Mostrar(nombreDiseno(tipo), QStringList(2), seleccion, global_.gCadenaReporte, formulaEmpresa,
                             QStringLiteral("IZQ"), QStringLiteral("DER"), QString());
         },
         [&] { reporte.setTiempoEspera(25); }},                                              // 9.
        [this](const plataforma::RuntimeError& error) { return avisarFalla(error); });
}

QString ReporteConciliacion::nombreDiseno(const QString& tipo) {
    return tipo.compare(QLatin1String("BCO"), Qt::CaseInsensitive) == 0 ? QStringLiteral("ConciliacionBancaria")
                                                                         : QStringLiteral("ConciliacionCuentas");
}

// The user is told instead of being left without a word; the command ends.
int ReporteConciliacion::avisarFalla(const plataforma::RuntimeError& error) {
    dialogos_.mensaje(QStringLiteral("No se pudo preparar o mostrar el reporte de la conciliación.\r\n") +
                          error.Description(),
                      plataforma::estilo::SoloAceptar | plataforma::estilo::Critico, QStringLiteral("Reporte"));
    return plataforma::respuesta::Abortar;
}

QString ReporteConciliacion::sumaConciliacion(const QString& cuenta, bool conciliadas) {
    QString sql = QStringLiteral("SELECT SUM(IMPORTE) AS SALDO FROM MV_CONCILIACION WHERE CUENTA='") +
                  datos::comillasSql(cuenta) +
                  (conciliadas ? QStringLiteral("' AND CONCILIADO=1")
                               : QStringLiteral("' AND (CONCILIADO=0 OR CONCILIADO IS NULL)"));
    ado::Recordset rs;
    global_.DB.AbrirRecordset(sql, rs);
    QString saldo;
    if (rs.State() != ado::estado::Cerrado && !rs.BOF())
        saldo = global_.gUtilidades.valor(rs.Fields(QStringLiteral("Saldo")));
    global_.DB.CierraRecordset(rs);
    return saldo;
}

ado::Importe ReporteConciliacion::ObtieneSaldoAnt(const QString& Cuenta, const QString& FechaAct) {
    QString sql = QStringLiteral("SELECT SUM(CASE WHEN [DEBE-HABER]='D' THEN IMPORTE ELSE IMPORTE*-1 END) AS SALDO "
                                 "FROM MV_ASIENTOS") +
                  QStringLiteral(" WHERE CUENTA='") + datos::comillasSql(Cuenta) + QStringLiteral("' AND FECHA<'") +
                  datos::comillasSql(FechaAct) + QLatin1Char('\'');
    const utilidades::Utilidades& u = global_.gUtilidades;
    ado::Recordset rs;
    ado::Importe saldo;
    plataforma::ejecutarSaltandoErrores(
        {[&] { global_.DB.AbrirRecordset(sql, rs); },
         [&] {
             const QString texto = rs.BOF() ? QStringLiteral("0")
                                            : textoImporte(u.importe(u.valor(rs.Fields(QStringLiteral("Saldo")))));
             saldo = u.importe(FmtMoneda(global_, texto, kDecimalesConfigurados, false));
         },
         [&] { global_.DB.CierraRecordset(rs); }});
    return saldo;
}

ado::Importe ReporteConciliacion::SaldoCuenta(const QString& cuenta) {
    const QString consumidorFinal = sesion::Cfg(global_, QStringLiteral("CuentaConsunmidorFinal")).trimmed();
    if (consumidorFinal.compare(cuenta.trimmed(), Qt::CaseInsensitive) == 0) return {};
    QString sql = QStringLiteral("Select * from Ve_SaldosCta where Cuenta = '") + datos::comillasSql(cuenta) +
                  QLatin1Char('\'');
    ado::Recordset rs;
    global_.DB.AbrirRecordset(sql, rs);
    ado::Importe saldo;
    if (rs.State() != ado::estado::Cerrado && !rs.BOF()) {
        const ado::Variant& valor = rs.Fields(QStringLiteral("Saldo")).Value();
        if (!valor.esNulo()) saldo = valor.aImporte();
    }
    global_.DB.CierraRecordset(rs);
    return saldo;
}

QString ReporteConciliacion::FmtMoneda(sesion::Global& global, const QString& importe, int decimales, bool miles) {
    if (decimales == kDecimalesSinTocar) return importe;                                     // 1.
    int n = 0;
    ado::Importe valor;
    QString texto;
    plataforma::ejecutarPasos(
        {[&] {                                                                                // 2.
             n = decimales == kDecimalesConfigurados
                     ? static_cast<int>(global.gUtilidades.numero(global.gConfiguracion.CantidadDecimales))
                     : decimales;
         },
         [&] {                                                                                // 3.
             if (n == 0) n = decimalesDelPuesto();
             if (n == kDecimalesNinguno) n = 0;
             if (n < 0)
                 throw plataforma::RuntimeError(plataforma::numero::ArgumentoInvalido,
                                                QStringLiteral("Cantidad de decimales no válida"),
                                                QStringLiteral("FmtMoneda"));
         },
         [&] { valor = global.gUtilidades.importe(importe); },                              // 5.
         [&] { texto = conMascara(valor, n, miles); }},                                      // 4. to 6.
        [&](const plataforma::RuntimeError& error) {
            return global.DB.TratamientoErrores(error, std::nullopt, QStringLiteral("FmtMoneda"));
        });
    return texto;
}

}  // namespace conciliacion
