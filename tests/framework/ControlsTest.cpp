// Class names and platform classes, colours and metrics, key mapping, fonts, and the standard
// controls' own behaviour (memo line list, report columns, status panels, pages).
#include "framework/widgets/ComCtrls.h"
#include "framework/widgets/ControlClasses.h"
#include "framework/widgets/Fonts.h"
#include "framework/widgets/Graphics.h"
#include "framework/widgets/QtText.h"
#include "framework/widgets/StdCtrls.h"
#include "framework/widgets/SystemMetrics.h"
#include "skin/controls/sButton.h"
#include "skin/controls/sGauge.h"
#include "skin/controls/sLabel.h"
#include "skin/controls/sMemo.h"
#include "tests/support/UrlRecorder.h"

#include <QComboBox>
#include <QDialog>
#include <QFontDatabase>
#include <QTabBar>

#include <gtest/gtest.h>

#include <memory>

using namespace framework;

TEST(ControlClassesTest, FrameworkAndPlatformClassNames) {
    struct Case {
        std::unique_ptr<QWidget> widget;
        const char* className;
        const char* platformClass;
        bool windowless;
    };
    Case cases[] = {
        {std::make_unique<TButton>(), "TButton", "button", false},
        {std::make_unique<skin::TsButton>(), "TsButton", "button", false},
        {std::make_unique<TEdit>(), "TEdit", "edit", false},
        {std::make_unique<skin::TsMemo>(), "TsMemo", "edit", false},
        {std::make_unique<TLabel>(), "TLabel", "static", true},
        {std::make_unique<skin::TsWebLabel>(), "TsWebLabel", "static", true},
        {std::make_unique<TListView>(), "TListView", "syslistview32", false},
        {std::make_unique<skin::TsGauge>(), "TsGauge", "", true},
        {std::make_unique<QComboBox>(), "QComboBox", "combobox", false},
        {std::make_unique<QTabBar>(), "QTabBar", "systabcontrol32", false},
        {std::make_unique<QDialog>(), "QDialog", "#32770", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ClassName(c.widget.get()), QString::fromLatin1(c.className));
        EXPECT_EQ(PlatformClassName(c.widget.get()), QString::fromLatin1(c.platformClass)) << c.className;
        EXPECT_EQ(IsWindowless(c.widget.get()), c.windowless) << c.className;
    }
    skin::TsButton button;
    EXPECT_TRUE(InheritsClass(&button, QStringLiteral("TButton")));
    EXPECT_FALSE(InheritsClass(&button, QStringLiteral("TEdit")));
}

TEST(GraphicsTest, SystemColoursResolveToTheUsualValues) {
    struct Case {
        TColor color;
        TColor rgb;
    };
    const Case cases[] = {
        {clBtnFace, TColor{0xF0F0F0}}, {clWindow, TColor{0xFFFFFF}}, {clWindowText, TColor{0x000000}}, {clHighlight, TColor{0xD77800}},
        {clBtnShadow, TColor{0xA0A0A0}}, {clGrayText, TColor{0x6D6D6D}}, {clInfoBk, TColor{0xE1FFFF}},
        {clBlue, TColor{0xFF0000}}, {clMaroon, TColor{0x000080}},
        {TColor{0x12345678}, TColor{0x345678}}, // no system flag: the low 24 bits
        {TColor{0xFF0000FF}, TColor{0x000000}}, // an index past the table
    };
    for (const Case& c : cases)
        EXPECT_EQ(ResolveColor(c.color), c.rgb) << std::hex << ColorBits(c.color);
    EXPECT_EQ(ToQColor(clBlue), QColor(0, 0, 255));
    EXPECT_EQ(FromQColor(QColor(0x11, 0x22, 0x33)), TColor{0x332211});
}

TEST(SystemMetricsTest, UsualValues) {
    struct Case {
        SystemMetric metric;
        int value;
    };
    const Case cases[] = {{SM_CXVSCROLL, 17}, {SM_CYCAPTION, 23}, {SM_CXFRAME, 4}, {SM_CXDLGFRAME, 3},
                          {SM_CXEDGE, 2},     {SM_CXSMICON, 16},  {SM_CYMENU, 20}};
    for (const Case& c : cases)
        EXPECT_EQ(GetSystemMetrics(c.metric), c.value) << c.metric;
    EXPECT_GT(GetSystemMetrics(SM_CXSCREEN), 0);
}

TEST(ControlsTest, VirtualKeysAndShiftState) {
    struct Case {
        int qtKey;
        unsigned short vk;
    };
    const Case cases[] = {{Qt::Key_A, 0x41}, {Qt::Key_Z, 0x5A}, {Qt::Key_5, 0x35}, {Qt::Key_Up, VK_UP},
                          {Qt::Key_Down, VK_DOWN}, {Qt::Key_Return, VK_RETURN}, {Qt::Key_F2, 0x71},
                          {Qt::Key_Escape, VK_ESCAPE}, {Qt::Key_unknown, 0}};
    for (const Case& c : cases)
        EXPECT_EQ(VirtualKeyOf(c.qtKey), c.vk) << c.qtKey;
    EXPECT_EQ(ShiftStateOf(Qt::ControlModifier | Qt::ShiftModifier), TShiftState(ssCtrl) | ssShift);
}

TEST(FontsTest, WineFacesRegisterAndAMissingFolderFallsBack) {
    const FontRegistration found = RegisterSystemFonts();
    EXPECT_EQ(found.registered.size(), 4) << "fonts-wine installed?";
    EXPECT_TRUE(found.missing.isEmpty());
    EXPECT_TRUE(QFontDatabase::families().contains(QStringLiteral("Tahoma")));

    const FontRegistration none = RegisterSystemFonts(QStringLiteral("/nonexistent-font-folder"));
    EXPECT_TRUE(none.registered.isEmpty());
    EXPECT_EQ(none.missing, (QStringList{"Tahoma", "Tahoma Bold", "Webdings", "MS Sans Serif"}));
    QFont::removeSubstitutions(QStringLiteral("Tahoma"));
    QFont::removeSubstitutions(QStringLiteral("Webdings"));
    QFont::removeSubstitutions(QStringLiteral("MS Sans Serif"));
}

TEST(QtTextTest, Windows1251CrossesTheWidgetBoundaryBothWays) {
    const std::string bytes = "\xCF\xE0\xF0\xF1\xE8\xEC: \xB9 1"; // "Парсим: № 1"
    EXPECT_EQ(ToQString(bytes), QStringLiteral("Парсим: № 1"));
    EXPECT_EQ(FromQString(QStringLiteral("Парсим: № 1")), bytes);
    EXPECT_EQ(Cp1251Literal("Текст"), "\xD2\xE5\xEA\xF1\xF2");
}

TEST(MemoTest, LineListAppendsAndTextEndsEveryLineWithCrLf) {
    TMemo memo;
    EXPECT_EQ(memo.LineCount(), 0);
    memo.AddLine("first");
    memo.AddLine(Cp1251Literal("вторая"));
    EXPECT_EQ(memo.Lines(), (std::vector<std::string>{"first", Cp1251Literal("вторая")}));
    EXPECT_EQ(memo.Text(), "first\r\n" + Cp1251Literal("вторая") + "\r\n");
    memo.ClearLines();
    EXPECT_TRUE(memo.Lines().empty());
}

TEST(ListViewTest, FixedColumnsWithAlignmentsAndRows) {
    TListView view;
    view.AddColumn(QStringLiteral("№"), 30, taLeftJustify);
    view.AddColumn(QStringLiteral("ID"), 65, taCenter);
    EXPECT_EQ(view.ColumnCount(), 2);
    EXPECT_EQ(view.ColumnWidth(1), 65);
    EXPECT_EQ(view.ColumnAlignment(1), taCenter);
    view.AddItem(QStringLiteral("1"), {QStringLiteral("42")});
    EXPECT_EQ(view.ItemCount(), 1);
    EXPECT_EQ(view.ItemText(0, 1), QStringLiteral("42"));
    EXPECT_EQ(view.topLevelItem(0)->textAlignment(1), int(Qt::AlignHCenter | Qt::AlignVCenter));
    view.ClearItems();
    EXPECT_EQ(view.ItemCount(), 0);
}

TEST(StatusBarTest, PanelsSitSideBySideAndTheLastReachesTheEdge) {
    TStatusBar bar;
    bar.resize(455, 19);
    for (int width : {57, 90, 65, 135, 50})
        bar.AddPanel(QString(), width);
    EXPECT_EQ(bar.PanelRect(1), QRect(57, 0, 90, 19));
    EXPECT_EQ(bar.PanelRect(3), QRect(212, 0, 135, 19));
    EXPECT_EQ(bar.PanelRect(4), QRect(347, 0, 108, 19));
    bar.SetPanelText(3, QStringLiteral("200"));
    EXPECT_EQ(bar.PanelText(3), QStringLiteral("200"));
    bar.SetPanelText(9, QStringLiteral("ignored"));
    EXPECT_EQ(bar.PanelText(9), QString());
}

TEST(PageControlTest, OnlyTheActivePageShowsAndTheTabBarSwitches) {
    TPageControl pages;
    pages.resize(454, 193);
    auto* first = new TTabSheet(&pages);
    auto* second = new TTabSheet(&pages);
    second->SetCaption(QStringLiteral("Текст"));
    pages.show();
    EXPECT_EQ(pages.ActivePageIndex(), 0);
    EXPECT_EQ(first->geometry(), QRect(4, 24, 446, 165));
    int changes = 0;
    pages.OnChange = [&](QObject*) { ++changes; };
    pages.TabBar()->setCurrentIndex(1);
    EXPECT_EQ(pages.ActivePageIndex(), 1);
    EXPECT_TRUE(second->isVisible());
    EXPECT_FALSE(first->isVisible());
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(pages.TabBar()->tabText(1), QStringLiteral("Текст"));
}

TEST(WebLabelTest, OnlyHttpAndHttpsAddressesAreOpened) {
    struct Case {
        const char* address;
        bool openable;
    };
    const Case cases[] = {
        {"https://tovrin.test", true}, {"http://tovrin.test/a?b=1", true}, {"HTTP://TOVRIN.TEST", true},
        {"file:///etc/passwd", false}, {"javascript:alert(1)", false},    {"ftp://tovrin.test", false},
        {"tovrin.test", false},        {"http://", false},                {"", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(skin::TsWebLabel::IsOpenableAddress(QString::fromLatin1(c.address)), c.openable) << c.address;

    // The desktop is asked only for the allowed schemes.
    testing_support::UrlRecorder recorder({"http", "https", "file", "javascript"});
    skin::TsWebLabel label;
    label.SetURL(QStringLiteral("file:///etc/passwd"));
    EXPECT_FALSE(label.Open());
    label.SetURL(QStringLiteral("https://tovrin.test"));
    EXPECT_TRUE(label.Open());
    EXPECT_EQ(recorder.opened, (QList<QUrl>{QUrl(QStringLiteral("https://tovrin.test"))}));
}
