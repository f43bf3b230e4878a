// Test entry for the widget tests: one application object for the whole run.
#include "framework/widgets/Application.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // Real widgets without a display, also when CTest lists the tests at build time.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    framework::TApplication application(argc, argv);
    application.SetTitle(QStringLiteral("Tovrin tests"));
    return RUN_ALL_TESTS();
}
