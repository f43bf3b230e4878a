// Test entry for the widget tests: one application object for the whole run; "--update-golden"
// rewrites the golden images instead of comparing them.
#include "framework/widgets/Application.h"
#include "tests/support/GoldenImages.h"

#include <gtest/gtest.h>

#include <cstring>

int main(int argc, char** argv) {
    // Real widgets without a display, also when CTest lists the tests at build time.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--update-golden") == 0)
            testing_support::SetUpdateGolden(true);
    framework::TApplication application(argc, argv);
    application.SetTitle(QStringLiteral("Tovrin tests"));
    return RUN_ALL_TESTS();
}
