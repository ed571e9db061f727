#include "EntornoPruebas.h"

#include <QByteArray>
#include <QtGlobal>
#include <clocale>

namespace prueba {

void fijarEntorno() {
    qputenv("LANG", "es_AR.UTF-8");
    qputenv("LC_ALL", "es_AR.UTF-8");
    std::setlocale(LC_ALL, "");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("QUINTARO_DEMO_SQL")) qputenv("QUINTARO_DEMO_SQL", QUINTARO_DEMO_SQL_FUENTE);
}

}  // namespace prueba
