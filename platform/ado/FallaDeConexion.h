#pragma once

#include "platform/RuntimeError.h"
#include "platform/ado/Errors.h"

namespace ado {

// A failure that the layer itself finds before or around a driver call (a
// missing database file, no installed driver, a commit without transaction):
// it carries the diagnostic record that goes into the connection's Errors,
// and is raised to the caller as the run-time error of that record.
class FallaDeConexion : public plataforma::RuntimeError {
public:
    explicit FallaDeConexion(Error error)
        : plataforma::RuntimeError(error.Number, error.Description, error.Source), error_(std::move(error)) {}

    const Error& error() const { return error_; }

    static Error registro(const QString& sqlState, long nativo, const QString& descripcion, const QString& origen) {
        return Error{numeroAdoDeSqlState(sqlState), descripcion, sqlState, nativo, origen};
    }
    // The record of a connection attempt that cannot succeed (no driver, no
    // database): ADO's number for a failed connection, whatever the state.
    static Error alConectar(const QString& sqlState, long nativo, const QString& descripcion,
                            const QString& origen) {
        return Error{plataforma::numero::FallaProveedor, descripcion, sqlState, nativo, origen};
    }

private:
    Error error_;
};

}  // namespace ado
