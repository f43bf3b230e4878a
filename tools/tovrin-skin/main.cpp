// tovrin-skin: packs, unpacks and inspects skins exactly as the engine reads them.
#include "tools/tovrin-skin/Commands.h"
#include "tools/tovrin-skin/PaintCommands.h"
#include "tools/tovrin-skin/TextGlowCommands.h"

#include "framework/base/SysUtils.h"
#include "framework/widgets/Fonts.h"
#include "resources/DefaultShadowPictures.h"
#include "resources/MainSkinManager.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <cstdio>
#include <exception>
#include <memory>
#include <string_view>

namespace {

struct CommandRow {
    const char* Name;
    tools::CommandFunction Run;
    const char* Usage;
};

// One row per command; further command families add their rows here.
const CommandRow kCommands[] = {
    {"pack", tools::PackCommand, "pack FOLDER OUT.vlz"},
    {"unpack", tools::UnpackCommand, "unpack SOURCE FOLDER [--force]"},
    {"picture", tools::PictureCommand, "picture FILE OUT.png"},
    {"info", tools::InfoCommand, "info SOURCE [--hue DEGREES] [--saturation PERCENT] [--extended-borders]"},
    {"check", tools::CheckCommand, "check SOURCE [--json]"},
    {"section", tools::SectionCommand,
     "section SOURCE SECTION STATE WIDTH HEIGHT OUT.png [--backdrop COLOR | --backdrop-png FILE]"},
    {"mask", tools::MaskCommand,
     "mask SOURCE SECTION PROPERTY STATE WIDTH HEIGHT OUT.png [--backdrop COLOR | --backdrop-png FILE] "
     "[--use-backdrop] [--alpha | --region]"},
    {"glyph", tools::GlyphCommand,
     "glyph SOURCE SECTION PROPERTY STATE X Y MODE WIDTH HEIGHT OUT.png [--backdrop-png FILE]"},
    {"sheet", tools::SheetCommand, "sheet SOURCE OUT.png"},
    {"text", tools::TextCommand,
     "text SOURCE SECTION STATE WIDTH HEIGHT TEXT OUT.png [--disabled] [--alpha] [--align left|center|right] "
     "[--font FAMILY:PIXELS[:bold]] [--backdrop COLOR | --backdrop-png FILE]"},
    {"glow", tools::GlowCommand, "glow SOURCE SECTION WIDTH HEIGHT OUT.png [--key KEY]"},
    {"contact", tools::ContactCommand, "contact OUT.png [--columns N] [--width PIXELS] PICTURE[=LABEL]..."},
};

constexpr int kUsageStatus = 2;

// The usage on out; --help asks for it on standard output, a wrong command gets it on standard error.
void PrintUsage(std::FILE* out) {
    std::fprintf(out, "usage:\n");
    for (const CommandRow& row : kCommands)
        std::fprintf(out, "  tovrin-skin %s\n", row.Usage);
    std::fprintf(out, "SOURCE: a skin folder, a .vlz package, any other file as a stored package, %s (the skin\n"
                      "stored in the program), or the name of a skin (NAME or NAME.vlz) in %s\n",
                 tools::kInternalSource, skin::TsSkinManager::DefaultSkinDirectory().c_str());
    std::fprintf(out, "COLOR: a decimal 0x00BBGGRR value or #RRGGBB\n");
    std::fprintf(out, "unpack writes no file over one already there unless --force is given\n");
    std::fprintf(out, "  tovrin-skin --version   print the version\n");
}

int Usage() {
    PrintUsage(stderr);
    return kUsageStatus;
}

} // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::string_view(argv[i]) == "--help" || std::string_view(argv[i]) == "-h") {
            PrintUsage(stdout);
            return 0;
        }
        if (std::string_view(argv[i]) == "--version") {
            std::puts("tovrin-skin " TOVRIN_VERSION);
            return 0;
        }
    }
    // Text needs the platform's fonts, which a GUI application brings; no display is needed.
    const bool fonts = argc >= 2 && tools::CommandNeedsFonts(argv[1]);
    if (fonts && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const std::unique_ptr<QCoreApplication> application =
        fonts ? std::make_unique<QGuiApplication>(argc, argv) : std::make_unique<QCoreApplication>(argc, argv);
    if (fonts)
        framework::RegisterSystemFonts();
    QCoreApplication::setApplicationName(QStringLiteral("tovrin-skin"));
    // Skins without shadow pictures of their own get the program's, as in the program.
    skin::InstallDefaultShadowPictures();
    tools::SetInternalSourceSetup(skin::ApplyMainSkinManagerProperties);
    if (argc < 2)
        return Usage();
    const std::string_view name = argv[1];
    for (const CommandRow& row : kCommands) {
        if (name != row.Name)
            continue;
        const tools::Arguments arguments(argv + 2, argv + argc);
        try {
            return row.Run(arguments);
        } catch (const std::exception& failure) {
            std::fprintf(stderr, "%s\n", failure.what());
            return 1;
        }
    }
    return Usage();
}
