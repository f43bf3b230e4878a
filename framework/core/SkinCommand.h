// The private message through which skinned windows talk to each other (type 0xA100), and
// the list of the application's top-level windows that the skin manager announces to.
// Qt Core only, so that the skin data can use it without the widget layer.
#pragma once

#include <QEvent>
#include <QObject>

#include <cstdint>
#include <functional>
#include <vector>

namespace framework {

inline constexpr QEvent::Type kSkinCommandEventType = static_cast<QEvent::Type>(0xA100);

class SkinCommandEvent : public QEvent {
public:
    SkinCommandEvent(int command, int argument, std::intptr_t lParam)
        : QEvent(kSkinCommandEventType), command_(command), argument_(argument), lParam_(lParam) {}

    int Command() const { return command_; }
    int Argument() const { return argument_; }
    std::intptr_t LParam() const { return lParam_; }
    std::intptr_t Result() const { return result_; }
    void SetResult(std::intptr_t result) { result_ = result; }

private:
    int command_;
    int argument_;
    std::intptr_t lParam_;
    std::intptr_t result_ = 0;
};

// Delivers the command synchronously; a window that does not handle it answers 0.
std::intptr_t SendSkinCommand(QObject* target, int command, int argument = 0, std::intptr_t lParam = 0);

// For a widget's event(): when event is a skin command and handle(command, argument, lParam,
// result) takes it (returns true), the result is answered and true returned; otherwise false
// and the event goes on as any other.
template <class Handle>
bool AnswerSkinCommand(QEvent* event, Handle&& handle) {
    if (event->type() != kSkinCommandEventType)
        return false;
    auto* command = static_cast<SkinCommandEvent*>(event);
    std::intptr_t result = 0;
    if (!handle(command->Command(), command->Argument(), command->LParam(), result))
        return false;
    command->SetResult(result);
    return true;
}

// The same for a widget whose handler is one of its member functions.
template <class Widget>
bool AnswerSkinCommand(QEvent* event, Widget* widget,
                       bool (Widget::*handle)(int, int, std::intptr_t, std::intptr_t&)) {
    return AnswerSkinCommand(event, [widget, handle](int command, int argument, std::intptr_t lParam,
                                                     std::intptr_t& result) {
        return (widget->*handle)(command, argument, lParam, result);
    });
}

// The widget layer registers how to list the application's top-level windows (forms first,
// in creation order); without a registration the list is empty.
using TopLevelWindowLister = std::function<std::vector<QObject*>()>;
void SetTopLevelWindowLister(TopLevelWindowLister lister);
std::vector<QObject*> TopLevelWindows();

} // namespace framework
