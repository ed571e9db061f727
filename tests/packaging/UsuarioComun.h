#pragma once

#include <QString>
#include <QStringList>

#include <sys/types.h>

namespace prueba {

// An account that is not root, to run a program as a workstation's user
// does: the test's own account when it is not root; under root "nobody",
// reached through setpriv.
class UsuarioComun {
public:
    UsuarioComun();

    // False only when the test runs as root and cannot drop to another user.
    bool disponible() const { return motivo_.isEmpty(); }
    const QString& motivo() const { return motivo_; }

    // The program and arguments that run `programa` as this user.
    QString orden() const;
    QStringList argumentos(const QString& programa, const QStringList& suyos) const;

    // Makes `ruta` and everything under it this user's.
    bool adueniarse(const QString& ruta) const;

private:
    bool cambia_ = false;
    uid_t uid_ = 0;
    gid_t gid_ = 0;
    QString motivo_;
};

}  // namespace prueba
