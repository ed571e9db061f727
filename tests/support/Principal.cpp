// main of the test programs without windows.

#include "EntornoPruebas.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    prueba::fijarEntorno();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
