#pragma once

#include <QString>
#include <vector>

namespace ado {

// One diagnostic record of the most recent command, as ADO's Error object.
struct Error {
    long Number = 0;        // ADO's number, mapped from the SQLSTATE class
    QString Description;
    QString SQLState;
    long NativeError = 0;   // the engine's own number (normalised on the embedded engine)
    QString Source;
};

// The connection's error list. It holds the diagnostics of the most recent
// command, query or opening only: the connection clears it when one starts.
class Errors {
public:
    long Count() const { return static_cast<long>(lista_.size()); }
    const Error& Item(long indice) const;  // raises 3265 when out of range
    void Clear() { lista_.clear(); }
    void Add(Error e) { lista_.push_back(std::move(e)); }

    auto begin() const { return lista_.begin(); }
    auto end() const { return lista_.end(); }

private:
    std::vector<Error> lista_;
};

// ADO's number for an ODBC SQLSTATE of a command's diagnostic. The
// diagnostics of a failed connection attempt all carry the unspecified
// failure instead, whatever their state (a login time-out is HYT00).
long numeroAdoDeSqlState(const QString& sqlState);

// Whether the diagnostics of a failed connection attempt say that the server
// could not be reached: no answer in time (HYT00, HYT01), no link or a
// broken one (class 08), as opposed to a server that answered and refused
// the login or the database (28xxx, 08004) or a workstation without the
// driver (IM002). Every record counts, not only the first: Microsoft's
// driver reports "Login timeout expired" (HYT00) before the network error.
bool servidorInalcanzable(const Errors& diagnosticos);

}  // namespace ado
