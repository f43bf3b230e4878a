// The skinned group box: its caption band, the frame's gap behind the caption, the variants of
// the band (no caption, a raised band, right-aligned), and the labels it paints into its image.
#include <gtest/gtest.h>

#include <memory>

#include "TestControls.h"
#include "TestSkin.h"
#include "skin/controls/sGroupBox.h"
#include "skin/controls/sLabel.h"
#include "skin/render/sParentBackground.h"
#include "skin/render/sSkinnedText.h"
#include "skin/pixels/ColorOps.h"
#include "tests/support/PixelTesting.h"

namespace skin::testing {
namespace {

using skin::test::Hex;

constexpr Pixel kFrame = 0xFFA7AFB8; // the GROUPBOX frame line (the art direction's colour)

QFont Tahoma() {
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(11);
    return font;
}

class GroupBoxes : public ::testing::Test {
protected:
    void SetUp() override {
        window_ = std::make_unique<QWidget>();
        window_->resize(220, 60);
        box_ = new TsGroupBox(window_.get());
        box_->setFont(Tahoma());
        box_->setTitle(QStringLiteral("Диапазон"));
        box_->setGeometry(0, 0, 201, 45);
        ShowExposed(window_.get());
        parent_ = 0xFF000000u | PixelOfColor(AnsweredColor(window_.get()));
    }
    Bitmap32 Shown() { return GrabbedBitmap(box_); }
    std::unique_ptr<QWidget> window_;
    TsGroupBox* box_ = nullptr;
    Pixel parent_ = 0;
};

TEST_F(GroupBoxes, CaptionSitsOnAGapInTheFramesTopEdge) {
    // The band is as high as "W" and 2 more; the frame starts half-way down it. (Tahoma 8 on
    // Windows: 13 + 2 = 15 and y = 7; the Tahoma at hand measures its own height.)
    const int tw = TextWidth(Tahoma(), box_->title());
    const int band = TextExtent(Tahoma(), QStringLiteral("W")).height() + 2;
    const int top = band / 2;
    const TRect caption = box_->CaptionRect();
    EXPECT_EQ(caption, (TRect{6, 0, 6 + tw + 8, band}));
    const Bitmap32 shown = Shown();
    for (int y = 0; y < top; ++y)
        EXPECT_EQ(Hex(shown.At(3, y)), Hex(parent_)) << y;
    EXPECT_EQ(Hex(shown.At(4, top)), Hex(kFrame));
    EXPECT_EQ(Hex(shown.At(caption.Right + 1, top)), Hex(kFrame));
    // The caption's margins on the gap show the parent, not the line.
    EXPECT_EQ(Hex(shown.At(caption.Left, top)), Hex(parent_));
    EXPECT_EQ(Hex(shown.At(caption.Left + 1, top)), Hex(parent_));
    EXPECT_EQ(Hex(shown.At(caption.Right - 1, top)), Hex(parent_));
    // Left and bottom edges of the frame.
    EXPECT_EQ(Hex(shown.At(0, 25)), Hex(kFrame));
    EXPECT_EQ(Hex(shown.At(100, 44)), Hex(kFrame));
}

TEST_F(GroupBoxes, BandVariants) {
    box_->setTitle(QString());
    const int top = (TextExtent(Tahoma(), QStringLiteral("W")).height() + 2) / 2;
    EXPECT_EQ(Hex(Shown().At(box_->width() / 2, top)), Hex(kFrame)); // unbroken
    box_->SetCaptionYOffset(-4);
    EXPECT_EQ(box_->CaptionRect().Top, -4);
    EXPECT_EQ(Hex(Shown().At(box_->width() / 2, 0)), Hex(kFrame)); // the frame from y = 0
    TsGroupCaptionInput right{.Width = 160, .TextWidth = 40, .LetterHeight = 13, .Layout = clTopRight};
    EXPECT_EQ(GroupCaptionRect(right).Left, 160 - 40 - 8 - 6);
    TsGroupCaptionInput centre = right;
    centre.Layout = clTopCenter;
    EXPECT_EQ(GroupCaptionRect(centre), (TRect{(160 - 40 - 4 - 6) / 2, 0, (160 - 40 - 4 - 6) / 2 + 48, 15}));
}

TEST_F(GroupBoxes, PaintsItsLabelsOverItsImageInTheSkinsTextColour) {
    auto* label = new TsLabel(box_);
    label->setFont(Tahoma());
    label->setText(QStringLiteral("Пример:"));
    label->setGeometry(92, 12, 41, 13);
    label->show();
    const Bitmap32 shown = Shown();
    // Nothing of the group box's transparent section lends colours: the general text colour.
    const Pixel text = 0xFF000000u | PixelOfColor(TestManager().Model().Palette[PaletteEntry::pcLabelText]);
    int inked = 0;
    for (int y = 12; y < 25; ++y)
        for (int x = 92; x < 133; ++x)
            inked += shown.At(x, y) == text;
    EXPECT_GT(inked, 0);
    // The frame runs above the label (its line, then a light line under it), not through it.
    const int top = (TextExtent(Tahoma(), QStringLiteral("W")).height() + 2) / 2;
    EXPECT_EQ(Hex(shown.At(91, top)), Hex(kFrame));
    for (int y = top + 2; y < 40; ++y)
        EXPECT_EQ(Hex(shown.At(91, y)), Hex(parent_)) << y;
}

} // namespace
} // namespace skin::testing
