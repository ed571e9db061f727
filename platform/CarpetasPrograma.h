#pragma once

#include <QString>

namespace plataforma {

// Where the program finds the files it ships with and where it keeps the
// files it writes, decided in one place for the whole program:
//
// - QUINTARO_CARPETA names a folder: that one folder for everything (the
//   tests, and a copy kept in a folder of its own as on the suite's Windows
//   workstations);
// - an installed copy, whose executable finds its shipped data folder
//   (<prefix>/share/quintaro beside <prefix>/bin): the files it only reads
//   (skins, demo scripts, help) come from there, the files it writes
//   (connection list, error log, lookup definitions and widths, skin choice,
//   demo databases) live in the user's data folder, $XDG_DATA_HOME/quintaro
//   or ~/.local/share/quintaro, since the prefix belongs to root and is
//   shared by every user of the workstation;
// - anything else (a copy run from its build folder): the executable's own
//   folder for everything.
//
// Every folder ends in "/".
class CarpetasPrograma {
public:
    // What the decision depends on.
    struct Entorno {
        QString carpetaEjecutable;  // the running executable's folder
        QString carpetaElegida;     // QUINTARO_CARPETA, empty when unset
        QString datosUsuario;       // XDG_DATA_HOME, empty when unset
        QString casa;               // the user's home folder
    };

    // The decision for this process: its executable and its environment.
    static CarpetasPrograma delProceso();
    static CarpetasPrograma segun(const Entorno& entorno);

    // The program itself and the programs it starts live here.
    const QString& ejecutables() const { return ejecutables_; }
    // Files shipped with the program, only ever read.
    const QString& instalados() const { return instalados_; }
    // Files the program writes and reads back.
    const QString& propios() const { return propios_; }
    // True for an installed copy, whose own files live apart from the program.
    bool instalada() const { return instalada_; }

    // Creates the folder of the program's own files when it is missing, for
    // its owner alone (the connection list keeps passwords); false when it
    // cannot be made. The other folders are never created.
    bool crearPropios() const;

    // The shipped data folder as the build installs it, relative to the
    // executable's folder ("../share/quintaro").
    static QString datosRelativosAlEjecutable();

private:
    QString ejecutables_;
    QString instalados_;
    QString propios_;
    bool instalada_ = false;
};

}  // namespace plataforma
