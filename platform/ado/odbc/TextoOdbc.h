#pragma once

#include <sql.h>
#include <sqlext.h>

#include <QString>

namespace ado::odbc {

// How texts travel between the layer and a driver. A driver with a Unicode
// interface takes and gives UTF-16 through the wide calls (the ...W
// functions, SQL_C_WCHAR): accents arrive intact whatever the process's
// locale and the driver's client character set. A driver that has only the
// narrow calls (Debian's sqliteodbc) gets UTF-8 in them and keeps it as it
// is; through the wide calls the driver manager would convert for it in the
// locale's character set, and under the C locale every accent would be lost.
enum class Textos { Anchos, Utf8 };

// unixODBC's SQLWCHAR is UTF-16, the code units QString holds.
static_assert(sizeof(SQLWCHAR) == sizeof(char16_t));

// A text as the argument of a wide call: a copy of its own, terminated by a
// zero, that the driver may read while the call lasts.
class TextoAncho {
public:
    explicit TextoAncho(const QString& texto) : texto_(texto) {}
    SQLWCHAR* puntero() { return reinterpret_cast<SQLWCHAR*>(texto_.data()); }
    // In characters, as the wide calls count.
    qsizetype largo() const { return texto_.size(); }
    // A text that carries a password leaves no copy behind.
    void borrar() { texto_.fill(u'\0'); }

private:
    QString texto_;
};

// A text a wide call wrote: `largo` characters, or up to its terminating
// zero when negative.
inline QString desdeAncho(const SQLWCHAR* texto, qsizetype largo = -1) {
    return QString::fromUtf16(reinterpret_cast<const char16_t*>(texto), largo);
}

}  // namespace ado::odbc
