#include "UsuarioComun.h"

#include <QDirIterator>
#include <QFile>
#include <QStandardPaths>

#include <pwd.h>
#include <unistd.h>

namespace prueba {

UsuarioComun::UsuarioComun() {
    if (geteuid() != 0) return;
    const passwd* nadie = getpwnam("nobody");
    if (nadie == nullptr) {
        motivo_ = QStringLiteral("no existe el usuario nobody");
        return;
    }
    if (QStandardPaths::findExecutable(QStringLiteral("setpriv")).isEmpty()) {
        motivo_ = QStringLiteral("falta setpriv");
        return;
    }
    cambia_ = true;
    uid_ = nadie->pw_uid;
    gid_ = nadie->pw_gid;
}

QString UsuarioComun::orden() const { return cambia_ ? QStringLiteral("setpriv") : QString(); }

QStringList UsuarioComun::argumentos(const QString& programa, const QStringList& suyos) const {
    if (!cambia_) return suyos;
    return QStringList{QStringLiteral("--reuid=%1").arg(uid_), QStringLiteral("--regid=%1").arg(gid_),
                       QStringLiteral("--clear-groups"), QStringLiteral("--"), programa}
           + suyos;
}

bool UsuarioComun::adueniarse(const QString& ruta) const {
    if (!cambia_) return true;
    bool bien = chown(QFile::encodeName(ruta).constData(), uid_, gid_) == 0;
    QDirIterator todo(ruta, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                      QDirIterator::Subdirectories);
    while (todo.hasNext())
        bien = lchown(QFile::encodeName(todo.next()).constData(), uid_, gid_) == 0 && bien;
    return bien;
}

}  // namespace prueba
