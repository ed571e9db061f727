#pragma once

#include <QMap>
#include <QString>
#include <QTemporaryDir>

namespace prueba {

// This build installed with "cmake --install" into a temporary prefix that
// is then made read-only, as /usr is for a workstation's users. Removed with
// the object.
class CopiaInstalada {
public:
    CopiaInstalada();
    ~CopiaInstalada();
    CopiaInstalada(const CopiaInstalada&) = delete;
    CopiaInstalada& operator=(const CopiaInstalada&) = delete;

    bool valida() const { return error_.isEmpty(); }
    const QString& error() const { return error_; }

    QString prefijo() const { return carpeta_.path(); }
    QString programa() const { return carpeta_.filePath(QStringLiteral("bin/quintaro")); }

    // Every file and folder under the prefix with its size, time and
    // permissions: two states differ when anything there changed.
    QMap<QString, QString> estado() const;

private:
    void permitirEscritura(bool permitir) const;

    QTemporaryDir carpeta_;
    QString error_;
};

}  // namespace prueba
