// What every framework control shares: event types, the key and shift-state mapping from Qt
// to the platform's virtual keys, the alignment type, and the windowless control base.
#pragma once

#include "framework/widgets/ControlClasses.h"
#include "framework/base/SysUtils.h"

#include <QFlags>
#include <QWidget>

#include <functional>

class QKeyEvent;

namespace framework {

enum TShiftStateFlag { ssShift = 0x1, ssAlt = 0x2, ssCtrl = 0x4, ssLeft = 0x8, ssRight = 0x10, ssMiddle = 0x20 };
Q_DECLARE_FLAGS(TShiftState, TShiftStateFlag)

enum TAlignment { taLeftJustify, taRightJustify, taCenter };

// A property set to a value the control cannot take ("Value must be between %d and %d").
class EInvalidOperation : public Exception {
public:
    using Exception::Exception;
};

// Events are method references; sender is the control that fires.
using TNotifyEvent = std::function<void(QObject* sender)>;
// key is a virtual-key code; setting it to 0 consumes the key.
using TKeyEvent = std::function<void(QObject* sender, unsigned short& key, TShiftState shift)>;

// Virtual-key codes the program's controls test.
inline constexpr unsigned short VK_BACK = 0x08, VK_TAB = 0x09, VK_RETURN = 0x0D, VK_SHIFT = 0x10,
                                VK_CONTROL = 0x11, VK_MENU = 0x12, VK_ESCAPE = 0x1B, VK_SPACE = 0x20,
                                VK_PRIOR = 0x21, VK_NEXT = 0x22, VK_END = 0x23, VK_HOME = 0x24,
                                VK_LEFT = 0x25, VK_UP = 0x26, VK_RIGHT = 0x27, VK_DOWN = 0x28,
                                VK_INSERT = 0x2D, VK_DELETE = 0x2E, VK_F1 = 0x70;

// The virtual key of a Qt key (letters and digits keep their upper-case ASCII code); 0 when
// the key has none.
unsigned short VirtualKeyOf(int qtKey);
TShiftState ShiftStateOf(Qt::KeyboardModifiers modifiers);

// Runs a key event handler for a Qt key press; true when the handler consumed the key.
bool FireKeyDown(const TKeyEvent& handler, QObject* sender, const QKeyEvent& event);

// A windowless control (labels, gauges, speed buttons): a widget marked windowless.
class TGraphicControl : public QWidget {
    Q_OBJECT
public:
    explicit TGraphicControl(QWidget* parent = nullptr);
};

} // namespace framework

Q_DECLARE_OPERATORS_FOR_FLAGS(framework::TShiftState)
