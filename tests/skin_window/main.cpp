// The frame tests run on real widgets on the offscreen platform (which composites, so forms get
// extended borders), with the program's default shadow pictures, the skin engine's widget
// answers and window hook, and a skin manager streamed as the main window's is.
#include <gtest/gtest.h>

#include "FrameTestSupport.h"
#include "framework/widgets/Application.h"
#include "resources/DefaultShadowPictures.h"
#include "skin/window/sWidgetAccess.h"
#include "skin/window/vlDials.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    framework::TApplication application(argc, argv);
    application.SetTitle(QString::fromLatin1(skin::testing::kCaption));
    skin::InstallDefaultShadowPictures();
    skin::InstallWidgetAccess();
    skin::InstallWindowHook();
    skin::testing::MainManager();
    return RUN_ALL_TESTS();
}
