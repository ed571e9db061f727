#include "platform/ado/Connection.h"

#include "platform/RuntimeError.h"
#include "platform/ado/ConnectionInterna.h"
#include "platform/ado/RecordsetDatos.h"
#include "platform/ado/TextoConexion.h"
#include "platform/ado/TrazaSql.h"

namespace ado {

namespace {

const QString origenConexion = QStringLiteral("ADODB.Connection");

[[noreturn]] void fallar(long numero, const QString& descripcion) {
    throw plataforma::RuntimeError(numero, descripcion, origenConexion);
}

}  // namespace

Connection::Connection() : d_(std::make_unique<Interna>(errors_)) {}

Connection::~Connection() = default;

Connection::Interna& Connection::interna() { return *d_; }

void Connection::Open(const QString& textoConexion, const QString& usuario, const QString& contrasena, long) {
    if (d_->abierta())
        fallar(plataforma::numero::ObjetoAbierto,
               QStringLiteral("No se permite realizar esta operación si el objeto está abierto."));
    errors_.Clear();
    const QString texto = textoConexion.isEmpty() ? d_->connectionString : textoConexion;
    d_->abrir(texto, usuario, contrasena);
}

void Connection::Close() {
    if (!d_->abierta())
        fallar(plataforma::numero::ObjetoCerrado,
               QStringLiteral("No se permite realizar esta operación si el objeto está cerrado."));
    d_->cerrar();
}

long Connection::State() const { return d_->abierta() ? estado::Abierto : estado::Cerrado; }

Recordset Connection::Execute(const QString& texto, long* registrosAfectados, long) {
    d_->exigirAbierta();
    errors_.Clear();
    TrazaSql::anotar(texto);
    if (registrosAfectados) *registrosAfectados = 0;
    Interna::Resultado r = d_->ejecutarTexto(texto);
    if (registrosAfectados) *registrosAfectados = r.afectadas;
    if (!r.filas) return Recordset();
    return Recordset(Recordset::Datos::deTabla(std::move(*r.filas)));
}

QString Connection::ConnectionString() const { return d_->connectionString; }

void Connection::setConnectionString(const QString& texto) {
    if (d_->abierta())
        fallar(plataforma::numero::ObjetoAbierto,
               QStringLiteral("No se permite realizar esta operación si el objeto está abierto."));
    d_->connectionString = texto;
}

long Connection::CursorLocation() const { return d_->cursorLocation; }
void Connection::setCursorLocation(long c) { d_->cursorLocation = c; }
long Connection::CommandTimeout() const { return d_->commandTimeout; }
void Connection::setCommandTimeout(long segundos) { d_->commandTimeout = segundos < 0 ? 0 : segundos; }
long Connection::ConnectionTimeout() const { return d_->connectionTimeout; }
void Connection::setConnectionTimeout(long segundos) { d_->connectionTimeout = segundos < 0 ? 0 : segundos; }
long Connection::IsolationLevel() const { return d_->isolationLevel; }

void Connection::setIsolationLevel(long nivel) {
    d_->isolationLevel = nivel;
    d_->aplicarAislamiento();
}

QString Connection::DefaultDatabase() const {
    // Until one is chosen, the database the connection text names.
    if (!d_->defaultDatabase.isEmpty() || !d_->abierta()) return d_->defaultDatabase;
    return TextoConexion(d_->connectionString).valor({QStringLiteral("Database"), QStringLiteral("Initial Catalog")});
}

void Connection::setDefaultDatabase(const QString& base) {
    d_->defaultDatabase = base;
    d_->aplicarBaseActual();
}

long Connection::BeginTrans() {
    d_->comenzar();
    return 1;
}

void Connection::CommitTrans() { d_->confirmar(); }

void Connection::RollbackTrans() { d_->deshacer(); }

Recordset Connection::OpenSchema(long esquema, const QStringList& restricciones) {
    d_->exigirAbierta();
    errors_.Clear();
    if (esquema == esquema::Tablas) return Recordset(Recordset::Datos::deTabla(d_->tablas(restricciones)));
    if (esquema == esquema::Columnas) return Recordset(Recordset::Datos::deTabla(d_->columnas(restricciones)));
    fallar(plataforma::numero::NoPermitido,
           QStringLiteral("El proveedor no admite el esquema %1.").arg(esquema));
}

}  // namespace ado
