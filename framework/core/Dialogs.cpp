// The registered message presenter and its standard-error fallback.
#include "framework/core/Dialogs.h"

#include "framework/base/Cp1251.h"

#include <cstdio>

namespace framework {
namespace {
MessagePresenter& Presenter() {
    static MessagePresenter presenter;
    return presenter;
}
} // namespace

void SetMessagePresenter(MessagePresenter presenter) { Presenter() = std::move(presenter); }

DialogAnswer ShowMessageDialog(MessageKind kind, const std::string& text) {
    if (Presenter())
        return Presenter()(kind, text);
    std::fprintf(stderr, "%s\n", Cp1251ToUtf8(text).c_str());
    return kind == MessageKind::Confirmation ? DialogAnswer::Yes : DialogAnswer::Ok;
}

} // namespace framework
