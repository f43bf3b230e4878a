// The metrics table; only the screen size is asked of the window system.
#include "framework/widgets/SystemMetrics.h"

#include "framework/base/SharedMetrics.h"
#include "framework/widgets/Fonts.h"

#include <QFont>
#include <QGuiApplication>
#include <QScreen>

#include <utility>

namespace framework {
namespace {

constexpr std::pair<SystemMetric, int> kMetrics[] = {
    {SM_CXVSCROLL, kVerticalScrollBarWidth}, {SM_CYHSCROLL, kVerticalScrollBarWidth},
    {SM_CYCAPTION, 23},  {SM_CXBORDER, 1},
    {SM_CYBORDER, 1},    {SM_CXDLGFRAME, 3},   {SM_CYDLGFRAME, 3},  {SM_CYVTHUMB, 17},
    {SM_CXHTHUMB, 17},   {SM_CXICON, 32},      {SM_CYICON, 32},     {SM_CXCURSOR, 32},
    {SM_CYCURSOR, 32},   {SM_CYMENU, 20},      {SM_CYVSCROLL, 17},  {SM_CXHSCROLL, 17},
    {SM_CXMIN, 136},     {SM_CYMIN, 39},       {SM_CXSIZE, 36},     {SM_CYSIZE, 22},
    {SM_CXFRAME, kSizingFrameWidth}, {SM_CYFRAME, kSizingFrameWidth},
    {SM_CXEDGE, 2},      {SM_CYEDGE, 2},
    {SM_CXSMICON, 16},   {SM_CYSMICON, 16},    {SM_CYSMCAPTION, 23}, {SM_CXSMSIZE, 22},
    {SM_CYSMSIZE, 22},   {SM_CXMENUSIZE, 19},  {SM_CYMENUSIZE, 19}, {SM_CXPADDEDBORDER, 4},
};

constexpr int kFallbackScreenWidth = 800;
constexpr int kCaptionFontPixels = 11;
constexpr int kFallbackScreenHeight = 600;

QRect ScreenRect(bool available) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return QRect(0, 0, kFallbackScreenWidth, kFallbackScreenHeight);
    return available ? screen->availableGeometry() : screen->geometry();
}

} // namespace

int GetSystemMetrics(SystemMetric metric) {
    switch (metric) {
    case SM_CXSCREEN: return ScreenRect(false).width();
    case SM_CYSCREEN: return ScreenRect(false).height();
    case SM_CXFULLSCREEN:
    case SM_CXMAXIMIZED: return ScreenRect(true).width();
    case SM_CYFULLSCREEN:
    case SM_CYMAXIMIZED: return ScreenRect(true).height();
    default: break;
    }
    for (const auto& [key, value] : kMetrics)
        if (key == metric)
            return value;
    return 0;
}

QFont CaptionFont() {
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(kCaptionFontPixels);
    font.setBold(true);
    return FullyHinted(font);
}

} // namespace framework
