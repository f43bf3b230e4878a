// TsStatusBar: the skinned status bar. The framework's bar keeps the panels and their texts; the
// skin paints the bar's section, a divider after every panel but the last, the panel texts and
// the size grip into the record's cache, which is copied to the screen with the windowless
// children (the link label) painted over it. Unskinned, it is the framework's bar.
#pragma once

#include "framework/widgets/ComCtrls.h"
#include "skin/render/sCommonData.h"

namespace skin {

class TsStatusBar : public framework::TStatusBar {
    Q_OBJECT
public:
    explicit TsStatusBar(QWidget* parent = nullptr);
    ~TsStatusBar() override;

    TsCtrlSkinData SkinData;

    // The rectangle a panel is painted in (its place shrunk by 1 on every side), and where its
    // text goes.
    TRect PanelPaintRect(int index) const;
    static TRect PanelTextRect(const TRect& panel);
    // Rebuilds the cache when it is stale.
    void PrepareCache();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void PanelsChanged() override;

private:
    bool HandleCommand(int command, int argument, std::intptr_t lParam, std::intptr_t& result);
    void PaintPanel(Bitmap32& cache, const TRect& r, const QString& text, bool last);
    int PaintedWidth() const; // the bar without the size grip's room
};

} // namespace skin
