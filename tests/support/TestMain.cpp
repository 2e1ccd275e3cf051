#include "common/widgets/AltKeyFilter.h"

#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
    // Set before the application object exists, so discovery runs and plain runs are headless alike.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // Every window under test meets the keys as the program's windows do.
    amb::InstallAltKeyFilter(app);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
