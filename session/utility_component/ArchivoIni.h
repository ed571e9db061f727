#pragma once

#include <QString>

namespace utilidades {

// Reads the suite's INI files the way the workstation's profile functions do:
// sections and keys are found ignoring letter case, the first match wins,
// blanks around names and values are dropped and a value wholly enclosed in
// double quotes loses them. Lines starting with ";" are comments.
class ArchivoIni {
public:
    // The value of `clave` in `seccion` of `archivo`, or `predeterminado` when
    // the file, the section or the key is missing. A file name without a
    // folder is looked for in the program's folder.
    QString leer(const QString& archivo, const QString& seccion, const QString& clave,
                 const QString& predeterminado) const;
};

}  // namespace utilidades
