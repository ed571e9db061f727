#include "platform/ado/Recordset.h"

#include "platform/RuntimeError.h"
#include "platform/ado/ConnectionInterna.h"
#include "platform/ado/OrigenActualizable.h"
#include "platform/ado/RecordsetDatos.h"
#include "platform/ado/TrazaSql.h"
#include "platform/ado/odbc/ParametrosOdbc.h"

namespace ado {

namespace {

const QString origenRecordset = QStringLiteral("ADODB.Recordset");

[[noreturn]] void fallar(long numero, const QString& descripcion) {
    throw plataforma::RuntimeError(numero, descripcion, origenRecordset);
}

[[noreturn]] void sinRegistroActual() {
    fallar(plataforma::numero::SinRegistroActual,
           QStringLiteral("BOF o EOF es True, o el registro actual se eliminó. La operación solicitada requiere "
                          "un registro actual."));
}

[[noreturn]] void noPermitido() {
    fallar(plataforma::numero::NoPermitido, QStringLiteral("No se permite la operación en este contexto."));
}

odbc::ParametrosOdbc::Destino destinoDe(const TablaDatos::Columna& c) {
    return {c.descripcion.tipoSql, c.descripcion.tamano, c.descripcion.decimales, c.descripcion.fechaEnTexto};
}

}  // namespace

std::unique_ptr<Recordset::Datos> Recordset::Datos::deTabla(TablaDatos nueva) {
    auto d = std::make_unique<Datos>();
    d->tomarTabla(std::move(nueva));
    d->cursorType = cursor::Static;
    return d;
}

void Recordset::Datos::tomarTabla(TablaDatos nueva) {
    tabla = std::move(nueva);
    campos.clear();
    for (const auto& c : tabla.columnas) campos.emplace_back(c.descripcion.nombre, c.tipoAdo, c.tamanoDefinido);
    posicion = 0;
    abierto = true;
    edicion = Edicion::Ninguna;
}

Recordset::Recordset() : d_(std::make_unique<Datos>()) {}

Recordset::Recordset(std::unique_ptr<Datos> datos) : d_(std::move(datos)) { apuntarCampos(); }

Recordset::~Recordset() = default;

Recordset::Recordset(Recordset&& otro) noexcept : d_(std::move(otro.d_)) { apuntarCampos(); }

Recordset& Recordset::operator=(Recordset&& otro) noexcept {
    if (this != &otro) {
        d_ = std::move(otro.d_);
        apuntarCampos();
    }
    return *this;
}

void Recordset::apuntarCampos() {
    if (!d_) return;
    const bool enFila = d_->enFila();
    for (std::size_t i = 0; i < d_->campos.size(); ++i) {
        d_->campos[i].dueno_ = this;
        d_->campos[i].valor_ = enFila ? &d_->tabla.filas[static_cast<std::size_t>(d_->posicion)][i] : nullptr;
    }
}

void Recordset::exigirAbierto() const {
    if (!d_ || !d_->abierto)
        fallar(plataforma::numero::ObjetoCerrado,
               QStringLiteral("No se permite realizar esta operación si el objeto está cerrado."));
}

void Recordset::Open(const QString& source, Connection& activa, long cursorType, long lockType, long) {
    if (!d_) d_ = std::make_unique<Datos>();
    if (d_->abierto)
        fallar(plataforma::numero::ObjetoAbierto,
               QStringLiteral("No se permite realizar esta operación si el objeto está abierto."));
    activa.interna().exigirAbierta();
    abrirEn(source, activa, cursorType, lockType);
}

void Recordset::Open(const QString& source, const QString& textoConexion, long cursorType, long lockType, long) {
    if (!d_) d_ = std::make_unique<Datos>();
    if (d_->abierto)
        fallar(plataforma::numero::ObjetoAbierto,
               QStringLiteral("No se permite realizar esta operación si el objeto está abierto."));
    auto propia = std::make_unique<Connection>();
    propia->Open(textoConexion);
    abrirEn(source, *propia, cursorType, lockType);
    d_->propia = std::move(propia);
}

void Recordset::abrirEn(const QString& source, Connection& activa, long cursorType, long lockType) {
    activa.errors().Clear();
    TrazaSql::anotar(source);
    auto resultado = activa.interna().ejecutarTexto(source);
    if (!resultado.filas) return;  // a command without rows leaves the recordset closed
    d_->tomarTabla(std::move(*resultado.filas));
    d_->cursorType = cursorType < 0 ? cursor::ForwardOnly : cursorType;
    d_->lockType = lockType < 0 ? bloqueo::ReadOnly : lockType;
    d_->conexion = &activa;
    d_->vida = activa.interna().vida;
    d_->tablaOrigen = d_->lockType == bloqueo::ReadOnly ? QString() : OrigenActualizable::tabla(source);
    apuntarCampos();
}

void Recordset::Close() {
    exigirAbierto();
    if (d_->edicion != Datos::Edicion::Ninguna) noPermitido();
    const long cursorType = d_->cursorType, lockType = d_->lockType;
    d_ = std::make_unique<Datos>();  // an own connection closes with it
    d_->cursorType = cursorType;
    d_->lockType = lockType;
}

long Recordset::State() const { return d_ && d_->abierto ? estado::Abierto : estado::Cerrado; }

bool Recordset::BOF() const {
    exigirAbierto();
    return d_->tabla.filas.empty() || d_->posicion < 0;
}

bool Recordset::EOF_() const {
    exigirAbierto();
    return d_->tabla.filas.empty() || d_->posicion >= static_cast<qsizetype>(d_->tabla.filas.size());
}

long Recordset::RecordCount() const {
    exigirAbierto();
    return static_cast<long>(d_->tabla.filas.size());
}

long Recordset::CursorType() const { return d_ ? d_->cursorType : cursor::ForwardOnly; }
long Recordset::LockType() const { return d_ ? d_->lockType : bloqueo::ReadOnly; }

void Recordset::setCursorType(long c) {
    if (State() == estado::Abierto)
        fallar(plataforma::numero::ObjetoAbierto,
               QStringLiteral("No se permite realizar esta operación si el objeto está abierto."));
    if (!d_) d_ = std::make_unique<Datos>();
    d_->cursorType = c;
}

void Recordset::setLockType(long l) {
    if (State() == estado::Abierto)
        fallar(plataforma::numero::ObjetoAbierto,
               QStringLiteral("No se permite realizar esta operación si el objeto está abierto."));
    if (!d_) d_ = std::make_unique<Datos>();
    d_->lockType = l;
}

void Recordset::terminarEdicionPendiente() {
    // Moving away from a changed row writes it, as ADO does.
    if (d_->edicion != Datos::Edicion::Ninguna) Update();
}

void Recordset::MoveFirst() {
    exigirAbierto();
    terminarEdicionPendiente();
    d_->posicion = 0;
    apuntarCampos();
}

void Recordset::MoveLast() {
    exigirAbierto();
    terminarEdicionPendiente();
    d_->posicion = d_->tabla.filas.empty() ? 0 : static_cast<qsizetype>(d_->tabla.filas.size()) - 1;
    apuntarCampos();
}

void Recordset::MoveNext() {
    exigirAbierto();
    if (EOF_()) sinRegistroActual();
    terminarEdicionPendiente();
    ++d_->posicion;
    apuntarCampos();
}

void Recordset::MovePrevious() {
    exigirAbierto();
    if (BOF()) sinRegistroActual();
    terminarEdicionPendiente();
    --d_->posicion;
    apuntarCampos();
}

long Recordset::FieldCount() const {
    exigirAbierto();
    return static_cast<long>(d_->campos.size());
}

Field& Recordset::Fields(long indice) {
    exigirAbierto();
    if (indice < 0 || indice >= FieldCount())
        fallar(plataforma::numero::ElementoNoEncontrado,
               QStringLiteral("No se encontró el elemento en la colección que corresponde al nombre o al ordinal "
                              "solicitado."));
    return d_->campos[static_cast<std::size_t>(indice)];
}

Field& Recordset::Fields(const QString& nombre) {
    exigirAbierto();
    for (Field& f : d_->campos)
        if (f.Name().compare(nombre.trimmed(), Qt::CaseInsensitive) == 0) return f;
    fallar(plataforma::numero::ElementoNoEncontrado,
           QStringLiteral("No se encontró el elemento en la colección que corresponde al nombre o al ordinal "
                          "solicitado (%1).").arg(nombre));
}

Connection& Recordset::conexionViva() const {
    if (!d_->conexion || d_->vida.expired() || d_->conexion->State() != estado::Abierto)
        fallar(plataforma::numero::ConexionCerrada,
               QStringLiteral("La conexión no se puede usar para realizar esta operación. Está cerrada o no es "
                              "válida en este contexto."));
    return *d_->conexion;
}

void Recordset::AddNew() {
    exigirAbierto();
    if (d_->lockType == bloqueo::ReadOnly || d_->tablaOrigen.isEmpty()) noPermitido();
    terminarEdicionPendiente();
    d_->posicionAntesDeAgregar = d_->posicion;
    d_->tabla.filas.emplace_back(d_->campos.size());
    d_->posicion = static_cast<qsizetype>(d_->tabla.filas.size()) - 1;
    d_->asignados.assign(d_->campos.size(), false);
    d_->edicion = Datos::Edicion::Agregando;
    apuntarCampos();
}

void Recordset::asignarCampo(Field& campo, const Variant& valor) {
    exigirAbierto();
    if (d_->lockType == bloqueo::ReadOnly || d_->tablaOrigen.isEmpty()) noPermitido();
    if (!d_->enFila()) sinRegistroActual();
    const auto indice = static_cast<std::size_t>(&campo - d_->campos.data());
    auto& fila = d_->tabla.filas[static_cast<std::size_t>(d_->posicion)];
    if (d_->edicion == Datos::Edicion::Ninguna) {
        d_->original = fila;
        d_->asignados.assign(d_->campos.size(), false);
        d_->edicion = Datos::Edicion::Cambiando;
    }
    fila[indice] = valor;
    d_->asignados[indice] = true;
}

void Recordset::Update() {
    exigirAbierto();
    if (d_->edicion == Datos::Edicion::Ninguna) return;
    conexionViva().errors().Clear();
    if (d_->edicion == Datos::Edicion::Agregando) insertarFila();
    else actualizarFila();
    d_->edicion = Datos::Edicion::Ninguna;
    d_->original.clear();
}

void Recordset::insertarFila() {
    Connection& c = conexionViva();
    const Proveedor& p = *c.interna().proveedor;
    const auto& fila = d_->tabla.filas[static_cast<std::size_t>(d_->posicion)];
    QStringList columnas, marcas;
    odbc::ParametrosOdbc parametros;
    // Only the assigned columns: every other one keeps its default.
    for (std::size_t i = 0; i < d_->campos.size(); ++i) {
        if (!d_->asignados[i]) continue;
        columnas << p.citar(d_->campos[i].Name());
        marcas << QStringLiteral("?");
        parametros.agregar(fila[i], destinoDe(d_->tabla.columnas[i]));
    }
    const QString tabla = p.citar(d_->tablaOrigen);
    const QString sentencia = columnas.isEmpty()
                                  ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(tabla)
                                  : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                        .arg(tabla, columnas.join(QStringLiteral(", ")), marcas.join(QStringLiteral(", ")));
    c.interna().ejecutarConParametros(sentencia, parametros);
}

void Recordset::actualizarFila() {
    Connection& c = conexionViva();
    Connection::Interna& interna = c.interna();
    const Proveedor& p = *interna.proveedor;
    const auto& fila = d_->tabla.filas[static_cast<std::size_t>(d_->posicion)];
    QStringList asignaciones, condiciones;
    odbc::ParametrosOdbc parametros;
    for (std::size_t i = 0; i < d_->campos.size(); ++i) {
        if (!d_->asignados[i]) continue;
        asignaciones << p.citar(d_->campos[i].Name()) + QStringLiteral(" = ?");
        parametros.agregar(fila[i], destinoDe(d_->tabla.columnas[i]));
    }
    if (asignaciones.isEmpty()) return;
    // The row is found by its primary key, or failing one by every value it
    // was read with.
    const QStringList clave = interna.clavePrimaria(d_->tablaOrigen);
    for (std::size_t i = 0; i < d_->campos.size(); ++i) {
        const QString& nombre = d_->campos[i].Name();
        if (!clave.isEmpty() && !clave.contains(nombre, Qt::CaseInsensitive)) continue;
        if (d_->original[i].esNulo()) {
            condiciones << p.citar(nombre) + QStringLiteral(" IS NULL");
            continue;
        }
        condiciones << p.citar(nombre) + QStringLiteral(" = ?");
        parametros.agregar(d_->original[i], destinoDe(d_->tabla.columnas[i]));
    }
    const QString sentencia = QStringLiteral("UPDATE %1 SET %2 WHERE %3")
                                  .arg(p.citar(d_->tablaOrigen), asignaciones.join(QStringLiteral(", ")),
                                       condiciones.join(QStringLiteral(" AND ")));
    if (interna.ejecutarConParametros(sentencia, parametros) == 0) {
        Error e{plataforma::numero::FilaNoLocalizada,
                QStringLiteral("No se encuentra la fila para actualizarla. Algunos valores pueden haber cambiado "
                               "desde la última lectura."),
                QStringLiteral("HY000"), 0, {}};
        interna.verificador().fallar(e);
    }
}

void Recordset::CancelUpdate() {
    exigirAbierto();
    if (d_->edicion == Datos::Edicion::Agregando) {
        d_->tabla.filas.pop_back();
        d_->posicion = d_->posicionAntesDeAgregar;
    } else if (d_->edicion == Datos::Edicion::Cambiando) {
        d_->tabla.filas[static_cast<std::size_t>(d_->posicion)] = d_->original;
    }
    d_->edicion = Datos::Edicion::Ninguna;
    d_->original.clear();
    apuntarCampos();
}

bool Recordset::EditandoFila() const { return d_ && d_->edicion != Datos::Edicion::Ninguna; }

}  // namespace ado
