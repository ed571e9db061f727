#pragma once

#include <QString>

namespace utilidades {

// The suite's report component. Start-up gives it the program's folder, where
// the report layouts live.
class Reporte {
public:
    const QString& carpeta() const { return carpeta_; }
    void setCarpeta(const QString& carpeta) { carpeta_ = carpeta; }

private:
    QString carpeta_;
};

}  // namespace utilidades
