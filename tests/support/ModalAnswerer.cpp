// Finding the active modal window and pressing its button.
#include "tests/support/ModalAnswerer.h"

#include "framework/widgets/ControlClasses.h"
#include "framework/widgets/MessageForm.h"
#include "framework/widgets/StdCtrls.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>

namespace testing_support {

namespace {
constexpr int kPollMs = 5;
}

ModalAnswerer::ModalAnswerer() {
    timer_.setInterval(kPollMs);
    QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
    timer_.start();
}

ModalAnswerer::~ModalAnswerer() { timer_.stop(); }

void ModalAnswerer::Poll() {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || !modal->isVisible())
        return;
    AnsweredDialog dialog;
    dialog.className = framework::ClassName(modal);
    dialog.caption = modal->windowTitle();
    if (auto* form = qobject_cast<framework::TMessageForm*>(modal)) {
        dialog.text = form->MessageLabel()->text();
        dialog.hasIcon = form->Image() != nullptr;
    }
    auto* button = modal->findChild<QPushButton*>();
    if (button == nullptr)
        return;
    answered_.push_back(dialog);
    button->click();
}

} // namespace testing_support
