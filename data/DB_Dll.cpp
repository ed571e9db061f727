#include "data/DB_Dll.h"

#include "data/DiccionarioOracle.h"
#include "data/LiteralesSql.h"
#include "data/RegistroErrores.h"
#include "data/SentenciasAgregados.h"
#include "data/SentenciasBusqueda.h"
#include "data/Sinonimos.h"
#include "platform/Aplicacion.h"
#include "platform/FuncionesBasicas.h"
#include "platform/Pasos.h"
#include "platform/ado/SeparadorSentencias.h"
#include "platform/ado/TextoConexion.h"
#include "platform/ui/Dialogos.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QLocale>
#include <cstdlib>

namespace datos {

using plataforma::RuntimeError;
using plataforma::ejecutarPaso;
using plataforma::ejecutarPasos;
using plataforma::ejecutarSaltandoErrores;
using plataforma::RepetirPaso;
using plataforma::SeguirConElSiguiente;
using plataforma::Abandonar;
using plataforma::contiene;
namespace numero = plataforma::numero;
namespace estilo = plataforma::estilo;
namespace respuesta = plataforma::respuesta;

namespace {

// Abort / Retry / Ignore with the critical icon.
constexpr int BotonesPredeterminados = estilo::AbortarReintentarIgnorar | estilo::Critico;

QString cr() { return QStringLiteral("\r"); }
QString crlf() { return QStringLiteral("\r\n"); }

// The provider's notice that a command returned no result set.
constexpr long AvisoSinResultados = 265929;

// Runs the connection's transaction call a cleaned statement stands for and
// answers true; false for any other statement. A statement that kept a lone
// LF at its end is no transaction statement.
bool llamadaDeTransaccion(ado::Connection& cnn, const QString& sentencia) {
    if (sentencia.compare(QLatin1String("SET TRANSACTION"), Qt::CaseInsensitive) == 0) {
        (void)cnn.BeginTrans();
        return true;
    }
    if (sentencia.compare(QLatin1String("COMMIT"), Qt::CaseInsensitive) == 0) {
        cnn.CommitTrans();
        return true;
    }
    if (sentencia.compare(QLatin1String("ROLLBACK"), Qt::CaseInsensitive) == 0) {
        cnn.RollbackTrans();
        return true;
    }
    return false;
}

// A run whose only diagnostic is the no-result notice counts as clean.
void quitarAvisoSinResultados(ado::Errors& errores) {
    if (errores.Count() == 1 && errores.Item(0).Number == AvisoSinResultados) errores.Clear();
}

// A statement the engine could not read (syntax, an unknown name), as
// opposed to one that failed as it ran. Without a diagnostic the failure
// came from the rewriting, which reads the text.
bool esErrorDeEscritura(const ado::Errors& errores) {
    if (errores.Count() == 0) return true;
    const QString& estado = errores.Item(0).SQLState;
    return estado.startsWith(QLatin1String("42")) || estado.startsWith(QLatin1String("37"));
}

RuntimeError argumentoInvalido() {
    return RuntimeError(numero::ArgumentoInvalido,
                        QStringLiteral("Llamada a procedimiento o argumento no válido"));
}

}  // namespace

DB_Dll::DB_Dll(plataforma::Dialogos& dialogos, DB_Dll* principal)
    : dialogos_(dialogos), principal_(principal), utilidades_(dialogos) {
    terminarPrograma = [] {
        QCoreApplication::exit(0);
        std::exit(0);
    };
}

DB_Dll::~DB_Dll() = default;

// ---- Properties -----------------------------------------------------------

ado::Connection& DB_Dll::gCnn() {
    if (!cnn_) cnn_ = std::make_unique<ado::Connection>();
    return *cnn_;
}

const ado::Connection& DB_Dll::gCnn() const {
    if (!cnn_) cnn_ = std::make_unique<ado::Connection>();
    return *cnn_;
}

ado::Recordset& DB_Dll::glrcs() {
    if (!lrcs_) lrcs_ = std::make_unique<ado::Recordset>();
    return *lrcs_;
}

ado::Variant DB_Dll::ArchivoErrores() const { return ado::Variant(gLogErr); }

void DB_Dll::setArchivoErrores(const ado::Variant& vNewValue) { gLogErr = vNewValue.texto(); }

DB_Dll& DB_Dll::principal() { return principal_ ? *principal_ : *this; }

// ---- OpenServerADODB --------------------------------------------------------

void DB_Dll::OpenServerADODB(bool PideParametrosSQL, long lCursor, const QString& ConnString,
                             bool ValidaAdmin, bool MuestraError) {
    // 1. One silent reopening per call when the connection was already open.
    bool reintentado = false;
    const plataforma::TratamientoDeError tratar = [&](const RuntimeError& error) {
        return tratarFallaApertura(error, MuestraError, reintentado);
    };
    bool cancelado = false;
    const bool preparada = ejecutarPasos(
        {
            // 2.
            [&] {
                gOpenFlag = true;
                if (gProveedor.isEmpty()) gProveedor = pSQLOLEDB();
            },
            // 3.
            [&] {
                if (recortar(ConnString).isEmpty())
                    construirTextoConexion();
                else
                    gConnString = ConnString;
            },
            // 4.
            [&] {
                if (!PideParametrosSQL) return;
                cancelado = !pedirConexion();
                if (!cancelado) construirTextoConexion();
            },
        },
        tratar);
    // A cancelled dialog ends the routine at once, without opening anything.
    if (!preparada || cancelado) return;
    const bool abierta = ejecutarPasos(
        {
            // 5.
            [&] { gCnn().setCursorLocation(lCursor); },
            [&] { gCnn().Open(gConnString, QString(), QString(), -1); },
        },
        tratar);
    if (!abierta) return;
    decidirAdministrador(ValidaAdmin, MuestraError, tratar);
}

void DB_Dll::decidirAdministrador(bool ValidaAdmin, bool MuestraError,
                                  const plataforma::TratamientoDeError& tratar) {
    // 6.
    if (!ValidaAdmin) {
        gEsAdmin = true;
        return;
    }
    // 7.
    if (recortar(gDBName).isEmpty()) return;
    // 8.
    if (!ejecutarPaso([&] { gCnn().setDefaultDatabase(gDBName); }, tratar)) return;
    // 9.
    if (!principal().ExisteTablaDB(QStringLiteral("TA_USUARIOS"))) return;
    // 10.
    if (!MuestraError) {
        gEsAdmin = true;
        return;
    }
    // 11. Only the number 1 makes an administrator ("S", "" or "2" do not).
    ejecutarPaso(
        [&] {
            const ado::Variant administrador =
                DatosTabla(QStringLiteral("ta_usuarios"), gUsuario, QStringLiteral("Administrador"),
                           QStringLiteral("nombre"), 8, QString(), true, false);
            gEsAdmin = valorNumerico(administrador.texto()) == 1.0;
        },
        tratar);
}

bool DB_Dll::pedirConexion() {
    // 1.
    QString servidor = gServidor;
    QString base = gDBName;
    QString usuario = gUsuario;
    QString contrasena = gUserPassWord;
    int plataforma = 0;
    // 2. Without a dialog nobody can accept.
    const bool aceptar =
        dialogoAcceso && dialogoAcceso->pedirConexion(servidor, base, usuario, contrasena, plataforma);
    // 4.
    if (!aceptar) {
        gOpenFlag = false;
        return false;
    }
    // 3.
    gOpenFlag = true;
    gDBName = base;
    gServidor = servidor;
    gUsuario = usuario;
    gUserPassWord = contrasena;
    if (plataforma > 0) {
        gProveedor = QStringLiteral("OraOLEDB.Oracle.1");
        if (!gServidor.contains(QLatin1Char('#'))) gServidor += QLatin1Char('#');
    } else {
        gProveedor = principal().pSQLOLEDB();
    }
    return true;
}

QString DB_Dll::textoOracle(const QString& base, const QString& usuario, const QString& contrasena) {
    using ado::TextoConexion;
    return QStringLiteral("Provider=OraOLEDB.Oracle.1;Data Source=") + TextoConexion::escrito(base)
           + QStringLiteral(";User Id=") + TextoConexion::escrito(usuario) + QStringLiteral(";Password=")
           + TextoConexion::escrito(contrasena) + QStringLiteral(";");
}

QString DB_Dll::textoSqlServer(const QString& proveedor, const QString& servidor, const QString& base,
                               const QString& usuario, const QString& contrasena) {
    using ado::TextoConexion;
    return QStringLiteral("PROVIDER=") + proveedor + QStringLiteral(";")
           + QStringLiteral("Server=") + TextoConexion::escrito(servidor) + QStringLiteral(";")
           + QStringLiteral("Database =") + TextoConexion::escrito(base) + QStringLiteral(";")
           + QStringLiteral("UId=") + TextoConexion::escrito(usuario) + QStringLiteral(";")
           + QStringLiteral("Pwd=") + TextoConexion::escrito(contrasena) + QStringLiteral(";");
}

void DB_Dll::construirTextoConexion() {
    if (gServidor.contains(QLatin1Char('#'))) {
        gConnString = textoOracle(gDBName, gUsuario, gUserPassWord);
        return;
    }
    gConnString = textoSqlServer(principal().pSQLOLEDB(), gServidor, gDBName, gUsuario, gUserPassWord) + gExtended;
}

int DB_Dll::tratarFallaApertura(const RuntimeError& error, bool MuestraError, bool& reintentado) {
    // A session opened twice: close it and open it again, once per call.
    if (error.Number() == numero::ObjetoAbierto && !reintentado) {
        reintentado = true;
        ejecutarSaltandoErrores({[&] { gCnn().Close(); }});
        return RepetirPaso;
    }
    if (!MuestraError) {
        gOpenFlag = false;
        return Abandonar;
    }
    if (gCnn().errors().Count() > 0) return preguntarReintentoConexion();
    dialogos_.mensaje(error.Description(), estilo::SoloAceptar, plataforma::nombreEjecutable());
    return Abandonar;
}

int DB_Dll::preguntarReintentoConexion() {
    const int respuestaUsuario =
        dialogos_.mensaje(mensajeErrorConexion(), estilo::SiNo | estilo::Critico,
                          QStringLiteral(" Error de Conexion a Base de Datos"));
    if (respuestaUsuario != respuesta::Si) {
        gOpenFlag = false;
        return Abandonar;
    }
    gCnn().errors().Clear();
    if (!pedirConexion()) return Abandonar;
    construirTextoConexion();
    return RepetirPaso;
}

QString DB_Dll::mensajeErrorConexion() {
    const ado::Error& error = gCnn().errors().Item(0);
    const DB_Dll& sesion = principal();
    return QStringLiteral(" Estado de Sql: ") + error.SQLState + cr()
           + QStringLiteral("Numero de Error: ") + QString::number(error.Number) + cr()
           + QStringLiteral("Descripcion: ") + error.Description + cr()
           + QStringLiteral("Codigo Nativo: ") + QString::number(error.NativeError) + cr() + crlf()
           + QStringLiteral("Nombre de Proceso: ") + plataforma::nombreEjecutable() + cr() + crlf()
           + crlf()
           + QStringLiteral("1. Verifique el Usuario, contraseña y base de datos") + crlf()
           + QStringLiteral("2. Verifique el nombre del servidor, quizas necesite agregarle el "
                            "nombre de la instancia, por ejemplo : ")
           + sesion.gServidor + QStringLiteral("\\ZANTAR") + crlf()
           + QStringLiteral("3. Verifique si el inicio de sesion para el usuario ") + sesion.gUsuario
           + QStringLiteral(" existe") + crlf()
           + crlf() + crlf()
           + QStringLiteral(" - Desea Intentarlo Nuevamente??? ");
}

// ---- ReintentaConectar ------------------------------------------------------

void DB_Dll::ReintentaConectar() {
    DB_Dll& sesion = principal();
    // The short time-out is for the reconnection only: whatever comes of it,
    // the session's statements keep the configured time-out, or a long report
    // after a lost connection would fail after five seconds.
    struct RestaurarTiempo {
        ado::Connection& cnn;
        long segundos;
        ~RestaurarTiempo() { cnn.setCommandTimeout(segundos); }
    } restaurar{gCnn(), gCnn().CommandTimeout()};
    ejecutarPasos(
        {
            [&] { gOpenFlag = false; },                 // 1.
            [&] { gCnn().setCommandTimeout(5); },       // 2.
            [&] { gCnn().Close(); },                    // 3.
            [&] {                                       // 4. The live text need not carry the password.
                gCnn().Open(gCnn().ConnectionString(), sesion.gUsuario, sesion.gUserPassWord, -1);
            },
            [&] { gOpenFlag = true; },                  // 5.
        },
        [&](const RuntimeError& error) -> int {
            if (error.Number() == numero::ObjetoCerrado) return SeguirConElSiguiente;
            gOpenFlag = false;
            // An unreachable server, whatever state the driver names first:
            // the caller decides what to tell the user. A server that refused
            // the login is an error to show.
            if (error.Number() == numero::FallaProveedor && ado::servidorInalcanzable(gCnn().errors()))
                return Abandonar;
            return TratamientoErrores(error, std::nullopt, QStringLiteral("AbrirRecordset"));
        });
}

// ---- OpenLocalADODB ---------------------------------------------------------

void DB_Dll::OpenLocalADODB(const QString& ConnString, const QString& CadenaID,
                            const QString& CadenaPWD) {
    QString clausulaClave;  // the database password, once the file asked for one
    bool claveGuardadaProbada = false;
    bool deNuevo = true;
    while (deNuevo) {
        deNuevo = false;
        // 1.
        if (recortar(gDBName).isEmpty() && !pedirArchivoAccess()) return;
        QString texto;
        ejecutarPasos(
            {
                // 2.
                [&] {
                    texto = ConnString.isEmpty() ? textoConexionAccess(CadenaID, CadenaPWD) : ConnString;
                    texto += clausulaClave;
                },
                // 3.
                [&] { gCnn().Open(texto, QString(), QString(), -1); },
                [&] { gConnString = texto; },
            },
            [&](const RuntimeError& error) -> int {
                const QString estado =
                    gCnn().errors().Count() > 0 ? gCnn().errors().Item(0).SQLState : QString();
                if (estado == QLatin1String("3024") || estado == QLatin1String("3051")
                    || estado == QLatin1String("3044")) {
                    // File not found, locked or a bad path: another file, from the start.
                    deNuevo = pedirArchivoAccess();
                    return Abandonar;
                }
                if (estado == QLatin1String("3031") && !claveGuardadaProbada) {
                    deNuevo = pedirClaveAccess(clausulaClave, claveGuardadaProbada);
                    return Abandonar;
                }
                dialogos_.mensaje(QString::number(error.Number()) + QStringLiteral("  ")
                                      + error.Description(),
                                  estilo::SoloAceptar | estilo::Critico, plataforma::nombreEjecutable());
                return Abandonar;
            });
    }
}

QString DB_Dll::textoConexionAccess(const QString& CadenaID, const QString& CadenaPWD) const {
    using ado::TextoConexion;
    return QStringLiteral("PROVIDER=") + gProveedor + QStringLiteral(";")
           + QStringLiteral("Data Source =") + TextoConexion::escrito(gDBName) + QStringLiteral(";")
           + CadenaID + QStringLiteral("=") + TextoConexion::escrito(gUsuario) + QStringLiteral(";")
           + CadenaPWD + QStringLiteral("=") + TextoConexion::escrito(gUserPassWord) + QStringLiteral(";")
           + gExtended;
}

bool DB_Dll::pedirArchivoAccess() {
    const QString archivo =
        CmdDlg ? CmdDlg->abrirArchivo(QStringLiteral("Buscar Base de Datos"),
                                      QStringLiteral("Base de Datos de Microsoft Access |*.MDB"))
               : QString();
    if (archivo.isEmpty()) return false;
    gDBName = archivo;
    return true;
}

bool DB_Dll::pedirClaveAccess(QString& clausulaClave, bool& claveGuardadaProbada) {
    // The stored password is tried once; a wrong one must not loop for ever.
    if (gIgnoraPassWord.aBooleano()) {
        claveGuardadaProbada = true;
        clausulaClave = QStringLiteral("Jet OLEDB:Database Password=") + gUserPassWord + QStringLiteral(";");
        return true;
    }
    const QString clave = dialogos_.entrada(QStringLiteral("ingrese el password:"),
                                            QStringLiteral("Password Access"), QString());
    // A cancelled input box gives up the opening.
    if (clave.isEmpty()) return false;
    clausulaClave = QStringLiteral(" Jet OLEDB:Database Password=") + clave + QStringLiteral(";");
    return true;
}

// ---- AbrirRecordset ---------------------------------------------------------

void DB_Dll::AbrirRecordset(const QString& SentenciaSQL, ado::Recordset& Lrcs,
                            const ConexionActiva& Conexionactiva, long CursorType, long LockType,
                            long Options, bool ConvOracle) {
    QString sentencia = SentenciaSQL;
    AbrirRecordset(sentencia, Lrcs, Conexionactiva, CursorType, LockType, Options, ConvOracle);
}

void DB_Dll::AbrirRecordset(QString& SentenciaSQL, ado::Recordset& Lrcs,
                            const ConexionActiva& Conexionactiva, long CursorType, long LockType,
                            long Options, bool ConvOracle) {
    int intento = 1;  // 1.
    QString fuente;
    ejecutarPasos(
        {
            [&] { CierraRecordset(Lrcs); },                          // 2.
            [&] { SentenciaSQL = SS_TSinonimos(SentenciaSQL); },     // 3.
            [&] {                                                    // 4.
                const bool oracle =
                    gCnn().ConnectionString().indexOf(QStringLiteral("ORACLE"), 0, Qt::CaseInsensitive) > 0;
                fuente = oracle && ConvOracle ? ORACLE_Dicc(SentenciaSQL) : SentenciaSQL;
            },
            [&] { abrirEn(Lrcs, fuente, Conexionactiva, CursorType, LockType, Options); },  // 5.
        },
        [&](const RuntimeError& error) { return tratarFallaConsulta(error, intento); });
}

void DB_Dll::abrirEn(ado::Recordset& Lrcs, const QString& fuente, const ConexionActiva& conexion,
                     long CursorType, long LockType, long Options) {
    if (const auto* otra = std::get_if<ado::Connection*>(&conexion); otra && *otra) {
        Lrcs.Open(fuente, **otra, CursorType, LockType, Options);
    } else if (const auto* texto = std::get_if<QString>(&conexion)) {
        Lrcs.Open(fuente, *texto, CursorType, LockType, Options);
    } else {
        Lrcs.Open(fuente, gCnn(), CursorType, LockType, Options);
    }
}

int DB_Dll::tratarFallaConsulta(const RuntimeError& error, int& intento) {
    const bool conexionPerdida =
        (error.Number() == numero::FallaProveedor || error.Number() == numero::ConexionCerrada)
        && gCnn().errors().Count() > 0;
    if (conexionPerdida) {
        // 1.-3. Reconnect; a user who gives up ends the program.
        if (!reconectarTrasPerdida()) return Abandonar;
        // 2. One silent repetition per call.
        ++intento;
        if (intento < 3) return RepetirPaso;
    }
    // 4.
    return TratamientoErrores(error, std::nullopt, QStringLiteral("AbrirRecordset"));
}

bool DB_Dll::reconectarTrasPerdida() {
    ReintentaConectar();
    if (gOpenFlag) return true;
    for (;;) {
        ReintentaConectar();
        if (gOpenFlag) return true;
        const int respuestaUsuario =
            dialogos_.mensaje(mensajeConexionPerdida(), estilo::SiNo | estilo::Critico,
                              QStringLiteral("AVISO AL OPERADOR"));
        if (respuestaUsuario != respuesta::Si) {
            terminarPrograma();
            return false;
        }
    }
}

QString DB_Dll::mensajeConexionPerdida() {
    const DB_Dll& sesion = principal();
    return crlf() + crlf() + crlf()
           + QStringLiteral("Se perdio la conexion con la base de datos ") + sesion.gDBName + crlf()
           + QStringLiteral(" Servidor ") + sesion.gServidor + crlf() + crlf()
           + QStringLiteral("Elija SI para reintentar conectarse") + crlf()
           + QStringLiteral("Elija NO para cerrar la aplicacion") + crlf() + crlf() + crlf();
}

// ---- EjecutaConsultaSQL / EjecutaConsultaRSQL --------------------------------

void DB_Dll::EjecutaConsultaSQL(QString& SentenciaSQL, long* RecordsAffected, ado::Recordset* Lrcs) {
    ejecutarComando(SentenciaSQL, RecordsAffected, Lrcs, false);
}

void DB_Dll::EjecutaConsultaSQL(const QString& SentenciaSQL, long* RecordsAffected,
                                ado::Recordset* Lrcs) {
    QString sentencia = SentenciaSQL;
    ejecutarComando(sentencia, RecordsAffected, Lrcs, false);
}

void DB_Dll::EjecutaConsultaRSQL(QString& SentenciaSQL, long* RecordsAffected, ado::Recordset* Lrcs) {
    ejecutarComando(SentenciaSQL, RecordsAffected, Lrcs, true);
}

void DB_Dll::EjecutaConsultaRSQL(const QString& SentenciaSQL, long* RecordsAffected,
                                 ado::Recordset* Lrcs) {
    QString sentencia = SentenciaSQL;
    ejecutarComando(sentencia, RecordsAffected, Lrcs, true);
}

void DB_Dll::ejecutarComando(QString& SentenciaSQL, long* RecordsAffected, ado::Recordset* Lrcs,
                             bool avisarFallas) {
    ejecutarPasos(
        {
            [&] { SentenciaSQL = marcasTratadas(SentenciaSQL); },           // 1.
            [&] { enviarComando(SentenciaSQL, RecordsAffected, Lrcs); },     // 2.-3.
        },
        [&](const RuntimeError& error) {
            // Never reported to the caller: the provider errors stay in gCnn.
            // A truncation among them stays too: through ODBC a text too long
            // for its column fails the whole statement (nothing is written),
            // so clearing it would report a lost change as done.
            if (avisarFallas) avisarFallaComando(error, SentenciaSQL);
            return Abandonar;
        });
}

QString DB_Dll::marcasTratadas(const QString& SentenciaSQL) {
    // Scripts that rebuild objects get the synonyms; every other statement
    // reaches the real tables.
    const bool recreaObjetos = contiene(SentenciaSQL, QStringLiteral("DROP"))
                               && contiene(SentenciaSQL, QStringLiteral("CREATE"))
                               && !contiene(SentenciaSQL, QStringLiteral("DELETE"))
                               && !contiene(SentenciaSQL, QStringLiteral("@ADMIN_"));
    return recreaObjetos ? SS_TSinonimos(SentenciaSQL) : Sinonimos::sinMarcas(SentenciaSQL);
}

void DB_Dll::enviarComando(QString& SentenciaSQL, long* RecordsAffected, ado::Recordset* Lrcs) {
    if (contiene(gCnn().ConnectionString(), QStringLiteral("ORACLE"))) {
        long propios = 0;
        (void)EjecutarScriptOracle(SentenciaSQL, RecordsAffected ? *RecordsAffected : propios);
        return;
    }
    ado::Recordset resultado = gCnn().Execute(SentenciaSQL, RecordsAffected, -1);
    if (Lrcs) *Lrcs = std::move(resultado);
}

void DB_Dll::avisarFallaComando(const RuntimeError& error, const QString& SentenciaSQL) {
    switch (error.Number()) {
    case numero::FallaProveedor:
    case numero::ViolacionIntegridad:
    case numero::TablaInexistente: return;
    case numero::ErrorSintaxis:
        // The number of every failing command: only a statement written wrong
        // stays silent, as the number meant before.
        if (esErrorDeEscritura(gCnn().errors())) return;
        break;
    default: break;
    }
    if (contiene(SentenciaSQL, QStringLiteral("TRANS"))) return;
    dialogos_.mensaje(error.Description(), estilo::SoloAceptar | estilo::Critico,
                      QStringLiteral("Aviso al operador!!!"));
}

// ---- CierraRecordset --------------------------------------------------------

void DB_Dll::CierraRecordset(ado::Recordset& LrcsTemp) {
    ejecutarPaso(
        [&] {
            if (LrcsTemp.State() != ado::estado::Cerrado) LrcsTemp.Close();
        },
        [&](const RuntimeError& error) -> int {
            if (error.Number() == numero::NoPermitido) {
                // A pending edit: drop it and close, whatever else fails.
                ejecutarSaltandoErrores({
                    [&] { LrcsTemp.CancelUpdate(); },
                    [&] {
                        if (LrcsTemp.State() != ado::estado::Cerrado) LrcsTemp.Close();
                    },
                });
                return Abandonar;
            }
            return TratamientoErrores(error, std::nullopt, QStringLiteral("CierraRecordset"));
        });
}

void DB_Dll::QConsulta(const QString& /*TB*/, const ado::Variant& /*Rsp*/, const QString& /*Cl1*/,
                       const QString& /*Cl2*/, const QString& /*CmpDisplay*/,
                       const ado::Variant& /*SQLWHERE*/) {}

void DB_Dll::QGridConsulta(const QString& /*Sentencia*/, const QString& /*CampoDevuelto1*/,
                           const QString& /*gCnnString*/, const ado::Variant& /*CampoDevuelto2*/,
                           const ado::Variant& /*CampoDevuelto3*/) {}

// ---- Statement rewriting ------------------------------------------------------

QString DB_Dll::SS_TSinonimos(const QString& SQL) {
    // The confidentiality setting is the company's, kept on the main session.
    return Sinonimos::aplicar(SQL, {gEsAdmin, principal().gConfidencialidad,
                                    plataforma::nombreEjecutable()});
}

QString DB_Dll::ORACLE_Dicc(const QString& Valor) {
    if (!contiene(gConnString, QStringLiteral("ORACLE"))) return Valor;
    return DiccionarioOracle(utilidades_).traducir(Valor);
}

QString DB_Dll::DepurarSentencia(QString& sentencia) {
    if (contiene(sentencia, QStringLiteral("SET NOCOUNT")) || contiene(sentencia, QStringLiteral("IF NOT EXIST")))
        sentencia.clear();
    return sentencia;
}

// Oracle takes one statement per call and knows neither the batch words nor
// the transaction statements: the text is cleaned, cut at the statement
// keywords and run piece by piece, the transaction statements as the
// connection's own calls. The caller's variable is consumed as the pieces
// run, so after a failure it holds the text from the failing statement on.
// No error treatment here: the first failure ends the run and reaches
// EjecutaConsultaSQL, which leaves the provider errors in gCnn.
QString DB_Dll::EjecutarScriptOracle(QString& SentenciaSQL, long& RecordsAffected) {
    const ado::SeparadorSentencias separador(ado::SeparadorSentencias::Modo::Literal);
    SentenciaSQL = ado::SeparadorSentencias::limpiar(SentenciaSQL);               // 1.
    while (const auto tramo = separador.siguiente(SentenciaSQL)) {                  // 2.
        if (!llamadaDeTransaccion(gCnn(), tramo->sentencia))                        // 3.
            ejecutarSentenciaOracle(tramo->sentencia, RecordsAffected);
        SentenciaSQL = SentenciaSQL.mid(tramo->fin);                                // 4.
    }
    quitarAvisoSinResultados(gCnn().errors());                                      // 6.
    return QString();
}

void DB_Dll::ejecutarSentenciaOracle(const QString& sentencia, long& RecordsAffected) {
    QString depurada = traducidaParaGuion(sentencia);
    depurada = DepurarSentencia(depurada);
    if (depurada.trimmed().isEmpty()) return;
    long filas = 0;
    (void)gCnn().Execute(depurada, &filas, -1);
    RecordsAffected += filas;
}

// Callers of a command learn of a failure only from the connection's error
// list, and a statement the rewriting could not read (a quote left open,
// often by a cut inside a quoted value) never reaches the provider: its error
// goes on the list too, or the batch would count as done and be committed
// without its statements.
QString DB_Dll::traducidaParaGuion(const QString& sentencia) {
    try {
        return ORACLE_Dicc(sentencia);
    } catch (const RuntimeError& error) {
        gCnn().errors().Clear();
        gCnn().errors().Add({error.Number(), error.Description(), QString(), 0, error.Source()});
        throw;
    }
}

// ---- Row lookups and table test ------------------------------------------------

bool DB_Dll::ExisteEnTabla(const QString& Tabla, const QString& ValorBuscado, const QString& Campo,
                           ado::Recordset* Lrcs, const ado::Variant& Tipodato,
                           const QString& Condicion, bool SoloLectura) {
    const QString sentencia =
        SS_TSinonimos(SentenciasBusqueda::existeEnTabla(Tabla, ValorBuscado, Campo, Tipodato, Condicion));
    return existeEnTablaComun(sentencia, Lrcs, SoloLectura, true, gCnn());
}

bool DB_Dll::ExisteEnTablaST(const QString& Tabla, const QString& ValorBuscado, const QString& Campo,
                             ado::Recordset* Lrcs, const ado::Variant& Tipodato,
                             const QString& Condicion, bool SoloLectura) {
    const QString sentencia =
        SentenciasBusqueda::existeEnTablaST(Tabla, ValorBuscado, Campo, Tipodato, Condicion);
    return existeEnTablaComun(sentencia, Lrcs, SoloLectura, false, principal().gCnn());
}

bool DB_Dll::existeEnTablaComun(const QString& sentencia, ado::Recordset* Lrcs, bool SoloLectura,
                                bool traducirOracle, ado::Connection& conexion) {
    bool existe = false;
    const plataforma::TratamientoDeError tratar = [&](const RuntimeError& error) {
        return avisoOperador(error);
    };
    if (!Lrcs) {
        // 2. A recordset of its own, gone when the answer is known.
        ado::Recordset propio;
        ejecutarPasos(
            {
                [&] {
                    propio.Open(traducirOracle ? ORACLE_Dicc(sentencia) : sentencia, conexion,
                                ado::cursor::ForwardOnly, ado::bloqueo::ReadOnly, -1);
                },
                [&] { existe = !propio.BOF(); },
                [&] {
                    if (propio.State() != ado::estado::Cerrado) propio.Close();
                },
            },
            tratar);
        return existe;
    }
    // 3. The caller's recordset stays open on the row found.
    ejecutarPasos(
        {
            [&] {
                if (Lrcs->State() != ado::estado::Cerrado) Lrcs->Close();
            },
            [&] {
                if (SoloLectura)
                    Lrcs->Open(sentencia, conexion, ado::cursor::ForwardOnly, ado::bloqueo::ReadOnly);
                else
                    Lrcs->Open(sentencia, conexion, Lrcs->CursorType(), Lrcs->LockType());
            },
            [&] { existe = !Lrcs->BOF(); },
        },
        tratar);
    return existe;
}

int DB_Dll::avisoOperador(const RuntimeError& error) {
    return dialogos_.mensaje(error.Description(), BotonesPredeterminados,
                             QStringLiteral("Aviso al Operador"));
}

ado::Variant DB_Dll::DatosTabla(const QString& Tabla, const QString& ValorBuscado,
                                const QString& CampoDevuelto, const QString& Campo,
                                const ado::Variant& Tipodato, const QString& Condicion, bool UsaTrim,
                                bool IgnoraError) {
    QString resultado;  // 1.
    const plataforma::TratamientoDeError tratar = [&](const RuntimeError& error) {
        if (IgnoraError) {
            resultado.clear();
            return Abandonar;
        }
        return avisoOperador(error);
    };
    ado::Recordset filas;
    // 2.
    QString sentencia;
    if (!ejecutarPaso(
            [&] {
                sentencia = SentenciasBusqueda::datosTabla(Tabla, ValorBuscado, Campo, Tipodato,
                                                           Condicion, UsaTrim);
                AbrirRecordset(sentencia, filas, &gCnn());
            },
            tratar))
        return resultado;
    // 3.
    if (!gOpenFlag) return QString();
    // 4.-5.
    ejecutarPasos(
        {
            [&] { resultado = filas.BOF() ? QString() : utilidades_.valor(filas.Fields(CampoDevuelto)); },
            [&] { CierraRecordset(filas); },
        },
        tratar);
    return resultado;
}

bool DB_Dll::ExisteTablaDB(const QString& Tabla) {
    bool existe = false;
    const QString buscada = recortar(Tabla);
    ado::Recordset tablas;
    ejecutarPasos(
        {
            [&] { tablas = gCnn().OpenSchema(ado::esquema::Tablas); },
            [&] { existe = hayTabla(tablas, buscada); },
        },
        [&](const RuntimeError& error) {
            return principal().TratamientoErrores(error, std::nullopt, QStringLiteral("VerificaCampos"));
        });
    return existe;
}

bool DB_Dll::hayTabla(ado::Recordset& tablas, const QString& buscada) {
    // Views and every owner's objects count too.
    return hayEnCatalogo(tablas, QStringLiteral("TABLE_NAME"), buscada);
}

bool DB_Dll::hayEnCatalogo(ado::Recordset& lista, const QString& columna, const QString& buscado) {
    if (lista.BOF()) return false;
    for (; !lista.EOF_(); lista.MoveNext()) {
        const QString nombre = recortar(utilidades_.valor(lista.Fields(columna)));
        if (nombre.compare(buscado, Qt::CaseInsensitive) == 0) return true;
    }
    return false;
}

// ---- Aggregates and column maintenance ------------------------------------------

std::optional<ado::Variant> DB_Dll::valorAgregado(const QString& sentencia, const QString& campo) {
    ado::Recordset filas;
    filas.Open(sentencia, gCnn(), ado::cursor::ForwardOnly, ado::bloqueo::ReadOnly, -1);
    if (filas.State() == ado::estado::Cerrado || filas.BOF()) return std::nullopt;
    filas.MoveFirst();
    return filas.Fields(campo).Value();
}

// A number stored as a number is taken as it is: its text carries the
// workstation's decimal comma, which the "." reading would cut short.
// Anything else (codes, texts) is read from its leading number.
ado::Variant DB_Dll::numeroDelValor(const ado::Variant& valor) const {
    switch (valor.tipo()) {
    case ado::Variant::Tipo::Entero:
    case ado::Variant::Tipo::Doble:
    case ado::Variant::Tipo::Importe: return ado::Variant(valor.aDouble());
    default: return ado::Variant(valorNumerico(recortar(utilidades_.valor(valor))));
    }
}

ado::Variant DB_Dll::BuscaMaximo(const QString& QueTabla, const QString& QueCampo,
                                 const std::optional<ado::Variant>& Tipo, ado::Variant* Condicion) {
    std::optional<QString> condicion;
    if (Condicion) condicion = Condicion->texto();
    // Extending the condition twice cannot change the maximum, so a condition
    // that still lets a "0" code through (an OR in it) ends here instead of
    // asking the same question for ever.
    bool sinCodigosCero = false;
    for (;;) {
        // 1.-2.
        const std::optional<ado::Variant> mayor =
            valorAgregado(SentenciasAgregados::maximo(QueTabla, QueCampo, condicion), QStringLiteral("MAYOR"));
        if (!mayor) return {};
        // 3.
        const bool vistaArticulos = QueTabla.compare(QStringLiteral("V_MA_ARTICULOS"), Qt::CaseInsensitive) == 0;
        if (vistaArticulos && !sinCodigosCero && recortar(utilidades_.valor(*mayor)).startsWith(u'0')) {
            condicion = SentenciasAgregados::sinCodigosCero(condicion);
            if (Condicion) *Condicion = ado::Variant(*condicion);
            sinCodigosCero = true;
            continue;
        }
        // 4.
        if (Tipo && Tipo->aDouble() == 7) return mayor->esNulo() ? ado::Variant(QString()) : *mayor;
        return numeroDelValor(*mayor);
    }
}

ado::Variant DB_Dll::BuscaMinimo(const QString& QueTabla, const QString& QueCampo,
                                 const std::optional<ado::Variant>& /*Tipo*/,
                                 const std::optional<ado::Variant>& Condicion) {
    std::optional<QString> condicion;
    if (Condicion) condicion = Condicion->texto();
    const std::optional<ado::Variant> menor =
        valorAgregado(SentenciasAgregados::minimo(QueTabla, QueCampo, condicion), QStringLiteral("MENOR"));
    if (!menor) return {};
    return numeroDelValor(*menor);
}

ado::Variant DB_Dll::BuscaUltimoCodigo(const QString& QueTabla, const QString& QueCampo,
                                       const ado::Variant& /*Tipo*/, const QString& Condicion) {
    const std::optional<ado::Variant> mayor = valorAgregado(
        SentenciasAgregados::ultimoCodigo(QueTabla, QueCampo, Condicion), QStringLiteral("MAYOR"));
    if (!mayor) return {};
    return numeroDelValor(*mayor);
}

bool DB_Dll::ExisteCampoDB(const QString& Tabla, const QString& Campo) {
    // 1. Oracle's catalogue is not asked.
    if (contiene(principal().gProveedor, QStringLiteral("ORACLE"))) return true;
    // 2.
    bool existe = false;
    ado::Recordset columnas;
    ejecutarPasos(
        {
            [&] {
                columnas = gCnn().OpenSchema(ado::esquema::Columnas, {gDBName, QString(), Tabla, QString()});
            },
            [&] { existe = hayEnCatalogo(columnas, QStringLiteral("COLUMN_NAME"), recortar(Campo)); },
        },
        [&](const RuntimeError& error) {
            return principal().TratamientoErrores(error, std::nullopt, QStringLiteral("VerificaCampos"));
        });
    return existe;
}

void DB_Dll::AddField(const QString& Tabla, const QString& Campo, const QString& Tipo, bool PermiteNulos,
                      const std::optional<ado::Variant>& ValorDefault) {
    QString sentencia;
    ejecutarPasos(
        {
            // 1.-2.
            [&] { sentencia = SentenciasAgregados::agregarCampo(Tabla, Campo, Tipo, PermiteNulos, ValorDefault); },
            // 3. A refused statement raises nothing: its errors stay in gCnn.
            [&] { EjecutaConsultaSQL(sentencia); },
        },
        [&](const RuntimeError& error) {
            return principal().TratamientoErrores(error, std::nullopt, QStringLiteral("errAddField"));
        });
}

bool DB_Dll::VerCampoDB(const QString& Tabla, const QString& Campo, bool Agregar, const QString& Tipo,
                        bool PermiteNulos, const std::optional<ado::Variant>& ValorDefault) {
    if (ExisteTablaDB(Tabla) && !ExisteCampoDB(Tabla, Campo) && Agregar)
        AddField(Tabla, Campo, Tipo, PermiteNulos, ValorDefault);
    return true;
}

// ---- SQL literals and names ------------------------------------------------------

namespace {

bool codigoEntre(const ado::Variant& tipo, std::initializer_list<int> codigos) {
    const double codigo = tipo.aDouble();
    for (int c : codigos)
        if (codigo == c) return true;
    return false;
}

}  // namespace

bool DB_Dll::adodate(const ado::Variant& Qtype) { return codigoEntre(Qtype, {7, 133, 134, 135, 137, 64}); }

bool DB_Dll::ADOText(const ado::Variant& Qtype) {
    return codigoEntre(Qtype, {8, 129, 130, 200, 201, 202, 203});
}

bool DB_Dll::ADONumeric(const ado::Variant& Qtype) {
    return codigoEntre(Qtype, {2, 3, 4, 5, 14, 16, 17, 18, 19, 20, 21, 131});
}

bool DB_Dll::ADOCurrency(const ado::Variant& Qtype) { return codigoEntre(Qtype, {6}); }

bool DB_Dll::ADOBoolean(const ado::Variant& Qtype) { return codigoEntre(Qtype, {11}); }

QString DB_Dll::ADOComilla(const ado::Variant& Qtype) {
    return adodate(Qtype) || ADOText(Qtype) ? QStringLiteral("'") : QString();
}

ado::Variant DB_Dll::SQLValue(ado::Variant Valor, const QString& Tipo) {
    const bool numerico = Tipo == QLatin1String("@");
    // 5. A null is never quoted.
    if (Valor.esNulo()) return ado::Variant(numerico ? QStringLiteral("0") : QStringLiteral("NULL"));
    // 2. A number with "." as decimal point, whatever the workstation uses.
    if (numerico) {
        const QChar decimal = QLocale().decimalPoint().at(0);
        return ado::Variant(utilidades_.reemplazar(utilidades_.importe(Valor.texto()).texto(decimal),
                                                   QStringLiteral(","), QStringLiteral(".")));
    }
    // 3. A quoted text keeps its own quotes as doubled quotes.
    if (Tipo == QLatin1String("'"))
        return ado::Variant(QStringLiteral("'") + comillasSql(Valor.texto()) + QStringLiteral("'"));
    // 4.
    return ado::Variant(Valor.texto());
}

QString DB_Dll::stSTF(QString& rsName, std::int16_t rnPart) {
    if (rsName.count(QLatin1Char('.')) >= 2) return StripOwner(rsName);
    const qsizetype punto = rsName.indexOf(QLatin1Char('.'));
    if (rnPart == 0) {
        if (punto < 0) throw argumentoInvalido();
        return rsName.left(punto);
    }
    return punto < 0 ? rsName : rsName.mid(punto + 1);
}

QString DB_Dll::AddBrackets(const QString& rObjName) {
    if (rObjName.contains(QLatin1Char(' ')) && !rObjName.startsWith(QLatin1Char('[')))
        return QStringLiteral("[") + rObjName + QStringLiteral("]");
    return rObjName;
}

QString DB_Dll::StripConnect(const QString& rsTblName) {
    const qsizetype flecha = rsTblName.indexOf(QStringLiteral("->"));
    if (flecha < 0) return rsTblName;
    // The blank expected before the arrow goes too.
    if (flecha < 1) throw argumentoInvalido();
    return rsTblName.left(flecha - 1);
}

QString DB_Dll::StripBrackets(const QString& rsObjName) {
    if (!rsObjName.startsWith(QLatin1Char('['))) return rsObjName;
    if (rsObjName.size() < 2) throw argumentoInvalido();
    return rsObjName.mid(1, rsObjName.size() - 2);
}

QString DB_Dll::StripOwner(QString& rsTblName) {
    const qsizetype punto = rsTblName.indexOf(QLatin1Char('.'));
    if (punto >= 0) rsTblName = rsTblName.mid(punto + 1);
    return rsTblName;
}

QString DB_Dll::StripFileName(const QString& rsFileName) {
    // Either separator: paths come from Windows lists and from this system.
    const qsizetype barra =
        std::max(rsFileName.lastIndexOf(QLatin1Char('\\')), rsFileName.lastIndexOf(QLatin1Char('/')));
    return barra < 0 ? QString() : rsFileName.left(barra);
}

// ---- Error treatment ------------------------------------------------------------

int DB_Dll::TratamientoErrores(const RuntimeError& CodErr, std::optional<int> Botones,
                               std::optional<QString> Rutina) {
    // 3.
    const QString ruta = rutaLogErrores();
    // 4.
    const QString mensaje = QStringLiteral("Ha ocurrido el Siguiente Error (")
                            + QString::number(CodErr.Number()) + QStringLiteral(") ")
                            + recortar(CodErr.Description());
    // 5.
    const QString lugar = Rutina ? *Rutina + QStringLiteral(" - ") : QString();
    // 6.
    const QString titulo = lugar + CodErr.Source() + QStringLiteral(" Aviso al operador!!! - 5 ");
    // 7.
    const int estiloCaja = Botones.value_or(BotonesPredeterminados);
    // 8.
    if (CodErr.Number() == 0) return 0;
    // 9.
    const int respuestaUsuario = dialogos_.mensaje(mensaje, estiloCaja, titulo);
    // 10.
    RegistroErrores(ruta).escribir(
        RegistroErrores::linea(QDateTime::currentDateTime(), lugar, mensaje, respuestaUsuario));
    return respuestaUsuario;
}

void DB_Dll::AnotarEnLog(const QString& Rutina, const QString& mensaje) const {
    RegistroErrores(rutaLogErrores())
        .escribir(RegistroErrores::linea(QDateTime::currentDateTime(), Rutina + QStringLiteral(" - "),
                                         mensaje, 0));
}

QString DB_Dll::rutaLogErrores() const {
    return gLogErr.isEmpty() ? plataforma::carpetaAplicacion() + QStringLiteral("QZERR.LOG") : gLogErr;
}

}  // namespace datos
