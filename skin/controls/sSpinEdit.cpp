// Value rules, keys, wheel and arrow repeat of the spin edit; plain drawing of the arrows.
#include "skin/controls/sSpinEdit.h"

#include "framework/widgets/Application.h"
#include "framework/widgets/Graphics.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>

namespace skin {
namespace {

// The platform edit's border: the spinner lies inside it, in client coordinates.
constexpr int kEditFrame = 2;
// Distance of the spinner from the edit's right client edge, and its height reduction.
constexpr int kSpinnerRightGap = 4;
constexpr int kSpinnerHeightReduction = 4;
constexpr int kWheelNotch = 120;

constexpr QChar kBackspace(0x08), kTab(0x09), kEnter(0x0D), kEscape(0x1B), kMinus(u'-');
constexpr char16_t kFirstPrintable = 0x20;
constexpr char16_t kDeleteCharacter = 0x7F;

// The arrow triangle: an 9 x 5 cell centred in the arrow.
constexpr int kGlyphCellWidth = 9;
constexpr int kGlyphCellHeight = 5;

bool IsIntegerText(const QString& text) {
    try {
        framework::StrToInt(text.toStdString());
        return true;
    } catch (const framework::EConvertError&) {
        return false;
    }
}

} // namespace

TsTimerSpeedButton::TsTimerSpeedButton(TsSpinButton* spinner, bool isUpArrow)
    : framework::TGraphicControl(spinner), spinner_(spinner), isUpArrow_(isUpArrow) {
    setObjectName(isUpArrow ? QStringLiteral("ArrowUp") : QStringLiteral("ArrowDown"));
    repeatTimer_.setInterval(kFirstRepeatMs);
    connect(&repeatTimer_, &QTimer::timeout, this, [this] {
        repeatTimer_.setInterval(kNextRepeatMs);
        Step();
    });
}

void TsTimerSpeedButton::Step() {
    framework::CallSafely([this] {
        try {
            spinner_->ArrowClicked(this);
        } catch (...) {
            repeatTimer_.stop();
            throw;
        }
    });
}

void TsTimerSpeedButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    down_ = true;
    if (QWidget* focus = spinner_->FocusControl(); focus->focusPolicy() != Qt::NoFocus && !focus->hasFocus())
        focus->setFocus(Qt::MouseFocusReason);
    repeatTimer_.setInterval(kFirstRepeatMs);
    repeatTimer_.start();
    update();
}

void TsTimerSpeedButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !down_)
        return;
    down_ = false;
    update();
    // The release clicks once more when the pointer is still over the arrow.
    if (rect().contains(event->position().toPoint()))
        Step();
    repeatTimer_.stop();
}

void TsTimerSpeedButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect face = rect();
    painter.fillRect(face, framework::ToQColor(framework::clBtnFace));
    painter.setPen(framework::ToQColor(down_ ? framework::clBtnShadow : framework::clBtnHighlight));
    painter.drawLine(face.topLeft(), face.topRight());
    painter.drawLine(face.topLeft(), face.bottomLeft());
    painter.setPen(framework::ToQColor(down_ ? framework::clBtnHighlight : framework::clBtnShadow));
    painter.drawLine(face.bottomLeft(), face.bottomRight());
    painter.drawLine(face.topRight(), face.bottomRight());

    const int x0 = (width() - kGlyphCellWidth) / 2;
    const int y0 = (height() - kGlyphCellHeight) / 2;
    const QPoint up[] = {{x0 + 1, y0 + 4}, {x0 + 7, y0 + 4}, {x0 + 4, y0 + 1}};
    const QPoint down[] = {{x0 + 1, y0 + 1}, {x0 + 7, y0 + 1}, {x0 + 4, y0 + 4}};
    const QColor glyph = isEnabled() ? palette().color(QPalette::WindowText) : framework::ToQColor(framework::clGrayText);
    painter.setPen(glyph);
    painter.setBrush(glyph);
    painter.drawPolygon(isUpArrow_ ? up : down, 3);
}

TsSpinButton::TsSpinButton(TsBaseSpinEdit* edit)
    : QWidget(edit), edit_(edit), arrowUp_(new TsTimerSpeedButton(this, true)),
      arrowDown_(new TsTimerSpeedButton(this, false)) {
    setObjectName(QStringLiteral("Spinner"));
    setCursor(Qt::ArrowCursor);
    resize(kDefaultWidth, height());
}

void TsSpinButton::ArrowClicked(const TsTimerSpeedButton* arrow) {
    if (arrow->IsUpArrow())
        edit_->UpClick();
    else
        edit_->DownClick();
}

void TsSpinButton::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (width() < kMinimumWidth) {
        resize(kMinimumWidth, height());
        return;
    }
    const int h = height();
    if (h == 0)
        return;
    arrowUp_->setGeometry(0, 0, width(), h / 2);
    arrowDown_->setGeometry(0, arrowUp_->height(), width(), h - arrowUp_->height());
}

TsBaseSpinEdit::TsBaseSpinEdit(QWidget* parent) : TsEdit(parent), spinner_(new TsSpinButton(this)) {
    LayOutSpinner();
}

void TsBaseSpinEdit::SetShowSpinButtons(bool on) {
    showSpinButtons_ = on;
    spinner_->setVisible(on);
    LayOutSpinner();
}

QRect TsBaseSpinEdit::SpinnerRect() const {
    return spinner_->geometry().translated(-kEditFrame, -kEditFrame);
}

void TsBaseSpinEdit::LayOutSpinner() {
    // Left = width - spinner width - 4 and Top = 0 in client coordinates, inside the border.
    spinner_->setGeometry(width() - spinner_->width() - kSpinnerRightGap + kEditFrame, kEditFrame, spinner_->width(),
                          std::max(0, height() - kSpinnerHeightReduction));
    // The text stops where the spinner begins.
    setTextMargins(0, 0, showSpinButtons_ ? spinner_->width() : 0, 0);
}

void TsBaseSpinEdit::resizeEvent(QResizeEvent* event) {
    TsEdit::resizeEvent(event);
    LayOutSpinner();
}

void TsBaseSpinEdit::Beep() { QApplication::beep(); }

void TsBaseSpinEdit::UpClick() {
    if (isReadOnly())
        Beep();
    else if (OnUpClick)
        OnUpClick(this);
    else
        StepUp();
}

void TsBaseSpinEdit::DownClick() {
    if (isReadOnly())
        Beep();
    else if (OnDownClick)
        OnDownClick(this);
    else
        StepDown();
}

bool TsBaseSpinEdit::IsValidChar(QChar ch, bool& replaced) const {
    replaced = false;
    if (ch == kBackspace || ch == kEscape)
        return true;
    if (ch == kTab || ch == kEnter) {
        replaced = true;
        return true;
    }
    if (ch == kMinus) {
        if (!allowNegative_)
            return false;
        const auto* spin = dynamic_cast<const TsSpinEdit*>(this);
        const int minValue = spin != nullptr ? spin->MinValue() : 0;
        const int selectionBegin = hasSelectedText() ? selectionStart() : cursorPosition();
        const int selectionLength = static_cast<int>(selectedText().size());
        const QString current = text();
        if (minValue > 0 || selectionBegin != 0)
            return false;
        return !current.contains(kMinus) || selectionLength >= current.size() - 1;
    }
    const bool control = ch.unicode() < kFirstPrintable;
    if (editorEnabled_)
        return control || (ch >= QChar(u'0') && ch <= QChar(u'9'));
    return control;
}

void TsBaseSpinEdit::keyPressEvent(QKeyEvent* event) {
    if (framework::FireKeyDown(OnKeyDown, this, *event))
        return;
    if (event->key() == Qt::Key_Up && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        framework::CallSafely([this] { UpClick(); });
        return;
    }
    if (event->key() == Qt::Key_Down && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        framework::CallSafely([this] { DownClick(); });
        return;
    }
    const QString typed = event->text();
    if (typed.size() == 1 && typed[0].unicode() != kDeleteCharacter &&
        !(event->modifiers() & Qt::ControlModifier)) {
        bool replaced = false;
        if (!IsValidChar(typed[0], replaced)) {
            Beep();
            return;
        }
        if (replaced)
            return;
    }
    // The framework's own edit handling, without the key handler it already had.
    QLineEdit::keyPressEvent(event);
}

void TsBaseSpinEdit::focusOutEvent(QFocusEvent* event) {
    TsEdit::focusOutEvent(event);
    framework::CallSafely([this] { Exited(); });
}

TsSpinEdit::TsSpinEdit(QWidget* parent) : TsBaseSpinEdit(parent) { setText(QStringLiteral("0")); }

int TsSpinEdit::Value() const {
    const QString current = text();
    if (current.isEmpty())
        return 0;
    return framework::StrToIntDef(current.toStdString(), minValue_);
}

int TsSpinEdit::CheckValue(int value) const {
    int result = value < 0 && !AllowNegative() ? std::max(0, minValue_) : value;
    if (minValue_ != 0 || maxValue_ != 0) {
        if (value < minValue_)
            result = minValue_;
        else if (maxValue_ != 0 && value > maxValue_)
            result = maxValue_;
    }
    return result;
}

void TsSpinEdit::SetValue(int value) { setText(QString::number(CheckValue(value))); }

void TsSpinEdit::StepUp() { SetValue(Value() + increment_); }

void TsSpinEdit::StepDown() { SetValue(Value() - increment_); }

void TsSpinEdit::WheelBy(int delta) {
    if (isReadOnly())
        return;
    SetValue(Value() + (delta / kWheelNotch) * increment_);
}

void TsSpinEdit::wheelEvent(QWheelEvent* event) {
    framework::CallSafely([&] { WheelBy(event->angleDelta().y()); });
    event->accept();
}

void TsSpinEdit::Exited() {
    if (text() == QStringLiteral("-0") || text() == QStringLiteral("-"))
        setText(QStringLiteral("0"));
    if (CheckValue(Value()) != Value())
        SetValue(Value());
}

void TsSpinEdit::keyPressEvent(QKeyEvent* event) {
    const bool paste = event->matches(QKeySequence::Paste);
    if (paste || event->matches(QKeySequence::Cut)) {
        if (!EditorEnabled() || isReadOnly())
            return;
        if (!paste) {
            cut();
            return;
        }
        const int before = Value();
        QLineEdit::paste();
        if (!IsIntegerText(text()))
            setText(QString::number(before));
        return;
    }
    TsBaseSpinEdit::keyPressEvent(event);
}

} // namespace skin
