// The skin checker: what the loader reports as it reads (syntax it skips, pictures it cannot
// find or read, values that would make the program refuse the skin), each rule over small
// options texts, the fixture skin with one fault per rule, and tovrin-skin check's contract.
#include "SkinDataFixtures.h"

#include "skin/data/sSkinCheck.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <filesystem>

namespace skin {
namespace {

using testing::FixtureSkin;
using testing::LoadSkin;
using testing::SolidBitmap;

// The rules and lines reported, as "rule@line", in order of report.
std::vector<std::string> Found(const std::vector<TsSkinDiagnostic>& items) {
    std::vector<std::string> found;
    for (const TsSkinDiagnostic& d : items)
        found.push_back(d.Rule + "@" + std::to_string(d.Line));
    return found;
}

std::string Joined(const std::vector<std::string>& items) {
    std::string all;
    for (const std::string& item : items)
        all += item + " ";
    return all;
}

// The rules (without a model) over one options text.
std::vector<TsSkinDiagnostic> CheckText(const std::string& options, void (*rule)(const TsSkinIni&, TsSkinDiagnostics&)) {
    TsDiagnosticList list;
    rule(TsSkinIni::Parse(options), list);
    return list.Items;
}

TEST(SkinCheckParser, SkippedAndRepeatedLinesAreReportedWithTheirLines) {
    struct Row {
        const char* Text;
        std::vector<std::string> Expected;
        const char* Words; // in the first problem or fallback
    };
    const Row rows[] = {
        {"; comment\r\n\r\n[A]\r\nK = 1\r\n", {}, ""},
        {"K=1\n[A]\n", {"options-syntax@1"}, "before the first [SECTION]"},
        {"[A]\nCOLOR 255\nK=1\n", {"options-syntax@2"}, "neither"},
        {"[A\nK=1\n", {"options-syntax@1", "options-syntax@2"}, "neither"},
        {"[A]\nK=1\nK=2\n", {"options-syntax@3"}, "line 2 is the one read"},
        {"[A]\n[B]\n[A]\n", {"options-syntax@3"}, "opened at line 1"},
        {"[ A ]\n", {"options-syntax@1"}, "blanks"},
    };
    for (const Row& row : rows) {
        TsDiagnosticList list;
        const TsSkinIni reported = TsSkinIni::Parse(row.Text, &list);
        EXPECT_EQ(Found(list.Items), row.Expected) << row.Text;
        if (!list.Items.empty()) {
            EXPECT_NE((list.Items[0].Problem + list.Items[0].Fallback).find(row.Words), std::string::npos)
                << row.Text << ": " << list.Items[0].Problem;
        }
        // Listening changes nothing of what is read.
        const TsSkinIni plain = TsSkinIni::Parse(row.Text);
        ASSERT_EQ(reported.Sections().size(), plain.Sections().size()) << row.Text;
        for (std::size_t i = 0; i < plain.Sections().size(); ++i)
            EXPECT_EQ(reported.Sections()[i].Keys.size(), plain.Sections()[i].Keys.size()) << row.Text;
    }
}

TEST(SkinCheckRules, KeysNoUnitReadsWhereTheyStand) {
    struct Row {
        const char* Section;
        const char* Key;
        bool Read;
    };
    const Row rows[] = {
        {"BUTTON", "FONTCOLOR", true},       {"BUTTON", "FONTCOLR", false},     {"BUTTON", "HOTFONTCOLOR", true},
        {"BUTTON", "HOTTCLEFT", true},       {"BUTTON", "HGCOL", true},         {"BUTTON", "HOTGCOL", false},
        {"BUTTON", "GRADIENTDATA", true},    {"BUTTON", "PARENTCLASS", true},   {"BUTTON", "SHOWFOCUS", false},
        {"EDIT", "GLOW", true},              {"EDIT", "GLOW0", true},           {"EDIT", "GLOW12", true},
        {"EDIT", "GLOWX", false},            {"STATUSBAR", "STATUSPANELMASK", true}, {"PROGRESSH", "LRGN", true},
        {"GLOBALINFO", "BOXCHECKED", true},  {"BUTTON", "BOXCHECKED", false},   {"GLOBALINFO", "BICONCLOSEGLOW0", true},
        {"GLOBALINFO", "BICONHUGEGLOW0", false}, {"GLOBALINFO", "EDITBG_OK", true}, {"EDIT", "EDITBG_OK", false},
        {"GLOBALINFO", "MASTERBITMAP", true}, {"BUTTON", "MASTERBITMAP", false}, {"GLOBALINFO", "STATES", true},
        {"GLOBALINFO", "SHADOW1BLUR", true}, {"GLOBALINFO", "CHECK", true},     {"GLOBALINFO", "TITLEBUTTON", true},
    };
    for (const Row& row : rows) {
        const auto found = CheckText("[" + std::string(row.Section) + "]\n" + row.Key + "=1\n", CheckUnknownKeys);
        EXPECT_EQ(found.empty(), row.Read) << row.Section << " " << row.Key;
    }
}

TEST(SkinCheckRules, ParentChainsThatEndTooSoonOrLoop) {
    struct Row {
        const char* Text;
        std::vector<std::string> Expected;
    };
    const Row rows[] = {
        {"[A]\nPARENTCLASS=B\n[B]\nPARENTCLASS=?\n", {}},
        {"[A]\nPARENTCLASS=\n", {}},
        {"[A]\nPARENTCLASS=NOSUCH\n", {"parent-class@2"}},
        {"[A]\nPARENTCLASS=A\n", {"parent-class@2"}},
        // One loop of two, reported once at its first section; C only leads into it.
        {"[C]\nPARENTCLASS=A\n[A]\nPARENTCLASS=B\n[B]\nPARENTCLASS=A\n", {"parent-class@4"}},
        {"[A]\nPARENTCLASS=B\n[B]\nPARENTCLASS=C\n[C]\nPARENTCLASS=A\n", {"parent-class@2"}},
    };
    for (const Row& row : rows)
        EXPECT_EQ(Found(CheckText(row.Text, CheckParentClasses)), row.Expected) << row.Text;
    const auto loop = CheckText("[A]\nPARENTCLASS=B\n[B]\nPARENTCLASS=A\n", CheckParentClasses);
    ASSERT_EQ(loop.size(), 1u);
    EXPECT_EQ(loop[0].Severity, TsSeverity::Error);
    EXPECT_NE(loop[0].Problem.find("A -> B -> A"), std::string::npos) << loop[0].Problem;
}

TEST(SkinCheckRules, VersionsTheEngineReadsOtherwise) {
    struct Row {
        const char* Text;
        bool Reported;
    };
    const Row rows[] = {{"[GLOBALINFO]\nVERSION=8.00\n", false}, {"[GLOBALINFO]\nVERSION=7.5\n", false},
                        {"[GLOBALINFO]\nAUTHOR=x\n", true},      {"[GLOBALINFO]\nVERSION=8,00\n", true},
                        {"[GLOBALINFO]\nVERSION=9.50\n", true},  {"[GLOBALINFO]\nVERSION=7.45\n", true}};
    for (const Row& row : rows)
        EXPECT_EQ(CheckText(row.Text, CheckSkinVersion).size(), row.Reported ? 1u : 0u) << row.Text;
}

TEST(SkinCheckRules, ValuesTheEngineCannotTakeAsTheirKind) {
    struct Row {
        const char* Section;
        const char* Line;
        bool Reported;
    };
    const Row rows[] = {
        // Colours: 0x00BBGGRR, -1, system colours by either high byte; not a high byte of its own,
        // an index beyond the table, nor a word.
        {"BUTTON", "COLOR=16777215", false},  {"BUTTON", "COLOR=-1", false},       {"BUTTON", "COLOR=$FF00000F", false},
        {"BUTTON", "COLOR=-2147483633", false}, {"BUTTON", "COLOR=$FF000040", true}, {"BUTTON", "COLOR=$01000000", true},
        {"BUTTON", "HOTCOLOR=red", true},     {"BUTTON", "TCLEFT=-1", false},      {"BUTTON", "GCOL=16777216", true},
        {"GLOBALINFO", "EDITBG_OK=$7F00FF00", true}, {"GLOBALINFO", "SHADOW1COLOR=0", false},
        // Numbers and booleans.
        {"BUTTON", "STATES=3", false},        {"BUTTON", "STATES=three", true},    {"BUTTON", "GLOWMARGIN=$10", false},
        {"BUTTON", "FADINGENABLED=TRUE", false}, {"BUTTON", "FADINGENABLED=yes", true},
        {"GLOBALINFO", "TITLEHEIGHT=2.5", true},
        // Gradients: whole segments of five, a percent, a kind of 0..2, colours.
        {"BUTTON", "GRADIENTDATA=16777215;14802136;100;0;0", false}, {"BUTTON", "GRADIENTDATA=N/A", false},
        {"BUTTON", "GRADIENTDATA=1;2;150;0;0", true}, {"BUTTON", "GRADIENTDATA=1;2;50;7;0", true},
        {"BUTTON", "GRADIENTDATA=1;2;50;0", true},    {"BUTTON", "GRADIENTDATA=1;x;50;0;0", true},
        {"BUTTON", "HOTGRADIENTDATA=-5;2;50;0;0", true},
        // Texts and keys no unit reads are another rule's.
        {"GLOBALINFO", "AUTHOR=anyone", false}, {"BUTTON", "COLOUR=red", false},
    };
    for (const Row& row : rows) {
        const auto found =
            CheckText("[" + std::string(row.Section) + "]\n" + row.Line + "\n", CheckValues);
        EXPECT_EQ(found.size(), row.Reported ? 1u : 0u) << row.Section << " " << row.Line;
    }
}

// A skin of one section over a 32 x 16 master bitmap, checked with the model the loader made.
std::vector<std::string> CheckModel(const std::string& sectionLines) {
    FixtureSkin skin;
    skin.Bitmaps = {{"MASTER.BMP", SolidBitmap(32, 16, 0xFFC0C0C0)}};
    skin.Options = "[GLOBALINFO]\nVERSION=8.00\nMASTERBITMAP=MASTER.BMP\n[PART]\n" + sectionLines;
    testing::CapturedMessages messages;
    const auto manager = LoadSkin(skin);
    EXPECT_EQ(messages.Errors(), "");
    TsDiagnosticList list;
    const TsSkinIni ini = TsSkinIni::Parse(skin.Options);
    CheckMaskValues(ini, manager->Model(), list);
    CheckMaskGeometry(ini, manager->Model(), list);
    CheckGlyphStates(ini, manager->Model(), list);
    return Found(list.Items);
}

TEST(SkinCheckRules, MasksWhosePicturesDoNotFitTheirCells) {
    struct Row {
        const char* Lines;
        std::vector<std::string> Expected;
    };
    const Row rows[] = {
        {"BORDERSMASK=^0000,0000,0018,0008,0002,0002,0002,0002,3,0,0,0\n", {}},
        {"BORDERSMASK=^0000,0000,0020,0008,0002,0002,0002,0002,3,0,0,0\n", {"mask-geometry@5"}},
        {"BORDERSMASK=^0000,0000,0018,0009,0002,0001,0002,0001,3,1,0,0\n", {"mask-geometry@5"}},
        {"BORDERSMASK=^0000,0000,0018,0008,0003,0002,0003,0002,3,0,0,0\n", {"mask-geometry@5"}},
        {"BORDERSMASK=^0000,0000,0018,0008,0002,0004,0002,0004,3,0,0,0\n", {"mask-geometry@5"}},
        {"BORDERSMASK=^0020,0000,0044,0008,0002,0002,0002,0002,3,0,0,0\n", {"mask-geometry@5"}},
        {"BORDERSMASK=^0010,0000,0010,0008,0002,0002,0002,0002,1,0,0,0\n", {"mask-geometry@5"}},
        // A free-form mask takes its whole cell as borders by design.
        {"BORDERSMASK=M#(0,0,18,8)(3,0,0,1)\n", {}},
        // Glyphs: as many images as states, or fewer.
        {"STATES=2\nGLYPHMASK=@0000,0008,0012,0014,2,0\n", {}},
        {"STATES=3\nGLYPHMASK=@0000,0008,0012,0014,2,0\n", {"glyph-states@6"}},
        // Mask values that are no mask at all; "N/A" is none on purpose.
        {"PATTERN=stripes\n", {"mask-value@5"}},
        {"BORDERSMASK=N/A\n", {}},
    };
    for (const Row& row : rows)
        EXPECT_EQ(CheckModel(row.Lines), row.Expected) << row.Lines;
}

TEST(SkinCheckRules, GlyphsInheritedBySectionsWithMoreStates) {
    FixtureSkin skin;
    skin.Bitmaps = {{"MASTER.BMP", SolidBitmap(32, 16, 0xFFC0C0C0)}};
    skin.Options = "[GLOBALINFO]\nVERSION=8.00\nMASTERBITMAP=MASTER.BMP\n[BASE]\nSTATES=2\n"
                   "GLYPHMASK=@0000,0008,0012,0014,2,0\n[CHILD]\nPARENTCLASS=BASE\nSTATES=4\n";
    const auto manager = LoadSkin(skin);
    TsDiagnosticList list;
    CheckGlyphStates(TsSkinIni::Parse(skin.Options), manager->Model(), list);
    ASSERT_EQ(Found(list.Items), std::vector<std::string>{"glyph-states@9"});
    EXPECT_EQ(list.Items[0].Section, "CHILD");
    EXPECT_NE(list.Items[0].Problem.find("of BASE"), std::string::npos) << list.Items[0].Problem;
}

TEST(SkinCheckLoader, TheProgramsLoadFailsAsBeforeAndTheListenerHearsWhere) {
    FixtureSkin skin;
    skin.Options = "[GLOBALINFO]\nVERSION=8.00\n\nSHADOW1BLUR=soft\n[EDIT]\n"
                   "BORDERSMASK=^00x0,0000,0018,0008,0002,0002,0002,0002,3,0,0,0\nGLOW0=!nosuch.png!1!0!3\n";
    skin.Pngs = {{"NOSUCH.PNG", SolidBitmap(4, 4, 0xFF000000)}};
    testing::CapturedMessages messages;
    TsDiagnosticList list;
    const auto manager = LoadSkin(skin, [&](TsSkinManager& m) { m.SetLoadDiagnostics(&list); });
    EXPECT_NE(messages.Errors().find("'00x0' is not a valid integer value"), std::string::npos) << messages.Errors();
    EXPECT_FALSE(manager->SkinData().Active) << "refused as without a listener";
    EXPECT_EQ(Found(list.Items), std::vector<std::string>{"value-not-integer@6"});
    // A checker goes on past the failures, and hears of the picture the package does not give
    // (its name is written in lower case, which a package never finds).
    TsDiagnosticList all(true);
    const auto checked = LoadSkin(skin, [&](TsSkinManager& m) { m.SetLoadDiagnostics(&all); });
    EXPECT_TRUE(checked->SkinData().Active);
    EXPECT_EQ(Found(all.Items),
              (std::vector<std::string>{"value-not-integer@6", "picture-missing@7", "value-not-integer@4"}));
    EXPECT_NE(all.Items[1].Problem.find("upper case"), std::string::npos) << all.Items[1].Problem;
    ASSERT_NE(all.Options, nullptr);
    EXPECT_TRUE(all.Options->SectionExists("EDIT"));
}

// ---------------------------------------------------------------- the tool

using testing::ToolRun;

ToolRun RunCheck(const QStringList& arguments) {
    return testing::RunTool(QStringList{QStringLiteral("check")} + arguments);
}

const QString kFaultSkin = QStringLiteral(TOVRIN_TEST_SOURCE_DIR "/../fixtures/skins/faults");

// Each rule's fault in the fixture skin, on the line after its comment.
std::vector<std::string> FaultSkinFindings() {
    return {"value-not-integer@9", "picture-missing@27", "picture-unreadable@29", "parent-class@33",
            "version@6",           "options-syntax@11",  "unknown-key@16",        "value@18",
            "mask-geometry@20",    "glyph-states@22",    "mask-value@35"};
}

std::vector<std::string> FindingsOf(const QByteArray& json) {
    std::vector<std::string> found;
    for (const QJsonValue item : QJsonDocument::fromJson(json).array()) {
        const QJsonObject d = item.toObject();
        found.push_back(d[QStringLiteral("rule")].toString().toStdString() + "@" +
                        std::to_string(d[QStringLiteral("line")].toInt()));
        EXPECT_FALSE(d[QStringLiteral("problem")].toString().isEmpty());
        EXPECT_FALSE(d[QStringLiteral("fallback")].toString().isEmpty());
    }
    return found;
}

TEST(SkinCheckTool, TheFaultSkinShowsEachRuleOnceWorstFirst) {
    const ToolRun run = RunCheck({kFaultSkin, QStringLiteral("--json")});
    EXPECT_EQ(run.ExitCode, 1) << run.Err.toStdString();
    EXPECT_EQ(Joined(FindingsOf(run.Out)), Joined(FaultSkinFindings()));
    for (const QJsonValue item : QJsonDocument::fromJson(run.Out).array())
        EXPECT_EQ(item[QStringLiteral("file")].toString(), QStringLiteral("Options.dat"));
    // The same skin packed: the same findings, lines of its options text and all.
    testing::TempFolder dir;
    ASSERT_EQ(testing::RunTool({QStringLiteral("pack"), kFaultSkin, QString::fromStdString(dir / "faults.vlz")}).ExitCode,
              0);
    const ToolRun packed = RunCheck({QString::fromStdString(dir / "faults.vlz"), QStringLiteral("--json")});
    EXPECT_EQ(packed.ExitCode, 1);
    EXPECT_EQ(Joined(FindingsOf(packed.Out)), Joined(FaultSkinFindings()));
    // As text: one line each, "FILE:LINE: severity: ...", and a count.
    const ToolRun text = RunCheck({kFaultSkin});
    EXPECT_TRUE(text.Out.startsWith("Options.dat:9: error: [GLOBALINFO] SHADOW1OFFSET: ")) << text.Out.toStdString();
    EXPECT_TRUE(text.Out.contains("faults: 4 errors, 7 warnings")) << text.Out.toStdString();
}

TEST(SkinCheckTool, ExitStatusesForCleanBrokenAndWrongUse) {
    const ToolRun internal = RunCheck({QStringLiteral(":internal")});
    EXPECT_EQ(internal.ExitCode, 0) << internal.Out.toStdString();
    EXPECT_EQ(internal.Out, QByteArray(":internal: clean\n"));
    EXPECT_EQ(RunCheck({QStringLiteral(":internal"), QStringLiteral("--json")}).Out.trimmed(), QByteArray("[]"));
    // Warnings alone leave the status 0.
    testing::TempFolder dir;
    testing::WriteSkinFolder(dir / "warned", FixtureSkin{"[GLOBALINFO]\nVERSION=8.00\n[BUTTON]\nFONTCOLR=0\n", {}, {}});
    const ToolRun warned = RunCheck({QString::fromStdString(dir / "warned")});
    EXPECT_EQ(warned.ExitCode, 0) << warned.Out.toStdString();
    EXPECT_TRUE(warned.Out.contains("0 errors, 1 warning")) << warned.Out.toStdString();
    // A package that cannot be read at all is one error.
    testing::WriteBytes(dir / "broken.vlz", ByteArray{'V', 'L', 'z', 'f', 9, 0, 0, 0});
    const ToolRun broken = RunCheck({QString::fromStdString(dir / "broken.vlz"), QStringLiteral("--json")});
    EXPECT_EQ(broken.ExitCode, 1);
    EXPECT_EQ(FindingsOf(broken.Out).size(), 1u) << broken.Out.toStdString();
    for (const QStringList& wrong : {QStringList{}, QStringList{QStringLiteral("a"), QStringLiteral("b")},
                                     QStringList{QStringLiteral(":internal"), QStringLiteral("--xml")}})
        EXPECT_EQ(RunCheck(wrong).ExitCode, 2) << wrong.join(QLatin1Char(' ')).toStdString();
}

} // namespace
} // namespace skin
