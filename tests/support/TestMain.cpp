#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
    // Set before the application object exists, so discovery runs and plain runs are headless alike.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
