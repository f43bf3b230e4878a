// The rules of the skin checker, one function each, over the options text and the model.
#include "skin/data/sSkinCheck.h"

#include "framework/base/Colors.h"
#include "skin/data/sMaskGeometry.h"
#include "skin/data/sParentChain.h"
#include "skin/data/sSkinKeys.h"
#include "skin/data/sSkinModelLookups.h"
#include "skin/data/vlSkinPack.h"
#include "skin/pixels/RectClip.h"

#include <algorithm>
#include <cstdio>
#include <set>

namespace skin {
namespace {

constexpr double kNewestKnownVersion = 8.99; // the engine warns about skins made for a newer one
constexpr double kLastVersionWithWhiteKey = 7.45;
constexpr std::string_view kNone = "N/A";

TsSkinPlace PlaceOf(const TsSkinIni::Section& section, const TsSkinIni::Key& key) {
    return TsSkinPlace{kOptionsFileName, section.Name, key.Name, key.Line};
}

// Where a mask's key stands (the first key of its name, the one painters see).
TsSkinPlace PlaceOf(const TsSkinIni& ini, const std::string& section, const std::string& key) {
    const TsSkinIni::Key* found = ini.FindKey(section, key);
    return TsSkinPlace{kOptionsFileName, section, key, found ? found->Line : 0};
}

void Warn(TsSkinDiagnostics& out, const TsSkinPlace& place, const char* rule, std::string problem,
          std::string fallback) {
    out.Report(DiagnosticAt(place, TsSeverity::Warning, rule, std::move(problem), std::move(fallback)));
}

void Fail(TsSkinDiagnostics& out, const TsSkinPlace& place, const char* rule, std::string problem,
          std::string fallback) {
    out.Report(DiagnosticAt(place, TsSeverity::Error, rule, std::move(problem), std::move(fallback)));
}

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

std::string HexColour(std::uint32_t bits) {
    char text[16];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", bits & 0xFF, (bits >> 8) & 0xFF, (bits >> 16) & 0xFF);
    return text;
}

std::string Missing(const TsSkinPlace& place) {
    return place.Section == kGlobalInfo ? "the value counts as missing: the engine's default"
                                        : "the value counts as missing: the parent's value, else the engine's default";
}

// ---------------------------------------------------------------- values

struct ValueProblem {
    std::string Problem;
    std::string Fallback;
};
using MaybeProblem = std::optional<ValueProblem>;

// A colour value: 0x00BBGGRR, a system colour (sign bit, index in the low byte), or -1 (none).
MaybeProblem ColourProblem(std::int32_t value) {
    const auto bits = std::uint32_t(value);
    if (value == -1 || bits <= 0xFFFFFFu)
        return std::nullopt;
    if (bits & 0x80000000u) {
        const int index = int(bits & 0xFF);
        const std::uint32_t high = bits >> 24;
        const bool plain = (high == 0x80 || high == 0xFF) && (bits & 0x00FFFF00u) == 0;
        if (index >= framework::kSystemColorCount)
            return ValueProblem{"system colour index " + std::to_string(index) + " is not in the table",
                                "painted black"};
        if (!plain)
            return ValueProblem{"a system colour with bits set besides its index",
                                "taken as system colour " + std::to_string(index)};
        return std::nullopt;
    }
    return ValueProblem{"colour out of range: the high byte is no part of a 0x00BBGGRR colour",
                        "the colour " + HexColour(bits) + " with the high byte as its alpha where it is painted"};
}

MaybeProblem NumberProblem(const std::string& text, const TsSkinPlace& place) {
    std::int32_t value = 0;
    if (ParseOptionInteger(text, value))
        return std::nullopt;
    return ValueProblem{Quoted(text) + " is not an integer", Missing(place)};
}

MaybeProblem ColourValueProblem(const std::string& text, const TsSkinPlace& place) {
    std::int32_t value = 0;
    if (!ParseOptionInteger(text, value))
        return ValueProblem{Quoted(text) + " is not a colour (a 0x00BBGGRR integer)", Missing(place)};
    return ColourProblem(value);
}

MaybeProblem BooleanProblem(const std::string& text) {
    const std::string upper = UpperCase(text);
    if (upper == "1" || upper == "0" || upper == "TRUE" || upper == "FALSE")
        return std::nullopt;
    return ValueProblem{Quoted(text) + " is not a boolean (1, 0, TRUE or FALSE)", "read as false"};
}

// Groups of five numbers: colour 1, colour 2, percent, kind, and one more.
MaybeProblem GradientProblem(const std::string& text) {
    constexpr std::size_t kGroup = 5;
    constexpr std::size_t kShortest = 2;
    if (text.size() < kShortest || text == kNone)
        return std::nullopt; // no gradient
    std::vector<std::string> fields;
    for (std::size_t start = 0; start <= text.size();) {
        const std::size_t end = std::min(text.find(';', start), text.size());
        fields.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    for (std::size_t i = 0; i < fields.size(); ++i) {
        std::int32_t value = 0;
        if (!ParseOptionInteger(fields[i], value))
            return ValueProblem{"field " + std::to_string(i + 1) + " " + Quoted(fields[i]) + " is not an integer",
                                "read as 0"};
        const std::size_t place = i % kGroup;
        if (i / kGroup * kGroup + kGroup > fields.size())
            break;
        if ((place == 0 || place == 1) && value < 0)
            return ValueProblem{"colour " + std::to_string(value) + " of segment " + std::to_string(i / kGroup + 1) +
                                    " is negative (system colours have no place in a gradient)",
                                "painted black"};
        if (place == 0 || place == 1)
            if (MaybeProblem colour = ColourProblem(value))
                return colour;
        if (place == 2 && (value < 0 || value > 100))
            return ValueProblem{"percent " + std::to_string(value) + " of segment " + std::to_string(i / kGroup + 1) +
                                    " is outside 0..100",
                                "cut to 0..100"};
        if (place == 3 && (value < 0 || value > 2))
            return ValueProblem{"kind " + std::to_string(value) + " of segment " + std::to_string(i / kGroup + 1) +
                                    " is none of 0 (vertical), 1 (horizontal), 2 (four corners)",
                                "the gradient paints nothing"};
    }
    if (fields.size() % kGroup != 0)
        return ValueProblem{std::to_string(fields.size()) + " numbers do not make whole segments of five",
                            "the last " + std::to_string(fields.size() % kGroup) + " are not read"};
    return std::nullopt;
}

MaybeProblem ValueProblemOf(KeyValueKind kind, const std::string& text, const TsSkinPlace& place) {
    switch (kind) {
    case KeyValueKind::Number: return NumberProblem(text, place);
    case KeyValueKind::Boolean: return BooleanProblem(text);
    case KeyValueKind::Colour:
    case KeyValueKind::Contour: return ColourValueProblem(text, place);
    case KeyValueKind::Gradient: return GradientProblem(text);
    default: return std::nullopt; // strict numbers and pictures: the loader says; texts: anything goes
    }
}

// ---------------------------------------------------------------- masks

bool NamesPicture(const std::string& value) {
    const std::string upper = UpperCase(value);
    return value.front() == '!' || ((upper.find(".BMP") != std::string::npos) && value.find('#') == std::string::npos) ||
           upper.find(".JPG") != std::string::npos || upper.find(".JPEG") != std::string::npos;
}

bool HasPattern(const TsSkinModel& model, const std::string& section, const std::string& key) {
    const std::string upperSection = UpperCase(section), upperKey = UpperCase(key);
    return std::any_of(model.pa.begin(), model.pa.end(), [&](const TsPatternData& pattern) {
        return pattern.SectionName == upperSection && pattern.PropertyName == upperKey;
    });
}

bool IsFirstOfItsNames(const TsSkinModel& model, std::size_t index) {
    const TsMaskData& mask = model.ma[index];
    return FindMask(model, mask.SectionName, mask.PropertyName) == int(index);
}

// Nine-sliced masks: border masks and the pictures with their own alpha (halos, the extended
// border). A "#" mask without a border width takes its whole cell as borders by design.
bool IsSliced(const TsMaskData& mask, const std::string& value) {
    if (mask.MaskKind == TsMaskKind::mkTexture || mask.MaskKind == TsMaskKind::mkGlyph)
        return false;
    return !(value.find('#') != std::string::npos && mask.BorderWidth == 0);
}

} // namespace

void CheckUnknownKeys(const TsSkinIni& ini, TsSkinDiagnostics& out) {
    for (const TsSkinIni::Section& section : ini.Sections())
        for (const TsSkinIni::Key& key : section.Keys)
            if (!KeyUseOf(section.Name, key.Name))
                Warn(out, PlaceOf(section, key), "unknown-key",
                     "no unit of the engine reads " + Quoted(key.Name) + " in " +
                         (section.Name == kGlobalInfo ? std::string("\"GLOBALINFO\"") : "a section"),
                     "the key is ignored");
}

void CheckParentClasses(const TsSkinIni& ini, TsSkinDiagnostics& out) {
    std::set<std::string> loopsReported;
    for (const TsSkinIni::Section& section : ini.Sections()) {
        const TsSkinIni::Key* parent = ini.FindKey(section.Name, kParentClassKey);
        if (parent == nullptr || parent->Value.empty() || parent->Value == "?")
            continue;
        const TsSkinPlace place = PlaceOf(section, *parent);
        if (parent->Value == section.Name) {
            Warn(out, place, "parent-class", "the section names itself as its parent", "it inherits nothing");
            continue;
        }
        if (!ini.SectionExists(parent->Value)) {
            Fail(out, place, "parent-class", "the parent section " + Quoted(parent->Value) + " is not in the skin",
                 "the chain ends here: keys the section lacks take the engine's defaults");
            continue;
        }
        // The walk ends at a section it saw before; where that is not the end of the chain, the
        // chain loops. The loop is told once, at the first of its sections in the text.
        std::vector<std::string> chain;
        std::string loopStart;
        WalkParentChain(section.Name, [&](std::string_view current) -> const std::string* {
            chain.emplace_back(current);
            const std::string* next = ini.Find(current, kParentClassKey);
            if (next && !next->empty() && *next != "?" && *next != current &&
                std::find(chain.begin(), chain.end(), *next) != chain.end())
                loopStart = *next;
            return next;
        });
        if (loopStart.empty())
            continue;
        const auto first = std::find(chain.begin(), chain.end(), loopStart);
        std::vector<std::string> loop(first, chain.end());
        std::set<std::string> members(loop.begin(), loop.end());
        const std::string key = [&] {
            std::string joined;
            for (const std::string& name : members)
                joined += name + "\n";
            return joined;
        }();
        if (!loopsReported.insert(key).second)
            continue;
        std::string path;
        for (const std::string& name : loop)
            path += name + " -> ";
        path += loopStart;
        // Reported at the first section of the loop in the text.
        for (const TsSkinIni::Section& candidate : ini.Sections())
            if (members.contains(candidate.Name)) {
                const TsSkinIni::Key* link = ini.FindKey(candidate.Name, kParentClassKey);
                Fail(out, PlaceOf(candidate, *link), "parent-class", "the parent chain loops: " + path,
                     "each chain ends where it comes back: keys none of the loop gives take the engine's defaults");
                break;
            }
    }
}

void CheckSkinVersion(const TsSkinIni& ini, TsSkinDiagnostics& out) {
    const TsSkinIni::Key* key = ini.FindKey(kGlobalInfo, "VERSION");
    const TsSkinPlace place{kOptionsFileName, std::string(kGlobalInfo), "VERSION", key ? key->Line : 0};
    const std::string oldSkin = "read as an old skin's: PNG pictures are not premultiplied, their white 0x00FFFFFF "
                                "pixels see-through";
    if (key == nullptr) {
        Warn(out, place, "version", "\"GLOBALINFO\" gives no VERSION", "version 0, " + oldSkin);
        return;
    }
    const double version = OptionReal(key->Value);
    if (version == 0 && key->Value != "0")
        Warn(out, place, "version", Quoted(key->Value) + " is not a version number (like 8.00)",
             "version 0, " + oldSkin);
    else if (version > kNewestKnownVersion)
        Warn(out, place, "version", "version " + key->Value + " is newer than the engine knows",
             "the program warns when it loads the skin");
    else if (version <= kLastVersionWithWhiteKey)
        Warn(out, place, "version", "version " + key->Value + " is an old skin's", oldSkin);
}

void CheckValues(const TsSkinIni& ini, TsSkinDiagnostics& out) {
    for (const TsSkinIni::Section& section : ini.Sections())
        for (const TsSkinIni::Key& key : section.Keys) {
            const std::optional<KeyValueKind> kind = KeyUseOf(section.Name, key.Name);
            if (!kind || key.Value.empty())
                continue;
            const TsSkinPlace place = PlaceOf(section, key);
            if (MaybeProblem problem = ValueProblemOf(*kind, key.Value, place))
                Warn(out, place, "value", problem->Problem, problem->Fallback);
        }
}

void CheckMaskValues(const TsSkinIni& ini, const TsSkinModel& model, TsSkinDiagnostics& out) {
    for (const TsSkinIni::Section& section : ini.Sections())
        for (const TsSkinIni::Key& key : section.Keys) {
            if (KeyUseOf(section.Name, key.Name) != KeyValueKind::Mask || key.Value.empty() || key.Value == kNone ||
                ini.FindKey(section.Name, key.Name) != &key)
                continue;
            // Pictures that are not found the loader reports as it looks for them.
            if (NamesPicture(key.Value) || FindMask(model, section.Name, key.Name) >= 0 ||
                HasPattern(model, section.Name, key.Name))
                continue;
            Warn(out, PlaceOf(section, key), "mask-value",
                 Quoted(key.Value) + " is no mask (\"@\", \"^\", \"~\" or \"!\" forms, a .BMP file, or "
                                     "\"...#(L,T,R,B)(C,M,W,F)\")",
                 "no mask: " + section.Name + "." + key.Name + " paints nothing");
        }
}

void CheckMaskGeometry(const TsSkinIni& ini, const TsSkinModel& model, TsSkinDiagnostics& out) {
    int fromEmptyMaster = 0;
    std::string firstFromMaster;
    for (std::size_t i = 0; i < model.ma.size(); ++i) {
        const TsMaskData& mask = model.ma[i];
        if (!IsFirstOfItsNames(model, i))
            continue; // painters never see it; the repeated key is reported
        const TsSkinPlace place = PlaceOf(ini, mask.SectionName, mask.PropertyName);
        const Bitmap32& picture = MaskPicture(model, mask);
        if (picture.Empty()) {
            if (fromEmptyMaster++ == 0)
                firstFromMaster = mask.SectionName + "." + mask.PropertyName;
            continue;
        }
        const std::string pictureName = mask.Image ? "its picture" : "the master bitmap";
        const std::string size = std::to_string(picture.Width()) + " x " + std::to_string(picture.Height());
        const TRect& a = mask.Area;
        if (RectIsEmpty(a)) {
            Fail(out, place, "mask-geometry", "the mask's area is empty", "the mask paints nothing");
            continue;
        }
        if (a.Left < 0 || a.Top < 0 || a.Right > picture.Width() || a.Bottom > picture.Height())
            Warn(out, place, "mask-geometry",
                 "the area (" + std::to_string(a.Left) + ", " + std::to_string(a.Top) + ") - (" +
                     std::to_string(a.Right) + ", " + std::to_string(a.Bottom) + ") reaches beyond " + pictureName +
                     " (" + size + ")",
                 "the area is cut to the picture");
        const int rows = std::max(1, mask.MaskLayout + 1);
        if (mask.CellCount > 1 && WidthOf(a) % mask.CellCount != 0)
            Warn(out, place, "mask-geometry",
                 "the area's width " + std::to_string(WidthOf(a)) + " does not divide into " +
                     std::to_string(mask.CellCount) + " cells",
                 "cells are " + std::to_string(CellWidth(mask)) + " wide; the last " +
                     std::to_string(WidthOf(a) % mask.CellCount) + " columns are not used");
        if (mask.MaskLayout > 0 && HeightOf(a) % rows != 0)
            Warn(out, place, "mask-geometry",
                 "the area's height " + std::to_string(HeightOf(a)) + " does not divide into the picture and its " +
                     "mask rows (" + std::to_string(rows) + ")",
                 "cells are " + std::to_string(CellHeight(mask)) + " high; the last " +
                     std::to_string(HeightOf(a) % rows) + " rows are not used");
        const std::string* value = ini.Find(mask.SectionName, mask.PropertyName);
        if (value != nullptr && IsSliced(mask, *value)) {
            const BorderWidths b = MaskBorders(mask);
            const int cw = CellWidth(mask), ch = CellHeight(mask);
            if (b.Left + b.Right >= cw || b.Top + b.Bottom >= ch)
                Warn(out, place, "mask-geometry",
                     "borders " + std::to_string(b.Left) + ", " + std::to_string(b.Top) + ", " +
                         std::to_string(b.Right) + ", " + std::to_string(b.Bottom) + " leave a " + std::to_string(cw) +
                         " x " + std::to_string(ch) + " cell no middle",
                     "nothing is stretched or tiled between the borders");
        }
    }
    if (fromEmptyMaster > 0 && ini.Find(kGlobalInfo, kMasterBitmapKey) == nullptr)
        Fail(out, PlaceOf(ini, std::string(kGlobalInfo), std::string(kMasterBitmapKey)), "picture-missing",
             "\"GLOBALINFO\" names no MASTERBITMAP, yet " + std::to_string(fromEmptyMaster) +
                 " masks are cut from it (the first is " + firstFromMaster + ")",
             "those masks paint nothing");
}

void CheckGlyphStates(const TsSkinIni& ini, const TsSkinModel& model, TsSkinDiagnostics& out) {
    for (int i = 0; i < int(model.gd.size()); ++i) {
        const TsGeneralData& section = model.gd[std::size_t(i)];
        const int glyph = GetMaskIndex(model, i, section.ClassName, kGlyphMaskKey);
        if (glyph < 0)
            continue;
        const TsMaskData& mask = model.ma[std::size_t(glyph)];
        if (mask.CellCount >= section.States)
            continue;
        const bool own = mask.SectionName == section.ClassName;
        const TsSkinIni::Section* text = ini.FindSection(section.ClassName);
        TsSkinPlace place = PlaceOf(ini, section.ClassName, std::string(kGlyphMaskKey));
        if (!own) {
            const TsSkinIni::Key* states = ini.FindKey(section.ClassName, "STATES");
            place.Key = states ? "STATES" : "";
            place.Line = states ? states->Line : text ? text->Line : 0;
        }
        Warn(out, place, "glyph-states",
             "the glyph mask" + (own ? std::string() : " of " + mask.SectionName) + " has " +
                 std::to_string(mask.CellCount) + " images for the section's " + std::to_string(section.States) +
                 " states",
             "state " + std::to_string(mask.CellCount) + " (counted from 0) and those above show the last image");
    }
}

void CheckSkin(const TsSkinIni& ini, const TsSkinModel* model, TsSkinDiagnostics& out) {
    CheckSkinVersion(ini, out);
    CheckUnknownKeys(ini, out);
    CheckParentClasses(ini, out);
    CheckValues(ini, out);
    if (model == nullptr)
        return;
    CheckMaskValues(ini, *model, out);
    CheckMaskGeometry(ini, *model, out);
    CheckGlyphStates(ini, *model, out);
}

void SortWorstFirst(std::vector<TsSkinDiagnostic>& diagnostics) {
    const auto rank = [](const TsSkinDiagnostic& d) {
        return std::tuple(d.Severity != TsSeverity::Error, d.File != kOptionsFileName, d.File, d.Line == 0, d.Line);
    };
    std::stable_sort(diagnostics.begin(), diagnostics.end(),
                     [&](const TsSkinDiagnostic& a, const TsSkinDiagnostic& b) { return rank(a) < rank(b); });
}

} // namespace skin
