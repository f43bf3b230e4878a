// Renders the contact sheet of the internal skin into the build folder (for review, and for the
// copy shown in the README), and checks the corners the skin cuts reach the parent.
#include <gtest/gtest.h>

#include <fstream>

#include "skin/pixels/ColorOps.h"
#include "skin/pixels/codecs/SkinPictures.h"
#include "skin/render/sSectionPaint.h"
#include "tests/internal_skin/InternalSkinFixture.h"
#include "tests/internal_skin/PewterSheet.h"

namespace skin::testing {
namespace {

TEST(PewterSheet, RendersIntoTheBuildFolder) {
    const Bitmap32 sheet = DrawPewterSheet(SharedManager());
    const auto png = WritePng(sheet);
    std::ofstream(TOVRIN_PEWTER_SHEET, std::ios::binary)
        .write(reinterpret_cast<const char*>(png.data()), std::streamsize(png.size()));
    EXPECT_EQ(ReadPictureFile(TOVRIN_PEWTER_SHEET), sheet);
}

TEST(PewterSheet, RoundedCornersShowTheParentAndTheFaceDoesNot) {
    const TsSkinManager& m = SharedManager();
    constexpr Pixel kParent = 0xFF123456;
    struct Row {
        const char* Section;
        int Width, Height, State;
        bool OpaqueFace;
    };
    const Row rows[] = {{"BUTTON", 61, 29, 0, true},      {"BUTTON", 61, 29, 1, true},
                        {"BUTTON", 61, 29, 2, true},      {"BUTTON_HUGE", 80, 40, 0, true},
                        {"BUTTON_HUGE", 80, 40, 2, true}, {"TABTOP", 60, 20, 1, true},
                        {"SPEEDBUTTON", 28, 28, 1, true}, {"GROUPBOX", 100, 40, 0, false}};
    for (const Row& row : rows) {
        Bitmap32 parent(row.Width, row.Height);
        parent.Fill(kParent);
        TsBackdrop backdrop;
        backdrop.Bitmap = &parent;
        backdrop.HasBitmap = true;
        Bitmap32 part(row.Width, row.Height);
        const TsSectionPaint paint{.SectionIndex = m.GetSkinIndex(row.Section),
                                   .SectionName = row.Section,
                                   .State = row.State,
                                   .Backdrop = backdrop};
        PaintSectionByIndex(m.Model(), part, {0, 0, row.Width, row.Height}, paint);
        EXPECT_EQ(part.At(0, 0) | 0xFF000000u, kParent) << row.Section << " state " << row.State;
        EXPECT_EQ(part.At(row.Width - 1, 0) | 0xFF000000u, kParent) << row.Section << " state " << row.State;
        const Pixel centre = part.At(row.Width / 2, row.Height / 2) | 0xFF000000u;
        if (row.OpaqueFace) {
            EXPECT_NE(centre, kParent) << row.Section << " state " << row.State;
        } else {
            EXPECT_EQ(centre, kParent) << row.Section << " state " << row.State; // a see-through section
        }
    }
}

} // namespace
} // namespace skin::testing
