#pragma once

#include <QString>

namespace plataforma {

// The run-time's small services that every part of the suite's code leans on,
// kept once here so that they read alike everywhere.

// Whether `buscado` occurs in `texto`, without regard to letter case.
bool contiene(const QString& texto, const QString& buscado);

// Whether two texts are equal without regard to letter case.
bool esIgual(const QString& a, const QString& b);

// The leading number of a text, as the suite reads numbers written in its
// settings and files ("250", " 250 filas", "99.6", ".5"): blanks before it
// skipped, "." as the decimal point whatever the workstation; 0 when the text
// does not start with a number.
double numeroInicial(const QString& texto);

// Whether the file can be opened for reading: every double quote is taken
// out of the path first, as paths copied from the suite's lists carry them.
bool ExisteArchivo(const QString& ruta);

}  // namespace plataforma
