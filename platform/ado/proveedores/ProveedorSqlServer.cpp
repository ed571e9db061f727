#include "platform/ado/proveedores/ProveedorSqlServer.h"

#include "platform/ado/CadenaOdbc.h"
#include "platform/ado/FormatoRegional.h"

#include <QRegularExpression>

namespace ado {

namespace {

bool verificarCertificado() {
    return qEnvironmentVariable("QUINTARO_VERIFICAR_CERTIFICADO").trimmed() == QLatin1String("1");
}

}  // namespace

namespace {

const QStringList clavesServidor = {QStringLiteral("Server"), QStringLiteral("Data Source"),
                                    QStringLiteral("Address"), QStringLiteral("Addr"),
                                    QStringLiteral("Network Address")};
const QStringList clavesBase = {QStringLiteral("Database"), QStringLiteral("Initial Catalog")};
const QStringList clavesUsuario = {QStringLiteral("UId"), QStringLiteral("User Id"), QStringLiteral("User")};
const QStringList clavesContrasena = {QStringLiteral("Pwd"), QStringLiteral("Password")};
// ADO's own keys, which mean nothing to an ODBC driver.
const QStringList clavesSoloAdo = {QStringLiteral("Provider"), QStringLiteral("Persist Security Info"),
                                   QStringLiteral("Connect Timeout"), QStringLiteral("Packet Size"),
                                   QStringLiteral("Use Procedure for Prepare"),
                                   QStringLiteral("Auto Translate")};

QString servidorLocal(const QString& host) {
    return host == QLatin1String(".") || host.compare(QLatin1String("(local)"), Qt::CaseInsensitive) == 0
               ? QStringLiteral("localhost")
               : host;
}

}  // namespace

const QStringList& ProveedorSqlServer::clavesConocidas() {
    static const QStringList todas = clavesServidor + clavesBase + clavesUsuario + clavesContrasena + clavesSoloAdo;
    return todas;
}

QString ProveedorSqlServer::servidor(const TextoConexion& texto) { return texto.valor(clavesServidor); }

QString ProveedorSqlServer::base(const TextoConexion& texto) { return texto.valor(clavesBase); }

QString ProveedorSqlServer::usuario(const TextoConexion& texto) { return texto.valor(clavesUsuario); }

QString ProveedorSqlServer::contrasena(const TextoConexion& texto) { return texto.valor(clavesContrasena); }

std::vector<std::pair<QString, QString>> ProveedorSqlServer::claveServidor(const QString& servidor,
                                                                         bool esFreeTds) {
    const QString s = servidor.trimmed();
    const qsizetype separadorPuerto = s.indexOf(QRegularExpression(QStringLiteral("[:,]")));
    if (separadorPuerto > 0) {
        const QString host = servidorLocal(s.left(separadorPuerto));
        const QString puerto = s.mid(separadorPuerto + 1).trimmed();
        // FreeTDS takes the port as a key of its own; Microsoft's drivers as
        // "host,port" (they do not know "host:port").
        if (esFreeTds) return {{QStringLiteral("Server"), host}, {QStringLiteral("Port"), puerto}};
        return {{QStringLiteral("Server"), host + u',' + puerto}};
    }
    // "host\instance" is understood by both (the instance is looked up
    // through the server's browser service).
    const qsizetype barra = s.indexOf(u'\\');
    if (barra > 0) return {{QStringLiteral("Server"), servidorLocal(s.left(barra)) + s.mid(barra)}};
    return {{QStringLiteral("Server"), servidorLocal(s)}};
}

QString ProveedorSqlServer::ordenDeFechas() {
    return QStringLiteral("SET DATEFORMAT ") + FormatoRegional::ordenFecha();
}

void ProveedorSqlServer::conectado(odbc::ConexionOdbc& conexion, const odbc::VerificadorOdbc& verificar,
                                   long segundosEspera) {
    if (esSqlServer_) prepararSesion(conexion, verificar, segundosEspera, ordenDeFechas());
}

QString ProveedorSqlServer::cadenaOdbc(const TextoConexion& texto, const QString& usuario,
                                       const QString& contrasena, const QStringList& instalados) const {
    const QString driver = controlador("QUINTARO_DRIVER_SQLSERVER",
                                       {QStringLiteral("ODBC Driver 18 for SQL Server"),
                                        QStringLiteral("ODBC Driver 17 for SQL Server"), QStringLiteral("FreeTDS")},
                                       QStringLiteral("SQL Server"), instalados);
    if (driver.isEmpty()) sinControlador(QStringLiteral("SQL Server"));
    const bool esFreeTds = driver.contains(QLatin1String("FreeTDS"), Qt::CaseInsensitive);

    CadenaOdbc cadena;
    cadena.controlador(driver);
    for (const auto& [clave, valor] : claveServidor(servidor(texto), esFreeTds)) cadena.agregar(clave, valor);
    cadena.agregarSiHay(QStringLiteral("Database"), base(texto));
    cadena.agregarSiHay(QStringLiteral("UID"), usuario.isEmpty() ? ProveedorSqlServer::usuario(texto) : usuario);
    cadena.agregarSiHay(QStringLiteral("PWD"),
                        contrasena.isEmpty() ? ProveedorSqlServer::contrasena(texto) : contrasena);
    if (esFreeTds) cadena.agregar(QStringLiteral("ClientCharset"), QStringLiteral("UTF-8"));
    const auto otros = texto.otros(clavesConocidas());
    // Driver 18 encrypts by default and refuses a server certificate it
    // cannot verify, which the suite's servers seldom have: the check stays
    // relaxed as SQLOLEDB's was, and the connection stays encrypted where the
    // server offers it. An office whose server has a verifiable certificate
    // turns the check on with QUINTARO_VERIFICAR_CERTIFICADO=1.
    const bool cifradoElegido = texto.contiene({QStringLiteral("Encrypt"), QStringLiteral("TrustServerCertificate")});
    if (driver.contains(QLatin1String("Driver 18"), Qt::CaseInsensitive) && !cifradoElegido && !verificarCertificado())
        cadena.agregar(QStringLiteral("TrustServerCertificate"), QStringLiteral("yes"));
    for (const auto& [clave, valor] : otros) cadena.agregar(clave, valor);
    return cadena.texto();
}

}  // namespace ado
