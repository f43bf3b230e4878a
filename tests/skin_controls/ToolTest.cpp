// tovrin-skin's text and glow commands as a skin author calls them on the program's own skin.
#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "TestSkin.h"
#include "skin/data/sSkinModelLookups.h"
#include "skin/pixels/ColorOps.h"
#include "skin/pixels/codecs/SkinPictures.h"

namespace skin::testing {
namespace {

namespace fs = std::filesystem;

struct ToolRun {
    int Status = -1;
    std::string Output;
};

class TextAndGlowCommands : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        folder_ = fs::temp_directory_path() / ("tovrin-text-glow-" + std::to_string(::getpid()));
        fs::create_directories(folder_);
    }
    static void TearDownTestSuite() {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }
    static std::string Out(const std::string& name) { return (folder_ / name).string(); }
    static ToolRun Tool(const std::string& arguments) {
        ToolRun run;
        const std::string command = std::string(TOVRIN_SKIN_TOOL) + " " + arguments + " 2>/dev/null";
        FILE* pipe = ::popen(command.c_str(), "r");
        if (!pipe)
            return run;
        std::array<char, 4096> buffer{};
        while (std::size_t n = std::fread(buffer.data(), 1, buffer.size(), pipe))
            run.Output.append(buffer.data(), n);
        const int status = ::pclose(pipe);
        run.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        return run;
    }
    static std::set<Pixel> Colours(const Bitmap32& bitmap) {
        std::set<Pixel> colours;
        for (int y = 0; y < bitmap.Height(); ++y)
            for (Pixel pixel : bitmap.Row(y))
                colours.insert(pixel);
        return colours;
    }
    static fs::path folder_;
};

fs::path TextAndGlowCommands::folder_;

TEST_F(TextAndGlowCommands, GlowWritesTheHaloAndItsPlace) {
    const ToolRun run = Tool("glow :internal EDIT 61 21 " + Out("glow.png"));
    ASSERT_EQ(run.Status, 0);
    EXPECT_EQ(run.Output, "{\"x\":-5,\"y\":-5,\"width\":71,\"height\":31}\n");
    const Bitmap32 halo = ReadPictureFile(Out("glow.png"));
    ASSERT_EQ(halo.Width(), 71);
    ASSERT_EQ(halo.Height(), 31);
    const TsSkinModel& skin = TestManager().Model();
    const Bitmap32& picture = *skin.ma[std::size_t(FindMask(skin, "EDIT", "GLOW0"))].Image;
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 7; ++x)
            ASSERT_EQ(halo.At(x, y), picture.At(x, y)) << x << "," << y;
    EXPECT_EQ(halo.At(35, 15), 0u);
    EXPECT_EQ(Tool("glow :internal EDIT 61 21 " + Out("none.png") + " --key NOPE").Status, 1);
    EXPECT_EQ(Tool("glow :internal NOSECTION 61 21 " + Out("none.png")).Status, 1);
}

TEST_F(TextAndGlowCommands, TextIsWrittenInTheSectionsColours) {
    // BUTTON: text colour R 30, G 35, B 41 over white.
    ASSERT_EQ(Tool("text :internal BUTTON 0 90 30 Hi " + Out("text.png") +
                   " --font Tahoma:22:bold --align center --backdrop '#FFFFFF'")
                  .Status,
              0);
    const std::set<Pixel> text = Colours(ReadPictureFile(Out("text.png")));
    EXPECT_TRUE(text.count(0xFFFFFFFF));
    EXPECT_TRUE(text.count(0xFF1E2329));
    for (Pixel pixel : text) // every pixel lies between white and the text colour
        EXPECT_TRUE(Byte2(pixel) <= Byte1(pixel) && Byte1(pixel) <= Byte0(pixel) && Byte3(pixel) == 255)
            << std::hex << pixel;
    // Disabled: 0.4 * text + 0.6 * the section's colour (245, 246, 248) = (159, 161.6, 165.2), rounded.
    ASSERT_EQ(Tool("text :internal BUTTON 0 90 30 Hi " + Out("disabled.png") +
                   " --font Tahoma:22:bold --disabled --backdrop 16777215")
                  .Status,
              0);
    EXPECT_TRUE(Colours(ReadPictureFile(Out("disabled.png"))).count(0xFF9FA2A5));
}

TEST_F(TextAndGlowCommands, TextStartsTransparentAndTheAlphaFormMakesWrittenPixelsOpaque) {
    ASSERT_EQ(Tool("text :internal BUTTON 0 60 20 Hi " + Out("plain.png")).Status, 0);
    const Bitmap32 plain = ReadPictureFile(Out("plain.png"));
    EXPECT_EQ(plain.At(59, 19), 0u);
    // Straight alpha: every written pixel is the text colour (30, 35, 41) at its coverage, the
    // anti-aliased edges included, up to one step of the premultiplied value it was kept as
    // (premultiplied, an edge of alpha a would be a / 255 as bright).
    int edges = 0;
    for (Pixel pixel : Colours(plain)) {
        const int alpha = Byte3(pixel);
        if (alpha == 0)
            continue;
        for (const auto& [channel, value] : {std::pair{Byte2(pixel), 30}, {Byte1(pixel), 35}, {Byte0(pixel), 41}})
            EXPECT_LE(std::abs(channel - value) * alpha, 255) << std::hex << pixel;
        edges += alpha < 255;
    }
    EXPECT_GT(edges, 0);
    // A half-transparent backdrop keeps its colour (up to the rounding of the round trip through
    // premultiplied colour) where no text is written.
    Bitmap32 backdrop(60, 20);
    backdrop.Fill(0x80C86432);
    const std::vector<std::uint8_t> png = WritePng(backdrop);
    std::ofstream(Out("half.png"), std::ios::binary).write(reinterpret_cast<const char*>(png.data()), std::streamsize(png.size()));
    ASSERT_EQ(Tool("text :internal BUTTON 0 60 20 Hi " + Out("over-half.png") + " --backdrop-png " + Out("half.png")).Status, 0);
    const Pixel kept = ReadPictureFile(Out("over-half.png")).At(59, 19);
    EXPECT_EQ(Byte3(kept), 0x80);
    for (const auto& [channel, value] : {std::pair{Byte2(kept), 0xC8}, {Byte1(kept), 0x64}, {Byte0(kept), 0x32}})
        EXPECT_LE(std::abs(channel - value), 1) << std::hex << kept;
    ASSERT_EQ(Tool("text :internal BUTTON 0 60 20 Hi " + Out("alpha.png") + " --alpha").Status, 0);
    for (Pixel pixel : Colours(ReadPictureFile(Out("alpha.png"))))
        EXPECT_TRUE(pixel == 0u || Byte3(pixel) == 255) << std::hex << pixel;
    // The backdrop colour in either notation.
    ASSERT_EQ(Tool("text :internal BUTTON 0 60 20 Hi " + Out("hash.png") + " --backdrop '#102030'").Status, 0);
    EXPECT_EQ(ReadPictureFile(Out("hash.png")).At(59, 19), 0xFF102030u);
    EXPECT_EQ(Tool("text :internal BUTTON 0 60 20 Hi " + Out("bad.png") + " --backdrop '#10203'").Status, 1);
    EXPECT_EQ(Tool("text :internal BUTTON 0 60 20 Hi " + Out("bad.png") + " --align middle").Status, 1);
}

} // namespace
} // namespace skin::testing
