// text and glow: WriteSectionText / WriteAlphaText into an image that starts transparent black or
// as the backdrop, saved with straight alpha, and the halo of ShowGlowEffect with its place beside
// the control as JSON.
#include "tools/tovrin-skin/TextGlowCommands.h"

#include "tools/tovrin-skin/OutputArguments.h"

#include <QFont>
#include <QImage>
#include <QString>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <optional>

#include "framework/base/SysUtils.h"
#include "skin/data/sSkinModelLookups.h"
#include "skin/pixels/PixelOps.h"
#include "skin/pixels/RectClip.h"
#include "skin/pixels/codecs/SkinPictures.h"
#include "skin/pixels/sBlit.h"
#include "skin/render/sGlow.h"
#include "skin/render/sSkinnedText.h"
#include "tools/tovrin-skin/JsonWriter.h"

namespace tools {
namespace {

constexpr int kDefaultFontPixels = 11; // Tahoma -11
constexpr const char* kDefaultFontFamily = "Tahoma";

struct Options {
    std::vector<std::string> Positional;
    bool Disabled = false;
    bool Alpha = false;
    skin::TsAlignment Align = skin::TsAlignment::LeftJustify;
    QFont Font;
    std::optional<skin::TColor> BackdropColour;
    std::optional<std::string> BackdropPicture;
    std::string Key = "GLOW";
};

enum Allowed : unsigned { kTextOptions = 1, kGlowOptions = 2 };

// Qt's painter blends text into the bitmap as premultiplied colour, whatever the view says, and
// a PNG holds straight alpha: the image is premultiplied while text is written into it and made
// straight again before it is saved (opaque pixels stay as they are either way).
void ConvertAlpha(skin::Bitmap32& image, QImage::Format from, QImage::Format to) {
    if (image.Empty())
        return;
    const QImage view(reinterpret_cast<const uchar*>(image.Data()), image.Width(), image.Height(),
                      qsizetype(image.BytesPerLine()), from);
    const QImage converted = view.convertToFormat(to);
    for (int y = 0; y < image.Height(); ++y)
        std::memcpy(image.Row(y).data(), converted.constScanLine(y), image.BytesPerLine());
}

QFont ParseFont(const std::string& value) {
    // FAMILY:PIXELS[:bold]
    const std::size_t first = value.find(':');
    if (first == std::string::npos || first == 0)
        throw framework::Exception("--font: '" + value + "' is not FAMILY:PIXELS[:bold]");
    const std::size_t second = value.find(':', first + 1);
    const std::size_t pixelsLength = second == std::string::npos ? std::string::npos : second - first - 1;
    const std::string pixels = value.substr(first + 1, pixelsLength);
    const int size = ParseIntegerOption("--font", pixels);
    if (size < 1 || size > 1000)
        throw framework::Exception("--font: the size must be between 1 and 1000 pixels");
    QFont font(QString::fromUtf8(value.substr(0, first)));
    font.setPixelSize(size);
    if (second != std::string::npos) {
        if (value.substr(second + 1) != "bold")
            throw framework::Exception("--font: '" + value + "' is not FAMILY:PIXELS[:bold]");
        font.setBold(true);
    }
    return font;
}

Options Parse(const Arguments& arguments, std::size_t positionalCount, unsigned allowed, const char* usage) {
    Options options;
    options.Font = QFont(QString::fromLatin1(kDefaultFontFamily));
    options.Font.setPixelSize(kDefaultFontPixels);
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        auto value = [&]() -> const std::string& {
            if (i + 1 >= arguments.size())
                throw framework::Exception(argument + " needs a value");
            return arguments[++i];
        };
        const bool text = allowed & kTextOptions;
        if (text && argument == "--disabled") {
            options.Disabled = true;
        } else if (text && argument == "--alpha") {
            options.Alpha = true;
        } else if (text && argument == "--align") {
            const std::string& align = value();
            if (align == "left")
                options.Align = skin::TsAlignment::LeftJustify;
            else if (align == "center")
                options.Align = skin::TsAlignment::Center;
            else if (align == "right")
                options.Align = skin::TsAlignment::RightJustify;
            else
                throw framework::Exception("--align must be left, center or right");
        } else if (text && argument == "--font") {
            options.Font = ParseFont(value());
        } else if (text && argument == "--backdrop") {
            options.BackdropColour = ParseColourOption(argument, value());
        } else if (text && argument == "--backdrop-png") {
            options.BackdropPicture = value();
        } else if ((allowed & kGlowOptions) && argument == "--key") {
            options.Key = value();
        } else if (argument.rfind("--", 0) == 0) {
            throw framework::Exception("Unknown option " + argument + "; usage: " + usage);
        } else {
            options.Positional.push_back(argument);
        }
    }
    if (options.BackdropColour && options.BackdropPicture)
        throw framework::Exception("--backdrop and --backdrop-png exclude each other");
    if (options.Positional.size() != positionalCount)
        throw framework::Exception(std::string("usage: tovrin-skin ") + usage);
    return options;
}

} // namespace

bool CommandNeedsFonts(std::string_view command) { return command == "text" || command == "contact"; }

int TextCommand(const Arguments& arguments) {
    constexpr const char* usage = "text SOURCE SECTION STATE WIDTH HEIGHT TEXT OUT.png [--disabled] [--alpha] "
                                  "[--align left|center|right] [--font FAMILY:PIXELS[:bold]] "
                                  "[--backdrop COLOR | --backdrop-png FILE]";
    const Options options = Parse(arguments, 7, kTextOptions, usage);
    const auto& p = options.Positional;
    const int state = ParseIntegerOption("STATE", p[2]);
    skin::Bitmap32 image;
    if (!image.SetSize(SideArgument("WIDTH", p[3]), SideArgument("HEIGHT", p[4])) || image.Empty())
        throw framework::Exception("Cannot make a bitmap of " + p[3] + " x " + p[4]);
    if (options.BackdropPicture) {
        const skin::Bitmap32 picture = skin::ReadPictureFile(*options.BackdropPicture);
        skin::CopyBlock(image, 0, 0, picture, skin::RectOf(picture));
        ConvertAlpha(image, QImage::Format_ARGB32, QImage::Format_ARGB32_Premultiplied);
    } else if (options.BackdropColour) {
        skin::FillPixels(image, skin::RectOf(image), *options.BackdropColour, skin::kOpaqueAlpha);
    }
    const auto manager = LoadSkinSource(p[0], {});
    const skin::TsSkinModel& model = manager->Model();
    const int section = SectionIndexOf(model, p[1]);
    const QString text = QString::fromUtf8(p[5]);
    const skin::TsTextFormat format = skin::AlignmentFlags(nullptr, options.Align) | skin::DT_SINGLELINE;
    skin::TsCanvas canvas{image, options.Font, skin::TColor{0}};
    if (options.Alpha)
        skin::WriteAlphaText(canvas, text, !options.Disabled, model, state > 0, section, format, skin::RectOf(image));
    else
        skin::WriteSectionText(canvas, text, !options.Disabled, model, state > 0 ? 1 : 0, section, format,
                               skin::RectOf(image));
    ConvertAlpha(image, QImage::Format_ARGB32_Premultiplied, QImage::Format_ARGB32);
    WritePngFile(p[6], image);
    return 0;
}

int GlowCommand(const Arguments& arguments) {
    constexpr const char* usage = "glow SOURCE SECTION WIDTH HEIGHT OUT.png [--key KEY]";
    const Options options = Parse(arguments, 5, kGlowOptions, usage);
    const auto& p = options.Positional;
    const int width = SideArgument("WIDTH", p[2]);
    const int height = SideArgument("HEIGHT", p[3]);
    const auto manager = LoadSkinSource(p[0], {});
    const skin::TsSkinModel& model = manager->Model();
    const int section = SectionIndexOf(model, p[1]);
    const skin::TRect control = skin::RectAt(0, 0, width, height);
    const int inset = model.gd[std::size_t(section)].GlowMargin;
    const std::optional<skin::TvlGlowImage> glow =
        skin::BuildGlowImage(model, p[1], control, control, inset, options.Key);
    if (!glow)
        throw framework::Exception("The skin has no mask \"" + options.Key + "0\" in section \"" + p[1] +
                                   "\", or the halo would be empty");
    WritePngFile(p[4], glow->Image);
    JsonWriter json;
    json.BeginObject()
        .Key("x").Integer(glow->Place.X)
        .Key("y").Integer(glow->Place.Y)
        .Key("width").Integer(glow->Place.Width)
        .Key("height").Integer(glow->Place.Height)
        .EndObject();
    std::printf("%s\n", json.Text().c_str());
    return 0;
}

} // namespace tools
