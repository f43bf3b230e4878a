// The gauge's value rules, its sweep timer, the commands it answers and who paints it.
#include "skin/controls/sGauge.h"

#include <QPainter>

#include <algorithm>
#include <limits>
#include <string>

#include "framework/core/SkinCommand.h"
#include "framework/widgets/Application.h"
#include "skin/controls/sGraphicControl.h"
#include "skin/data/sSkinCommands.h"
#include "skin/pixels/ColorOps.h"
#include "skin/pixels/RectClip.h"
#include "skin/render/sAnimationFlag.h"
#include "skin/render/sImageView.h"
#include "skin/render/sRecordPaint.h"
#include "skin/window/sWidgetAccess.h"

namespace skin {
namespace {

std::string RangeMessage(long long low, long long high) {
    return "Value must be between " + std::to_string(low) + " and " + std::to_string(high);
}

// The lowest bound the range message names: one above the smallest integer.
constexpr long long kLowestBound = -static_cast<long long>(std::numeric_limits<int>::max());
constexpr long long kHighestBound = std::numeric_limits<int>::max();

constexpr int kPercentScale = 100;
constexpr double kSweepDivisor = 50.5; // 2222 / 44
constexpr int kMinSweepStep = 15;
constexpr int kSweepRestart = -kLightStripWidth;
constexpr int kKindGauge = 161;

} // namespace

int GaugePercent(int minValue, int maxValue, int progress) {
    const long long range = static_cast<long long>(maxValue) - minValue;
    if (range == 0)
        return 0;
    return static_cast<int>((static_cast<long long>(progress) - minValue) * kPercentScale / range);
}

int GaugeShare(int length, int percent) { return static_cast<int>(length * (percent * 0.01)); }

int SweepStep(int length) { return std::max(kMinSweepStep, RoundEvenInt(length / kSweepDivisor)); }

TsGauge::TsGauge(QWidget* parent) : framework::TGraphicControl(parent), SkinData(this, TsRecordCache::With) {
    resize(kDefaultWidth, kDefaultHeight);
    SkinData.ControlKind = kKindGauge;
    sweepTimer_.setInterval(kSweepInterval);
    connect(&sweepTimer_, &QTimer::timeout, this, &TsGauge::SweepTick);
    SkinData.AfterPropertiesLoaded();
    UpdateSweepTimer();
}

TsGauge::~TsGauge() {
    MarkDestroying(this);
    sweepTimer_.stop();
}

void TsGauge::Refresh() {
    SkinData.BackgroundStale = true;
    update();
}

// The timer ticks while a strip can show: animated, skinned and with something done. Its clock
// stands still meanwhile, which no one can see.
void TsGauge::UpdateSweepTimer() {
    const bool wanted = animated_ && SkinData.IsSkinned() && progress_ > 0;
    if (wanted && !sweepTimer_.isActive())
        sweepTimer_.start();
    else if (!wanted)
        sweepTimer_.stop();
}

void TsGauge::SetKind(TsGaugeKind kind) {
    if (kind == kind_)
        return;
    kind_ = kind;
    fillCache_ = Bitmap32{};
    Refresh();
}

void TsGauge::SetMinValue(int value) {
    if (value == minValue_)
        return;
    if (!loading_ && value > maxValue_)
        throw framework::EInvalidOperation(RangeMessage(kLowestBound, static_cast<long long>(maxValue_) - 1));
    minValue_ = value;
    if (progress_ < value)
        SetProgress(value);
    Refresh();
}

void TsGauge::SetMaxValue(int value) {
    if (value == maxValue_)
        return;
    if (!loading_ && value < minValue_)
        throw framework::EInvalidOperation(RangeMessage(static_cast<long long>(minValue_) + 1, kHighestBound));
    maxValue_ = value;
    if (progress_ > value)
        SetProgress(value);
    Refresh();
}

void TsGauge::SetProgress(int value) {
    const int clamped = loading_ ? value : std::clamp(value, std::min(minValue_, maxValue_), maxValue_);
    if (clamped == progress_)
        return;
    const int percentBefore = PercentDone();
    progress_ = clamped;
    if (PercentDone() != percentBefore)
        Refresh();
    UpdateSweepTimer();
    if (OnChange)
        OnChange(this);
}

void TsGauge::SetCalcPercents(bool on) {
    if (on == calcPercents_)
        return;
    calcPercents_ = on;
    update();
}

void TsGauge::SetSuffix(const QString& suffix) {
    if (suffix == suffix_)
        return;
    suffix_ = suffix;
    update();
}

void TsGauge::SetShowText(bool on) {
    if (on == showText_)
        return;
    showText_ = on;
    Refresh();
}

void TsGauge::SetAnimated(bool on) {
    if (on == animated_)
        return;
    animated_ = on;
    fillCache_ = Bitmap32{};
    UpdateSweepTimer();
    if (!on)
        update();
}

void TsGauge::SetProgressSkin(const std::string& section) {
    if (section == progressSkin_)
        return;
    progressSkin_ = section;
    fillCache_ = Bitmap32{};
    Refresh();
}

void TsGauge::SetForeColor(framework::TColor color) {
    if (color == foreColor_)
        return;
    foreColor_ = color;
    update();
}

void TsGauge::SetBackColor(framework::TColor color) {
    if (color == backColor_)
        return;
    backColor_ = color;
    Refresh();
}

void TsGauge::SetBorderStyle(framework::TBorderStyle style) {
    if (style == borderStyle_)
        return;
    borderStyle_ = style;
    Refresh();
}

QString TsGauge::Text() const {
    QString text = QString::number(calcPercents_ ? PercentDone() : progress_) + suffix_;
    if (OnPaintText)
        OnPaintText(const_cast<TsGauge*>(this), text);
    return text;
}

void TsGauge::SweepTick() {
    if (!SkinData.IsSkinned()) {
        sweepTimer_.stop();
        return;
    }
    if (sweepClock_ > kSweepPeriod) {
        sweepPos_ = kSweepRestart;
        sweepClock_ = 0;
    }
    sweepClock_ += kSweepInterval;
    const int length = kind_ == gkVerticalBar ? height() : width();
    if (sweepPos_ >= length)
        return; // the strip has passed; the next period starts another
    QWidget* parent = parentWidget();
    if (isVisible() && progress_ > 0 && parent && parent->isVisible())
        repaint();
    sweepPos_ += SweepStep(length);
}

Bitmap32 TsGauge::PaintSkinned() {
    if (!SkinData.IsSkinned() || width() <= 0 || height() <= 0)
        return {};
    SkinData.EnsureCacheBitmap();
    BuildCache(*SkinData.CacheBitmap);
    RefreshCorners(SkinData, 0, kAllCorners);
    Bitmap32 image = std::move(*SkinData.CacheBitmap);
    *SkinData.CacheBitmap = Bitmap32{};
    return image;
}

void TsGauge::paintEvent(QPaintEvent*) {
    if (!PaintsItselfNow(this) || width() <= 0 || height() <= 0)
        return;
    if (!IsPaintingCopy(this) && ScreenPaintingHeld())
        return;
    QPainter painter(this);
    if (!SkinData.IsSkinned()) {
        PaintUnskinned(painter);
        return;
    }
    if (SkinData.IsUpdating()) {
        // The key pixel tells the container to leave the gauge out of its copy.
        painter.fillRect(0, 0, 1, 1, framework::ToQColor(kTransparentKey));
        return;
    }
    // The gauge keeps no cache between paints: every paint builds it anew.
    const Bitmap32 image = PaintSkinned();
    DrawOpaque(painter, {0, 0}, image, RectOf(image));
}

bool TsGauge::HandleCommand(int command, int argument, std::intptr_t lParam, std::intptr_t& result) {
    const bool own = SkinData.FromOwnManager(lParam);
    switch (command) {
    case SKC_SKIN_LOADED:
    case SKC_SKIN_REFRESH:
        // A new skin or new colours: the filled part painted for the old ones goes too.
        if (own)
            fillCache_ = Bitmap32{};
        SkinData.HandleSkinCommand(command, argument, lParam, result);
        UpdateSweepTimer();
        update();
        return true;
    case SKC_SKIN_REMOVED:
        if (own) {
            sweepTimer_.stop();
            fillCache_ = Bitmap32{};
        }
        SkinData.HandleSkinCommand(command, argument, lParam, result);
        update();
        return true;
    case SKC_PARENT_UPDATED:
        if (SkinData.IsUpdating()) {
            SkinData.UpdateLock = false;
            update();
            return true;
        }
        return false;
    case SKC_IS_SKINNED:
        result = 1;
        return true;
    case SKC_CLEAR_CACHE:
        fillCache_ = Bitmap32{};
        return false;
    default:
        return false;
    }
}

bool TsGauge::event(QEvent* event) {
    if (framework::AnswerSkinCommand(event, this, &TsGauge::HandleCommand))
        return true;
    if (event->type() == QEvent::Resize)
        fillCache_ = Bitmap32{};
    if (SkinData.IsSkinned() && SkinData.HandleSkinMessage(event))
        return true;
    return framework::TGraphicControl::event(event);
}

} // namespace skin
