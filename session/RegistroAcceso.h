#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace datos { class DB_Dll; }

namespace sesion {

class Global;

// Records this use of the program in the usage log: one row of
// Control_Acceso with the machine, the user, the program, the menu task the
// user's rights name for it and the time. Every step passes over its failures
// silently; a failure of the row itself is reported by the script runner.
// An empty `formulario` stands for the program's executable.
void RegistrarAcceso(Global& global, const QString& formulario);

// A column waiting for its statement, with its value as an SQL literal.
struct CampoPendiente {
    QString nombre;
    QString literal;
};
using CamposPendientes = std::vector<CampoPendiente>;

// Adds a column to the pending list (`nuevaLista` starts the list afresh).
// Single quotes are removed from `valor`, also in the caller's variable; a
// value reading "null" in any case becomes SQL Null.
void AgregarCampo(CamposPendientes& campos, datos::DB_Dll& sesion, const QString& nombre,
                  QString& valor, const QString& comilla, bool nuevaLista);

// Appends "INSERT INTO <tabla> (names) VALUES (literals)" to the statement
// list, followed by an empty entry; unless `conservar`, the pending list is
// reset to one empty entry.
void ArmarSentencia(CamposPendientes& campos, QStringList& sentencias, const QString& tabla,
                    bool conservar);

}  // namespace sesion
