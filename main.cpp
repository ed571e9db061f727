// QUINTARO: the reconciliation reopening tool of the Zantar suite.
//
// Started by the suite's menu with the session parameters on the command line
// ("@Server=...;@DbName=...;@Usuario=...;@Password=...;@Caja=..."), or with
// "--demo" on the demo company database, built in the program's folder (the
// user's data folder on an installed copy) when missing.

#include "platform/RuntimeError.h"
#include "platform/ui/DialogosQt.h"
#include "reconciliation/FrmOpenConc.h"
#include "reconciliation/ImagenesEstado.h"
#include "session/AccesoConDialogo.h"
#include "session/BaseDemo.h"
#include "session/Global.h"

#include <QApplication>
#include <QStringList>

namespace {

bool pideDemo(const QStringList& argumentos) {
    return argumentos.mid(1).contains(QStringLiteral("--demo"));
}

}  // namespace

int main(int argc, char** argv) {
    QApplication aplicacion(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("quintaro"));
    QCoreApplication::setApplicationVersion(QStringLiteral(QUINTARO_VERSION));
    // The desktop's menu entry names the program's windows and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("quintaro"));
    // The program's picture, also for the connection dialog and the desktop entry.
    QApplication::setWindowIcon(conciliacion::ImagenesEstado::icono(conciliacion::ImagenesEstado::AbiertaM));

    plataforma::DialogosQt dialogos;
    sesion::Global global(dialogos);
    // Started without server or user, the session asks in "Control de Acceso".
    sesion::AccesoConDialogo acceso(global.DB);
    global.DB.dialogoAcceso = &acceso;
    if (pideDemo(QCoreApplication::arguments())) {
        try {
            global.lineaComandos = [linea = sesion::BaseDemo::preparar()] { return linea; };
        } catch (const plataforma::RuntimeError& error) {
            dialogos.mensaje(error.Description(), plataforma::estilo::Critico,
                             QStringLiteral("Base de demostración"));
            return 1;
        }
    }

    conciliacion::FrmOpenConc ventana(global, dialogos);
    dialogos.setPadre(&ventana);
    QObject::connect(&ventana, &conciliacion::FrmOpenConc::programaTerminado, &aplicacion,
                     &QCoreApplication::quit);
    ventana.cargar();
    ventana.show();
    return QApplication::exec();
}
