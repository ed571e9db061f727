#pragma once

#include "data/DialogoAcceso.h"
#include "data/DialogoArchivo.h"
#include "platform/Pasos.h"
#include "platform/RuntimeError.h"
#include "platform/ado/Connection.h"
#include "platform/ado/Recordset.h"
#include "platform/ado/Variant.h"
#include "session/utility_component/Utilidades.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <variant>

namespace plataforma { class Dialogos; }

namespace datos {

// The database session: one connection and the parameters it was opened with.
// Every query and command of the program goes through a session, which rewrites
// the statement for the company's synonyms (and the Oracle dialect), detects a
// lost connection and reconnects, and hands every other failure to its error
// treatment.
//
// The program keeps one main session (owned by the global module); further
// sessions (statistics, lookup window) are built with a pointer to it, because
// some operations read the main session's values whichever session they run on.
//
// The public data members are the session's properties: callers fill the
// connection parameters before OpenServerADODB and read gOpenFlag after it.
class DB_Dll {
public:
    // Where a query runs: the session's own connection (monostate), another
    // connection, or a connection text opened for the recordset alone.
    using ConexionActiva = std::variant<std::monostate, ado::Connection*, QString>;

    // `principal` is the program-wide main session; nullptr makes this object
    // the main session.
    explicit DB_Dll(plataforma::Dialogos& dialogos, DB_Dll* principal = nullptr);
    ~DB_Dll();
    DB_Dll(const DB_Dll&) = delete;
    DB_Dll& operator=(const DB_Dll&) = delete;

    // ---- Properties -------------------------------------------------------

    DialogoArchivo* CmdDlg = nullptr;   // asks for an Access file; none counts as cancelled
    bool gOpenFlag = false;             // the session counts as connected
    ado::Variant gIgnoraPassWord;       // true: a missing Access password is gUserPassWord
    ado::Connection& gCnn();            // created on first use
    const ado::Connection& gCnn() const;
    ado::Recordset& glrcs();            // a recordset kept for callers
    ado::Variant gCursorLocation;       // kept for callers
    QString gProveedor;
    QString gDsn;                       // kept for callers
    QString gServidor;                  // a "#" anywhere selects Oracle
    QString gDBName;                    // database; Oracle service; Access file path
    QString gUsuario;
    bool gEsAdmin = false;              // administrators see the real tables, not the synonyms
    bool gConfidencialidad = false;     // company setting "SS_CONFIDENCIALIDAD"; start-up sets it on the main session
    QString gUserPassWord;
    QString gConnString;                // text of the last opening
    QString gExtended;                  // appended verbatim to the SQL Server and Access texts
    QString gLogErr;                    // error log path; empty: QZERR.LOG next to the program
    bool ParametrosSQL = false;         // kept for callers
    std::int16_t gQZTimeOut = 0;        // kept for callers

    ado::Variant ArchivoErrores() const;
    void setArchivoErrores(const ado::Variant& vNewValue);

    static QString pJETOLEDB40() { return QStringLiteral("Microsoft.Jet.OLEDB.4.0"); }
    static QString pJETOLEDB35() { return QStringLiteral("Microsoft.Jet.OLEDB.3.51"); }
    static QString pSQLOLEDB() { return QStringLiteral("SQLOLEDB"); }

    // The connection texts of the two server forms. Each value is written so
    // that it reads back whole (TextoConexion::escrito): a password or user
    // holding ";", "=" or braces goes between braces.
    static QString textoOracle(const QString& base, const QString& usuario, const QString& contrasena);
    static QString textoSqlServer(const QString& proveedor, const QString& servidor, const QString& base,
                                  const QString& usuario, const QString& contrasena);

    // ---- Program hooks ----------------------------------------------------

    // The connection dialog the program supplies; none behaves as cancelled.
    DialogoAcceso* dialogoAcceso = nullptr;
    // Ends the program when the user gives up a lost connection. By default it
    // leaves the event loop and the process at once.
    std::function<void()> terminarPrograma;

    // The program-wide main session (this object when it is the main one).
    DB_Dll& principal();
    plataforma::Dialogos& dialogos() const { return dialogos_; }

    // ---- Connection -------------------------------------------------------

    void OpenServerADODB(bool PideParametrosSQL = false, long lCursor = 3,
                         const QString& ConnString = {}, bool ValidaAdmin = true,
                         bool MuestraError = true);
    void ReintentaConectar();
    void OpenLocalADODB(const QString& ConnString = {},
                        const QString& CadenaID = QStringLiteral("User Id"),
                        const QString& CadenaPWD = QStringLiteral("Password"));

    // ---- Queries and commands ---------------------------------------------

    // The caller's variable receives the statement after the synonyms.
    void AbrirRecordset(QString& SentenciaSQL, ado::Recordset& Lrcs,
                        const ConexionActiva& Conexionactiva = {}, long CursorType = 0,
                        long LockType = 1, long Options = -1, bool ConvOracle = true);
    void AbrirRecordset(const QString& SentenciaSQL, ado::Recordset& Lrcs,
                        const ConexionActiva& Conexionactiva = {}, long CursorType = 0,
                        long LockType = 1, long Options = -1, bool ConvOracle = true);

    // Never reports: a failed command leaves its provider errors in
    // gCnn().errors(). The caller's variable receives the statement as sent.
    void EjecutaConsultaSQL(QString& SentenciaSQL, long* RecordsAffected = nullptr,
                            ado::Recordset* Lrcs = nullptr);
    void EjecutaConsultaSQL(const QString& SentenciaSQL, long* RecordsAffected = nullptr,
                            ado::Recordset* Lrcs = nullptr);
    // As EjecutaConsultaSQL, also showing failures other than the usual
    // provider ones.
    void EjecutaConsultaRSQL(QString& SentenciaSQL, long* RecordsAffected = nullptr,
                             ado::Recordset* Lrcs = nullptr);
    void EjecutaConsultaRSQL(const QString& SentenciaSQL, long* RecordsAffected = nullptr,
                             ado::Recordset* Lrcs = nullptr);

    void CierraRecordset(ado::Recordset& LrcsTemp);

    // Kept for the suite's callers; they do nothing.
    void QConsulta(const QString& TB, const ado::Variant& Rsp, const QString& Cl1,
                   const QString& Cl2, const QString& CmpDisplay = QStringLiteral("Codigo"),
                   const ado::Variant& SQLWHERE = {});
    void QGridConsulta(const QString& Sentencia, const QString& CampoDevuelto1,
                       const QString& gCnnString, const ado::Variant& CampoDevuelto2 = {},
                       const ado::Variant& CampoDevuelto3 = {});

    // ---- Statement rewriting ----------------------------------------------

    QString SS_TSinonimos(const QString& SQL);
    // The statement in Oracle's dialect (see DiccionarioOracle) when the
    // session's connection text names Oracle; otherwise unchanged. A text
    // with an odd number of single quotes raises run-time error 5.
    QString ORACLE_Dicc(const QString& Valor);

    // ---- Row lookups and table test ---------------------------------------

    // With `Lrcs` the recordset stays open on the first row found.
    bool ExisteEnTablaST(const QString& Tabla, const QString& ValorBuscado,
                         const QString& Campo = QStringLiteral("Codigo"),
                         ado::Recordset* Lrcs = nullptr, const ado::Variant& Tipodato = 8,
                         const QString& Condicion = {}, bool SoloLectura = false);
    bool ExisteEnTabla(const QString& Tabla, const QString& ValorBuscado,
                       const QString& Campo = QStringLiteral("Codigo"),
                       ado::Recordset* Lrcs = nullptr, const ado::Variant& Tipodato = 8,
                       const QString& Condicion = {}, bool SoloLectura = true);
    // The column's value of the first matching row, as text ("" when none).
    ado::Variant DatosTabla(const QString& Tabla, const QString& ValorBuscado,
                            const QString& CampoDevuelto,
                            const QString& Campo = QStringLiteral("Codigo"),
                            const ado::Variant& Tipodato = 8, const QString& Condicion = {},
                            bool UsaTrim = true, bool IgnoraError = false);
    bool ExisteTablaDB(const QString& Tabla);

    // ---- Aggregates and column maintenance ---------------------------------

    // These read the session's own connection directly, forward-only and
    // read-only: no synonyms, no Oracle rewriting, and no error treatment (a
    // failure reaches the caller). The numbers are read from the value, so an
    // amount keeps its decimals whatever the workstation's separator.
    //
    // The greatest value of a column: the value itself for Tipo 7, otherwise
    // its number (0 for null or a text that does not begin with digits);
    // nothing when the query returns no row. `Condicion` points at the
    // caller's condition (nullptr: none); on the article view, whose codes
    // beginning with "0" are not real articles, the condition is extended to
    // leave them out and the caller's variable receives it.
    ado::Variant BuscaMaximo(const QString& QueTabla, const QString& QueCampo,
                             const std::optional<ado::Variant>& Tipo = std::nullopt,
                             ado::Variant* Condicion = nullptr);
    // The smallest value's number.
    ado::Variant BuscaMinimo(const QString& QueTabla, const QString& QueCampo,
                             const std::optional<ado::Variant>& Tipo = std::nullopt,
                             const std::optional<ado::Variant>& Condicion = std::nullopt);
    // The greatest value's number; a blank condition adds no WHERE.
    ado::Variant BuscaUltimoCodigo(const QString& QueTabla, const QString& QueCampo,
                                   const ado::Variant& Tipo = 8, const QString& Condicion = {});
    // Runs ALTER TABLE dbo.<Tabla> ADD ... through EjecutaConsultaSQL: a
    // refused statement leaves its provider errors in gCnn().errors().
    void AddField(const QString& Tabla, const QString& Campo, const QString& Tipo,
                  bool PermiteNulos, const std::optional<ado::Variant>& ValorDefault = std::nullopt);
    // Whether the catalogue lists the column; always true when the main
    // session's provider is Oracle's.
    bool ExisteCampoDB(const QString& Tabla, const QString& Campo);
    // Adds the column when the table exists, the column does not and
    // `Agregar` asks for it; true once done, whether or not anything was added.
    bool VerCampoDB(const QString& Tabla, const QString& Campo, bool Agregar = true,
                    const QString& Tipo = {}, bool PermiteNulos = false,
                    const std::optional<ado::Variant>& ValorDefault = std::nullopt);

    // ---- SQL literals and names (see LiteralesSql.h) ----------------------

    static bool adodate(const ado::Variant& Qtype);
    static QString ADOComilla(const ado::Variant& Qtype);
    static bool ADOText(const ado::Variant& Qtype);
    static bool ADONumeric(const ado::Variant& Qtype);
    static bool ADOCurrency(const ado::Variant& Qtype);
    static bool ADOBoolean(const ado::Variant& Qtype);
    // A value as an SQL literal: "'" quoted text (quotes inside doubled),
    // "@" a number with "." as decimal point, anything else the bare text.
    ado::Variant SQLValue(ado::Variant Valor, const QString& Tipo = QStringLiteral("'"));
    // The caller's variable receives the result when the name has two or more ".".
    static QString stSTF(QString& rsName, std::int16_t rnPart);
    static QString AddBrackets(const QString& rObjName);
    static QString StripConnect(const QString& rsTblName);
    static QString StripBrackets(const QString& rsObjName);
    // The caller's variable receives the result.
    static QString StripOwner(QString& rsTblName);
    static QString StripFileName(const QString& rsFileName);

    // ---- Error treatment --------------------------------------------------

    // Shows the error (by default Abort/Retry/Ignore, critical icon), appends
    // a line to the error log and answers the button pressed; 0 without a box
    // when the error number is 0.
    int TratamientoErrores(const plataforma::RuntimeError& CodErr,
                           std::optional<int> Botones = std::nullopt,
                           std::optional<QString> Rutina = std::nullopt);
    // Appends a line to the same error log for a fault the user need not
    // answer (the place name, the message and no button).
    void AnotarEnLog(const QString& Rutina, const QString& mensaje) const;

private:
    QString rutaLogErrores() const;
    // Empties a statement the Oracle script runner must not send.
    QString DepurarSentencia(QString& sentencia);
    QString EjecutarScriptOracle(QString& SentenciaSQL, long& RecordsAffected);
    void ejecutarSentenciaOracle(const QString& sentencia, long& RecordsAffected);
    // ORACLE_Dicc whose failure also stays in the connection's error list.
    QString traducidaParaGuion(const QString& sentencia);

    // OpenServerADODB's pieces.
    bool pedirConexion();
    void construirTextoConexion();
    void decidirAdministrador(bool ValidaAdmin, bool MuestraError,
                              const plataforma::TratamientoDeError& tratar);
    int tratarFallaApertura(const plataforma::RuntimeError& error, bool MuestraError,
                            bool& reintentado);
    int preguntarReintentoConexion();
    QString mensajeErrorConexion();
    // OpenLocalADODB's pieces.
    QString textoConexionAccess(const QString& CadenaID, const QString& CadenaPWD) const;
    bool pedirArchivoAccess();
    bool pedirClaveAccess(QString& clausulaClave, bool& claveGuardadaProbada);
    // AbrirRecordset's pieces.
    void abrirEn(ado::Recordset& Lrcs, const QString& fuente, const ConexionActiva& conexion,
                 long CursorType, long LockType, long Options);
    int tratarFallaConsulta(const plataforma::RuntimeError& error, int& intento);
    bool reconectarTrasPerdida();
    QString mensajeConexionPerdida();
    // EjecutaConsultaSQL's pieces.
    void ejecutarComando(QString& SentenciaSQL, long* RecordsAffected, ado::Recordset* Lrcs,
                         bool avisarFallas);
    QString marcasTratadas(const QString& SentenciaSQL);
    void enviarComando(QString& SentenciaSQL, long* RecordsAffected, ado::Recordset* Lrcs);
    void avisarFallaComando(const plataforma::RuntimeError& error, const QString& SentenciaSQL);
    // Row lookups' pieces.
    bool existeEnTablaComun(const QString& sentencia, ado::Recordset* Lrcs, bool SoloLectura,
                            bool traducirOracle, ado::Connection& conexion);
    int avisoOperador(const plataforma::RuntimeError& error);
    bool hayTabla(ado::Recordset& tablas, const QString& buscada);
    // Whether a catalogue list holds the name (trimmed, ignoring case) in `columna`.
    bool hayEnCatalogo(ado::Recordset& lista, const QString& columna, const QString& buscado);
    // Aggregates' pieces.
    std::optional<ado::Variant> valorAgregado(const QString& sentencia, const QString& campo);
    ado::Variant numeroDelValor(const ado::Variant& valor) const;

    plataforma::Dialogos& dialogos_;
    DB_Dll* principal_;
    utilidades::Utilidades utilidades_;
    mutable std::unique_ptr<ado::Connection> cnn_;
    std::unique_ptr<ado::Recordset> lrcs_;
};

}  // namespace datos
