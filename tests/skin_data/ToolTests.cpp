// The contract of tovrin-skin: pack and unpack round trip, names that would leave the folder,
// picture, info's JSON, failures on standard error with exit code 1.
#include "SkinDataFixtures.h"

#include "skin/pixels/codecs/SkinPictures.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

namespace skin {
namespace {

using testing::FixtureSkin;
using testing::RunTool;
using testing::TempFolder;
using testing::ToolRun;

QString Q(const std::string& text) { return QString::fromStdString(text); }

FixtureSkin ToolSkin() {
    FixtureSkin skin;
    skin.Bitmaps = {{"Master.bmp", testing::SolidBitmap(16, 8, 0xFF0000FF)}};
    skin.Pngs = {{"Glow.png", testing::SolidBitmap(6, 3, 0x80102030)}};
    skin.Options = "[GLOBALINFO]\nVERSION=8.00\nMASTERBITMAP=MASTER.BMP\nAUTHOR=Tovrin\n"
                   "[EDIT]\nSTATES=2\nCOLOR=255\nGRADIENTDATA=1;2;50;0;0\nGLOW0=!GLOW.PNG!1!0!3!1!1!1!1!1\n";
    return skin;
}

TEST(SkinTool, PackUnpackRoundTrip) {
    TempFolder dir;
    testing::WriteSkinFolder(dir / "skin", ToolSkin());
    ToolRun pack = RunTool({"pack", Q(dir / "skin"), Q(dir / "skin.vlz")});
    ASSERT_EQ(pack.ExitCode, 0) << pack.Err.toStdString();
    ToolRun unpack = RunTool({"unpack", Q(dir / "skin.vlz"), Q(dir / "out")});
    ASSERT_EQ(unpack.ExitCode, 0) << unpack.Err.toStdString();
    for (const char* name : {"Options.dat", "Master.bmp", "Glow.png"})
        EXPECT_EQ(testing::ReadBytes(dir / ("out/" + std::string(name))),
                  testing::ReadBytes(dir / ("skin/" + std::string(name))))
            << name;
}

TEST(SkinTool, UnpackRefusesNamesThatLeaveTheFolder) {
    TempFolder dir;
    for (const char* name : {"../x.png", "sub/x.png", ".."}) {
        const ByteArray package = WritePackage({{"Options.dat", {'[', 'A', ']'}}, {name, {'x'}}});
        testing::WriteBytes(dir / "evil.vlz", package);
        ToolRun run = RunTool({"unpack", Q(dir / "evil.vlz"), Q(dir / "out")});
        EXPECT_EQ(run.ExitCode, 1) << name;
        EXPECT_TRUE(run.Err.contains("would leave the folder")) << name << ": " << run.Err.toStdString();
        EXPECT_FALSE(std::filesystem::exists(dir.Path() / "x.png")) << name;
        EXPECT_FALSE(std::filesystem::exists(dir.Path() / "out" / "Options.dat")) << "nothing is written";
    }
}

TEST(SkinTool, PictureDecodesAsTheEngineDoes) {
    TempFolder dir;
    Bitmap32 picture = testing::SolidBitmap(5, 4, 0xFF112233);
    picture.At(0, 0) = kKeyPixel;
    testing::WriteBytes(dir / "p.bmp", WriteDib(picture, 24));
    ToolRun run = RunTool({"picture", Q(dir / "p.bmp"), Q(dir / "p.png")});
    ASSERT_EQ(run.ExitCode, 0) << run.Err.toStdString();
    EXPECT_EQ(ReadPicture(testing::ReadBytes(dir / "p.png"), "p.png"), picture);
    EXPECT_EQ(RunTool({"picture", Q(dir / "missing.bmp"), Q(dir / "m.png")}).ExitCode, 1);
}

TEST(SkinTool, InfoPrintsTheWholeModel) {
    TempFolder dir;
    testing::WriteSkinFolder(dir / "skin", ToolSkin());
    testing::WriteBytes(dir / "packed.vlz", testing::PackSkin(ToolSkin()));
    ToolRun folder = RunTool({"info", Q(dir / "skin")});
    ASSERT_EQ(folder.ExitCode, 0) << folder.Err.toStdString();
    const QJsonObject info = QJsonDocument::fromJson(folder.Out).object();
    for (const char* key : {"SkinInfo", "IsPacked", "SkinFolder", "global", "sections", "masks", "patterns", "master",
                            "palette", "CommonIndexes", "ExtBorder"})
        EXPECT_TRUE(info.contains(key)) << key;
    EXPECT_EQ(info["SkinInfo"].toString(), "8");
    EXPECT_FALSE(info["IsPacked"].toBool());
    EXPECT_EQ(info["SkinFolder"].toString(), Q(dir / "skin/"));
    EXPECT_EQ(info["global"].toObject()["Author"].toString(), "Tovrin");
    EXPECT_EQ(info["palette"].toArray().size(), 28);
    EXPECT_EQ(info["master"].toArray(), (QJsonArray{16, 8}));
    const QJsonObject edit = info["sections"].toArray()[1].toObject();
    EXPECT_EQ(edit["ClassName"].toString(), "EDIT");
    EXPECT_EQ(edit["Props"].toArray()[1].toObject()["Color"].toInteger(), 16777215);
    EXPECT_EQ(edit["Props"].toArray()[0].toObject()["GradientArray"].toArray()[0].toArray(), (QJsonArray{1, 2, 50, 0}));
    const QJsonObject mask = info["masks"].toArray()[0].toObject();
    EXPECT_EQ(mask["Image"].toArray(), (QJsonArray{6, 3}));
    EXPECT_EQ(mask["Area"].toArray(), (QJsonArray{0, 0, 6, 3}));
    EXPECT_FALSE(mask.contains("ImageOwner"));
    EXPECT_EQ(info["CommonIndexes"].toObject()["GLOBALINFO"].toInt(), 0);
    EXPECT_EQ(info["ExtBorder"].toObject()["Margins"].toArray(), (QJsonArray{0, 0, 0, 0}));

    // A skin without shadow pictures of its own gets the program's default ones.
    ToolRun packed = RunTool({"info", Q(dir / "packed.vlz"), "--extended-borders", "--hue", "120"});
    ASSERT_EQ(packed.ExitCode, 0) << packed.Err.toStdString();
    const QJsonObject shifted = QJsonDocument::fromJson(packed.Out).object();
    EXPECT_TRUE(shifted["IsPacked"].toBool());
    EXPECT_EQ(shifted["SkinFolder"].toString(), "");
    EXPECT_EQ(shifted["ExtBorder"].toObject()["Margins"].toArray(), (QJsonArray{9, 9, 9, 9}));
    EXPECT_EQ(shifted["ExtBorder"].toObject()["Active"].toArray(), (QJsonArray{33, 33}));
    EXPECT_EQ(shifted["sections"].toArray()[1].toObject()["Color"].toInteger(), 0x00FF00);
}

// ":internal" is the skin stored in the program, set up as the window sets it up.
TEST(SkinTool, InternalSourceIsTheProgramsStoredSkin) {
    ToolRun run = RunTool({"info", ":internal", "--extended-borders"});
    ASSERT_EQ(run.ExitCode, 0) << run.Err.toStdString();
    const QJsonObject info = QJsonDocument::fromJson(run.Out).object();
    EXPECT_EQ(info["SkinInfo"].toString(), "8");
    EXPECT_TRUE(info["IsPacked"].toBool());
    EXPECT_EQ(info["sections"].toArray().size(), 70);
    EXPECT_NE(info["ExtBorder"].toObject()["Active"].toArray(), (QJsonArray{0, 0}));
}

TEST(SkinTool, FailuresGoToStandardErrorWithExitCode1) {
    TempFolder dir;
    testing::WriteBytes(dir / "broken.vlz", ByteArray{'n', 'o'});
    struct Case {
        QStringList Arguments;
        const char* Message;
    };
    const std::vector<Case> cases = {
        {{"info", Q(dir / "broken.vlz")}, "Loaded data is not a packed Vellum file"},
        {{"info", Q(dir / "missing")}, "does not exist"},
        {{"info", Q(dir / "broken.vlz"), "--hue", "x"}, "--hue: 'x' is not a valid integer value"},
        {{"pack", Q(dir / "none"), Q(dir / "o.vlz")}, "does not exist"},
    };
    for (const Case& c : cases) {
        ToolRun run = RunTool(c.Arguments);
        EXPECT_EQ(run.ExitCode, 1) << c.Arguments.join(' ').toStdString();
        EXPECT_TRUE(run.Err.contains(c.Message)) << run.Err.toStdString();
        EXPECT_TRUE(run.Out.isEmpty());
    }
}

// A SOURCE that is not a path is the name of a skin in the user's skin folder, found as the
// manager finds a skin name (NAME.vlz, then the folder NAME); failures of a damaged package
// name its file before the load's own message.
TEST(SkinTool, SourcesByNameInTheUsersSkinFolderAndDamagedPackagesNamed) {
    TempFolder data;
    const QByteArray dataHome = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString(data.Path().string()));
    struct RestoreDataHome {
        QByteArray value;
        ~RestoreDataHome() { value.isNull() ? qunsetenv("XDG_DATA_HOME") : qputenv("XDG_DATA_HOME", value); }
    } restore{dataHome};
    const std::filesystem::path skins = data.Path() / "Tovrin" / "Skins";
    std::filesystem::create_directories(skins);
    testing::WriteSkinFolder((skins / "TovrinFolderSkin").string(), ToolSkin());
    testing::WriteBytes((skins / "TovrinPackedSkin.vlz").string(), testing::PackSkin(ToolSkin()));
    const std::string broken = (skins / "TovrinBrokenSkin.vlz").string();
    testing::WriteBytes(broken, ByteArray{'n', 'o'});

    struct Found {
        const char* source;
        bool packed;
    };
    for (const Found& c : {Found{"TovrinFolderSkin", false}, Found{"TovrinPackedSkin", true}, Found{"TovrinPackedSkin.vlz", true}}) {
        ToolRun run = RunTool({"info", c.source});
        ASSERT_EQ(run.ExitCode, 0) << c.source << ": " << run.Err.toStdString();
        const QJsonObject info = QJsonDocument::fromJson(run.Out).object();
        EXPECT_EQ(info["IsPacked"].toBool(), c.packed) << c.source;
        EXPECT_EQ(info["global"].toObject()["Author"].toString(), "Tovrin") << c.source;
    }

    struct Failing {
        QStringList arguments;
        std::string said;
    };
    const std::string notPackage = ": Loaded data is not a packed Vellum file\n";
    const Failing failing[] = {
        {{"info", "TovrinBrokenSkin"}, broken + notPackage},
        {{"info", Q(broken)}, broken + notPackage},
        {{"unpack", Q(broken), Q(data / "out")}, broken + notPackage},
        {{"info", "TovrinNoSkin"}, "Skin source \"TovrinNoSkin\" does not exist, nor is it a skin in " + skins.string() + "\n"},
    };
    for (const Failing& c : failing) {
        ToolRun run = RunTool(c.arguments);
        EXPECT_EQ(run.ExitCode, 1) << c.arguments.join(' ').toStdString();
        EXPECT_EQ(run.Err.toStdString(), c.said);
        EXPECT_TRUE(run.Out.isEmpty());
    }
}

TEST(SkinTool, ContactPutsPicturesInRowsWithTheirLabels) {
    TempFolder dir;
    testing::WriteBytes(dir / "red.png", WritePng(testing::SolidBitmap(40, 30, 0xFFFF0000)));
    testing::WriteBytes(dir / "blue.png", WritePng(testing::SolidBitmap(20, 10, 0xFF0000FF)));
    ToolRun run = RunTool({"contact", Q(dir / "sheet.png"), "--columns", "2", Q(dir / "red.png"),
                           Q(dir / "blue.png") + "=Blue"});
    ASSERT_EQ(run.ExitCode, 0) << run.Err.toStdString();
    const Bitmap32 sheet = ReadPicture(testing::ReadBytes(dir / "sheet.png"), "sheet.png");
    // Two cells as wide as the widest picture, 12 pixels apart and from the edges; the pictures
    // centred in their cells, at the top.
    EXPECT_EQ(sheet.Width(), 12 + 40 + 12 + 40 + 12);
    EXPECT_EQ(sheet.At(12, 12), 0xFFFF0000u);
    EXPECT_EQ(sheet.At(12 + 39, 12 + 29), 0xFFFF0000u);
    EXPECT_EQ(sheet.At(12 + 40 + 12 + 10, 12), 0xFF0000FFu);
    EXPECT_EQ(sheet.At(12 + 40 + 12 + 9, 12), 0xFFF3F5F7u) << "the sheet's face around a narrower picture";
    // Made narrower: the pictures are scaled down to their cells.
    run = RunTool({"contact", Q(dir / "narrow.png"), "--columns", "1", "--width", "42", Q(dir / "red.png"),
                   Q(dir / "blue.png")});
    ASSERT_EQ(run.ExitCode, 0) << run.Err.toStdString();
    const Bitmap32 narrow = ReadPicture(testing::ReadBytes(dir / "narrow.png"), "narrow.png");
    EXPECT_EQ(narrow.Width(), 42);
    EXPECT_EQ(narrow.At(12 + 9, 12 + 6), 0xFFFF0000u); // 40 x 30 became 18 x 14
    EXPECT_EQ(narrow.At(12 + 18, 12 + 6), 0xFFF3F5F7u);
    EXPECT_EQ(narrow.At(12 + 9, 12 + 16), 0xFFF3F5F7u);
    EXPECT_EQ(RunTool({"contact", Q(dir / "x.png"), Q(dir / "missing.png")}).ExitCode, 1);
    EXPECT_EQ(RunTool({"contact", Q(dir / "x.png")}).ExitCode, 1);
}

// unpack takes every SOURCE the other commands take, and writes over nothing unless told to.
TEST(SkinTool, UnpackTakesEverySourceAndWritesOverNothingWithoutForce) {
    TempFolder dir;
    const QByteArray dataHome = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString((dir / "data")));
    struct RestoreDataHome {
        QByteArray value;
        ~RestoreDataHome() { value.isNull() ? qunsetenv("XDG_DATA_HOME") : qputenv("XDG_DATA_HOME", value); }
    } restore{dataHome};
    testing::WriteSkinFolder(dir / "skin", ToolSkin());
    testing::WriteBytes(dir / "skin.vlz", testing::PackSkin(ToolSkin()));
    std::filesystem::create_directories(dir.Path() / "data" / "Tovrin" / "Skins");
    testing::WriteBytes(dir / "data/Tovrin/Skins/Named.vlz", testing::PackSkin(ToolSkin()));

    struct Case {
        const char* what;
        QString source;
        std::vector<std::string> files;
    };
    const std::vector<std::string> toolSkinFiles = {"Glow.png", "Master.bmp", "Options.dat"};
    const Case cases[] = {
        {"a package file", Q(dir / "skin.vlz"), toolSkinFiles},
        {"a skin folder", Q(dir / "skin"), toolSkinFiles},
        {"a name in the skin folder", "Named", toolSkinFiles},
        {"the program's own skin", ":internal",
         {"ButtonHuge.bmp", "Close.png", "ExtBord.png", "GlowEdit.png", "Master.bmp", "Max.png", "Min.png", "Norm.png",
          "Options.dat", "RectHint1.png"}},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string out = dir / ("out" + std::to_string(n++));
        ToolRun run = RunTool({"unpack", c.source, Q(out)});
        ASSERT_EQ(run.ExitCode, 0) << run.Err.toStdString();
        std::vector<std::string> written;
        for (const auto& entry : std::filesystem::directory_iterator(out))
            written.push_back(entry.path().filename().string());
        std::sort(written.begin(), written.end());
        EXPECT_EQ(written, c.files);
        if (c.files == toolSkinFiles) {
            EXPECT_EQ(testing::ReadBytes(out + "/Options.dat"), testing::ReadBytes(dir / "skin/Options.dat"));
        }
    }

    // Into a folder that already holds one of the files: refused, naming it, nothing written.
    const std::string out = dir / "out0";
    testing::WriteBytes(out + "/Options.dat", ByteArray{'m', 'i', 'n', 'e'});
    std::filesystem::remove(out + "/Glow.png");
    ToolRun refused = RunTool({"unpack", Q(dir / "skin.vlz"), Q(out)});
    EXPECT_EQ(refused.ExitCode, 1);
    EXPECT_EQ(refused.Err.toStdString(), "\"" + out + "/Options.dat\" is already there; --force writes over it\n");
    EXPECT_EQ(testing::ReadBytes(out + "/Options.dat"), (ByteArray{'m', 'i', 'n', 'e'}));
    EXPECT_FALSE(std::filesystem::exists(out + "/Glow.png"));

    ToolRun forced = RunTool({"unpack", "--force", Q(dir / "skin.vlz"), Q(out)});
    ASSERT_EQ(forced.ExitCode, 0) << forced.Err.toStdString();
    EXPECT_EQ(testing::ReadBytes(out + "/Options.dat"), testing::ReadBytes(dir / "skin/Options.dat"));
    EXPECT_TRUE(std::filesystem::exists(out + "/Glow.png"));
}

} // namespace
} // namespace skin
