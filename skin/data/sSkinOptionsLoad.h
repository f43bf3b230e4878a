// The loading steps that turn an options INI and its pictures into the skin model, and the
// reader of inherited section keys ("PARENTCLASS" chains, ended when they loop).
#pragma once

#include "skin/data/sSkinDiagnostics.h"
#include "skin/data/sSkinImageSource.h"
#include "skin/data/sSkinIni.h"
#include "skin/data/sSkinOptions.h"

#include <functional>

namespace skin {

// Reads section keys through the "PARENTCLASS" chain. The chain stops at an empty parent, "?",
// the section itself, or a section already visited (the key then counts as missing).
class TsOptionsReader {
public:
    explicit TsOptionsReader(const TsSkinIni& ini) : ini_(ini) {}

    // -1 and non-integers count as missing; a value found in a parent is resolved.
    std::int32_t ReadInteger(std::string_view section, std::string_view key, std::int32_t fallback) const;
    // "?" counts as missing.
    std::string ReadString(std::string_view section, std::string_view key, std::string_view fallback) const;
    bool ReadBool(std::string_view section, std::string_view key, bool fallback) const;

    const TsSkinIni& Ini() const { return ini_; }

private:
    template <class Accept>
    const std::string* FindInChain(std::string_view section, std::string_view key, Accept accept,
                                   bool& fromParent) const;
    const TsSkinIni& ini_;
};

struct TsLoadContext {
    const TsSkinIni& Ini;
    TsSkinImageSource Pictures;
    const TsSkinIni* CommonSections = nullptr; // may be null
    // Runs after "GLOBALINFO" is read in LoadSections (the version check).
    std::function<void(const TsSkinData&)> VersionCheck;
    // Told of what the steps pass over; may be null.
    TsSkinDiagnostics* Diagnostics = nullptr;
};

// Step 1: the master bitmap, then every mask of the text (and of the common sections).
void LoadMasterAndMasks(TsSkinModel& model, const TsLoadContext& context);
// Step 2: the JPEG textures.
void LoadPatterns(TsSkinModel& model, const TsLoadContext& context);
// Step 3 without the hue and saturation shifts: "GLOBALINFO", the sections, the common
// sections, the per-section indexes, the palette.
void LoadSections(TsSkinModel& model, const TsLoadContext& context);
// The per-section mask and texture indexes (also rerun after the common index table).
void ResolveSectionIndexes(TsSkinModel& model);
// "GLOBALINFO" into TsSkinData (SkinFolder and Active are left alone).
void ReadSkinData(TsSkinData& data, const TsSkinIni& ini, TsSkinDiagnostics* diagnostics = nullptr);
// The skin's version alone, for the check before the skin is read.
double ReadSkinVersion(const TsSkinIni& ini);

// The mask forms, exposed for the tests: appends at most one mask for one value.
void AppendMaskFromValue(TsSkinModel& model, const TsLoadContext& context, const std::string& section,
                         const std::string& key, const std::string& value);

} // namespace skin
