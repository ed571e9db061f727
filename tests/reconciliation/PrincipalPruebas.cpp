// The widget tests need a QApplication alive for every test.

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    QApplication aplicacion(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
