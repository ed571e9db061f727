#pragma once

#include <QString>

namespace sesion {

// The demo company database for "quintaro --demo": the embedded engine's
// files, built from the SQL scripts shipped with the program, and the
// command line that opens them.
class BaseDemo {
public:
    static QString baseDatos() { return QStringLiteral("ZANTAR_DEMO"); }
    static QString baseEstadisticas() { return QStringLiteral("QZ_ESTADISTICAS"); }
    // The administrator the demo starts with.
    static QString usuario() { return QStringLiteral("mgomez"); }
    static QString contrasena() { return QStringLiteral("demo"); }

    // Where the scripts are: the folder named by QUINTARO_DEMO_SQL, else
    // "demo-sql/" among the files shipped with the program. Ends in "/".
    static QString carpetaScripts();

    // Builds both databases in `carpeta` from the scripts in `carpetaScripts`,
    // replacing what is there. Raises plataforma::RuntimeError when a script
    // is missing or fails; nothing half-built is left behind then.
    static void crear(const QString& carpeta, const QString& carpetaScripts);

    // Makes sure the demo databases exist in "demo/" of the program's folder,
    // which on an installed copy is the user's own data folder (building them
    // when the company database is missing), and answers the command line the
    // program then starts with.
    static QString preparar();

    // "@Server=<servidor>;@DbName=ZANTAR_DEMO;@Usuario=...;@Password=...;@Caja=1"
    static QString lineaComandos(const QString& servidor = QStringLiteral("demo"),
                                 const QString& usuarioDemo = usuario());
};

}  // namespace sesion
