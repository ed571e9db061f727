#pragma once

#include "platform/ado/Importe.h"

#include <QString>
#include <cstdint>

namespace sesion {

// The company settings as start-up loaded them from the settings table, kept
// for the run. Each member starts at the value a missing or unreadable key
// gives; the comments name the key.
struct ConfiguracionEmpresa {
    bool MostrarStockenConsultas = false;            // "MostrarStockenConsultas"
    QString TituloClientes;                          // "TituloClientes"
    QString TituloProveedores;                       // "TituloProveedores"
    QString ArchivoDocTareas;                        // program folder + "QZDOCTareas.qzt"
    bool ExigeClaveConsultaLikeArticulos = false;    // "EXIGECLAVECONSULTALIKEARTICULOS"
    bool UsaConsultaLike = false;                    // "UsaConsultaLike"
    QString CantidadDecimales = QStringLiteral(" ");  // "CantidadDecimales", as stored
    bool SSConfidencialidad = false;                 // "SS_CONFIDENCIALIDAD"
    bool UsaMultilesMonedas = false;                 // "UsaMultilesMonedas"
    bool UsaFacturaProforma = false;                 // "UsaFacturaProforma", then the user's "verproforma"
    bool UsaCCosto = false;                          // "USACCOSTO"
    bool UsaStkStockUdKg = false;                    // "USA_STK_STOCK_UDKG"
    QString UNegocio = QStringLiteral("   1");        // the user's business unit
    QString UnidadDeMedidaM3;                        // "UNIDADDEMEDIDA_M3"
    QString UnidadDeMedidaBL;                        // "UNIDADDEMEDIDA_BL"
    QString UnidadDeMedidaKG;                        // "UNIDADDEMEDIDA_KG"
    std::int16_t Periodo = 0;                        // "PERIODO"
    bool RazonSocialPorUneg = false;                 // "RazonSocialPorUneg"
    bool ValidaCodigoBarra = false;                  // "VALIDACODIGOBARRA"
    std::int32_t CFondo = 16776960;                  // "CFondo"; 0 means the suite's yellow
    std::int32_t CLetra = 0;                         // "CLetra"
    bool ModuloOrdenDeTrabajo = true;                // "ModuloOrdenDeTrabajo"
    bool VModificaCPrecio = false;                   // "V_ModificaCPrecio"
    bool CModificaCPrecio = false;                   // "C_ModificaCPrecio"
    bool Maderera = false;                           // "MADERERA"
    QString MadTiras;                                // "MAD_TIRAS"
    QString MadP2;                                   // "MAD_P2"
    QString MadML;                                   // "MAD_ML"
    QString MadM2;                                   // "MAD_M2"
    QString MadHojas;                                // "MAD_HOJAS"
    QString MadMLP2;                                 // "MAD_ML_P2"
    QString MadM2P2;                                 // "MAD_M2_P2"
    QString MadMLM2;                                 // "MAD_ML_M2"
    QString CuentaCtroDist;                          // "CuentaCtroDist"
    ado::Importe MaxDto;                             // "MaxDto"
    ado::Importe MaxDtoProforma;                     // "MaxDtoProforma"
    bool PideClaveStockNeg = false;                  // "PideClave_StockNeg"
    bool PideClaveMarkUpBase = false;                // "PideClave_MarkUpBase"
    bool PideClaveLimiteCredito = false;             // "PideClave_LimiteCredito"
    bool SSBloqueoActivo = false;                    // "SS_BloqueoActivo"
    bool UtilizarFechaDia = false;                   // "UTILIZARFECHADIA"
    bool AsignacionAutomaticaDeLoteING = false;      // "AsignacionAutomaticaDeLoteING"
    bool AsignacionAutomaticaDeLoteINGOP = false;    // "AsignacionAutomaticaDeLoteINGOP"
    std::int16_t CondIvaEmpresa = 1;                 // "CONDIVAEMPRESA", else "CONDIVA", else 1
    QString TopDefault = QStringLiteral("1000");      // "Top_Default"
};

}  // namespace sesion
