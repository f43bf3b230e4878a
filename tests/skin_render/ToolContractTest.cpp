// The painting commands of tovrin-skin as a skin author calls them, on the fixture skin written
// as a folder: what the destination starts as, the two kinds of backdrop, the region's JSON,
// the contact sheet, and the failures.
#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "FixtureSkin.h"
#include "PaintTestSupport.h"
#include "skin/pixels/codecs/SkinPictures.h"

namespace skin {
namespace {

namespace fs = std::filesystem;
using test::Hex;

struct RunResult {
    int Status = -1;
    std::string Output;
};

class ToolContract : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        folder_ = fs::temp_directory_path() / ("tovrin-paint-tool-" + std::to_string(::getpid()));
        test::WriteFixtureSkinFolder((folder_ / "FIXTURE").string());
    }
    static void TearDownTestSuite() {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }
    static std::string Skin() { return (folder_ / "FIXTURE").string(); }
    static std::string Out(const std::string& name) { return (folder_ / name).string(); }

    static RunResult Run(const std::string& arguments) {
        RunResult result;
        const std::string command = std::string(TOVRIN_SKIN_TOOL) + " " + arguments + " 2>/dev/null";
        FILE* pipe = ::popen(command.c_str(), "r");
        if (!pipe)
            return result;
        std::array<char, 4096> buffer{};
        while (std::size_t n = std::fread(buffer.data(), 1, buffer.size(), pipe))
            result.Output.append(buffer.data(), n);
        const int status = ::pclose(pipe);
        result.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        return result;
    }
    static Bitmap32 Picture(const std::string& path) { return ReadPictureFile(path); }

    static fs::path folder_;
};

fs::path ToolContract::folder_;

TEST_F(ToolContract, MaskStartsTransparentBlackAndKeysTakeTheEmptyBackdrop) {
    ASSERT_EQ(Run("mask " + Skin() + " EDIT BORDERSMASK 0 10 8 " + Out("edit.png")).Status, 0);
    const Bitmap32 edit = Picture(Out("edit.png"));
    ASSERT_EQ(edit.Width(), 10);
    EXPECT_EQ(Hex(edit.At(0, 0)), Hex(0x00FF00FF)); // a key corner without backdrop: the "none" colour, alpha 0
    EXPECT_EQ(Hex(edit.At(4, 0)), Hex(0xFF9AA2AB)); // the frame of cell 0
    EXPECT_EQ(Hex(edit.At(4, 4)), Hex(0x00000000)); // no centre: the destination as it started
}

TEST_F(ToolContract, BackdropPictureIsTheStartAndShowsThroughKeys) {
    Bitmap32 backdrop(10, 8);
    backdrop.Fill(0xFF204060);
    const std::vector<std::uint8_t> png = WritePng(backdrop);
    std::ofstream(Out("backdrop.png"), std::ios::binary).write(reinterpret_cast<const char*>(png.data()), std::streamsize(png.size()));
    ASSERT_EQ(Run("mask " + Skin() + " EDIT BORDERSMASK 1 10 8 " + Out("over.png") + " --backdrop-png " +
                  Out("backdrop.png") + " --use-backdrop")
                  .Status,
              0);
    const Bitmap32 over = Picture(Out("over.png"));
    EXPECT_EQ(Hex(over.At(0, 0)), Hex(0xFF204060));
    EXPECT_EQ(Hex(over.At(4, 0)), Hex(0xFF5B80A8)); // the frame of cell 1
    EXPECT_EQ(Hex(over.At(4, 4)), Hex(0xFF204060));
}

TEST_F(ToolContract, RegionPrintsTheRemovedRuns) {
    const RunResult run = Run("mask " + Skin() + " EDIT BORDERSMASK 0 10 8 " + Out("region.png") + " --region");
    ASSERT_EQ(run.Status, 0);
    EXPECT_EQ(run.Output, "{\"removed\":[[0,0,1,1],[0,7,1,8],[9,7,10,8],[9,0,10,1]]}\n");
}

TEST_F(ToolContract, SectionOverAColourBackdrop) {
    ASSERT_EQ(Run("section " + Skin() + " GLASS 0 12 9 " + Out("glass.png") + " --backdrop 3355443").Status, 0);
    const Bitmap32 glass = Picture(Out("glass.png"));
    EXPECT_EQ(Hex(glass.At(5, 5)), Hex(0xFF333333)); // fully transparent: the parent's colour
    EXPECT_EQ(Hex(glass.At(5, 0)), Hex(0xFF9AA2AB)); // and the border mask over it
}

TEST_F(ToolContract, GlyphAndSheet) {
    ASSERT_EQ(Run("glyph " + Skin() + " PANEL IMGBTMLEFT 0 1 1 1 6 6 " + Out("glyph.png")).Status, 0);
    const Bitmap32 glyph = Picture(Out("glyph.png"));
    EXPECT_EQ(Hex(glyph.At(1, 4)), Hex(0xFF7D8792));
    EXPECT_EQ(Hex(glyph.At(4, 1)), Hex(0x00FF00FF)); // a key pixel over the empty backdrop
    ASSERT_EQ(Run("sheet " + Skin() + " " + Out("sheet.png")).Status, 0);
    const Bitmap32 sheet = Picture(Out("sheet.png"));
    EXPECT_GT(sheet.Width(), 100);
    EXPECT_GT(sheet.Height(), 300);
}

TEST_F(ToolContract, FailuresExitWithStatusOne) {
    EXPECT_EQ(Run("section " + Skin() + " NO_SUCH 0 10 10 " + Out("x.png")).Status, 1);
    EXPECT_EQ(Run("mask " + Skin() + " EDIT NO_SUCH 0 10 10 " + Out("x.png")).Status, 1);
    EXPECT_EQ(Run("section " + Skin() + " EDIT 0 0 10 " + Out("x.png")).Status, 1);
    EXPECT_EQ(Run("mask " + Skin() + " EDIT BORDERSMASK 0 10 10 " + Out("x.png") + " --alpha --region").Status, 1);
    EXPECT_EQ(Run("section " + folder_.string() + "/MISSING EDIT 0 10 10 " + Out("x.png")).Status, 1);
    EXPECT_FALSE(fs::exists(Out("x.png")));
}

} // namespace
} // namespace skin
