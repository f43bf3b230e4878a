// The main window's skin manager sSkinManager1 with the properties its stored description gives.
#pragma once

#include <QObject>

#include "skin/data/sSkinManager.h"

namespace skin {

// Sets the stored properties in stream order: extended borders, the internal skins (one item,
// "Pewter (internal)", holding the package this program carries), then SkinName, which loads
// that skin while the manager is streaming; MenuSupport and ThirdParty as stored; everything
// else stays at its default. The caller brackets it with BeginLoading/EndLoading, as the
// window's creation does.
void ApplyMainSkinManagerProperties(TsSkinManager& manager);

// Creates the manager owned by `owner` (Qt parent) and streams it: BeginLoading, the properties
// above, EndLoading (which announces the loaded skin). Call it while the window's controls are
// being created, before FormCreate.
TsSkinManager* CreateMainSkinManager(QObject& owner);

} // namespace skin
