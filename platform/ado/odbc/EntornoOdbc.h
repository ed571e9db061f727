#pragma once

#include "platform/ado/odbc/ManejadorOdbc.h"

#include <QStringList>

namespace ado::odbc {

// The ODBC environment of one connection, set to ODBC 3 behaviour.
class EntornoOdbc {
public:
    EntornoOdbc();

    SQLHENV get() const { return h_.get(); }
    bool valido() const { return static_cast<bool>(h_); }

    // The names of the drivers registered with the driver manager.
    QStringList controladores() const;

private:
    ManejadorOdbc<SQL_HANDLE_ENV> h_;
};

}  // namespace ado::odbc
