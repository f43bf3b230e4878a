// Key mapping and the windowless base.
#include "framework/widgets/Controls.h"

#include "framework/widgets/Application.h"

#include <QKeyEvent>

#include <utility>

namespace framework {
namespace {

constexpr std::pair<int, unsigned short> kVirtualKeys[] = {
    {Qt::Key_Backspace, VK_BACK}, {Qt::Key_Tab, VK_TAB},       {Qt::Key_Backtab, VK_TAB},
    {Qt::Key_Return, VK_RETURN},  {Qt::Key_Enter, VK_RETURN},  {Qt::Key_Shift, VK_SHIFT},
    {Qt::Key_Control, VK_CONTROL}, {Qt::Key_Alt, VK_MENU},     {Qt::Key_Escape, VK_ESCAPE},
    {Qt::Key_Space, VK_SPACE},    {Qt::Key_PageUp, VK_PRIOR},  {Qt::Key_PageDown, VK_NEXT},
    {Qt::Key_End, VK_END},        {Qt::Key_Home, VK_HOME},     {Qt::Key_Left, VK_LEFT},
    {Qt::Key_Up, VK_UP},          {Qt::Key_Right, VK_RIGHT},   {Qt::Key_Down, VK_DOWN},
    {Qt::Key_Insert, VK_INSERT},  {Qt::Key_Delete, VK_DELETE},
};

constexpr int kFunctionKeyCount = 12;

} // namespace

unsigned short VirtualKeyOf(int qtKey) {
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9))
        return static_cast<unsigned short>(qtKey);
    if (qtKey >= Qt::Key_F1 && qtKey < Qt::Key_F1 + kFunctionKeyCount)
        return static_cast<unsigned short>(VK_F1 + (qtKey - Qt::Key_F1));
    for (const auto& [qt, vk] : kVirtualKeys)
        if (qt == qtKey)
            return vk;
    return 0;
}

TShiftState ShiftStateOf(Qt::KeyboardModifiers modifiers) {
    TShiftState state;
    if (modifiers & Qt::ShiftModifier)
        state |= ssShift;
    if (modifiers & Qt::AltModifier)
        state |= ssAlt;
    if (modifiers & Qt::ControlModifier)
        state |= ssCtrl;
    return state;
}

bool FireKeyDown(const TKeyEvent& handler, QObject* sender, const QKeyEvent& event) {
    if (!handler)
        return false;
    unsigned short key = VirtualKeyOf(event.key());
    if (key == 0)
        return false;
    CallSafely([&] { handler(sender, key, ShiftStateOf(event.modifiers())); });
    return key == 0;
}

TGraphicControl::TGraphicControl(QWidget* parent) : QWidget(parent) { MarkWindowless(this); }

} // namespace framework
