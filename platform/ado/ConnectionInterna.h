#pragma once

#include "platform/ado/Connection.h"
#include "platform/ado/Proveedor.h"
#include "platform/ado/TablaDatos.h"
#include "platform/ado/odbc/ConexionOdbc.h"
#include "platform/ado/odbc/EntornoOdbc.h"
#include "platform/ado/odbc/ParametrosOdbc.h"
#include "platform/ado/odbc/VerificadorOdbc.h"

#include <QHash>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>

namespace ado {

namespace odbc {
class SentenciaOdbc;
}

// The live part of a Connection, shared with the recordsets opened on it:
// the ODBC environment and connection, the provider, the properties, and the
// statement runs. Every failure lands in the connection's Errors and raises.
struct Connection::Interna {
    explicit Interna(Errors& lista) : errores(lista), vida(std::make_shared<int>(0)) {}

    struct Resultado {
        std::optional<TablaDatos> filas;  // of the first statement that produced any
        long afectadas = -1;              // -1 when no statement reported a count
    };

    bool abierta() const { return conexion.has_value(); }
    // Raises 3709 (recorded in the errors) when the connection is closed.
    void exigirAbierta() const;
    void abrir(const QString& texto, const QString& usuario, const QString& contrasena);
    void cerrar();

    odbc::VerificadorOdbc verificador() const;

    // A command or query text as the caller wrote it; the provider cuts and
    // rewrites it when its engine needs that.
    Resultado ejecutarTexto(const QString& texto);
    // One statement exactly as the driver gets it.
    Resultado ejecutarSentencia(const QString& sentencia);
    // One statement with markers and the values that go into them; answers
    // the rows it affected.
    long ejecutarConParametros(const QString& sentencia, odbc::ParametrosOdbc& parametros);

    // The connection's own transaction (BeginTrans ... CommitTrans /
    // RollbackTrans), and the nesting count of the transaction statements of
    // command texts on the embedded engine, counted as SQL Server counts them.
    void comenzar();
    void confirmar();
    void deshacer();
    void comenzarDesdeTexto();
    void confirmarDesdeTexto();
    void deshacerDesdeTexto();

    TablaDatos tablas(const QStringList& restricciones);
    TablaDatos columnas(const QStringList& restricciones);
    QStringList clavePrimaria(const QString& tabla);

    void aplicarAislamiento();
    void aplicarBaseActual();

    Errors& errores;
    odbc::EntornoOdbc entorno;
    std::unique_ptr<Proveedor> proveedor;
    std::optional<odbc::ConexionOdbc> conexion;

    QString connectionString;
    long cursorLocation = 2;
    long commandTimeout = 30;
    long connectionTimeout = 15;
    long isolationLevel = aislamiento::LecturaConfirmada;
    QString defaultDatabase;
    int anidamiento = 0;  // open transaction levels; 0 means autocommit

    // Recordsets keep a weak copy: once the connection is gone, they know.
    std::shared_ptr<int> vida;

private:
    // The four restrictions of a catalogue call (the fourth is the table
    // type for tables, the column name for columns).
    struct RestriccionesOdbc {
        std::optional<QString> catalogo, esquema, objeto, cuarta;
    };
    TablaDatos leerCatalogo(const QStringList& restricciones, bool cuartaEsNombre,
                            const std::function<void(odbc::SentenciaOdbc&, const RestriccionesOdbc&)>& llamar,
                            std::initializer_list<std::pair<const char*, const char*>> nombresAdo);
    QString tipoDeclarado(const QString& tabla, const QString& columna);
    QString reescrita(const QString& sentencia);
    void fallarTransaccion(long nativo, const QString& descripcion) const;
    void exigirTransaccion(bool abierta) const;
    void terminar(bool confirmarla);

    QHash<QString, QHash<QString, QString>> tiposDeclarados_;
};

}  // namespace ado
