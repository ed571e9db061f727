// The window tests need a QApplication alive for every test; they run on the
// offscreen platform unless another is named.

#include "support/EntornoPruebas.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    prueba::fijarEntorno();
    QApplication aplicacion(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
