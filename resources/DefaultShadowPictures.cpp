// The embedded shadow pictures, decoded as the engine decodes skin pictures.
#include "resources/DefaultShadowPictures.h"

#include "resources/TovrinResources.h"
#include "skin/data/sSkinManager.h"
#include "skin/pixels/codecs/SkinPictures.h"

namespace skin {

void InstallDefaultShadowPictures() {
    TsSkinManager::SetDefaultShadowPictures(ReadPng(ActiveShadowPng(), "vlSHDA"), ReadPng(InactiveShadowPng(), "vlSHDI"));
}

} // namespace skin
