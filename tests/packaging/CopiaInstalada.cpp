#include "CopiaInstalada.h"

#include "support/Ordenes.h"

#include <QDateTime>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace prueba {

namespace {

constexpr QFileDevice::Permissions Escritura =
    QFileDevice::WriteOwner | QFileDevice::WriteUser | QFileDevice::WriteGroup | QFileDevice::WriteOther;

QDirIterator todoBajo(const QString& carpeta) {
    return QDirIterator(carpeta, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
}

}  // namespace

CopiaInstalada::CopiaInstalada() {
    if (!carpeta_.isValid()) {
        error_ = carpeta_.errorString();
        return;
    }
    const Resultado instalacion =
        correr(QStringLiteral(QUINTARO_CMAKE),
               {QStringLiteral("--install"), QStringLiteral(QUINTARO_CONSTRUCCION), QStringLiteral("--prefix"), prefijo()});
    if (instalacion.codigo != 0) {
        error_ = QStringLiteral("cmake --install: ") + instalacion.salida;
        return;
    }
    // Everyone may read and enter it, nobody may write.
    QFile::setPermissions(prefijo(), QFile::permissions(prefijo()) | QFileDevice::ReadOther | QFileDevice::ExeOther
                                         | QFileDevice::ReadGroup | QFileDevice::ExeGroup);
    permitirEscritura(false);
}

CopiaInstalada::~CopiaInstalada() { permitirEscritura(true); }

void CopiaInstalada::permitirEscritura(bool permitir) const {
    const auto cambiar = [permitir](const QString& ruta) {
        const QFileDevice::Permissions actuales = QFile::permissions(ruta);
        QFile::setPermissions(ruta, permitir ? actuales | QFileDevice::WriteOwner | QFileDevice::WriteUser
                                             : QFileDevice::Permissions::fromInt(actuales.toInt() & ~Escritura.toInt()));
    };
    QDirIterator todo = todoBajo(prefijo());
    while (todo.hasNext()) {
        const QString ruta = todo.next();
        if (!QFileInfo(ruta).isSymLink()) cambiar(ruta);
    }
    cambiar(prefijo());
}

QMap<QString, QString> CopiaInstalada::estado() const {
    QMap<QString, QString> estado;
    QDirIterator todo = todoBajo(prefijo());
    while (todo.hasNext()) {
        const QFileInfo f(todo.next());
        estado.insert(f.filePath(), QStringLiteral("%1 %2 %3")
                                        .arg(f.size())
                                        .arg(f.lastModified().toMSecsSinceEpoch())
                                        .arg(f.permissions().toInt(), 0, 16));
    }
    return estado;
}

}  // namespace prueba
