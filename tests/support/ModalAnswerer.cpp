// Finding the active modal window and pressing its button.
#include "tests/support/ModalAnswerer.h"

#include "framework/widgets/ControlClasses.h"
#include "framework/widgets/MessageForm.h"
#include "framework/widgets/StdCtrls.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace testing_support {

namespace {
constexpr int kPollMs = 5;
}

ModalAnswerer::ModalAnswerer(ModalAnswer answer) : answer_(answer) {
    timer_.setInterval(kPollMs);
    QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
    timer_.start();
}

ModalAnswerer::~ModalAnswerer() { timer_.stop(); }

void ModalAnswerer::Poll() {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || !modal->isVisible())
        return;
    if (modal == escaped_) {
        // Still open after its Escape: ended by its button, so that the test goes on.
        answered_.back().escapeIgnored = true;
        escaped_ = nullptr;
        if (auto* button = modal->findChild<QPushButton*>())
            button->click();
        return;
    }
    AnsweredDialog dialog;
    dialog.className = framework::ClassName(modal);
    dialog.caption = modal->windowTitle();
    if (const QWindow* window = modal->windowHandle())
        dialog.transientParent = window->transientParent();
    dialog.dialogWindow = modal->windowType() == Qt::Dialog;
    if (auto* form = qobject_cast<framework::TMessageForm*>(modal)) {
        dialog.text = form->MessageLabel()->text();
        dialog.hasIcon = form->Image() != nullptr;
    }
    auto* button = modal->findChild<QPushButton*>();
    if (button == nullptr)
        return;
    answered_.push_back(dialog);
    if (answer_ == ModalAnswer::Escape) {
        // To the control with the focus, as the keyboard would; unhandled, it reaches the form.
        QWidget* focused = modal->focusWidget() != nullptr ? modal->focusWidget() : modal;
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(focused, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(focused, &release);
        escaped_ = modal;
        return;
    }
    button->click();
}

} // namespace testing_support
