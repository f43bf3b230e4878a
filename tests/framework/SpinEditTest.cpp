// The spin edit's value rules on a real widget: clamping, reading, the typed-character check,
// leaving the control, keys, wheel, arrows and paste.
#include "skin/controls/sSpinEdit.h"
#include "tests/support/ModalAnswerer.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

#include <gtest/gtest.h>

using skin::TsSpinEdit;

namespace {

void Type(QWidget* target, int key, const QString& text, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QCoreApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QCoreApplication::sendEvent(target, &release);
}

void Wheel(QWidget* target, int delta) {
    const QPointF inside(5, 5);
    QWheelEvent event(inside, target->mapToGlobal(inside), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(target, &event);
}

void Mouse(QWidget* target, QEvent::Type type) {
    const QPointF inside(target->width() / 2.0, target->height() / 2.0);
    QMouseEvent event(type, inside, target->mapToGlobal(inside), Qt::LeftButton,
                      type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &event);
}

} // namespace

TEST(SpinEditTest, WritingAValueClampsIt) {
    struct Case {
        int minValue, maxValue;
        bool allowNegative;
        int written;
        const char* text;
    };
    const Case cases[] = {
        {1, 0, true, 0, "1"},             {1, 0, true, 5000000, "5000000"}, // MaxValue 0: no upper limit
        {0, 0, true, -3, "-3"},           {0, 0, false, -3, "0"},           // both 0: no limits at all
        {0, 10, true, -5, "0"},           {0, 10, true, 11, "10"},
        {5, 10, false, -2, "5"},          {-5, 0, false, -3, "0"},          // the comparisons use the written value
        {-5, 0, true, -9, "-5"},
    };
    for (const Case& c : cases) {
        TsSpinEdit edit;
        edit.SetMinValue(c.minValue);
        edit.SetMaxValue(c.maxValue);
        edit.SetAllowNegative(c.allowNegative);
        edit.SetValue(c.written);
        EXPECT_EQ(edit.text().toStdString(), c.text)
            << "min " << c.minValue << " max " << c.maxValue << " negative " << c.allowNegative << " write " << c.written;
    }
}

TEST(SpinEditTest, ValueIsReadFromTheText) {
    struct Case {
        const char* text;
        int value;
    };
    for (const Case& c : {Case{"", 0}, Case{"12", 12}, Case{"-4", -4}, Case{"abc", 7}, Case{"1 2", 7}}) {
        TsSpinEdit edit;
        edit.SetMinValue(7);
        edit.setText(QString::fromLatin1(c.text));
        EXPECT_EQ(edit.Value(), c.value) << '"' << c.text << '"';
    }
}

TEST(SpinEditTest, TypedCharactersAreChecked) {
    struct Case {
        const char* before;
        int selectionStart, selectionLength;
        int minValue;
        bool allowNegative, editorEnabled;
        char typed;
        const char* after;
    };
    const Case cases[] = {
        {"12", 1, 0, 0, true, true, '-', "12"},   // '-' in the middle
        {"12", 0, 0, 0, true, true, '-', "-12"},  // at position 0 with MinValue <= 0
        {"12", 0, 0, 1, true, true, '-', "12"},   // MinValue above 0
        {"12", 0, 0, 0, false, true, '-', "12"},  // negative numbers not allowed
        {"-12", 0, 0, 0, true, true, '-', "-12"}, // a second '-'
        {"-12", 0, 3, 0, true, true, '-', "-"},   // replacing the whole text
        {"-12", 0, 2, 0, true, true, '-', "-2"},  // selection of text length - 1 is enough
        {"12", 2, 0, 0, true, true, '7', "127"},
        {"12", 2, 0, 0, true, true, 'a', "12"},
        {"12", 2, 0, 0, true, false, '7', "12"}, // editor disabled: only control characters
    };
    for (const Case& c : cases) {
        TsSpinEdit edit;
        edit.SetMinValue(c.minValue);
        edit.SetAllowNegative(c.allowNegative);
        edit.SetEditorEnabled(c.editorEnabled);
        edit.setText(QString::fromLatin1(c.before));
        edit.setSelection(c.selectionStart, c.selectionLength);
        if (c.selectionLength == 0)
            edit.setCursorPosition(c.selectionStart);
        const int key = c.typed == '-' ? Qt::Key_Minus : (c.typed >= 'a' ? Qt::Key_A + (c.typed - 'a') : Qt::Key_0 + (c.typed - '0'));
        Type(&edit, key, QString(QChar(c.typed)));
        EXPECT_EQ(edit.text().toStdString(), c.after)
            << c.before << " at " << c.selectionStart << "+" << c.selectionLength << " typed " << c.typed;
    }
}

TEST(SpinEditTest, BackspaceStillEditsAndEnterIsSwallowed) {
    TsSpinEdit edit;
    edit.setText(QStringLiteral("123"));
    edit.setCursorPosition(3);
    Type(&edit, Qt::Key_Backspace, QStringLiteral("\b"));
    EXPECT_EQ(edit.text(), QStringLiteral("12"));
    Type(&edit, Qt::Key_Return, QStringLiteral("\r"));
    EXPECT_EQ(edit.text(), QStringLiteral("12"));
}

TEST(SpinEditTest, LeavingTheControlNormalisesTheText) {
    struct Case {
        const char* before;
        int minValue, maxValue;
        const char* after;
    };
    for (const Case& c : {Case{"-", 0, 0, "0"}, Case{"-0", 0, 0, "0"}, Case{"0", 1, 0, "1"}, Case{"99", 0, 10, "10"},
                          Case{"5", 0, 10, "5"}}) {
        TsSpinEdit edit;
        edit.SetMinValue(c.minValue);
        edit.SetMaxValue(c.maxValue);
        edit.setText(QString::fromLatin1(c.before));
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QCoreApplication::sendEvent(&edit, &out);
        EXPECT_EQ(edit.text().toStdString(), c.after) << c.before;
    }
}

TEST(SpinEditTest, KeysAndWheelStepByIncrement) {
    TsSpinEdit edit;
    edit.SetIncrement(3);
    edit.SetValue(10);
    Type(&edit, Qt::Key_Up, QString());
    EXPECT_EQ(edit.Value(), 13);
    Type(&edit, Qt::Key_Down, QString());
    Type(&edit, Qt::Key_Down, QString());
    EXPECT_EQ(edit.Value(), 7);
    struct Case {
        int delta;
        int value;
    };
    for (const Case& c : {Case{120, 10}, Case{60, 10}, Case{-240, 4}, Case{359, 10}}) {
        Wheel(&edit, c.delta);
        EXPECT_EQ(edit.Value(), c.value) << "delta " << c.delta;
    }
    int replaced = 0;
    edit.OnUpClick = [&](QObject*) { ++replaced; };
    Type(&edit, Qt::Key_Up, QString());
    EXPECT_EQ(replaced, 1);
    EXPECT_EQ(edit.Value(), 10);
    edit.OnUpClick = nullptr;
    edit.setReadOnly(true);
    Type(&edit, Qt::Key_Up, QString());
    Wheel(&edit, 120);
    EXPECT_EQ(edit.Value(), 10);
}

TEST(SpinEditTest, SpinnerLayoutOfAnEightyByTwentyOneEdit) {
    TsSpinEdit edit;
    edit.resize(80, 21);
    edit.show();
    EXPECT_EQ(edit.SpinnerRect(), QRect(58, 0, 18, 17));
    EXPECT_EQ(edit.Spinner()->ArrowUp()->geometry(), QRect(0, 0, 18, 8));
    EXPECT_EQ(edit.Spinner()->ArrowDown()->geometry(), QRect(0, 8, 18, 9));
}

TEST(SpinEditTest, ArrowPressedAndReleasedQuicklyStepsOnceAndRepeatsWhileHeld) {
    TsSpinEdit edit;
    edit.resize(80, 21);
    edit.show();
    edit.SetValue(5);
    QWidget* up = edit.Spinner()->ArrowUp();
    Mouse(up, QEvent::MouseButtonPress);
    Mouse(up, QEvent::MouseButtonRelease);
    EXPECT_EQ(edit.Value(), 6);

    QWidget* down = edit.Spinner()->ArrowDown();
    Mouse(down, QEvent::MouseButtonPress);
    testing_support::WaitUntil([] { return false; }, skin::TsTimerSpeedButton::kFirstRepeatMs + 150);
    Mouse(down, QEvent::MouseButtonRelease);
    EXPECT_LE(edit.Value(), 4); // at least one repeat and the release
    const int afterRelease = edit.Value();
    testing_support::WaitUntil([] { return false; }, skin::TsTimerSpeedButton::kFirstRepeatMs);
    EXPECT_EQ(edit.Value(), afterRelease); // the release stopped the repeat
}

TEST(SpinEditTest, PasteThatLeavesNoNumberRestoresThePreviousValue) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText(QStringLiteral("x1"));
    ASSERT_EQ(clipboard->text(), QStringLiteral("x1")) << "the platform keeps no clipboard";
    TsSpinEdit edit;
    edit.setText(QStringLiteral("12"));
    edit.setCursorPosition(2);
    Type(&edit, Qt::Key_V, QString(), Qt::ControlModifier);
    EXPECT_EQ(edit.text(), QStringLiteral("12"));
    clipboard->setText(QStringLiteral("34"));
    Type(&edit, Qt::Key_V, QString(), Qt::ControlModifier);
    EXPECT_EQ(edit.text(), QStringLiteral("1234"));
}
