#include "session/utility_component/DatosEquipo.h"

#include "platform/Aplicacion.h"

#include <QSysInfo>
#include <QtGlobal>

#include <pwd.h>
#include <unistd.h>

#include <vector>

namespace utilidades {

QString DatosEquipo::nombreMaquina() const {
    return QSysInfo::machineHostName();
}

QString DatosEquipo::usuarioEstacion() const {
    // The account the program runs under; the environment only when the
    // account database does not know it.
    long largo = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> espacio(largo > 0 ? static_cast<std::size_t>(largo) : 16384);
    passwd registro{};
    passwd* encontrado = nullptr;
    if (getpwuid_r(geteuid(), &registro, espacio.data(), espacio.size(), &encontrado) == 0 &&
        encontrado != nullptr && encontrado->pw_name != nullptr)
        return QString::fromLocal8Bit(encontrado->pw_name);
    const QString usuario = qEnvironmentVariable("USER");
    return usuario.isEmpty() ? qEnvironmentVariable("LOGNAME") : usuario;
}

QString DatosEquipo::carpetaLogErrores() const {
    return plataforma::carpetaTemporal();
}

}  // namespace utilidades
