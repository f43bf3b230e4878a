// TsGroupBox: the skinned group box. Its cache holds the parent's image under the caption band,
// the section's frame from the band's middle down, and the caption on a gap in the frame's top
// edge; children are left out of the copy to the screen and the windowless ones (labels) are
// painted into it. Unskinned, it is the framework's group box.
#pragma once

#include <QString>

#include "framework/widgets/StdCtrls.h"
#include "skin/render/sCommonData.h"
#include "skin/render/sParentBackground.h"

namespace skin {

enum TsCaptionLayout { clTopLeft, clTopCenter, clTopRight };

struct TsMargin {
    int Left = 2;
    int Top = 0;
    int Right = 2;
    int Bottom = 0;
    bool operator==(const TsMargin&) const = default;
};

// What the caption band depends on.
struct TsGroupCaptionInput {
    int Width = 0;
    int TextWidth = 0;    // the caption's width in the box's font
    int LetterHeight = 0; // the height of "W" in that font
    bool Skinned = true;
    TsCaptionLayout Layout = clTopLeft;
    TsMargin Margin;
    int YOffset = 0;
    int CaptionWidth = 0; // 0: the text's width
    bool RightToLeft = false;
    int BevelWidth = 1;
};
// The caption band cr; halvings truncate.
TRect GroupCaptionRect(const TsGroupCaptionInput& in);

class TsGroupBox : public framework::TGroupBox {
    Q_OBJECT
public:
    explicit TsGroupBox(QWidget* parent = nullptr);
    ~TsGroupBox() override;

    TsCtrlSkinData SkinData;

    TsCaptionLayout CaptionLayout() const { return captionLayout_; }
    void SetCaptionLayout(TsCaptionLayout layout);
    TsMargin CaptionMargin() const { return captionMargin_; }
    void SetCaptionMargin(const TsMargin& margin);
    int CaptionYOffset() const { return captionYOffset_; }
    void SetCaptionYOffset(int offset);
    const std::string& CaptionSkin() const { return captionSkin_; }
    void SetCaptionSkin(const std::string& section);
    int CaptionWidth() const { return captionWidth_; }
    void SetCaptionWidth(int width);

    TRect CaptionRect() const;
    // Rebuilds the cache; false when the parent's image is not ready.
    bool PrepareCache();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    bool HandleCommand(int command, int argument, std::intptr_t lParam, std::intptr_t& result);
    void Invalidate();
    void PaintCaption(Bitmap32& cache, const TRect& band, const TsParentBackdrop& parent);

    TsCaptionLayout captionLayout_ = clTopLeft;
    TsMargin captionMargin_;
    int captionYOffset_ = 0;
    std::string captionSkin_;
    int captionWidth_ = 0;
    QString cachedTitle_; // the caption the cache shows
};

} // namespace skin
