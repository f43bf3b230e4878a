// The skin record: its command table, section names, kinds, suspensions, hover under a modal
// window, and the bound caption's place.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QEnterEvent>

#include <functional>
#include <memory>

#include "TestControls.h"
#include "TestSkin.h"
#include "skin/pixels/RectClip.h"
#include "skin/render/sControlAccess.h"
#include "framework/core/SkinCommand.h"
#include "skin/controls/sBoundLabel.h"
#include "skin/data/sSkinModelLookups.h"
#include "skin/render/sGlow.h"
#include "skin/data/sSkinCommands.h"

namespace skin::testing {
namespace {

std::intptr_t Send(QObject* target, int command, int argument = 0, std::intptr_t lParam = 0) {
    return framework::SendSkinCommand(target, command, argument, lParam);
}

std::intptr_t AsLParam(const void* pointer) { return reinterpret_cast<std::intptr_t>(pointer); }

class CommonData : public ::testing::Test {
protected:
    void SetUp() override {
        window_ = std::make_unique<QWidget>();
        window_->resize(200, 120);
    }
    // A painted control in a flat container, its cache fresh.
    TTestControl* PaintedControl(const std::string& section = "TESTFLAT") {
        auto* panel = new TTestControl(window_.get(), 51, "TESTFLAT");
        panel->setGeometry(0, 0, 200, 120);
        auto* control = new TTestControl(panel, 93, section);
        control->setGeometry(10, 10, 61, 29);
        ShowExposed(window_.get());
        control->PrepareCache();
        return control;
    }
    std::unique_ptr<QWidget> window_;
};

// One command sent to a control with a fresh cache: its answer and what it changed.
struct CommandCase {
    const char* Name;
    int Command;
    int Argument;
    std::function<std::intptr_t(TTestControl&)> LParam;
    std::function<std::intptr_t(TTestControl&)> Expected;
    std::function<bool(TTestControl&)> Effect;
};

TsSkinManager* Manager() { return &TestManager(); }

// The rebuilds a control had made when the command of a row was sent.
int gRebuildsBefore = 0;

TEST_F(CommonData, CommandTable) {
    static Bitmap32 printTarget(4, 4);
    static TvlSectionInfo newSection{-1, "edit", 0};
    static std::int32_t sectionIndex = -7;
    static TsSkinManager other;
    const auto none = [](TTestControl&) { return std::intptr_t(0); };
    const auto zero = [](TTestControl&) { return std::intptr_t(0); };
    const auto one = [](TTestControl&) { return std::intptr_t(1); };
    const auto nothing = [](TTestControl&) { return true; };
    const auto manager = [](TTestControl&) { return AsLParam(Manager()); };
    const std::vector<CommandCase> cases = {
        {"IsSkinned", SKC_IS_SKINNED, 0, none, one, nothing},
        {"SetUpdatingOn", SKC_SET_UPDATING, 1, none, zero, [](TTestControl& c) { return c.SkinData.UpdateLock; }},
        {"SetUpdatingOff", SKC_SET_UPDATING, 0, none, zero, [](TTestControl& c) { return !c.SkinData.UpdateLock; }},
        {"TransparentLock", SKC_SET_TRANSPARENT_LOCK, 1, none, zero,
         [](TTestControl& c) { return c.SkinData.FollowParent; }},
        {"IsPreparingWhenFresh", SKC_IS_PREPARING, 0, none, zero, nothing},
        {"HalfVisible", SKC_GET_HALF_VISIBLE, 0, none,
         [](TTestControl& c) { return std::intptr_t(c.SkinData.HalfVisible); },
         nothing},
        {"SetSection", SKC_SET_SECTION, 0, [](TTestControl&) { return AsLParam(&newSection); }, one,
         [](TTestControl& c) { return c.SkinData.SkinSection() == "EDIT" && c.SkinData.Section() != nullptr; }},
        {"SetSectionWithoutInfo", SKC_SET_SECTION, 0, none, zero,
         [](TTestControl& c) { return c.SkinData.SkinSection() == "TESTFLAT"; }},
        {"SetBgChanged", SKC_SET_BG_CHANGED, 0, none, zero, [](TTestControl& c) { return c.SkinData.BackgroundStale; }},
        {"SetHalfVisible", SKC_SET_HALF_VISIBLE, 0, none, zero, [](TTestControl& c) { return c.SkinData.HalfVisible; }},
        {"ClearBgChanged", SKC_CLEAR_BG_CHANGED, 0, none, zero,
         [](TTestControl& c) { return !c.SkinData.BackgroundStale && c.Rebuilds == gRebuildsBefore + 1; }},
        {"GetSectionIndex", SKC_GET_SECTION_INDEX, 0, [](TTestControl&) { return AsLParam(&sectionIndex); }, zero,
         [](TTestControl& c) { return sectionIndex == c.SkinData.SectionIndex && sectionIndex >= 0; }},
        {"ClearCache", SKC_CLEAR_CACHE, 0, none, zero,
         [](TTestControl& c) { return c.SkinData.CacheBitmap->Empty() && c.SkinData.BackgroundStale; }},
        {"GetSkinData", SKC_GET_SKIN_DATA, 0, none, [](TTestControl& c) { return AsLParam(&c.SkinData); }, nothing},
        {"PrintDC", SKC_PRINT_DC, 0, [](TTestControl&) { return AsLParam(&printTarget); }, zero,
         [](TTestControl& c) { return c.SkinData.PrintDC == &printTarget && (c.SkinData.ParentBgFlags & pbPrinting); }},
        {"GetApplication", SKC_GET_APPLICATION, 0, none,
         [](TTestControl&) { return AsLParam(QCoreApplication::instance()); }, nothing},
        {"SkinRemovedByOwnManager", SKC_SKIN_REMOVED, 0, manager, zero,
         [](TTestControl& c) {
             return c.SkinData.SectionIndex == -1 && c.SkinData.BorderMaskIndex == -1 && c.SkinData.UpdateLock &&
                    c.SkinData.CacheBitmap->Empty();
         }},
        {"SkinRemovedByAnotherManager", SKC_SKIN_REMOVED, 0, [](TTestControl&) { return AsLParam(&other); }, zero,
         [](TTestControl& c) { return c.SkinData.SectionIndex >= 0 && !c.SkinData.CacheBitmap->Empty(); }},
        {"SkinRefresh", SKC_SKIN_REFRESH, 0, manager, zero,
         [](TTestControl& c) { return c.SkinData.BackgroundStale && !c.SkinData.UpdateLock; }},
        {"SkinLoaded", SKC_SKIN_LOADED, 0, manager, zero,
         [](TTestControl& c) { return c.SkinData.BackgroundStale && c.SkinData.SectionIndex >= 0; }},
        {"ParentBgFlagsOfAPlainControl", SKC_GET_PARENT_BG_FLAGS, 0, none,
         [](TTestControl&) { return std::intptr_t(pbNotComputed); }, nothing},
        {"LeftToOthers", SKC_STOP_FADING, 0, none, zero, nothing},
    };
    for (const CommandCase& row : cases) {
        SCOPED_TRACE(row.Name);
        window_ = std::make_unique<QWidget>();
        window_->resize(200, 120);
        TTestControl* control = PaintedControl();
        control->SkinData.HalfVisible = false;
        gRebuildsBefore = control->Rebuilds;
        const std::intptr_t lParam = row.LParam(*control);
        EXPECT_EQ(Send(control, row.Command, row.Argument, lParam), row.Expected(*control));
        EXPECT_TRUE(row.Effect(*control));
    }
}

TEST_F(CommonData, UpdateSectionRepaintsOnlyThePendingSection) {
    TTestControl* control = PaintedControl();
    PendingSkinWork() = {false, true, "TESTTEXT"};
    Send(control, SKC_UPDATE_SECTION);
    EXPECT_FALSE(control->SkinData.BackgroundStale);
    EXPECT_TRUE(PendingSkinWork().SectionPending);
    PendingSkinWork().Section = "TESTFLAT";
    Send(control, SKC_UPDATE_SECTION);
    EXPECT_TRUE(control->SkinData.BackgroundStale);
    EXPECT_FALSE(PendingSkinWork().SectionPending);
}

TEST_F(CommonData, SectionNamesAreStoredUpperCasedAndEmptyIsUnknown) {
    TTestControl* control = PaintedControl();
    control->SkinData.SetSkinSection("button");
    EXPECT_EQ(control->SkinData.SkinSection(), "BUTTON");
    EXPECT_EQ(control->SkinData.SectionIndex, GetSkinIndex(TestManager().Model(), "BUTTON"));
    EXPECT_TRUE(control->SkinData.IsSkinned());
    control->SkinData.SetSkinSection("");
    EXPECT_EQ(control->SkinData.SkinSection(), "UNKNOWN");
    EXPECT_EQ(control->SkinData.SectionIndex, -1);
    EXPECT_FALSE(control->SkinData.IsSkinned());
    // The control was told that it lost its skin.
    EXPECT_EQ(control->Commands.back(), SKC_SKIN_REMOVED);
}

TEST_F(CommonData, KindChoosesTheSectionWhenNoneIsSet) {
    struct Row {
        int Kind;
        const char* Section;
    };
    for (const Row row : {Row{93, "BUTTON"}, Row{3, "EDIT"}, Row{161, "GAUGE"}, Row{300, "TTESTCONTROL"}}) {
        SCOPED_TRACE(row.Kind);
        TTestControl control(window_.get(), row.Kind, "");
        EXPECT_EQ(control.SkinData.SkinSection(), row.Section);
    }
}

TEST_F(CommonData, IsPreparingWhileTheCacheIsStaleEvenWithoutSuspension) {
    TTestControl* control = PaintedControl();
    EXPECT_EQ(Send(control, SKC_IS_PREPARING), 0);
    control->SkinData.BackgroundStale = true;
    EXPECT_FALSE(control->SkinData.UpdateLock);
    EXPECT_EQ(Send(control, SKC_IS_PREPARING), 1);
    // A child of a preparing parent must wait.
    auto* child = new TTestControl(control, 93, "BUTTON");
    EXPECT_TRUE(child->SkinData.IsUpdating());
}

TEST_F(CommonData, NestedSuspensionsNeedAsManyResumptions) {
    TTestControl* control = PaintedControl();
    control->Commands.clear();
    control->SkinData.SuspendPainting();
    control->SkinData.SuspendPainting();
    EXPECT_EQ(control->SkinData.UpdateDepth, 2);
    EXPECT_TRUE(control->SkinData.ParentBgFlags & pbSuspended);
    control->SkinData.ResumePainting(true);
    // The first resumption clears the lock already but announces nothing.
    EXPECT_FALSE(control->SkinData.UpdateLock);
    EXPECT_EQ(control->Commands, (std::vector<int>{SKC_PAINT_SUSPENDED, SKC_PAINT_SUSPENDED}));
    control->SkinData.ResumePainting(true);
    EXPECT_EQ(control->Commands.back(), SKC_PAINT_RESUMED);
    EXPECT_EQ(control->SkinData.UpdateDepth, 0);
    EXPECT_FALSE(control->SkinData.ParentBgFlags & pbSuspended);
    // A resumption too many owes nothing later.
    control->SkinData.ResumePainting(false);
    EXPECT_EQ(control->SkinData.UpdateDepth, 0);
}

TEST_F(CommonData, HoverOfEditsUnderAModalWindowIsIgnored) {
    auto* edit = new TTestControl(window_.get(), kKindEdit, "EDIT");
    edit->setGeometry(20, 20, 61, 21);
    ShowExposed(window_.get());
    QDialog modal;
    modal.setModal(true);
    modal.show();
    ASSERT_EQ(QApplication::activeModalWidget(), &modal);
    QEnterEvent enter(QPointF(5, 5), QPointF(25, 25), QPointF(25, 25));
    QCoreApplication::sendEvent(edit, &enter);
    EXPECT_FALSE(edit->SkinData.MouseOver);
    EXPECT_FALSE(edit->SkinData.IsActive());
    EXPECT_EQ(edit->SkinData.GlowHandle, -1);
    modal.hide();
    QCoreApplication::sendEvent(edit, &enter);
    EXPECT_TRUE(edit->SkinData.MouseOver);
    EXPECT_TRUE(edit->SkinData.IsActive());
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(edit, &leave);
    EXPECT_FALSE(edit->SkinData.MouseOver);
}

TEST_F(CommonData, EditKindsTakeTheSkinColoursAndSwitchLooksOnFocus) {
    auto* edit = new TTestControl(window_.get(), kKindEdit, "TESTFLAT");
    const TColor normal = TestManager().Model().gd[std::size_t(edit->SkinData.SectionIndex)].Props[TsLook::Normal].Color;
    EXPECT_EQ(ControlAccess().Color(edit), normal);
    edit->setFocusPolicy(Qt::StrongFocus);
    ShowExposed(window_.get());
    QFocusEvent in(QEvent::FocusIn);
    QCoreApplication::sendEvent(edit, &in);
    EXPECT_TRUE(edit->SkinData.Focused);
    EXPECT_TRUE(edit->SkinData.IsActive());
    QFocusEvent out(QEvent::FocusOut);
    QCoreApplication::sendEvent(edit, &out);
    EXPECT_FALSE(edit->SkinData.Focused);
}

TEST_F(CommonData, ChildrenOfASizedGradientParentAreAskedWhetherTheyDependOnIt) {
    // FORMTITLE has a gradient: its children may show part of it and must follow a resize.
    auto* parent = new TTestControl(window_.get(), 51, "FORMTITLE");
    parent->setGeometry(0, 0, 150, 60);
    auto* child = new TTestControl(parent, 93, "TEST100");
    child->setGeometry(5, 5, 40, 20);
    ShowExposed(window_.get());
    child->PrepareCache();
    child->Commands.clear();
    parent->resize(160, 60);
    EXPECT_NE(std::find(child->Commands.begin(), child->Commands.end(), SKC_BG_CHANGED_IF_NEEDED),
              child->Commands.end());
    // A fully transparent child depends on its parent's image.
    EXPECT_TRUE(child->SkinData.DependsOnParent());
    EXPECT_TRUE(child->SkinData.BackgroundStale);
}

TEST(BoundLabel, LeftLayoutCentresTheLabelOneAboveTheMiddle) {
    // An edit 21 pixels high, a label 13 pixels high: 3 pixels below the edit's top.
    EXPECT_EQ(BoundLabelPlace(TsCaptionLayout::sclLeft, RectAt(100, 40, 80, 21), QSize(30, 13), 0).Y, 43);
    EXPECT_EQ(BoundLabelPlace(TsCaptionLayout::sclLeft, RectAt(100, 40, 80, 21), QSize(30, 13), 2).X, 100 - 30 - 4 - 2);
    EXPECT_EQ(BoundLabelPlace(TsCaptionLayout::sclTopCenter, RectAt(100, 40, 80, 21), QSize(30, 13), 1).X, 125);
    EXPECT_EQ(BoundLabelPlace(TsCaptionLayout::sclBottomRight, RectAt(100, 40, 80, 21), QSize(30, 13), 1).Y, 62);

    QWidget window;
    auto* edit = new TTestControl(&window, kKindEdit, "EDIT");
    edit->setObjectName(QStringLiteral("sEdit1"));
    edit->setGeometry(100, 40, 80, 21);
    TsBoundLabel bound(edit, &edit->SkinData);
    bound.SetActive(true);
    ShowExposed(&window);
    bound.UpdatePosition();
    TsEditLabel* label = bound.Label();
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), QStringLiteral("sEdit1"));
    EXPECT_EQ(label->objectName(), QStringLiteral("sEdit1Label"));
    EXPECT_EQ(label->parentWidget(), &window);
    EXPECT_EQ(label->x(), 100 - label->width() - 4);
    EXPECT_EQ(label->y(), 40 + (21 - label->height()) / 2 - 1);
    EXPECT_TRUE(label->alignment() & Qt::AlignRight);
    // The label follows the edit's place and enabling.
    edit->move(120, 60);
    bound.EditChanged(std::make_unique<QEvent>(QEvent::Move).get());
    EXPECT_EQ(label->x(), 120 - label->width() - 4);
    edit->setEnabled(false);
    QEvent enabled(QEvent::EnabledChange);
    bound.EditChanged(&enabled);
    EXPECT_FALSE(label->isEnabled());
    bound.SetEnabledAlways(true);
    EXPECT_TRUE(label->isEnabled());
    bound.SetActive(false);
    EXPECT_EQ(bound.Label(), nullptr);
}

} // namespace
} // namespace skin::testing
