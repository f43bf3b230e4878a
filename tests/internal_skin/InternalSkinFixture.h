// The main window's skin manager, set up from the stored description with its internal package,
// loaded once for all tests that only read it.
#pragma once

#include <memory>
#include <string>

#include "resources/MainSkinManager.h"
#include "skin/data/sSkinIni.h"
#include "skin/data/vlSkinPack.h"

namespace skin::testing {

// A skin directory that never exists, so no folder or package file can win over the internal skin.
inline constexpr const char* kMissingSkinDirectory = "/nonexistent/tovrin-skins";

// Streams a manager the way the window does (BeginLoading, stored properties, EndLoading), with
// layered windows available so that the extended borders are in effect.
std::unique_ptr<TsSkinManager> LoadMainManager();
// The manager shared by the read-only tests.
const TsSkinManager& SharedManager();
// The options text of the stored package.
const TsSkinIni& StoredOptions();

// Index of the mask with exactly these names, or -1.
int MaskIndex(const TsSkinManager& manager, const std::string& section, const std::string& key);
const TsGeneralData& Section(const TsSkinManager& manager, const std::string& name);

} // namespace skin::testing
