// The master bitmap, the masks in their six forms, and the JPEG textures.
//
// Fixed-column forms (characters counted from 1; "," between the numbers):
//   @LLLL,TTTT,RRRR,BBBB,C,M                          glyph picture in the master bitmap
//   ^LLLL,TTTT,RRRR,BBBB,bl  ,bt  ,br  ,bb  ,C,M,F,W  border mask in the master bitmap
//   ~LLLL,TTTT,RRRR,BBBB,FF,M                         texture in the master bitmap
// Free forms: "!FILE!C!M!K!bl!bt!br!bb!F", "FILE.BMP", and "...#(L,T,R,B)(C,M,W,F)".
#include "skin/data/sSkinOptionsLoad.h"

#include "skin/data/sMaskGeometry.h"
#include "skin/data/sSkinKeys.h"
#include "skin/data/sSystemColors.h"
#include "skin/pixels/PixelOps.h"
#include "skin/pixels/RectClip.h"
#include "skin/pixels/codecs/SkinPictures.h"

#include <algorithm>

namespace skin {
namespace {

constexpr double kLastVersionWithWhiteKey = 7.45; // PNGs of older skins use 0x00FFFFFF as "nothing"
constexpr double kFirstVersionWithStretchFlag = 7.4;

// Copy(text, position, count) with positions from 1; empty beyond the end.
std::string Field(const std::string& text, std::size_t position, std::size_t count) {
    if (position == 0 || position > text.size())
        return {};
    return text.substr(position - 1, count);
}

int Strict(const std::string& text, std::size_t position, std::size_t count) {
    return framework::StrToInt(Field(text, position, count));
}

std::vector<std::string> Words(std::string_view text, std::string_view delimiters) {
    std::vector<std::string> words;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && delimiters.find(text[i]) != std::string_view::npos)
            ++i;
        const std::size_t start = i;
        while (i < text.size() && delimiters.find(text[i]) == std::string_view::npos)
            ++i;
        if (i > start)
            words.emplace_back(text.substr(start, i - start));
    }
    return words;
}

int Lenient(const std::vector<std::string>& words, std::size_t index1, int missing) {
    if (index1 == 0 || index1 > words.size())
        return missing;
    return OptionIntegerOr(words[index1 - 1], 0);
}

std::int16_t To16(int value) { return static_cast<std::int16_t>(value); }

TRect ReadArea(const std::string& value) {
    return TRect{Strict(value, 2, 4), Strict(value, 7, 4), Strict(value, 12, 4), Strict(value, 17, 4)};
}

// Borders of a cell when the skin gives none: a third of the cell each way.
void CellBasedBorders(TsMaskData& mask) {
    const int across = mask.CellCount * 3;
    const int down = (mask.MaskLayout + 1) * 3;
    mask.BorderLeft = mask.BorderRight = To16(across > 0 ? WidthOf(mask.Area) / across : 0);
    mask.BorderTop = mask.BorderBottom = To16(down > 0 ? HeightOf(mask.Area) / down : 0);
}

bool BordersAreZero(const TsMaskData& mask) {
    return mask.BorderLeft + mask.BorderTop + mask.BorderRight + mask.BorderBottom == 0;
}

// A picture file of a mask, decoded and prepared as the skin's version asks.
std::shared_ptr<Bitmap32> LoadMaskPicture(const std::optional<ByteArray>& bytes, const std::string& name,
                                          double version) {
    if (!bytes)
        return nullptr;
    auto picture = std::make_shared<Bitmap32>(ReadPicture(*bytes, name));
    if (picture->Width() == 0)
        return nullptr;
    if (DetectPictureFormat(*bytes) == PictureFormat::Png) {
        if (version <= kLastVersionWithWhiteKey) {
            constexpr Pixel kOldTransparentWhite = 0x00FFFFFF;
            for (int y = 0; y < picture->Height(); ++y)
                for (Pixel& pixel : picture->Row(y))
                    if (pixel == kOldTransparentWhite)
                        pixel = 0;
        } else {
            Premultiply(*picture);
        }
    }
    return picture;
}

// In 64 bits: the corners of an area near the ends of the 32-bit range lie beyond it.
bool RectHoldsKey(const Bitmap32& picture, std::int64_t left, std::int64_t top, std::int64_t width,
                  std::int64_t height) {
    const int x0 = int(std::clamp<std::int64_t>(left, 0, picture.Width()));
    const int y0 = int(std::clamp<std::int64_t>(top, 0, picture.Height()));
    const int x1 = int(std::clamp<std::int64_t>(left + width, 0, picture.Width()));
    const int y1 = int(std::clamp<std::int64_t>(top + height, 0, picture.Height()));
    for (int y = y0; y < y1; ++y) {
        const auto row = picture.Row(y);
        for (int x = x0; x < x1; ++x)
            if (row[x] == kKeyPixel)
                return true;
    }
    return false;
}

void ComputeCornerKind(TsMaskData& mask, const Bitmap32& master) {
    if (mask.SectionName == kHugeButtonSection && mask.PropertyName == kBordersMaskKey) {
        mask.CornerKind = 2;
        return;
    }
    mask.CornerKind = 0;
    if (HeightOf(mask.Area) <= 0)
        return;
    const Bitmap32& picture = mask.Image ? *mask.Image : master;
    const std::int64_t left = mask.Area.Left, top = mask.Area.Top;
    const std::int64_t cw = CellWidth(mask), ch = CellHeight(mask);
    const bool keyed = RectHoldsKey(picture, left, top, mask.BorderLeft, mask.BorderTop) ||
                       RectHoldsKey(picture, left + cw - mask.BorderRight, top, mask.BorderRight, mask.BorderTop) ||
                       RectHoldsKey(picture, left, top + ch - mask.BorderBottom, mask.BorderLeft, mask.BorderBottom) ||
                       RectHoldsKey(picture, left + cw - mask.BorderRight, top + ch - mask.BorderBottom,
                                    mask.BorderRight, mask.BorderBottom);
    mask.CornerKind = keyed ? 1 : 0;
}

// The painters cut an area to its picture and may make a temporary bitmap of what is left on
// every paint; a skin that asks for more than the mask area limit there is refused.
void RefuseOversizedArea(const TsMaskData& mask, const Bitmap32& master) {
    const Bitmap32& picture = mask.Image ? *mask.Image : master;
    const TRect clipped = IntersectRects(mask.Area, RectOf(picture));
    if (std::uint64_t(AreaOf(clipped)) <= kMaskAreaLimit.Value)
        return;
    throw EPackageError("Skin mask " + mask.SectionName + "." + mask.PropertyName + " covers " +
                        std::to_string(WidthOf(clipped)) + " x " + std::to_string(HeightOf(clipped)) +
                        " pixels of its picture, more than " + LimitText(kMaskAreaLimit) + " allows");
}

TsMaskData NewMask(const TsLoadContext& context, const std::string& section, const std::string& key) {
    TsMaskData mask;
    mask.SectionName = section;
    mask.PropertyName = key;
    return mask;
}

enum class PictureSearch { PackageOrFolder, FolderOnly };

std::optional<TsMaskData> GlyphForm(const TsLoadContext& context, const std::string& section, const std::string& key,
                                    const std::string& value) {
    TsMaskData mask = NewMask(context, section, key);
    mask.Area = ReadArea(value);
    mask.CellCount = To16(Strict(value, 22, 1));
    mask.MaskLayout = To16(Strict(value, 24, 1));
    mask.MaskKind = TsMaskKind::mkGlyph;
    return mask;
}

std::optional<TsMaskData> BorderForm(const TsSkinModel& model, const TsLoadContext& context,
                                     const std::string& section, const std::string& key, const std::string& value) {
    TsMaskData mask = NewMask(context, section, key);
    mask.Area = ReadArea(value);
    mask.BorderLeft = To16(Strict(value, 22, 4));
    mask.BorderTop = To16(Strict(value, 27, 4));
    mask.BorderRight = To16(Strict(value, 32, 4));
    mask.BorderBottom = To16(Strict(value, 37, 4));
    mask.CellCount = To16(Strict(value, 42, 1));
    mask.MaskLayout = To16(Strict(value, 44, 1));
    mask.FillFlags = To16(Strict(value, 46, 1));
    mask.BorderWidth = To16(Strict(value, 48, 1));
    mask.MaskKind = TsMaskKind::mkBorder;
    if (BordersAreZero(mask)) {
        if (mask.BorderWidth != 0)
            mask.BorderLeft = mask.BorderTop = mask.BorderRight = mask.BorderBottom = mask.BorderWidth;
        else
            CellBasedBorders(mask);
    }
    if (mask.MaskLayout > 0 && model.SkinData.Version < kFirstVersionWithStretchFlag) {
        // Old skins mark a stretched centre by making it one pixel in each direction.
        const int centreWidth =
            (mask.CellCount > 0 ? WidthOf(mask.Area) / mask.CellCount : 0) - mask.BorderLeft - mask.BorderRight;
        const int centreHeight = HeightOf(mask.Area) / (mask.MaskLayout + 1) - mask.BorderTop - mask.BorderBottom;
        if (centreWidth == 1 && centreHeight == 1)
            mask.FillFlags = To16(mask.FillFlags | kFillStretch);
        else
            mask.FillFlags = To16(mask.FillFlags & ~kFillStretch);
    }
    return mask;
}

std::optional<TsMaskData> TextureForm(const TsLoadContext& context, const std::string& section,
                                      const std::string& key, const std::string& value) {
    constexpr std::size_t kLengthWithLayout = 25;
    TsMaskData mask = NewMask(context, section, key);
    mask.Area = ReadArea(value);
    mask.FillFlags = To16(Strict(value, 22, 2));
    mask.MaskLayout = To16(value.size() >= kLengthWithLayout ? Strict(value, 25, 1) : 0);
    mask.CellCount = 1;
    mask.MaskKind = TsMaskKind::mkTexture;
    return mask;
}

std::optional<TsMaskData> PictureFileForm(const TsSkinModel& model, const TsLoadContext& context,
                                          const std::string& section, const std::string& key,
                                          const std::string& value) {
    const std::vector<std::string> fields = Words(value, "!");
    if (fields.empty())
        return std::nullopt;
    const std::string& file = fields[0];
    const std::string upper = UpperCase(file);
    if (upper.find(".BMP") == std::string::npos && upper.find(".PNG") == std::string::npos)
        return std::nullopt;
    TsMaskData mask = NewMask(context, section, key);
    mask.Image = LoadMaskPicture(context.Pictures.Find(file), file, model.SkinData.Version);
    if (!mask.Image)
        return std::nullopt;
    mask.Area = RectOf(*mask.Image);
    // A cell count below 1 or a kind outside 0..4 has no meaning; both are clamped.
    mask.CellCount = To16(std::max(1, Lenient(fields, 2, 0)));
    mask.MaskLayout = To16(Lenient(fields, 3, 0));
    mask.MaskKind = static_cast<TsMaskKind>(std::clamp(Lenient(fields, 4, 0), 0, kMaxMaskKind));
    constexpr std::size_t kFieldsWithBorders = 5, kFieldsWithFillFlags = 9;
    if (fields.size() < kFieldsWithBorders) {
        CellBasedBorders(mask);
    } else {
        mask.BorderLeft = To16(Lenient(fields, 5, 0));
        mask.BorderTop = To16(Lenient(fields, 6, 0));
        mask.BorderRight = To16(Lenient(fields, 7, 0));
        mask.BorderBottom = To16(Lenient(fields, 8, 0));
    }
    mask.FillFlags = To16(fields.size() < kFieldsWithFillFlags ? 1 : Lenient(fields, 9, 0));
    return mask;
}

std::optional<TsMaskData> WholeBitmapForm(const TsSkinModel& model, const TsLoadContext& context,
                                          const std::string& section, const std::string& key,
                                          const std::string& value, PictureSearch search) {
    TsMaskData mask = NewMask(context, section, key);
    const auto bytes =
        search == PictureSearch::FolderOnly ? context.Pictures.FindInFolder(value) : context.Pictures.Find(value);
    mask.Image = LoadMaskPicture(bytes, value, model.SkinData.Version);
    if (!mask.Image)
        return std::nullopt;
    mask.Area = RectOf(*mask.Image);
    mask.CellCount = 3;
    mask.MaskLayout = 1;
    mask.BorderLeft = mask.BorderRight = To16(mask.Image->Width() / 9);
    mask.BorderTop = mask.BorderBottom = To16(mask.Image->Height() / 6);
    mask.MaskKind = TsMaskKind::mkBorder;
    mask.FillFlags = 0;
    return mask;
}

std::optional<TsMaskData> FreeBorderForm(const TsLoadContext& context, const std::string& section,
                                         const std::string& key, const std::string& value) {
    const std::vector<std::string> words = Words(value, " ()");
    const std::vector<std::string> area = words.size() >= 2 ? Words(words[1], " ,") : std::vector<std::string>{};
    const std::vector<std::string> cells = words.size() >= 3 ? Words(words[2], " ,") : std::vector<std::string>{};
    TsMaskData mask = NewMask(context, section, key);
    mask.Area = TRect{Lenient(area, 1, 0), Lenient(area, 2, 0), Lenient(area, 3, 0), Lenient(area, 4, 0)};
    mask.CellCount = To16(std::max(1, Lenient(cells, 1, 0)));
    mask.MaskLayout = To16(std::max(0, Lenient(cells, 2, 0)));
    mask.BorderWidth = To16(std::max(0, Lenient(cells, 3, 0)));
    mask.FillFlags = To16(Lenient(cells, 4, 1));
    mask.MaskKind = TsMaskKind::mkBorder;
    if (mask.BorderWidth != 0) {
        mask.BorderLeft = mask.BorderTop = mask.BorderRight = mask.BorderBottom = mask.BorderWidth;
    } else {
        mask.BorderLeft = mask.BorderRight = To16(CellWidth(mask));
        mask.BorderTop = mask.BorderBottom = To16(CellHeight(mask));
    }
    return mask;
}

enum class MaskSource { SkinText, CommonSections };
constexpr const char* kCommonSectionsFile = "CommonSections";

// The picture file a value of the "!" or ".BMP" form names (empty for other forms).
std::string PictureNameOf(const std::string& value, bool isBitmapFile) {
    if (value.front() == '!') {
        const std::vector<std::string> fields = Words(value, "!");
        return fields.empty() ? std::string() : fields[0];
    }
    return isBitmapFile ? value : std::string();
}

// Why a value of a picture form made no mask: a name that is no picture's, or a picture that is
// not there (in a package, perhaps for want of upper case).
void ReportNoPicture(const TsLoadContext& context, const TsSkinPlace& place, const std::string& value,
                     bool isBitmapFile) {
    if (context.Diagnostics == nullptr)
        return;
    const std::string name = PictureNameOf(value, isBitmapFile);
    const std::string upper = UpperCase(name);
    const std::string fallback = "no mask: " + place.Section + "." + place.Key + " paints nothing";
    if (value.front() == '!' && upper.find(".BMP") == std::string::npos && upper.find(".PNG") == std::string::npos) {
        context.Diagnostics->Report(DiagnosticAt(place, TsSeverity::Warning, "mask-value",
                                                 "\"" + name + "\" names no .BMP or .PNG picture", fallback));
        return;
    }
    std::string problem = "the picture \"" + name + "\" is not " +
                          (context.Pictures.Package ? "in the package" : "in the skin folder");
    if (context.Pictures.Package != nullptr && name != upper)
        for (const TvlImageItem& item : context.Pictures.Package->Images)
            if (UpperCase(item.Name) == upper) {
                problem += " (it holds \"" + item.Name + "\", but a package's pictures are found by names written "
                           "in upper case)";
                break;
            }
    context.Diagnostics->Report(DiagnosticAt(place, TsSeverity::Error, "picture-missing", problem, fallback));
}

// The mask one value makes, by its form; nothing for a value of no form or a picture not found.
std::optional<TsMaskData> MaskOfValue(const TsSkinModel& model, const TsLoadContext& context,
                                      const std::string& section, const std::string& key, const std::string& value,
                                      MaskSource source, bool& cornerKind) {
    const std::string upper = UpperCase(value);
    const bool hasHash = value.find('#') != std::string::npos;
    const bool isBitmapFile = upper.find(".BMP") != std::string::npos && !hasHash;
    const bool isFreeForm = hasHash && value != "#";
    cornerKind = true;
    if (source == MaskSource::CommonSections) {
        if (isBitmapFile)
            return WholeBitmapForm(model, context, section, key, value, PictureSearch::FolderOnly);
        if (isFreeForm)
            return FreeBorderForm(context, section, key, value);
        return std::nullopt;
    }
    cornerKind = false;
    switch (value.front()) {
    case '@': return GlyphForm(context, section, key, value);
    case '^': cornerKind = true; return BorderForm(model, context, section, key, value);
    case '~': return TextureForm(context, section, key, value);
    case '!': {
        std::optional<TsMaskData> mask = PictureFileForm(model, context, section, key, value);
        cornerKind = mask && mask->MaskKind == TsMaskKind::mkBorder;
        return mask;
    }
    default: break;
    }
    cornerKind = true;
    if (isBitmapFile)
        return WholeBitmapForm(model, context, section, key, value, PictureSearch::PackageOrFolder);
    if (isFreeForm)
        return FreeBorderForm(context, section, key, value);
    return std::nullopt;
}

void AppendMask(TsSkinModel& model, const TsLoadContext& context, const std::string& section, const std::string& key,
                const std::string& value, MaskSource source, int line) {
    const TsSkinPlace place{source == MaskSource::CommonSections ? kCommonSectionsFile : kOptionsFileName, section,
                            key, line};
    std::optional<TsMaskData> mask;
    bool cornerKind = false;
    try {
        mask = MaskOfValue(model, context, section, key, value, source, cornerKind);
        if (mask)
            RefuseOversizedArea(*mask, model.MasterBitmap);
    } catch (const std::exception& failure) {
        ReportLoadFailure(context.Diagnostics, failure, place);
        return; // the diagnostics go on past failures: no mask
    }
    if (!mask) {
        const bool isBitmapFile =
            UpperCase(value).find(".BMP") != std::string::npos && value.find('#') == std::string::npos;
        if (source == MaskSource::SkinText && (value.front() == '!' || isBitmapFile))
            ReportNoPicture(context, place, value, isBitmapFile);
        return;
    }
    if (cornerKind)
        ComputeCornerKind(*mask, model.MasterBitmap);
    model.ma.push_back(std::move(*mask));
}

// A picture the options text names by a key that is not in the skin.
void ReportMissingPicture(const TsLoadContext& context, const TsSkinPlace& place, const std::string& name,
                          const std::string& fallback) {
    if (context.Diagnostics != nullptr)
        context.Diagnostics->Report(DiagnosticAt(place, TsSeverity::Error, "picture-missing",
                                                 "the picture \"" + name + "\" is not " +
                                                     (context.Pictures.Package ? "in the package" : "in the skin folder"),
                                                 fallback));
}

TsSkinPlace PlaceOf(const TsSkinIni& ini, const std::string& section, const std::string& key) {
    const TsSkinIni::Key* found = ini.FindKey(section, key);
    return TsSkinPlace{kOptionsFileName, section, key, found ? found->Line : 0};
}

void LoadMasterBitmap(TsSkinModel& model, const TsLoadContext& context) {
    model.MasterBitmap = Bitmap32{};
    const std::string name = context.Ini.ReadString(kGlobalInfo, kMasterBitmapKey, "");
    if (name.empty())
        return;
    const TsSkinPlace place = PlaceOf(context.Ini, std::string(kGlobalInfo), std::string(kMasterBitmapKey));
    const auto bytes = context.Pictures.Find(name);
    if (!bytes) {
        ReportMissingPicture(context, place, name, "the master bitmap is empty: masks cut from it paint nothing");
        return;
    }
    // Non-32-bit files come back with alpha 255 except the key pixels, which is the conversion
    // the master bitmap needs.
    try {
        model.MasterBitmap = ReadPicture(*bytes, name);
    } catch (const std::exception& failure) {
        ReportLoadFailure(context.Diagnostics, failure, place);
    }
}

} // namespace

void AppendMaskFromValue(TsSkinModel& model, const TsLoadContext& context, const std::string& section,
                         const std::string& key, const std::string& value) {
    if (!value.empty())
        AppendMask(model, context, section, key, value, MaskSource::SkinText, 0);
}

void LoadMasterAndMasks(TsSkinModel& model, const TsLoadContext& context) {
    LoadMasterBitmap(model, context);
    model.ma.clear();
    for (const TsSkinIni::Section& section : context.Ini.Sections()) {
        for (const TsSkinIni::Key& key : section.Keys) {
            if (key.Value.empty() || (section.Name == kGlobalInfo && key.Name == kMasterBitmapKey))
                continue;
            AppendMask(model, context, section.Name, key.Name, key.Value, MaskSource::SkinText, key.Line);
        }
    }
    if (context.CommonSections == nullptr)
        return;
    for (const TsSkinIni::Section& section : context.CommonSections->Sections()) {
        if (section.Name == kGlobalInfo)
            continue;
        for (const TsSkinIni::Key& key : section.Keys)
            if (!key.Value.empty())
                AppendMask(model, context, section.Name, key.Name, key.Value, MaskSource::CommonSections, key.Line);
    }
}

void LoadPatterns(TsSkinModel& model, const TsLoadContext& context) {
    model.pa.clear();
    for (const TsSkinIni::Section& section : context.Ini.Sections()) {
        for (const TsSkinIni::Key& key : section.Keys) {
            if (section.Name == kGlobalInfo && key.Name == kMasterBitmapKey)
                continue;
            const std::string upper = UpperCase(key.Value);
            if (upper.find(".JPG") == std::string::npos && upper.find(".JPEG") == std::string::npos)
                continue;
            const TsSkinPlace place{kOptionsFileName, section.Name, key.Name, key.Line};
            const auto bytes = context.Pictures.Find(key.Value);
            if (!bytes) {
                ReportMissingPicture(context, place, key.Value,
                                     "no texture: " + section.Name + "." + key.Name + " paints nothing");
                continue;
            }
            std::shared_ptr<Bitmap32> picture;
            try {
                picture = std::make_shared<Bitmap32>(ReadPicture(*bytes, key.Value));
            } catch (const std::exception& failure) {
                ReportLoadFailure(context.Diagnostics, failure, place);
                continue;
            }
            if (picture->Empty())
                continue;
            model.pa.push_back(TsPatternData{std::move(picture), UpperCase(section.Name), UpperCase(key.Name)});
        }
    }
}

} // namespace skin
