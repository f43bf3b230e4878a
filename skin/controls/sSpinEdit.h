// TsSpinEdit: an integer edit with up and down arrows at its right edge. It keeps the value
// rules of the skinned spin edit (clamping to MinValue and MaxValue, the typed-character check,
// Value read from the text, Up and Down keys, the wheel, auto-repeating arrows); the arrows and
// the edit are drawn plainly until the skin engine paints them.
#pragma once

#include "skin/controls/sEdit.h"

#include <QTimer>

namespace skin {

class TsSpinButton;

// One arrow of the spinner: steps once on a press-and-release, repeats while held
// (first after kFirstRepeat, then every kNextRepeat).
class TsTimerSpeedButton : public framework::TGraphicControl {
    Q_OBJECT
public:
    static constexpr int kFirstRepeatMs = 400;
    static constexpr int kNextRepeatMs = 100;

    TsTimerSpeedButton(TsSpinButton* spinner, bool isUpArrow);
    bool IsUpArrow() const { return isUpArrow_; }
    bool Down() const { return down_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void Step();

    TsSpinButton* spinner_;
    bool isUpArrow_;
    bool down_ = false;
    QTimer repeatTimer_;
};

class TsBaseSpinEdit;

// The narrow window at the edit's right edge that holds the two arrows.
class TsSpinButton : public QWidget {
    Q_OBJECT
public:
    static constexpr int kDefaultWidth = 18;
    static constexpr int kMinimumWidth = 15;

    explicit TsSpinButton(TsBaseSpinEdit* edit);
    TsTimerSpeedButton* ArrowUp() const { return arrowUp_; }
    TsTimerSpeedButton* ArrowDown() const { return arrowDown_; }
    TsBaseSpinEdit* FocusControl() const { return edit_; }

    void ArrowClicked(const TsTimerSpeedButton* arrow);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    TsBaseSpinEdit* edit_;
    TsTimerSpeedButton* arrowUp_;
    TsTimerSpeedButton* arrowDown_;
};

class TsBaseSpinEdit : public TsEdit {
    Q_OBJECT
public:
    explicit TsBaseSpinEdit(QWidget* parent = nullptr);

    bool EditorEnabled() const { return editorEnabled_; }
    void SetEditorEnabled(bool on) { editorEnabled_ = on; }
    bool AllowNegative() const { return allowNegative_; }
    void SetAllowNegative(bool on) { allowNegative_ = on; }
    bool ShowSpinButtons() const { return showSpinButtons_; }
    void SetShowSpinButtons(bool on);
    TsSpinButton* Spinner() const { return spinner_; }
    // The spinner's rectangle in the edit's client coordinates (inside its border).
    QRect SpinnerRect() const;

    framework::TNotifyEvent OnUpClick;
    framework::TNotifyEvent OnDownClick;

    // The arrow and Up/Down key steps: a read-only edit only beeps; an assigned
    // OnUpClick/OnDownClick replaces the step.
    void UpClick();
    void DownClick();

    // The typed-character check: true when ch may pass; replaced is set when the check
    // turned an accepted character into #0 (swallowed without a beep).
    bool IsValidChar(QChar ch, bool& replaced) const;
    static void Beep();

protected:
    virtual void StepUp() = 0;
    virtual void StepDown() = 0;
    // Called when the edit loses the focus, after the framework's own handling.
    virtual void Exited() {}

    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void LayOutSpinner();

    TsSpinButton* spinner_;
    bool editorEnabled_ = true;
    bool allowNegative_ = true;
    bool showSpinButtons_ = true;
};

class TsSpinEdit : public TsBaseSpinEdit {
    Q_OBJECT
public:
    explicit TsSpinEdit(QWidget* parent = nullptr);

    int Increment() const { return increment_; }
    void SetIncrement(int increment) { increment_ = increment; }
    int MinValue() const { return minValue_; }
    void SetMinValue(int value) { minValue_ = value; }
    int MaxValue() const { return maxValue_; }
    void SetMaxValue(int value) { maxValue_ = value; }

    // Read from the text: empty gives 0, text that is no integer gives MinValue.
    int Value() const;
    // Writes the clamped value's decimal text.
    void SetValue(int value);
    // The clamping rule: MaxValue 0 means no upper limit, both limits 0 mean none at all.
    int CheckValue(int value) const;

    // The wheel (angle delta in eighths of a degree; 120 is one notch).
    void WheelBy(int delta);

protected:
    void StepUp() override;
    void StepDown() override;
    void Exited() override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    int increment_ = 1;
    int minValue_ = 0;
    int maxValue_ = 0;
};

} // namespace skin
