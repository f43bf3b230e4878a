// TsGauge: the windowless progress gauge. It keeps the value rules (MinValue, MaxValue and
// Progress with clamping and the range errors, the percentage text with Suffix). Skinned, its bar
// is the progress section over the gauge's own section with the text in both sections' colours,
// and a light strip sweeps along the filled part; unskinned, it draws the framework's plain gauge
// whose text shows inverted against what lies under it.
#pragma once

#include <QPointer>
#include <QString>
#include <QTimer>

#include <functional>
#include <string>

#include "framework/widgets/Controls.h"
#include "framework/widgets/Forms.h"
#include "framework/widgets/Graphics.h"
#include "skin/render/sCommonData.h"

namespace skin {

enum TsGaugeKind { gkText, gkHorizontalBar, gkVerticalBar, gkPie, gkNeedle };

// The percentage: trunc((progress - min) * 100 / (max - min)), 0 for an empty range.
int GaugePercent(int minValue, int maxValue, int progress);
// The share of a length for a percentage: trunc(length * (percent * 0.01)).
int GaugeShare(int length, int percent);

// The light strip's sweep: a tick every 22 ms, a new sweep every 2222 ms, the strip 300 pixels
// wide, moving max(15, round(L / 50.5)) pixels a tick along a bar of length L.
inline constexpr int kSweepInterval = 22;
inline constexpr int kSweepPeriod = 2222;
inline constexpr int kLightStripWidth = 300;
int SweepStep(int length);

// The process's light-strip picture ("VLGL"), set once at start-up; without it no strip shows.
void SetGaugeLightPicture(Bitmap32 picture);
const Bitmap32& GaugeLightPicture();
// The strip for a bar gh pixels high: the picture's middle rows stretched to 300 x gh.
Bitmap32 MakeLightStrip(const Bitmap32& picture, int height);
// Lays the strip, its left edge at sweepPos, over filled; with a shape picture (the progress
// section's "LRGN" mask painted over white) the light shows where the shape is dark.
void LayLightStrip(Bitmap32& filled, const Bitmap32& strip, int sweepPos, const Bitmap32* shape);

class TsGauge : public framework::TGraphicControl {
    Q_OBJECT
public:
    static constexpr int kDefaultWidth = 120;
    static constexpr int kDefaultHeight = 30;

    explicit TsGauge(QWidget* parent = nullptr);
    ~TsGauge() override;

    TsCtrlSkinData SkinData;

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
    bool Animated() const { return animated_; }
    void SetAnimated(bool on);
    const std::string& ProgressSkin() const { return progressSkin_; }
    void SetProgressSkin(const std::string& section);
    framework::TColor ForeColor() const { return foreColor_; }
    void SetForeColor(framework::TColor color);
    framework::TColor BackColor() const { return backColor_; }
    void SetBackColor(framework::TColor color);
    framework::TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(framework::TBorderStyle style);

    int PercentDone() const { return GaugePercent(minValue_, maxValue_, progress_); }
    // The value shown (the percentage, or Progress without CalcPercents) followed by Suffix,
    // as OnPaintText leaves it.
    QString Text() const;

    framework::TNotifyEvent OnChange;
    std::function<void(QObject* sender, QString& text)> OnPaintText;

    // --- The sweep.
    int SweepClock() const { return sweepClock_; }
    int SweepPos() const { return sweepPos_; }
    bool Sweeping() const { return sweepTimer_.isActive(); }
    // One tick of the sweep timer: the strip moves on, and the gauge repaints when it shows.
    void SweepTick();
    // The skinned gauge as it would be shown now (the cache build); empty when unskinned.
    Bitmap32 PaintSkinned();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    bool IsBar() const { return kind_ == gkHorizontalBar || kind_ == gkVerticalBar; }
    bool HandleCommand(int command, int argument, std::intptr_t lParam, std::intptr_t& result);
    void Refresh();
    void UpdateSweepTimer();
    void BuildCache(Bitmap32& cache);
    void PaintContent(Bitmap32& cache);
    void PaintHorizontalBar(Bitmap32& cache, int section, int length, int thickness);
    void PaintVerticalBar(Bitmap32& cache, int section);
    void PaintFilled(Bitmap32& filled, const Bitmap32& backdrop, int section);
    void PaintPie(Bitmap32& image, const TRect& rect) const;
    void PaintNeedle(Bitmap32& image, const TRect& rect) const;
    void PaintUnskinned(class QPainter& painter);
    int ProgressSection() const;

    TsGaugeKind kind_ = gkHorizontalBar;
    int minValue_ = 0;
    int maxValue_ = 100;
    int progress_ = 47;
    bool loading_ = false;
    bool calcPercents_ = true;
    QString suffix_ = QStringLiteral("%");
    bool showText_ = true;
    bool animated_ = true;
    std::string progressSkin_;
    framework::TColor foreColor_ = framework::clBlack;
    framework::TColor backColor_ = framework::clWhite;
    framework::TBorderStyle borderStyle_ = framework::bsSingle;

    QTimer sweepTimer_;
    int sweepClock_ = kSweepPeriod + 1; // the first tick starts a sweep
    int sweepPos_ = 9999;
    Bitmap32 lightStrip_;
    Bitmap32 fillCache_;
};

} // namespace skin
