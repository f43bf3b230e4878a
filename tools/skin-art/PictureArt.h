// The pictures of the skin and the program that live in their own files: the extended border
// with its shadow, the glow halos, the hint frame, the huge button, the gauge's light strip, the
// default form shadows and the program icon. All straight alpha, 0xAARRGGBB.
#pragma once

#include "skin/pixels/Bitmap32.h"
#include "tools/skin-art/ArtLayer.h"
#include "tools/skin-art/GlyphArt.h"

namespace skinart {

// "EXTBORD.PNG": 100 × 80, two 50 × 80 cells (active, inactive) with margins 24, 54, 25, 25.
skin::Bitmap32 ExtendedBorderPicture();
// "GLOWEDIT.PNG": 16 × 16, borders 7, the edit's focus halo.
skin::Bitmap32 EditGlowPicture();
// "CLOSE.PNG", "MAX.PNG", "MIN.PNG", "NORM.PNG": the hot look of a large caption button as its
// fade shows it: the 24 × 24 hot button in the middle of a 30 × 30 picture, with a halo in the
// glow margin of 3 around it (the frame places the picture 3 pixels up and left of the button).
skin::Bitmap32 CaptionGlowPicture(CaptionSymbol symbol);
// "RECTHINT1.PNG": 20 × 20, borders 6, a hint frame with its own soft shadow.
skin::Bitmap32 HintFramePicture();
// "BUTTONHUGE.BMP": three 64 × 64 cells with their mask pictures below (192 × 128, opaque).
skin::Bitmap32 HugeButtonPicture();
// "VLGL": 60 × 20 white, the alpha an hourglass of light around the middle column.
skin::Bitmap32 GaugeLightPicture();
enum class FormActivity { Active, Inactive };
// "vlSHDA" / "vlSHDI": 33 × 33 default form shadows, margins 9.
skin::Bitmap32 DefaultShadowPicture(FormActivity activity);
// The program icon, drawn for a square of the given side (16 or 32).
skin::Bitmap32 ProgramIconPicture(int side);

} // namespace skinart
