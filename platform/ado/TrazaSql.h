#pragma once

#include <QString>

namespace ado {

// The statement trace: when the environment variable QUINTARO_TRAZA_SQL names
// a file, each statement text handed to the layer is appended to it as
// "yyyy-MM-dd hh:mm:ss.zzz " + text + "\n", exactly as the caller wrote it.
// Connection texts are never traced (they carry passwords).
class TrazaSql {
public:
    static void anotar(const QString& sentencia);
};

}  // namespace ado
