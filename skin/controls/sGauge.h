// TsGauge: the windowless progress gauge. It keeps the gauge's value rules (MinValue, MaxValue
// and Progress with clamping and the range errors, the percentage text with Suffix); until the
// skin engine paints it, it draws the plain bar of the framework.
#pragma once

#include "framework/widgets/Controls.h"
#include "framework/widgets/Forms.h"
#include "framework/widgets/Graphics.h"

#include <QString>

namespace skin {

enum TsGaugeKind { gkText, gkHorizontalBar, gkVerticalBar, gkPie, gkNeedle };

class TsGauge : public framework::TGraphicControl {
    Q_OBJECT
public:
    static constexpr int kDefaultWidth = 120;
    static constexpr int kDefaultHeight = 30;

    explicit TsGauge(QWidget* parent = nullptr);

    TsGaugeKind Kind() const { return kind_; }
    void SetKind(TsGaugeKind kind);

    int MinValue() const { return minValue_; }
    int MaxValue() const { return maxValue_; }
    int Progress() const { return progress_; }
    // A MinValue above MaxValue, or a MaxValue below MinValue, fails with
    // framework::EInvalidOperation "Value must be between %d and %d" (outside loading).
    void SetMinValue(int value);
    void SetMaxValue(int value);
    // Clamped to [MinValue, MaxValue]; OnChange fires after every change.
    void SetProgress(int value);

    // While loading, limits may be assigned in any order.
    void SetLoading(bool loading) { loading_ = loading; }

    bool CalcPercents() const { return calcPercents_; }
    void SetCalcPercents(bool on);
    QString Suffix() const { return suffix_; }
    void SetSuffix(const QString& suffix);
    bool ShowText() const { return showText_; }
    void SetShowText(bool on);
    framework::TColor ForeColor() const { return foreColor_; }
    void SetForeColor(framework::TColor color);
    framework::TColor BackColor() const { return backColor_; }
    void SetBackColor(framework::TColor color);
    framework::TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(framework::TBorderStyle style);

    // trunc((Progress - MinValue) * 100 / (MaxValue - MinValue)); 0 for an empty range.
    int PercentDone() const;
    // The value shown (the percentage, or Progress without CalcPercents) followed by Suffix.
    QString Text() const;

    framework::TNotifyEvent OnChange;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TsGaugeKind kind_ = gkHorizontalBar;
    int minValue_ = 0;
    int maxValue_ = 100;
    int progress_ = 47;
    bool loading_ = false;
    bool calcPercents_ = true;
    QString suffix_ = QStringLiteral("%");
    bool showText_ = true;
    framework::TColor foreColor_ = framework::clBlack;
    framework::TColor backColor_ = framework::clWhite;
    framework::TBorderStyle borderStyle_ = framework::bsSingle;
};

} // namespace skin
