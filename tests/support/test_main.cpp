// Runs the tests inside a QApplication on Qt's offscreen platform.
#include <QApplication>
#include <cstdlib>

#include <gtest/gtest.h>

int main(int argc, char **argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
