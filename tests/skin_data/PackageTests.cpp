// The VLzf package: reading rules, writing order, failures on malformed packages.
#include "SkinDataFixtures.h"

#include "skin/data/vlSkinPack.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdlib>

namespace skin {
namespace {

using testing::TempFolder;

ByteArray Text(const std::string& text) { return ByteArray(text.begin(), text.end()); }

std::string ReadFailure(const ByteArray& bytes) {
    try {
        ReadPackageBytes(bytes);
    } catch (const EPackageError& failure) {
        return failure.what();
    }
    return "no failure";
}

void PutUInt32(ByteArray& bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

TEST(SkinPackage, RoundTripKeepsOrderKindsAndEndPosition) {
    std::vector<PackageEntry> entries = {{"Zeta.png", Text("z")},     {"Master.bmp", Text("master")},
                                         {"OPTIONS.DAT", Text("[A]")}, {"Alpha.png", Text("a")},
                                         {"Button.BMP", Text("button")}};
    SortPackageEntries(entries);
    std::vector<std::string> order;
    for (const PackageEntry& entry : entries)
        order.push_back(entry.Name);
    EXPECT_EQ(order, (std::vector<std::string>{"OPTIONS.DAT", "Button.BMP", "Master.bmp", "Alpha.png", "Zeta.png"}));

    const ByteArray package = WritePackage(entries);
    const auto convertor = ReadPackageBytes(package);
    ASSERT_TRUE(convertor->OptionsStream);
    EXPECT_EQ(*convertor->OptionsStream, Text("[A]")); // any letter case is the options text
    EXPECT_EQ(convertor->ImageCount, 4);
    ASSERT_EQ(convertor->Images.size(), 4u);
    EXPECT_EQ(convertor->Images[0].Name, "Button.BMP");
    EXPECT_TRUE(convertor->Images[0].IsBitmap);
    EXPECT_TRUE(convertor->Images[1].IsBitmap);
    EXPECT_FALSE(convertor->Images[2].IsBitmap);
    EXPECT_EQ(convertor->Images[3].Data, Text("z"));
    EXPECT_EQ(convertor->SourcePosition, package.size());
    // Every entry is one zlib stream with the default header.
    EXPECT_EQ(package[8 + 4 + 11 + 4], 0x78);
    EXPECT_EQ(package[8 + 4 + 11 + 5], 0x9C);
    // Look-up by upper-cased stored name; the requested name is not upper-cased.
    ASSERT_NE(convertor->FindImage("MASTER.BMP"), nullptr);
    EXPECT_EQ(convertor->FindImage("Master.bmp"), nullptr);
}

TEST(SkinPackage, KeepsOnlyTheStatedSizeAndFindsTheNextEntry) {
    // U smaller than the stream: the first U bytes are kept, the next entry is still found.
    ByteArray package = WritePackage({{"Options.dat", Text("0123456789")}, {"A.png", Text("png")}});
    PutUInt32(package, 8 + 4 + 11, 4);
    const auto convertor = ReadPackageBytes(package);
    EXPECT_EQ(*convertor->OptionsStream, Text("0123"));
    ASSERT_EQ(convertor->Images.size(), 1u);
    EXPECT_EQ(convertor->Images[0].Data, Text("png"));
}

TEST(SkinPackage, MalformedPackagesFailWithTheReadersMessages) {
    const ByteArray good = WritePackage({{"Options.dat", Text("[GLOBALINFO]\nVERSION=8\n")}, {"A.png", Text("png")}});
    const std::size_t firstData = 8 + 4 + 11 + 4;
    // The second entry's U: after the first entry, its name length and its name "A.png".
    const std::size_t pictureSize =
        WritePackage({{"Options.dat", Text("[GLOBALINFO]\nVERSION=8\n")}}).size() + 4 + 5;
    struct Case {
        const char* What;
        std::function<ByteArray()> Make;
        std::string Message;
    };
    const std::vector<Case> cases = {
        {"magic in other letter case", [&] { ByteArray b = good; b[0] = 'v'; b[2] = 'Z'; return b; },
         "Loaded data is not a packed Vellum file"},
        {"shorter than the magic", [] { return Text("VL"); }, "Loaded data is not a packed Vellum file"},
        {"empty", [] { return ByteArray{}; }, "Loaded data is not a packed Vellum file"},
        {"no count", [] { return Text("VLzf"); }, "Stream read error"},
        {"more entries than present", [&] { ByteArray b = good; PutUInt32(b, 4, 3); return b; }, "Stream read error"},
        {"name longer than the package", [&] { ByteArray b = good; PutUInt32(b, 8, 0xFFFFFFF0u); return b; },
         "Stream read error"},
        {"inflated data shorter than stated", [&] { ByteArray b = good; PutUInt32(b, firstData - 4, 5000); return b; },
         "Stream read error"},
        {"stream cut short", [&] { return ByteArray(good.begin(), good.begin() + firstData + 6); }, "Stream read error"},
        {"corrupt zlib header", [&] { ByteArray b = good; b[firstData] = 0x12; return b; }, "data error"},
        {"corrupt deflate data", [&] { ByteArray b = good; b[firstData + 2] = 0xFF; b[firstData + 3] = 0xFF; return b; },
         "data error"},
        {"options beyond any size", [&] { ByteArray b = good; PutUInt32(b, firstData - 4, 0xFFFFFFFFu); return b; },
         "Skin options \"Options.dat\" of 4294967295 bytes are larger than the options text limit (4 MiB) allows"},
        {"options just beyond their limit", [&] { ByteArray b = good; PutUInt32(b, firstData - 4, (4u << 20) + 1); return b; },
         "Skin options \"Options.dat\" of 4194305 bytes are larger than the options text limit (4 MiB) allows"},
        {"picture beyond any size", [&] { ByteArray b = good; PutUInt32(b, pictureSize, 0xFFFFFFFFu); return b; },
         "Skin package entry \"A.png\" is too large (4294967295 bytes): the skin file limit (32 MiB)"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReadFailure(c.Make()), c.Message) << c.What;
}

// Every entry is below the entry limit, together they are not: three 24 MiB entries of zeros
// pack into a few hundred KB and used to inflate to 72 MiB (or to gigabytes with more of them).
TEST(SkinPackage, TheInflatedTotalIsCappedAndTheMessageNamesThePackage) {
    const ByteArray zeros(std::size_t{24} << 20, 0);
    const ByteArray package =
        WritePackage({{"Options.dat", Text("[A]")}, {"A.bmp", zeros}, {"B.bmp", zeros}, {"C.bmp", zeros}});
    ASSERT_LT(package.size(), 300000u);
    for (const std::string& name : {std::string("Big.vlz"), std::string()}) {
        try {
            ReadPackageBytes(package, name);
            ADD_FAILURE() << "read";
        } catch (const EPackageError& failure) {
            EXPECT_EQ(std::string(failure.what()),
                      (name.empty() ? std::string("Skin package") : "Skin package \"" + name + "\"") +
                          " inflates to more than the package total limit (64 MiB) allows (at entry \"C.bmp\")");
        }
    }
    // Two of them are within the limit.
    EXPECT_EQ(ReadPackageBytes(WritePackage({{"Options.dat", Text("[A]")}, {"A.bmp", zeros}, {"B.bmp", zeros}}))
                  ->Images.size(),
              2u);
}

TEST(SkinPackage, MissingFileCreatesNoConvertorAndWrongMagicFreesIt) {
    TempFolder folder;
    std::unique_ptr<TvlSkinConvertor> convertor;
    LoadPackageFile(folder / "missing.vlz", convertor);
    EXPECT_FALSE(convertor);

    testing::WriteBytes(folder / "bad.vlz", Text("PK\3\4 not a skin"));
    convertor = std::make_unique<TvlSkinConvertor>();
    EXPECT_THROW(LoadPackageFile(folder / "bad.vlz", convertor), EPackageError);
    EXPECT_FALSE(convertor);
}

TEST(SkinPackage, ReadsPackagesWrittenByPythonsZlib) {
    if (std::system("python3 -c 'import zlib' >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "python3 is not installed";
    TempFolder folder;
    testing::FixtureSkin skin;
    skin.Options = "[GLOBALINFO]\nVERSION=8.00\n";
    std::string big(20000, 'x');
    for (std::size_t i = 0; i < big.size(); ++i)
        big[i] = static_cast<char>('a' + (i * 7919) % 26);
    testing::WriteSkinFolder(folder / "skin", skin);
    testing::WriteBytes(folder / "skin/Big.png", Text(big));
    testing::WriteBytes(folder / "skin/Tiny.bmp", Text("B"));
    const std::string command = "python3 " TOVRIN_TEST_SOURCE_DIR "/make_python_package.py " + (folder / "skin") +
                                " " + (folder / "python.vlz");
    ASSERT_EQ(std::system(command.c_str()), 0);
    const ByteArray package = testing::ReadBytes(folder / "python.vlz");
    const auto convertor = ReadPackageBytes(package);
    EXPECT_EQ(*convertor->OptionsStream, Text(skin.Options));
    ASSERT_EQ(convertor->Images.size(), 2u);
    EXPECT_EQ(convertor->Images[0].Data, Text(big));
    EXPECT_EQ(convertor->Images[1].Name, "Tiny.bmp");
    EXPECT_EQ(convertor->SourcePosition, package.size());
}

TEST(SkinPackage, PackFolderTakesOptionsAndPicturesOnly) {
    TempFolder folder;
    testing::WriteBytes(folder / "b.png", Text("b"));
    testing::WriteBytes(folder / "options.DAT", Text("[X]"));
    testing::WriteBytes(folder / "notes.txt", Text("left out"));
    testing::WriteBytes(folder / "a.jpg", Text("a"));
    testing::WriteBytes(folder / "z.bmp", Text("z"));
    const auto convertor = ReadPackageBytes(PackFolder(folder.Path().string()));
    ASSERT_EQ(convertor->Images.size(), 3u);
    EXPECT_EQ(convertor->Images[0].Name, "z.bmp");
    EXPECT_EQ(convertor->Images[1].Name, "a.jpg");
    EXPECT_EQ(convertor->Images[2].Name, "b.png");
    EXPECT_EQ(convertor->OptionsName, "options.DAT");

    TempFolder empty;
    EXPECT_THROW(PackFolder(empty.Path().string()), EPackageError);
}

} // namespace
} // namespace skin
