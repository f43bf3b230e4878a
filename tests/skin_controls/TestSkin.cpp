// The test run's skin manager: the internal skin loaded as the window loads it, plus test sections.
#include "TestSkin.h"

#include <QCoreApplication>

#include <vector>

#include "resources/MainSkinManager.h"

namespace skin::testing {

namespace {

const std::vector<std::string> kTestSections = {
    "[TESTFLAT]", "STATES=2", "COLOR=13107200", "HOTCOLOR=13107200",
    "[TEST100]", "STATES=2", "COLOR=255", "TRANSPARENCY=100", "HOTCOLOR=255", "HOTTRANSPARENCY=100",
    "[TEST40]", "STATES=2", "COLOR=200", "TRANSPARENCY=40", "HOTCOLOR=200", "HOTTRANSPARENCY=40",
    "[TESTTEXT]", "STATES=2", "COLOR=16777215", "HOTCOLOR=16777215", "FONTCOLOR=255", "HOTFONTCOLOR=255",
    "[TESTCONTOURS]", "STATES=2", "COLOR=16777215", "HOTCOLOR=16777215", "FONTCOLOR=0", "TCLEFT=255",
    "TCTOP=65280", "TCRIGHT=16711680", "TCBOTTOM=65535", "HOTFONTCOLOR=0",
    "[TESTGLOW]", "STATES=2", "COLOR=16777215", "HOTCOLOR=16777215", "FONTCOLOR=0", "GCOL=16711680", "GSIZE=4",
    "[TESTGIVER]", "STATES=2", "COLOR=13107200", "HOTCOLOR=13107200", "FONTCOLOR=65280", "HOTFONTCOLOR=65280",
    "GIVEOWNFONT=1",
    "[TESTSEETHROUGH]", "STATES=2", "COLOR=0", "TRANSPARENCY=100", "HOTTRANSPARENCY=100", "FONTCOLOR=16711680",
    "[TESTCHECK]", "STATES=3", "COLOR=0", "TRANSPARENCY=100", "HOTTRANSPARENCY=100", "FONTCOLOR=255",
    "HOTFONTCOLOR=255",
    "[TESTFADE]", "STATES=3", "COLOR=0", "HOTCOLOR=16777215", "FADINGENABLED=1", "FADINGITERATIONS=10",
    "[TESTNOFADE]", "STATES=3", "COLOR=0", "HOTCOLOR=16777215", "FADINGITERATIONS=10",
};

} // namespace

TsSkinManager& TestManager() {
    static TsSkinManager* manager = [] {
        auto* created = new TsSkinManager(QCoreApplication::instance());
        created->BeginLoading();
        // The common sections are in place before the skin name loads the skin.
        created->SetCommonSections(kTestSections);
        created->SetSkinDirectory("/nonexistent/tovrin-skins");
        ApplyMainSkinManagerProperties(*created);
        created->EndLoading();
        return created;
    }();
    return *manager;
}

} // namespace skin::testing
