// The registered message presenter and its standard-error fallback.
#include "framework/Dialogs.h"

#include <cstdio>

namespace framework {
namespace {
MessagePresenter& Presenter() {
    static MessagePresenter presenter;
    return presenter;
}

// Latin-1 range passes through; the fallback only has to be readable, not exact.
std::string ToUtf8Lossy(const std::string& text) {
    std::string out;
    for (unsigned char c : text) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c >= 0xC0) { // А..я
            const unsigned code = 0x410 + (c - 0xC0);
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += '?';
        }
    }
    return out;
}
} // namespace

void SetMessagePresenter(MessagePresenter presenter) { Presenter() = std::move(presenter); }

DialogAnswer ShowMessageDialog(MessageKind kind, const std::string& text) {
    if (Presenter())
        return Presenter()(kind, text);
    std::fprintf(stderr, "%s\n", ToUtf8Lossy(text).c_str());
    return kind == MessageKind::Confirmation ? DialogAnswer::Yes : DialogAnswer::Ok;
}

} // namespace framework
