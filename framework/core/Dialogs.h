// How non-visual code shows a message to the user without depending on the widget layer:
// the widget framework registers its message dialogs here at start-up; until then (and in
// command-line tools) messages go to standard error.
#pragma once

#include <functional>
#include <string>

namespace framework {

enum class MessageKind { Information, Warning, Error, Confirmation };

// The answer of a dialog; Confirmation dialogs answer Yes or No, the others Ok.
enum class DialogAnswer { Ok, Yes, No };

// text is an 8-bit Windows-1251 text.
using MessagePresenter = std::function<DialogAnswer(MessageKind kind, const std::string& text)>;

void SetMessagePresenter(MessagePresenter presenter);
// Shows the message modally and returns the answer; without a presenter it prints the text
// (converted to UTF-8) to standard error and answers Ok (Yes for a confirmation).
DialogAnswer ShowMessageDialog(MessageKind kind, const std::string& text);

} // namespace framework
