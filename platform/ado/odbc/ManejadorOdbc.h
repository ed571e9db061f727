#pragma once

#include <sql.h>
#include <sqlext.h>

#include <utility>

namespace ado::odbc {

// Owns one ODBC handle of the given type and frees it on destruction.
// Move-only: a handle is never shared between two owners.
template <SQLSMALLINT Tipo>
class ManejadorOdbc {
public:
    ManejadorOdbc() = default;
    // Allocates a handle under `padre` (SQL_NULL_HANDLE for an environment).
    // Answers an empty owner when the driver manager refuses.
    static ManejadorOdbc asignar(SQLHANDLE padre) {
        ManejadorOdbc m;
        if (!SQL_SUCCEEDED(SQLAllocHandle(Tipo, padre, &m.h_))) m.h_ = nullptr;
        return m;
    }
    ~ManejadorOdbc() { liberar(); }
    ManejadorOdbc(ManejadorOdbc&& otro) noexcept : h_(std::exchange(otro.h_, nullptr)) {}
    ManejadorOdbc& operator=(ManejadorOdbc&& otro) noexcept {
        if (this != &otro) {
            liberar();
            h_ = std::exchange(otro.h_, nullptr);
        }
        return *this;
    }
    ManejadorOdbc(const ManejadorOdbc&) = delete;
    ManejadorOdbc& operator=(const ManejadorOdbc&) = delete;

    SQLHANDLE get() const { return h_; }
    explicit operator bool() const { return h_ != nullptr; }
    static constexpr SQLSMALLINT tipo() { return Tipo; }

private:
    void liberar() {
        if (h_ != nullptr) SQLFreeHandle(Tipo, h_);
        h_ = nullptr;
    }
    SQLHANDLE h_ = nullptr;
};

}  // namespace ado::odbc
