#pragma once

#include <QByteArray>
#include <QString>

namespace prueba {

// Sets an environment variable for the life of the object and puts back what
// was there before (or removes it).
class EntornoTemporal {
public:
    EntornoTemporal(const char* nombre, const QString& valor)
        : nombre_(nombre), habia_(qEnvironmentVariableIsSet(nombre)), anterior_(qgetenv(nombre)) {
        qputenv(nombre_, valor.toLocal8Bit());
    }
    ~EntornoTemporal() {
        if (habia_)
            qputenv(nombre_, anterior_);
        else
            qunsetenv(nombre_);
    }
    EntornoTemporal(const EntornoTemporal&) = delete;
    EntornoTemporal& operator=(const EntornoTemporal&) = delete;

private:
    const char* nombre_;
    bool habia_;
    QByteArray anterior_;
};

}  // namespace prueba
