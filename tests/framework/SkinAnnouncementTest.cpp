// The skin manager's announcement reaching the framework's own controls: a windowless TLabel
// under a skinned container is called directly, through the mark the framework sets.
#include "framework/core/SkinCommand.h"
#include "framework/widgets/Forms.h"
#include "framework/widgets/StdCtrls.h"
#include "resources/MainSkinManager.h"

#include <QWidget>

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr int kSkinLoaded = 1;
constexpr int kIsSkinned = 7;

// A container that says it is skinned, as a skinned panel does.
class SkinnedContainer : public QWidget {
public:
    using QWidget::QWidget;

protected:
    bool event(QEvent* event) override {
        if (event->type() == framework::kSkinCommandEventType) {
            auto* command = static_cast<framework::SkinCommandEvent*>(event);
            if (command->Command() == kIsSkinned)
                command->SetResult(1);
            return true;
        }
        return QWidget::event(event);
    }
};

// Records the skin commands an object receives.
class CommandLog : public QObject {
public:
    std::vector<int> Commands;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == framework::kSkinCommandEventType)
            Commands.push_back(static_cast<framework::SkinCommandEvent*>(event)->Command());
        return false;
    }
};

TEST(SkinAnnouncement, WindowlessLabelUnderASkinnedContainerHearsTheLoadedSkin) {
    framework::TForm form;
    auto* container = new SkinnedContainer(form.client());
    auto* label = new framework::TLabel(container);
    CommandLog log;
    label->installEventFilter(&log);

    QObject owner;
    skin::CreateMainSkinManager(owner); // streams the internal skin and announces it

    EXPECT_EQ(std::count(log.Commands.begin(), log.Commands.end(), kSkinLoaded), 1);
}

} // namespace
