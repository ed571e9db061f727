#pragma once

#include "platform/ado/Connection.h"

#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <ostream>

// Failures show texts as texts.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace prueba {

// A fresh embedded database in a temporary folder, made from the test's own
// script, with an open connection to it the way the program opens one: a SQL
// Server connection text whose server is the folder.
class BaseDePrueba : public ::testing::Test {
protected:
    static QString guionBase();
    void SetUp() override;

    QString textoConexion(const QString& base = QStringLiteral("EMPRESA")) const;

    QTemporaryDir carpeta_;
    ado::Connection cnn_;
};

}  // namespace prueba
