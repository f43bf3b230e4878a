// Range rules, percentage and the plain (unskinned) bar of the gauge.
#include "skin/controls/sGauge.h"

#include "framework/widgets/Application.h"

#include <QPainter>

#include <algorithm>
#include <limits>
#include <string>

namespace skin {
namespace {

std::string RangeMessage(long long low, long long high) {
    return "Value must be between " + std::to_string(low) + " and " + std::to_string(high);
}

// The lowest bound the range message names: one above the smallest integer.
constexpr long long kLowestBound = -static_cast<long long>(std::numeric_limits<int>::max());
constexpr long long kHighestBound = std::numeric_limits<int>::max();

constexpr int kPercentScale = 100;

// Share of a length for a percentage: trunc(L * (p * 0.01)).
int ShareOf(int length, int percent) { return static_cast<int>(length * (percent * 0.01)); }

} // namespace

TsGauge::TsGauge(QWidget* parent) : framework::TGraphicControl(parent) {
    resize(kDefaultWidth, kDefaultHeight);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TsGauge::SetKind(TsGaugeKind kind) {
    kind_ = kind;
    update();
}

void TsGauge::SetMinValue(int value) {
    if (value == minValue_)
        return;
    if (!loading_ && value > maxValue_)
        throw framework::EInvalidOperation(RangeMessage(kLowestBound, static_cast<long long>(maxValue_) - 1));
    minValue_ = value;
    if (progress_ < value)
        SetProgress(value);
    update();
}

void TsGauge::SetMaxValue(int value) {
    if (value == maxValue_)
        return;
    if (!loading_ && value < minValue_)
        throw framework::EInvalidOperation(RangeMessage(static_cast<long long>(minValue_) + 1, kHighestBound));
    maxValue_ = value;
    if (progress_ > value)
        SetProgress(value);
    update();
}

void TsGauge::SetProgress(int value) {
    const int clamped = loading_ ? value : std::clamp(value, std::min(minValue_, maxValue_), maxValue_);
    if (clamped == progress_)
        return;
    const int percentBefore = PercentDone();
    progress_ = clamped;
    if (PercentDone() != percentBefore)
        update();
    if (OnChange)
        OnChange(this);
}

void TsGauge::SetCalcPercents(bool on) {
    calcPercents_ = on;
    update();
}

void TsGauge::SetSuffix(const QString& suffix) {
    suffix_ = suffix;
    update();
}

void TsGauge::SetShowText(bool on) {
    showText_ = on;
    update();
}

void TsGauge::SetForeColor(framework::TColor color) {
    foreColor_ = color;
    update();
}

void TsGauge::SetBackColor(framework::TColor color) {
    backColor_ = color;
    update();
}

void TsGauge::SetBorderStyle(framework::TBorderStyle style) {
    borderStyle_ = style;
    update();
}

int TsGauge::PercentDone() const {
    const long long range = static_cast<long long>(maxValue_) - minValue_;
    if (range == 0)
        return 0;
    return static_cast<int>((static_cast<long long>(progress_) - minValue_) * kPercentScale / range);
}

QString TsGauge::Text() const { return QString::number(calcPercents_ ? PercentDone() : progress_) + suffix_; }

void TsGauge::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QRect area = rect();
    painter.fillRect(area, framework::ToQColor(framework::clWindowFrame));
    if (borderStyle_ == framework::bsSingle)
        area.adjust(1, 1, -1, -1);
    painter.fillRect(area, framework::ToQColor(backColor_));
    const int percent = PercentDone();
    if (kind_ == gkHorizontalBar) {
        const int filled = std::min(ShareOf(area.width(), percent), area.width());
        if (filled > 0)
            painter.fillRect(QRect(area.left(), area.top(), filled, area.height()), framework::ToQColor(foreColor_));
    } else if (kind_ == gkVerticalBar) {
        const int filled = std::min(ShareOf(area.height(), percent), area.height());
        if (filled > 0)
            painter.fillRect(QRect(area.left(), area.bottom() - filled + 1, area.width(), filled),
                             framework::ToQColor(foreColor_));
    }
    if (showText_) {
        // The text shows inverted against whatever lies under it.
        painter.setCompositionMode(QPainter::CompositionMode_Difference);
        painter.setPen(Qt::white);
        painter.drawText(area, Qt::AlignCenter | Qt::TextSingleLine, Text());
    }
}

} // namespace skin
