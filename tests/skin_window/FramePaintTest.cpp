// The rendered frame by exact pixels: the extended-border picture as title strip, edges and
// shadow, the icon over the title, the caption in the active and inactive colours, caption
// buttons at half opacity on an inactive form, the client background (under the message
// dialog's text too), the frame of a form
// without extended borders (its window region cutting the skin's key-colour corners), the
// switch when the desktop stops and starts compositing, and old skins' transparent white.
#include <gtest/gtest.h>

#include <QFontMetrics>

#include <set>

#include "FrameTestSupport.h"
#include "framework/core/SkinCommand.h"
#include "framework/widgets/MessageForm.h"
#include "framework/widgets/StdCtrls.h"
#include "resources/TovrinResources.h"
#include "skin/data/sSkinCommands.h"
#include "skin/data/sMaskGeometry.h"
#include "skin/data/sSkinModelLookups.h"
#include "skin/pixels/ColorOps.h"
#include "skin/pixels/RectClip.h"
#include "skin/pixels/codecs/SkinPictures.h"
#include "skin/render/sGlyphPaint.h"
#include "tests/support/PixelTesting.h"

namespace skin::testing {
namespace {

using test::Hex;

std::set<std::uint32_t> ColoursIn(const QImage& image, const TRect& rect) {
    std::set<std::uint32_t> colours;
    for (int y = rect.Top; y < rect.Bottom; ++y)
        for (int x = rect.Left; x < rect.Right; ++x)
            colours.insert(image.pixel(x, y));
    return colours;
}

TEST(FramePaint, TheExtendedBorderPictureIsTheTitleEdgesAndShadow) {
    const auto form = ShowMainLikeForm();
    form->activateWindow();
    Settle();
    TsSkinProvider& p = ProviderOf(*form);
    ASSERT_TRUE(p.FormActive());
    const Bitmap32& frame = *p.FrameBitmap();
    const Bitmap32& picture = MainManager().ExtendedBorderActive();
    ASSERT_EQ(picture.Width(), 50);
    // Corners at their size: the top-left block (before the icon), the bottom-right block.
    for (int y = 0; y < 45; ++y)
        for (int x = 0; x < 22; ++x)
            ASSERT_EQ(Hex(frame.At(x, y)), Hex(picture.At(x, y))) << x << "," << y;
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 25; ++x)
            ASSERT_EQ(Hex(frame.At(474 + x, 339 + y)), Hex(picture.At(25 + x, 56 + y))) << x << "," << y;
    // The one-pixel middle of each side stretched along it.
    for (int y = 0; y < 14; ++y)
        ASSERT_EQ(Hex(frame.At(250, y)), Hex(picture.At(24, y))) << "top margin, row " << y;
    for (int x = 0; x < 22; ++x)
        ASSERT_EQ(Hex(frame.At(x, 200)), Hex(picture.At(x, 54))) << "left edge, column " << x;
    // The shadow is see-through, the frame opaque; the window shows the frame as it is.
    EXPECT_LT(frame.At(0, 0) >> 24, 0x20u);
    EXPECT_EQ(frame.At(250, 30) >> 24, 0xFFu);
    const QImage shown = Grab(*form);
    ASSERT_EQ(shown.size(), QSize(499, 363));
    for (const QPoint at : {QPoint(0, 0), QPoint(7, 300), QPoint(250, 20), QPoint(480, 360), QPoint(17, 200)})
        EXPECT_EQ(Hex(shown.pixel(at)), Hex(frame.At(at.x(), at.y()))) << at.x() << "," << at.y();
}

TEST(FramePaint, TheClientBackgroundIsTheFormSectionFromTheFrameBitmap) {
    const auto form = ShowMainLikeForm();
    TsSkinProvider& p = ProviderOf(*form);
    const TColor face = MainManager().Sections()[std::size_t(GetSkinIndex(MainManager().Model(), "FORM"))].Props[0].Color;
    const Pixel expected = PixelOfColor(face) | 0xFF000000u;
    EXPECT_EQ(Hex(p.FrameBitmap()->At(22 + 200, 45 + 150)), Hex(expected));
    const QImage shown = Grab(*form);
    EXPECT_EQ(Hex(shown.pixel(22 + 200, 45 + 150)), Hex(expected));
    // A child asking for its background gets the FrameBitmap from the client's origin.
    TsBackgroundInfo info;
    framework::SendSkinCommand(form->client(), SKC_GET_BACKGROUND, 0, reinterpret_cast<std::intptr_t>(&info));
    EXPECT_EQ(info.Kind, TsBgKind::Bitmap);
    EXPECT_EQ(info.Bitmap, p.FrameBitmap());
    EXPECT_EQ(info.OffsetX, 22);
    EXPECT_EQ(info.OffsetY, 45);
    EXPECT_EQ(framework::SendSkinCommand(form.get(), SKC_GET_CLIENT_OFFSET), (45 << 16) | 22);
}

TEST(FramePaint, TheMessageDialogsTextStandsOnTheFormColour) {
    framework::TMessageForm dialog(QStringLiteral("Done."), framework::mtCustom, false);
    dialog.show();
    Settle();
    const QImage shown = Grab(dialog);
    const QPoint client = dialog.client()->pos();
    const QRect label = dialog.MessageLabel()->geometry().translated(client);
    const QRgb form = shown.pixel(client + QPoint(2, 2));
    EXPECT_EQ(Hex(form), Hex(0xFF000000u | PixelOfColor(MainManager().Sections()[std::size_t(
                                                GetSkinIndex(MainManager().Model(), "FORM"))].Props[0].Color)));
    // Below the baseline and right of the full stop the label shows the form, not a box.
    EXPECT_EQ(Hex(shown.pixel(label.right(), label.bottom())), Hex(form));
    EXPECT_EQ(Hex(shown.pixel(label.right(), label.top())), Hex(form));
}

TEST(FramePaint, TheIconIsDrawnOpaqueOverTheTitle) {
    const auto form = ShowMainLikeForm();
    TsSkinProvider& p = ProviderOf(*form);
    const Bitmap32 icon = ReadPicture(ProgramIcon16Png(), "icon");
    const Bitmap32& picture = MainManager().ExtendedBorderActive();
    const Bitmap32& frame = *p.FrameBitmap();
    int opaque = 0, clear = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const Pixel source = icon.At(x, y);
            const Pixel shown = frame.At(22 + x, 21 + y);
            if (source >> 24 == 0xFF) {
                ASSERT_EQ(Hex(shown), Hex(source)) << x << "," << y;
                ++opaque;
            } else if (source >> 24 == 0) {
                // The title strip under the icon: the picture's top-left corner block up to
                // column 24, its stretched middle column from there.
                const int column = std::min(22 + x, 24);
                ASSERT_EQ(Hex(shown), Hex(picture.At(column, 21 + y))) << x << "," << y;
                ++clear;
            } else {
                ASSERT_EQ(shown >> 24, 0xFFu) << x << "," << y;
            }
        }
    EXPECT_GT(opaque, 0);
    EXPECT_GT(clear, 0);
}

TEST(FramePaint, AnInactiveFormShowsItsInactiveLook) {
    const auto form = ShowMainLikeForm();
    TsSkinProvider& p = ProviderOf(*form);
    const TRect caption{42, 21, 200, 38};
    form->activateWindow();
    const QImage active = Grab(*form);
    ASSERT_TRUE(p.FormActive());
    const auto other = ShowMainLikeForm();
    other->activateWindow();
    const QImage inactive = Grab(*form);
    ASSERT_FALSE(p.FormActive());

    // The caption in the title section's colours: 16777215 active, 12303291 inactive.
    EXPECT_TRUE(ColoursIn(active, caption).count(0xFFFFFFFFu));
    EXPECT_FALSE(ColoursIn(active, caption).count(0xFFBBBBBBu));
    EXPECT_TRUE(ColoursIn(inactive, caption).count(0xFFBBBBBBu));
    EXPECT_FALSE(ColoursIn(inactive, caption).count(0xFFFFFFFFu));

    // The inactive picture, and the normal Close at half opacity over it.
    const Bitmap32& picture = MainManager().ExtendedBorderInactive();
    const Bitmap32& frame = *p.FrameBitmap();
    EXPECT_EQ(Hex(frame.At(3, 3)), Hex(picture.At(3, 3)));
    Bitmap32 expected(24, 24);
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 24; ++x) {
            const int fx = 453 + x, fy = 17 + y;
            // Under the button: the stretched middle of the title, then the top-right corner.
            expected.At(x, y) = fx < 474 ? picture.At(24, fy) : picture.At(25 + fx - 474, fy);
        }
    const TsSkinModel& model = MainManager().Model();
    const TsMaskData& close = model.ma[std::size_t(FindMask(model, "GLOBALINFO", "BICONCLOSE"))];
    PaintSkinGlyph(expected, {0, 0}, 0, TsBackdrop{}, close, GlyphMode::Faint, MaskPicture(model, close));
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 24; ++x)
            ASSERT_EQ(Hex(frame.At(453 + x, 17 + y)), Hex(expected.At(x, y))) << x << "," << y;
}

TEST(FramePaint, WithoutACompositorTheFrameLivesInTheFormsOwnOpaqueWindow) {
    const auto form = ShowMainLikeForm();
    const QPoint clientAt = form->client()->mapToGlobal(QPoint());
    {
        ScopedCompositor none(false);
        TsSkinProvider& p = ProviderOf(*form);
        EXPECT_EQ(p.BorderForm(), nullptr);
        EXPECT_EQ(form->size(), QSize(461, 325));
        EXPECT_EQ(form->client()->geometry(), QRect(3, 26, 455, 296));
        EXPECT_EQ(form->client()->mapToGlobal(QPoint()), clientAt) << "the client stays where it was";
        const Bitmap32& frame = *p.FrameBitmap();
        ASSERT_EQ(frame.Width(), 461);
        ASSERT_EQ(frame.Height(), 325);
        // The title strip is the FORMTITLE section over the top SysBorder + SM_CYCAPTION rows.
        const TsGeneralData& title = MainManager().Sections()[std::size_t(GetSkinIndex(MainManager().Model(), "FORMTITLE"))];
        EXPECT_EQ(Hex(frame.At(230, 0)), Hex(PixelOfColor(title.Props[1].GradientArray.front().Color1) | 0xFF000000u));
        const QImage shown = Grab(*form);
        for (int x = 0; x < 461; x += 23)
            ASSERT_EQ(shown.pixel(x, 12) >> 24, 0xFFu) << "opaque, no shadow: column " << x;
        // The skin's key-colour corner pixels are cut out of the window.
        const TsSkinModel& model = MainManager().Model();
        const TsMaskData& border = model.ma[std::size_t(FindMask(model, "FORM", "BORDERSMASK"))];
        const Bitmap32& mask = MaskPicture(model, border);
        const QRegion region = p.WindowRegion();
        ASSERT_FALSE(p.RegionRects().empty());
        int holes = 0;
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x) {
                const bool key = mask.At(border.Area.Left + x, border.Area.Top + y) == kKeyPixel;
                EXPECT_EQ(region.contains(QPoint(x, y)), !key) << "top-left " << x << "," << y;
                const bool keyRight = mask.At(border.Area.Left + CellWidth(border) - 8 + x, border.Area.Top + y) == kKeyPixel;
                EXPECT_EQ(region.contains(QPoint(461 - 8 + x, y)), !keyRight) << "top-right " << x << "," << y;
                holes += key ? 1 : 0;
            }
        EXPECT_GT(holes, 0);
        EXPECT_TRUE(region.contains(QPoint(230, 160)));
    }
    // The compositor is back: so is the extended border, the client still in its place.
    TsSkinProvider& p = ProviderOf(*form);
    EXPECT_NE(p.BorderForm(), nullptr);
    EXPECT_EQ(form->size(), QSize(499, 363));
    EXPECT_EQ(form->client()->mapToGlobal(QPoint()), clientAt);
    EXPECT_TRUE(p.WindowRegion().isEmpty());
}

// Old skins mark transparency in their border pictures with white of alpha 0; those pixels
// become 0 (pictures of skins up to 7.45 are not premultiplied, so other colours without alpha
// stay). Newer skins' pictures are premultiplied, which leaves no colour without alpha.
TEST(FramePaint, OldSkinsClearTransparentWhiteInTheBorderPicture) {
    const std::unique_ptr<TvlSkinConvertor> package = ReadPackageBytes(InternalSkinPackage(), "internal");
    const TvlImageItem* original = package->FindImage("EXTBORD.PNG");
    ASSERT_NE(original, nullptr);
    Bitmap32 picture = ReadPicture(original->Data, "EXTBORD.PNG");
    picture.At(1, 1) = 0x00FFFFFF;
    picture.At(2, 1) = 0x00FFFFFE;
    const ByteArray png = WritePng(picture);
    struct Case {
        const char* Version;
        Pixel White;
        Pixel NearlyWhite;
    };
    for (const Case c : {Case{"7.40", 0, 0x00FFFFFE}, Case{"8.00", 0, 0}}) {
        ScopedSkin skin([&](std::string options) { return WithGlobal(options, "VERSION", c.Version); },
                        {{original->Name, png}});
        const auto form = ShowMainLikeForm();
        const Bitmap32& frame = *ProviderOf(*form).FrameBitmap();
        EXPECT_EQ(Hex(frame.At(1, 1)), Hex(c.White)) << c.Version;
        EXPECT_EQ(Hex(frame.At(2, 1)), Hex(c.NearlyWhite)) << c.Version;
    }
}

} // namespace
} // namespace skin::testing
