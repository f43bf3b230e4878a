// The painting road's tests run on real widgets on the offscreen platform, with the window faces
// registered and the widget answers of the skin engine installed.
#include <gtest/gtest.h>

#include "TestSkin.h"
#include "framework/widgets/Application.h"
#include "skin/window/sWidgetAccess.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    framework::TApplication application(argc, argv);
    skin::InstallWidgetAccess();
    skin::testing::TestManager();
    return RUN_ALL_TESTS();
}
