// The newest-number pattern on main pages, and the probe's effect on the range controls.
#include "tests/support/DemoSiteProcess.h"
#include "RecordingView.h"
#include "scanner/NewestNumberPattern.h"
#include "scanner/ScanRun.h"

#include <gtest/gtest.h>

namespace scanner {
namespace {

TEST(NewestNumberPattern, Cases) {
    struct Case {
        const char* what;
        std::string page;
        std::optional<std::string> expected;
    };
    const Case cases[] = {
        {"two line feeds", "<ul><li>\n\n<a href=\"/4711\" title=\"a.rar\">", "4711"},
        {"no line feed after <li>", "<li><a href=\"/1\" title=\"x\">", std::nullopt},
        {"CR LF does not match; the next item does", "<li>\r\n<a href=\"/5\" title=\"\"><li>\n<a href=\"/6\" title=\"\">", "6"},
        {"CR LF only", "<li>\r\n<a href=\"/5\" title=\"\">", std::nullopt},
        {"leftmost match", "<li>\n<a href=\"/9\" title=\"\"><li>\n<a href=\"/10\" title=\"\">", "9"},
        {"lazy group stops at the first closing text", "<li>\n<a href=\"/12\" title=\"a\" title=\"b\">", "12"},
        {"the group spans line breaks (dot matches all)", "<li>\n<a href=\"/1\n2\" title=\"\">", "1\n2"},
        {"the group may hold anything", "<li>\n<a href=\"/main\" title=\"\">", "main"},
        {"case-sensitive", "<LI>\n<a href=\"/3\" title=\"\">", std::nullopt},
        {"high bytes are single characters", "<li>\n<a href=\"/\xC0\xFF\" title=\"\">", "\xC0\xFF"},
        {"empty text", "", std::nullopt},
    };
    NewestNumberPattern pattern;
    for (const Case& c : cases)
        EXPECT_EQ(pattern.Search(c.page), c.expected) << c.what;
}

class ProbeTest : public ::testing::Test {
protected:
    void SetUp() override {
        NewestNumber.clear();
        MainPageText.clear();
    }
};

TEST_F(ProbeTest, SetsLimitsRangeEndAndRemainingCountFromTheDemoSite) {
    testing_support::DemoSiteProcess site({"--newest", "137"});
    testing::RecordingView view;
    ProbeNewestNumber(view, site.Host());
    EXPECT_EQ(NewestNumber, "137");
    EXPECT_EQ(view.rangeStartMax, 136);
    EXPECT_EQ(view.rangeEndMax, 137);
    EXPECT_EQ(view.rangeEnd, "137");
    EXPECT_EQ(view.panels[3], "137");
    EXPECT_EQ(view.rangeStart, "1"); // not brought within the new limit
    EXPECT_TRUE(view.log.empty());
    EXPECT_EQ(view.messagePumps, 1);
    EXPECT_FALSE(MainPageText.empty());
}

TEST_F(ProbeTest, UnreachableSiteLogsOneLineAndFailsTheConversion) {
    testing::RecordingView view;
    try {
        ProbeNewestNumber(view, "127.0.0.1:1");
        FAIL() << "no failure";
    } catch (const framework::EConvertError& failure) {
        EXPECT_STREQ(failure.what(), "'' is not a valid integer value");
    }
    ASSERT_EQ(view.log.size(), 1u);
    EXPECT_NE(view.log[0].find(" - "), std::string::npos);
    EXPECT_EQ(view.rangeEnd, "0"); // design values stay
    EXPECT_EQ(view.panels[3], "0");
    // Every later change of the range start fails the same way.
    EXPECT_THROW(view.SetRangeStartText("5"), framework::EConvertError);
}

TEST_F(ProbeTest, RemainingCountReadsPanelOneNotTheEdit) {
    NewestNumber = "100";
    testing::RecordingView view;
    view.panels[1] = "40";
    view.SetRangeStartText("90");
    EXPECT_EQ(view.panels[3], "60");
}

} // namespace
} // namespace scanner
