#pragma once

#include "platform/ado/Field.h"
#include "platform/ado/Variant.h"

#include <QString>
#include <memory>
#include <vector>

namespace ado {

class Connection;

namespace cursor {
inline constexpr long ForwardOnly = 0, Keyset = 1, Dynamic = 2, Static = 3;
}
namespace bloqueo {
inline constexpr long ReadOnly = 1, Pessimistic = 2, Optimistic = 3, BatchOptimistic = 4;
}
namespace estado {
inline constexpr long Cerrado = 0, Abierto = 1;
}

// A client-side recordset: Open runs the query and fetches every row, so the
// cursor moves freely and the statement handle is gone once Open returns.
// Opened with an updatable lock type on a single-table SELECT, it also adds
// and changes rows (AddNew / field assignment / Update, CancelUpdate).
//
// Every failure raises plataforma::RuntimeError with ADO's number; provider
// failures also leave their diagnostics in the connection's Errors.
class Recordset {
public:
    Recordset();
    ~Recordset();
    Recordset(Recordset&&) noexcept;
    Recordset& operator=(Recordset&&) noexcept;
    Recordset(const Recordset&) = delete;
    Recordset& operator=(const Recordset&) = delete;

    // Runs `source` on `activa` (cleared errors, traced, rewritten for the
    // embedded engine). Raises 3705 when already open, 3709 when the
    // connection is closed. A source that returns no rows leaves the
    // recordset closed. An updatable lock type writes to the table named
    // after FROM.
    void Open(const QString& source, Connection& activa, long cursorType = cursor::ForwardOnly,
              long lockType = bloqueo::ReadOnly, long options = -1);
    // The same on a connection of its own, opened from a connection text and
    // kept until Close.
    void Open(const QString& source, const QString& textoConexion,
              long cursorType = cursor::ForwardOnly, long lockType = bloqueo::ReadOnly,
              long options = -1);
    void Close();  // 3704 when closed; 3219 while an added or changed row is pending

    long State() const;
    bool BOF() const;
    bool EOF_() const;  // EOF is a macro of <cstdio>
    long RecordCount() const;
    long CursorType() const;
    long LockType() const;
    void setCursorType(long c);
    void setLockType(long l);

    void MoveFirst();
    void MoveNext();
    void MovePrevious();
    void MoveLast();

    long FieldCount() const;
    Field& Fields(long indice);            // 3265 when out of range
    Field& Fields(const QString& nombre);  // by name, ignoring case; 3265 when missing
    const Variant& operator[](const QString& nombre) { return Fields(nombre).Value(); }

    // Updatable recordsets.
    void AddNew();
    void Update();        // INSERT of an added row, or UPDATE keyed on the primary key
    void CancelUpdate();
    bool EditandoFila() const;  // an added or changed row is pending

    // Used by the connection to hand over results it produced itself
    // (Execute, OpenSchema).
    struct Datos;
    explicit Recordset(std::unique_ptr<Datos> datos);

private:
    friend class Field;
    void asignarCampo(Field& campo, const Variant& valor);
    void exigirAbierto() const;
    void apuntarCampos();
    void abrirEn(const QString& source, Connection& activa, long cursorType, long lockType);
    void insertarFila();
    void actualizarFila();
    void terminarEdicionPendiente();
    Connection& conexionViva() const;

    std::unique_ptr<Datos> d_;
};

}  // namespace ado
