#include "session/LineaComandos.h"

#include "data/DB_Dll.h"

#include "session/utility_component/Utilidades.h"

#include <QCoreApplication>

namespace sesion {

namespace {

// Only blanks are trimmed, as the suite's menu writes them; other characters
// belong to the value.
QString sinBlancosExteriores(const QString& texto) {
    qsizetype inicio = 0;
    qsizetype fin = texto.size();
    while (inicio < fin && texto.at(inicio) == QLatin1Char(' ')) ++inicio;
    while (fin > inicio && texto.at(fin - 1) == QLatin1Char(' ')) --fin;
    return texto.mid(inicio, fin - inicio);
}

}  // namespace

QString LineaComandos::delProceso() {
    return unir(QCoreApplication::arguments().mid(1));
}

QString LineaComandos::unir(const QStringList& argumentosSinPrograma) {
    return argumentosSinPrograma.join(QLatin1Char(' '));
}

QString LineaComandos::valor(const QString& linea, const QString& clave,
                             const QString& predeterminado) {
    // 1. The key's first occurrence, ignoring letter case.
    const qsizetype posicion = linea.indexOf(clave, 0, Qt::CaseInsensitive);
    if (clave.isEmpty() || posicion < 0) return predeterminado;
    // 2. The raw value: from the key's end to the first ";" from the key on.
    const qsizetype inicio = posicion + clave.size();
    const qsizetype puntoYComa = linea.indexOf(QLatin1Char(';'), posicion);
    const QString crudo = puntoYComa < 0 ? linea.mid(inicio) : linea.mid(inicio, puntoYComa - inicio);
    // 3. Without any "=", trimmed.
    return sinBlancosExteriores(utilidades::Utilidades::quitar(crudo, QStringLiteral("=")));
}

LineaComandos::Parametros LineaComandos::extraer(const QString& linea) {
    Parametros p;
    p.servidor = valor(linea, QStringLiteral("@Server"));
    p.baseDatos = valor(linea, QStringLiteral("@DbName"));
    p.usuario = valor(linea, QStringLiteral("@Usuario"));
    p.contrasena = valor(linea, QStringLiteral("@Password"));
    p.caja = valor(linea, QStringLiteral("@Caja"), QStringLiteral("1"));
    p.parametroAdicional = valor(linea, QStringLiteral("@ParametroAdicional"));
    p.menu = valor(linea, QStringLiteral("@Menu"));
    p.usuarioLogeado = valor(linea, QStringLiteral("@UsuarioLogeado"));
    return p;
}

void LineaComandos::aplicarReglaOracle(Parametros& p) {
    if (!p.servidor.startsWith(QLatin1Char('#'))) return;
    p.servidor.remove(0, 1);
    p.cadenaConexion = cadenaOracle(p.baseDatos, p.usuario, p.contrasena);
}

LineaComandos::Parametros LineaComandos::leer(const QString& linea) {
    Parametros p = extraer(linea);
    aplicarReglaOracle(p);
    return p;
}

QString LineaComandos::cadenaOracle(const QString& baseDatos, const QString& usuario,
                                    const QString& contrasena) {
    return datos::DB_Dll::textoOracle(baseDatos, usuario, contrasena);
}

QString LineaComandos::NombreServidor(const QString& servidor) {
    // The suite's server names never start with "/", but on this platform an
    // absolute folder of the embedded engine does, and cutting it at its first
    // "/" would point somewhere else.
    if (servidor.startsWith(QLatin1Char('/'))) return servidor;
    QString nombre = servidor;
    const qsizetype barra = nombre.indexOf(QLatin1Char('/'));
    if (barra >= 0) nombre = nombre.mid(barra + 1);
    const qsizetype dosPuntos = nombre.indexOf(QLatin1Char(':'));
    if (dosPuntos >= 0) nombre = nombre.left(dosPuntos);
    return nombre;
}

}  // namespace sesion
