// Events and line lists of the standard controls.
#include "framework/widgets/StdCtrls.h"

#include "framework/widgets/Application.h"
#include "framework/widgets/Forms.h"
#include "framework/widgets/QtText.h"

#include <QKeyEvent>
#include <QTextBlock>

namespace framework {

TButton::TButton(QWidget* parent) : QPushButton(parent) {
    setAutoDefault(false);
    connect(this, &QPushButton::clicked, this, &TButton::Clicked);
}

void TButton::Clicked() {
    if (modalResult_ != 0)
        if (TForm* form = GetParentForm(this))
            form->SetModalResult(modalResult_);
    if (OnClick)
        CallSafely([this] { OnClick(this); });
}

void TButton::Click() {
    if (isEnabled())
        click();
}

void SetControlColor(QWidget* control, TColor color) {
    QPalette palette = control->palette();
    palette.setColor(QPalette::Base, ToQColor(color));
    control->setPalette(palette);
}

TEdit::TEdit(QWidget* parent) : QLineEdit(parent) {
    connect(this, &QLineEdit::textChanged, this, [this] {
        if (OnChange)
            CallSafely([this] { OnChange(this); });
    });
}

void TEdit::SetMaxLength(int length) { setMaxLength(length <= 0 ? kUnlimited : length); }

void TEdit::keyPressEvent(QKeyEvent* event) {
    if (FireKeyDown(OnKeyDown, this, *event))
        return;
    QLineEdit::keyPressEvent(event);
}

TMemo::TMemo(QWidget* parent) : QPlainTextEdit(parent) {
    setLineWrapMode(QPlainTextEdit::NoWrap);
}

int TMemo::LineCount() const { return document()->isEmpty() ? 0 : document()->blockCount(); }

std::vector<std::string> TMemo::Lines() const {
    std::vector<std::string> lines;
    if (document()->isEmpty())
        return lines;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next())
        lines.push_back(FromQString(block.text()));
    return lines;
}

void TMemo::AddLine(const std::string& line) { appendPlainText(ToQString(line)); }

std::string TMemo::Text() const {
    std::string text;
    for (const std::string& line : Lines())
        text += line + "\r\n";
    return text;
}

void TMemo::keyPressEvent(QKeyEvent* event) {
    if (FireKeyDown(OnKeyDown, this, *event))
        return;
    QPlainTextEdit::keyPressEvent(event);
}

TLabel::TLabel(QWidget* parent) : QLabel(parent) { MarkWindowless(this); }

void TLabel::SetFontColor(TColor color) {
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, ToQColor(color));
    setPalette(palette);
}

TGroupBox::TGroupBox(QWidget* parent) : QGroupBox(parent) {}

} // namespace framework
