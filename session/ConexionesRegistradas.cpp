#include "session/ConexionesRegistradas.h"

#include "platform/FuncionesBasicas.h"
#include "platform/RuntimeError.h"
#include "session/utility_component/Utilidades.h"

#include <QFile>
#include <QStringList>

namespace sesion {

namespace {

// Run-time numbers of the file operations.
constexpr long ArchivoNoEncontrado = 53;
constexpr long PermisoDenegado = 70;

QString crlf() { return QStringLiteral("\r\n"); }

bool esFinDeLinea(QChar c) { return c == u'\r' || c == u'\n'; }

bool esBlanco(QChar c) { return c == u' ' || c == u'\t'; }

// One field from `pos`: blanks before it skipped, a quoted field taken up to
// its closing quote (anything up to the next separator after it dropped), an
// unquoted one up to the next comma or line end, trailing blanks dropped.
// `pos` is left on the separator.
QString leerCampo(const QString& texto, qsizetype& pos) {
    while (pos < texto.size() && esBlanco(texto[pos])) ++pos;
    QString campo;
    if (pos < texto.size() && texto[pos] == u'"') {
        const qsizetype cierre = texto.indexOf(u'"', pos + 1);
        const qsizetype fin = cierre < 0 ? texto.size() : cierre;
        campo = texto.mid(pos + 1, fin - pos - 1);
        pos = fin;
        while (pos < texto.size() && texto[pos] != u',' && !esFinDeLinea(texto[pos])) ++pos;
        return campo;
    }
    const qsizetype inicio = pos;
    while (pos < texto.size() && texto[pos] != u',' && !esFinDeLinea(texto[pos])) ++pos;
    campo = texto.mid(inicio, pos - inicio);
    while (!campo.isEmpty() && esBlanco(campo.back())) campo.chop(1);
    return campo;
}

// Every field of the text in order; blank lines hold none.
QStringList campos(const QString& texto) {
    QStringList resultado;
    qsizetype pos = 0;
    while (pos < texto.size()) {
        if (esFinDeLinea(texto[pos])) {
            ++pos;
            continue;
        }
        resultado.push_back(leerCampo(texto, pos));
        if (pos < texto.size() && texto[pos] == u',') {
            ++pos;
            // A comma at the end of a line leaves an empty last field.
            if (pos >= texto.size() || esFinDeLinea(texto[pos])) resultado.push_back(QString());
        }
    }
    return resultado;
}

QString cortarEnDosPuntos(const QString& servidor) {
    const qsizetype dosPuntos = servidor.indexOf(u':');
    return dosPuntos < 0 ? servidor : servidor.left(dosPuntos);
}

}  // namespace

ConexionesRegistradas::ConexionesRegistradas(const QString& carpeta)
    : ruta_(carpeta + nombreArchivo()) {}

bool ConexionesRegistradas::existe() const { return plataforma::ExisteArchivo(ruta_); }

std::vector<ConexionesRegistradas::Registro> ConexionesRegistradas::leer() const {
    QFile archivo(ruta_);
    if (!archivo.open(QIODevice::ReadOnly))
        throw plataforma::RuntimeError(ArchivoNoEncontrado,
                                       QStringLiteral("No se encontró el archivo ") + ruta_);
    const QStringList todos = campos(QString::fromLatin1(archivo.readAll()));
    std::vector<Registro> registros;
    for (qsizetype i = 0; i < todos.size(); i += 5) {
        auto campo = [&](qsizetype n) { return i + n < todos.size() ? todos[i + n] : QString(); };
        registros.push_back({campo(0), campo(1), campo(2), campo(3), campo(4)});
    }
    return registros;
}

std::optional<ConexionesRegistradas::Registro>
ConexionesRegistradas::buscar(const QString& nombre) const {
    if (!existe()) return std::nullopt;
    const QString buscado = nombre.trimmed();
    for (const Registro& registro : leer())
        if (registro.clave.trimmed() == buscado) return registro;
    return std::nullopt;
}

void ConexionesRegistradas::GrabarConexion(const QString& clave, const QString& baseDatos,
                                           const QString& usuario, const QString& contrasena,
                                           const QString& servidor,
                                           const utilidades::Utilidades& utilidades) const {
    const QString cifrada = utilidades.cifrar(contrasena);
    const QString linea = QStringList{clave.trimmed(), baseDatos.trimmed(), usuario.trimmed(),
                                      cifrada.trimmed(), servidor.trimmed()}
                              .join(u',')
                          + crlf();
    QFile archivo(ruta_);
    // A list whose last line lacks its line end (edited by hand) would glue
    // the new entry onto the last one: it starts on a line of its own.
    const QString separada = terminaEnLinea() ? linea : crlf() + linea;
    if (!archivo.open(QIODevice::WriteOnly | QIODevice::Append)
        || archivo.write(separada.toLatin1()) < 0 || !archivo.flush())
        throw plataforma::RuntimeError(PermisoDenegado, QStringLiteral("No se pudo escribir ")
                                                            + ruta_ + QStringLiteral(": ")
                                                            + archivo.errorString());
}

bool ConexionesRegistradas::terminaEnLinea() const {
    QFile archivo(ruta_);
    if (!archivo.open(QIODevice::ReadOnly) || archivo.size() == 0) return true;
    char ultimo = '\n';
    return !archivo.seek(archivo.size() - 1) || !archivo.getChar(&ultimo) || ultimo == '\n' || ultimo == '\r';
}

bool ConexionesRegistradas::cabeEnCampo(const QString& texto) {
    for (QChar c : texto)
        if (c == u',' || c == u'"' || esFinDeLinea(c) || c.unicode() > 0xFF) return false;
    return true;
}

QString ConexionesRegistradas::clave(const QString& baseDatos, const QString& servidor) {
    return baseDatos.trimmed().toUpper() + QStringLiteral(" / ")
           + cortarEnDosPuntos(servidor.trimmed().toUpper());
}

}  // namespace sesion
