#pragma once

#include "platform/ado/odbc/ManejadorOdbc.h"

#include <QStringList>
#include <vector>

namespace ado::odbc {

// The ODBC environment of one connection, set to ODBC 3 behaviour.
class EntornoOdbc {
public:
    EntornoOdbc();

    SQLHENV get() const { return h_.get(); }
    bool valido() const { return static_cast<bool>(h_); }

    // The names of the drivers registered with the driver manager.
    QStringList controladores() const;

    // A data source registered with the driver manager (the user's and the
    // system's odbc.ini) and the driver it names.
    struct OrigenDatos {
        QString nombre;
        QString controlador;
    };
    std::vector<OrigenDatos> origenesDeDatos() const;

private:
    ManejadorOdbc<SQL_HANDLE_ENV> h_;
};

}  // namespace ado::odbc
