// Events and line lists of the standard controls.
#include "framework/widgets/StdCtrls.h"

#include "framework/widgets/Application.h"
#include "framework/widgets/Forms.h"
#include "framework/widgets/QtText.h"

#include <QKeyEvent>
#include <QPainter>
#include <QStyle>
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

TLabel::TLabel(QWidget* parent) : QLabel(parent) {
    MarkWindowless(this);
    // Drawn into its container's image (or over its parent on screen), never filling its own box.
    setAttribute(Qt::WA_NoSystemBackground);
}

void TLabel::SetShowAccelChar(bool show) {
    if (show == showAccelChar_)
        return;
    showAccelChar_ = show;
    FitWidthToText();
    update();
}

int TLabel::TextFlags() const {
    int flags = int(alignment());
    if (wordWrap())
        flags |= Qt::TextWordWrap;
    if (showAccelChar_)
        flags |= Qt::TextShowMnemonic;
    return flags;
}

void TLabel::setText(const QString& text) {
    QLabel::setText(text);
    FitWidthToText();
}

void TLabel::FitWidthToText() {
    if (wordWrap() || text().isEmpty())
        return;
    const QMargins margins = contentsMargins();
    const int needed = fontMetrics().size(TextFlags(), text()).width() + margins.left() + margins.right();
    const int grow = needed - width();
    if (grow <= 0)
        return;
    const bool rightAligned = (QStyle::visualAlignment(layoutDirection(), alignment()) & Qt::AlignRight) != 0;
    setGeometry(rightAligned ? x() - grow : x(), y(), needed, height());
}

bool TLabel::event(QEvent* event) {
    const bool handled = QLabel::event(event);
    if (event->type() == QEvent::Polish || event->type() == QEvent::FontChange)
        FitWidthToText();
    return handled;
}

void TLabel::paintEvent(QPaintEvent*) {
    // The framework's own label painting: the text in the font's colour, mnemonics as asked.
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(contentsRect(), TextFlags(), text());
}

void TLabel::SetFontColor(TColor color) {
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, ToQColor(color));
    setPalette(palette);
}

TGroupBox::TGroupBox(QWidget* parent) : QGroupBox(parent) {}

} // namespace framework
