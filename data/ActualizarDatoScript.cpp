#include "data/ActualizarDatoScript.h"

#include "data/DB_Dll.h"
#include "data/ErroresGenerales.h"
#include "data/LiteralesSql.h"
#include "platform/Aplicacion.h"
#include "platform/Pasos.h"
#include "platform/ado/Errors.h"
#include "platform/ui/Dialogos.h"

namespace datos {

namespace {

using plataforma::RuntimeError;
namespace estilo = plataforma::estilo;

constexpr long NativoDuplicado = 2627;
constexpr long NativoRestriccion = 547;

QString cr() { return QStringLiteral("\r"); }
QString crlf() { return QStringLiteral("\r\n"); }

QString lineaError(const ado::Error& error) {
    return QString::number(error.NativeError) + QStringLiteral(" : ") + error.Description + crlf();
}

// Every non-blank entry, untrimmed, on a line of its own opened by CR.
QString unirSentencias(const QStringList& sentencias) {
    QString lote;
    for (const QString& sentencia : sentencias)
        if (!recortar(sentencia).isEmpty()) lote += cr() + sentencia;
    return lote;
}

// One run of the routine: the batch, what the connection answered and the
// caller's out-parameters.
class EjecucionScript {
public:
    EjecucionScript(DB_Dll& principal, bool& HuboError, long& NumeroError, QString& SentenciaEjecutada,
                    QString& MensajeError)
        : principal_(principal), HuboError_(HuboError), NumeroError_(NumeroError),
          SentenciaEjecutada_(SentenciaEjecutada), MensajeError_(MensajeError) {}

    void ejecutar(const QStringList& Sentencias, bool ControlaDuplicados, bool ControlaRelaciones,
                  bool MostrarMensaje) {
        HuboError_ = false;                                                        // 1.
        lote_ = unirSentencias(Sentencias);                                        // 2.
        if (lote_.isEmpty()) return;                                               // 3.
        lote_ = QStringLiteral("BEGIN TRANSACTION ") + cr() + cr() + lote_ + cr();  // 4.
        plataforma::ejecutarPasos(
            {
                [&] { enviarLote(); },                                             // 5.-6.
                [&] { leerErrores(ControlaDuplicados, ControlaRelaciones); },      // 7.
                [&] { confirmarSiBien(); },                                        // 9.
                [&] { leerErrores(ControlaDuplicados, ControlaRelaciones); },      // the COMMIT's
                [&] { deshacerSiFallo(); },                                        // 8.1
                [&] { registrarSiFallo(); },                                       // 8.2
                [&] { avisarSiFallo(MostrarMensaje); },                            // 8.3
                [&] { NumeroError_ = primerNumero_; },                             // 10.
            },
            [&](const RuntimeError& error) {
                return TratamientoErroresGeneral(principal_, error, std::nullopt,
                                                 QStringLiteral("GActualizarDatoScript"));
            });
    }

private:
    void enviarLote() {
        plataforma::ejecutarSaltandoErrores({
            [&] { SentenciaEjecutada_ = lote_; },
            [&] { principal_.EjecutaConsultaSQL(lote_); },
        });
        // The batch as the session left it: markers handled and, on Oracle,
        // the part from the failing statement on.
        registrado_ = lote_;
    }

    void leerErrores(bool ControlaDuplicados, bool ControlaRelaciones) {
        ado::Errors& errores = principal_.gCnn().errors();
        if (HuboError_ || errores.Count() <= 0) return;
        primerNumero_ = errores.Item(0).NativeError;
        HuboError_ = true;
        mensaje_ = mensajeErroresScript(errores);
        MensajeError_ = mensaje_;
        if ((ControlaDuplicados && primerNumero_ == NativoDuplicado) ||
            (ControlaRelaciones && primerNumero_ == NativoRestriccion)) {
            MensajeError_ = errores.Item(0).Description;
            mensaje_.clear();
        }
        errores.Clear();
    }

    void deshacerSiFallo() {
        if (!HuboError_) return;
        plataforma::ejecutarSaltandoErrores(
            {[&] { principal_.EjecutaConsultaSQL(QStringLiteral("ROLLBACK TRANSACTION")); }});
    }

    void registrarSiFallo() {
        if (!HuboError_) return;
        QString proceso = plataforma::nombreEjecutable();
        RegistrarErrorAux(principal_, registrado_, proceso, primerNumero_, mensaje_);
    }

    void avisarSiFallo(bool MostrarMensaje) {
        if (!HuboError_ || recortar(mensaje_).isEmpty() || !MostrarMensaje) return;
        principal_.dialogos().mensaje(mensaje_, estilo::SoloAceptar | estilo::Critico,
                                      QStringLiteral("Aviso al Operador!"));
    }

    // A COMMIT the database refuses is read as the batch's errors are: the
    // transaction is rolled back, the failure logged and shown, so the
    // connection never stays inside it and no later batch nests there.
    void confirmarSiBien() {
        if (HuboError_) return;
        principal_.EjecutaConsultaSQL(QStringLiteral("COMMIT TRANSACTION"));
    }

    DB_Dll& principal_;
    bool& HuboError_;
    long& NumeroError_;
    QString& SentenciaEjecutada_;
    QString& MensajeError_;
    QString lote_;
    QString registrado_;
    QString mensaje_;
    long primerNumero_ = 0;
};

}  // namespace

void GActualizarDatoScript(DB_Dll& sesion, const QStringList& Sentencias, bool& HuboError,
                           long& NumeroError, bool ControlaDuplicados, bool ControlaRelaciones,
                           QString& SentenciaEjecutada, QString& MensajeError, bool MostrarMensaje) {
    EjecucionScript(sesion.principal(), HuboError, NumeroError, SentenciaEjecutada, MensajeError)
        .ejecutar(Sentencias, ControlaDuplicados, ControlaRelaciones, MostrarMensaje);
}

QString mensajeErroresScript(const ado::Errors& errores) {
    if (errores.Count() == 1) return lineaError(errores.Item(0));
    QString mensaje;
    for (long i = 0; i + 1 < errores.Count(); ++i) mensaje += lineaError(errores.Item(i));
    return mensaje;
}

}  // namespace datos
