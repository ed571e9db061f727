#include "session/Apariencia.h"

#include "data/LiteralesSql.h"
#include "platform/Aplicacion.h"
#include "platform/Pasos.h"
#include "platform/RuntimeError.h"
#include "session/EleccionEstilo.h"
#include "session/Global.h"

#include <QCoreApplication>
#include <QLabel>
#include <QStatusBar>
#include <QVersionNumber>

namespace sesion {

namespace {

// A panel of the bar by its key; a bar without it fails the step that wanted
// it.
QLabel& panel(QStatusBar& barra, const char* clave) {
    auto* encontrado = barra.findChild<QLabel*>(QString::fromLatin1(clave));
    if (!encontrado)
        throw plataforma::RuntimeError(plataforma::numero::ElementoNoEncontrado,
                                       QStringLiteral("No existe el panel ") + QString::fromLatin1(clave));
    return *encontrado;
}

QString descripcionCaja(datos::DB_Dll& db, const QString& tabla, const QString& caja) {
    return db.DatosTabla(tabla, caja, QStringLiteral("Descripcion"), QStringLiteral("IdCajas"), 8,
                         QString(), true, true)
        .texto();
}

// The register's row, when the register table has none for it. Both values
// go between quotes, so their quotes are doubled.
void registrarCaja(Global& global, const QString& caja) {
    const QString codigo = global.gUtilidades.codigo(caja.trimmed(), 4);
    global.DB.EjecutaConsultaSQL(QStringLiteral("INSERT INTO @Admin_V_TA_Cajas (IDCAJAS,DESCRIPCION) VALUES('")
                                 + datos::comillasSql(codigo) + QStringLiteral("','CAJA ")
                                 + datos::comillasSql(caja) + QStringLiteral("')"));
}

}  // namespace

void AplicarEstilo(Global& global, QWidget& ventana) {
    // The user's choice is kept with the program's own files; the skins
    // are shipped with it.
    const QString carpeta = global.gUtilidades.carpeta(plataforma::carpetaAplicacion());
    const QString estilos = global.gUtilidades.carpeta(plataforma::carpetaArchivosInstalados());
    // 1. and 2.
    global.gEstilo = EleccionEstilo::numeroDelUsuario(carpeta, global.gDatosEquipo.usuarioEstacion());
    const EleccionEstilo eleccion = EleccionEstilo::porNumero(global.gEstilo);
    // 3.
    const QString hoja = eleccion.hojaDeEstilo(estilos);
    if (!hoja.isEmpty()) ventana.setStyleSheet(hoja);
}

void MostrarDatosSesion(Global& global, QStatusBar& barra, const QString& mensaje) {
    using plataforma::ejecutarSaltandoErrores;
    datos::DB_Dll& db = global.DB;
    // 1.
    ejecutarSaltandoErrores({[&] { panel(barra, "MENSAJE").setText(mensaje); }});
    // 2. The server panel is empty only until the banner is written.
    bool escrito = false;
    ejecutarSaltandoErrores({[&] { escrito = !panel(barra, "SERVER").text().isEmpty(); }});
    if (escrito) return;
    QString descripcion;
    ejecutarSaltandoErrores({
        // 3.
        [&] { panel(barra, "SERVER").setText(QStringLiteral("Srv: ") + db.gServidor); },
        [&] { panel(barra, "USUARIO").setText(QStringLiteral("Uid: ") + db.gUsuario); },
        [&] {
            QLabel& base = panel(barra, "BASEDEDATOS");
            base.setText(QStringLiteral("Db: ") + db.gDBName);
            base.setToolTip(base.text());
        },
        // 4.
        [&] {
            if (global.gCaja.isEmpty()) global.gCaja = QStringLiteral("1");
        },
        // 5.
        [&] { descripcion = descripcionCaja(db, QStringLiteral("@Admin_V_TA_Cajas"), global.gCaja); },
        // 6.
        [&] {
            if (descripcion.trimmed().isEmpty()) registrarCaja(global, global.gCaja);
        },
        // 7.
        [&] {
            panel(barra, "CAJA").setText(global.gCaja + QStringLiteral(" ")
                                         + descripcionCaja(db, QStringLiteral("V_TA_Cajas"), global.gCaja));
        },
        // 8.
        [&] { panel(barra, "VERSION").setText(textoVersion(QCoreApplication::applicationVersion())); },
        // 9.
        [&] {
            for (const char* clave : {"SERVER", "USUARIO", "BASEDEDATOS", "CAJA"}) {
                QLabel& p = panel(barra, clave);
                p.setToolTip(p.text());
            }
        },
    });
}

QString textoVersion(const QString& version) {
    QVersionNumber numero = QVersionNumber::fromString(version);
    if (numero.isNull())
        numero = QVersionNumber(QUINTARO_VERSION_MAJOR, QUINTARO_VERSION_MINOR, QUINTARO_VERSION_PATCH);
    return QStringLiteral("V.") + QString::number(numero.majorVersion()) + u'.'
           + QString::number(numero.minorVersion()) + u'.' + QString::number(numero.microVersion());
}

}  // namespace sesion
