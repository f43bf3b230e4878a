// The standard controls as thin subclasses of their Qt counterparts that carry the framework's
// class names and events: TButton, TEdit, TMemo, TLabel, TGroupBox.
#pragma once

#include "framework/widgets/Controls.h"
#include "framework/widgets/Graphics.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include <string>
#include <vector>

namespace framework {

class TButton : public QPushButton {
    Q_OBJECT
public:
    explicit TButton(QWidget* parent = nullptr);

    TNotifyEvent OnClick;
    // A button with a modal result gives it to its form when clicked (closing a modal form).
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int result) { modalResult_ = result; }
    // The form's cancel button: Escape presses it.
    bool Cancel() const { return cancel_; }
    void SetCancel(bool cancel) { cancel_ = cancel; }

    // Presses the button as a click of the user would (nothing when disabled).
    void Click();

private:
    void Clicked();
    int modalResult_ = 0;
    bool cancel_ = false;
};

// Base of the edits: the colour setter shared by TEdit and TMemo.
void SetControlColor(QWidget* control, TColor color);

class TEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TEdit(QWidget* parent = nullptr);

    int MaxLength() const { return maxLength(); }
    // 0 means no limit.
    void SetMaxLength(int length);
    void SetColor(TColor color) { SetControlColor(this, color); }

    // Fired after every change of the text, by typing or by the program.
    TNotifyEvent OnChange;
    TKeyEvent OnKeyDown;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    // The framework's limit: 0 is "none", where Qt's own default limit is 32767.
    static constexpr int kUnlimited = 32767;
};

class TMemo : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit TMemo(QWidget* parent = nullptr);

    // The line list (Windows-1251 texts).
    int LineCount() const;
    std::vector<std::string> Lines() const;
    void AddLine(const std::string& line);
    void ClearLines() { clear(); }
    // The whole text as the platform holds it after appending lines: each line ends with CR LF.
    std::string Text() const;
    void SelectAll() { selectAll(); }
    void SetColor(TColor color) { SetControlColor(this, color); }

    TKeyEvent OnKeyDown;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

// A label is windowless: the container paints it once skinned. It is transparent: it paints
// nothing of its own background, so its container's image shows around the text.
class TLabel : public QLabel {
    Q_OBJECT
public:
    explicit TLabel(QWidget* parent = nullptr);
    void SetFontColor(TColor color);

    // On, "&x" draws x underlined and "&&" one ampersand; off, the text is drawn as it stands.
    bool ShowAccelChar() const { return showAccelChar_; }
    void SetShowAccelChar(bool show);
    // Qt's text flags of the label's text: alignment, word wrap and mnemonics.
    int TextFlags() const;

    // Sets the text; a single-line label grows to fit it (hides QLabel::setText: a text set
    // through a QLabel pointer is fitted when the label is next polished or changes its font).
    void setText(const QString& text);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // The layouts give the widths the design platform's font measured; where ours runs wider a
    // single-line label grows (to the left when right-aligned) instead of cutting its text, as the
    // framework's auto-sized labels do. The height stays: this platform's line height of the
    // window faces leaves out part of their descenders.
    void FitWidthToText();
    bool showAccelChar_ = true;
};

class TGroupBox : public QGroupBox {
    Q_OBJECT
public:
    explicit TGroupBox(QWidget* parent = nullptr);
};

} // namespace framework
