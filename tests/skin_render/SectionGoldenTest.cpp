// Whole sections of the fixture skin in all their states at two sizes, over a checker backdrop,
// compared with golden images.
#include <gtest/gtest.h>

#include "FixtureSkin.h"
#include "tests/support/GoldenImages.h"
#include "skin/data/sSkinModelLookups.h"
#include "skin/pixels/RectClip.h"
#include "skin/pixels/sBlit.h"
#include "skin/render/sSectionPaint.h"

namespace skin {
namespace {

Bitmap32 Checker(int width, int height) {
    Bitmap32 checker(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            checker.At(x, y) = ((x / 4 + y / 4) % 2) ? 0xFFB5BCC4 : 0xFF7D8792;
    return checker;
}

// One row per section: each state at 41 x 23 and at 13 x 9, each over the backdrop at its place.
Bitmap32 SectionsSheet(const TsSkinModel& skin, const std::vector<std::string>& names) {
    const int cellWidth = 41 + 13 + 6, cellHeight = 23 + 4, states = 3;
    Bitmap32 sheet = Checker(cellWidth * states, cellHeight * int(names.size()));
    const Bitmap32 backdropImage = sheet;
    for (std::size_t row = 0; row < names.size(); ++row) {
        const int index = GetSkinIndex(skin, names[row]);
        for (int state = 0; state < states; ++state) {
            const int x = state * cellWidth + 2, y = int(row) * cellHeight + 2;
            TsBackdrop backdrop;
            backdrop.Bitmap = &backdropImage;
            backdrop.HasBitmap = true;
            TsSectionPaint paint{.SectionIndex = index,
                                 .SectionName = names[row],
                                 .State = state,
                                 .Backdrop = backdrop,
                                 .BackdropPoint = {x, y}};
            PaintSectionToDC(skin, sheet, RectAt(x, y, 41, 23), paint);
            paint.BackdropPoint = {x + 43, y};
            PaintSectionToDC(skin, sheet, RectAt(x + 43, y, 13, 9), paint);
        }
    }
    return sheet;
}

TEST(SectionGolden, BordersAndGradients) {
    const TsSkinModel skin = test::LoadFixtureSkin();
    const std::string failure = testing_support::CompareWithGolden(
        SectionsSheet(skin, {"BUTTON", "EDIT", "GLASS", "STRETCHY", "PANEL"}), "skin_render", "borders_and_gradients");
    EXPECT_TRUE(failure.empty()) << failure;
}

TEST(SectionGolden, BackgroundKinds) {
    const TsSkinModel skin = test::LoadFixtureSkin();
    const std::string failure = testing_support::CompareWithGolden(
        SectionsSheet(skin, {"HGRAD", "MESH", "TEXTURED", "TEXGRAD", "HALF", "PLAINGRAD"}), "skin_render", "background_kinds");
    EXPECT_TRUE(failure.empty()) << failure;
}

TEST(SectionGolden, LayeredSectionAlpha) {
    const TsSkinModel skin = test::LoadFixtureSkin();
    Bitmap32 sheet(3 * 30, 20);
    for (int state = 0; state < 3; ++state) {
        Bitmap32 image(28, 18);
        PaintSectionAlpha(skin, GetSkinIndex(skin, "BUTTON"), image, RectOf(image), state);
        CopyBlock(sheet, state * 30 + 1, 1, image, RectOf(image));
    }
    const std::string failure = testing_support::CompareWithGolden(sheet, "skin_render", "layered_button");
    EXPECT_TRUE(failure.empty()) << failure;
}

} // namespace
} // namespace skin
