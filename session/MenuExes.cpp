#include "session/MenuExes.h"

#include "platform/Aplicacion.h"
#include "platform/Pasos.h"
#include "platform/RuntimeError.h"
#include "platform/ui/Dialogos.h"
#include "session/Global.h"

#include <QProcess>

namespace sesion {

namespace {

constexpr long ArchivoNoEncontrado = 53;  // the run-time's "file not found"
constexpr int LargoPrefijo = 6;           // "SHELL:" and the like

QString parametroSinPrefijo(const QString& parametro) {
    const qsizetype blanco = parametro.indexOf(QLatin1Char(' '));
    return blanco < 0 ? parametro : parametro.mid(blanco + 1);
}

std::int32_t iniciarProceso(const QString& programa, const QString& argumentos) {
    qint64 numero = 0;
    // The whole tail is the started program's one argument, so that its
    // start-up reads the text exactly as written here.
    if (!QProcess::startDetached(programa, QStringList{argumentos}, QString(), &numero) ||
        numero == 0)
        throw plataforma::RuntimeError(ArchivoNoEncontrado,
                                       QStringLiteral("No se encuentra el archivo ") + programa,
                                       QStringLiteral("MenuExes"));
    return static_cast<std::int32_t>(numero);
}

}  // namespace

QString colaDeParametros(const Global& global, const QString& parametro) {
    const datos::DB_Dll& db = global.DB;
    return QStringLiteral(" ; @server=") + db.gServidor + QStringLiteral("; @dbname=") + db.gDBName +
           QStringLiteral("; @usuario=") + db.gUsuario + QStringLiteral("; @Password=") +
           db.gUserPassWord + QStringLiteral("; @ParametroAdicional=") + parametro +
           QStringLiteral("; kemo@ ; @UsuarioLogeado = ") + global.gUsuarioLogeado +
           QStringLiteral("; @Caja=") + global.gCaja + QStringLiteral(";");
}

QString rutaDelPrograma(const QString& designacion, const QString& carpetaPrograma) {
    if (designacion.contains(QLatin1Char('\\')) || designacion.contains(QLatin1Char('/')))
        return designacion.mid(LargoPrefijo);
    if (designacion.contains(QStringLiteral("SHELL"), Qt::CaseInsensitive))
        return carpetaPrograma + designacion.mid(LargoPrefijo);
    return carpetaPrograma + designacion;
}

void MenuExes(Global& global, const QString& designacion, QString& parametro,
              std::int32_t& proceso) {
    QString cola;
    QString ruta;
    const auto tratar = [&global](const plataforma::RuntimeError& error) {
        return global.DB.TratamientoErrores(error, std::nullopt, QStringLiteral("MenuExes"));
    };
    plataforma::ejecutarPasos(
        {
            [&] { if (parametro.contains(QLatin1Char(' '))) parametro = parametroSinPrefijo(parametro); },  // 1
            [&] { cola = colaDeParametros(global, parametro); },                                          // 2
            [&] { ruta = rutaDelPrograma(designacion, global.gUtilidades.carpeta(plataforma::carpetaEjecutable())); },  // 3
            [&] { proceso = iniciarProceso(ruta, cola); },                                                // 4
            [&] {                                                                                         // 5
                if (proceso == 0)
                    global.dialogos.mensaje(QStringLiteral("Opcion no Implementada!") + QLatin1Char('\r') +
                                                QStringLiteral("Comuniquese con su proveedor de sistemas"),
                                            plataforma::estilo::Critico, QStringLiteral("Atención"));
            },
        },
        tratar);
}

}  // namespace sesion
