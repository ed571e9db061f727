#pragma once

#include <QString>
#include <QStringList>

namespace sesion {

// The session parameters on the command line, in the format the suite's menu
// writes: items "key=value" separated by ";", e.g.
// "@Server=SRV;@DbName=EMPRESA;@Usuario=jperez;@Password=x;@Caja=1".
class LineaComandos {
public:
    struct Parametros {
        QString servidor;        // without the Oracle mark "#"
        QString baseDatos;
        QString usuario;
        QString contrasena;
        QString caja;
        QString cadenaConexion;  // empty unless the server is an Oracle one
        QString parametroAdicional;
        QString menu;
        QString usuarioLogeado;
    };

    // The process's arguments after the program name, joined by blanks.
    static QString delProceso();
    static QString unir(const QStringList& argumentosSinPrograma);

    // The value of one key: the text from the end of the key's first
    // occurrence (letter case ignored) up to the next ";", without any "=",
    // trimmed of blanks. `predeterminado` when the key does not occur.
    static QString valor(const QString& linea, const QString& clave,
                         const QString& predeterminado = {});

    // Every key the program reads, each by the rule of valor(); the
    // cash register is "1" when its key is missing.
    static Parametros extraer(const QString& linea);
    // A server starting with "#" is an Oracle one: the "#" goes and the
    // connection text becomes the Oracle one.
    static void aplicarReglaOracle(Parametros& parametros);
    // Both of the above.
    static Parametros leer(const QString& linea);

    static QString cadenaOracle(const QString& baseDatos, const QString& usuario,
                                const QString& contrasena);

    // The bare server name: the text after the first "/" when there is one,
    // then the part before the first ":". No trimming. A server that starts
    // with "/" is a folder of the embedded engine and is kept whole.
    static QString NombreServidor(const QString& servidor);
};

}  // namespace sesion
