// The colours of the Pewter skin, 0xRRGGBB, named by what they paint.
#pragma once

#include "tools/skin-art/ArtLayer.h"

namespace skinart::pewter {

inline constexpr Rgb kFace = 0xE4E7EB;
inline constexpr Rgb kWhite = 0xFFFFFF;
inline constexpr Rgb kBlack = 0x000000;
inline constexpr Rgb kText = 0x1E2329;
inline constexpr Rgb kDarkEdge = 0x7D8792;

inline constexpr Rgb kTitleActiveTop = 0x5B6672;
inline constexpr Rgb kTitleActiveBottom = 0x46505B;
inline constexpr Rgb kTitleActiveHighlight = 0x8B96A2;
inline constexpr Rgb kTitleInactiveTop = 0x8C949D;
inline constexpr Rgb kTitleInactiveBottom = 0x7A838C;
inline constexpr Rgb kTitleInactiveHighlight = 0xA4ABB3;
inline constexpr Rgb kFrameActiveOutline = 0x353C44;
inline constexpr Rgb kFrameInactiveOutline = 0x6A727B;

inline constexpr Rgb kButtonTop = 0xF5F6F8;
inline constexpr Rgb kButtonBottom = 0xD8DCE1;
inline constexpr Rgb kButtonBorder = 0x8B939D;
inline constexpr Rgb kHotTop = 0xFFFFFF;
inline constexpr Rgb kHotBottom = 0xE2E8F0;
inline constexpr Rgb kHotBorder = 0x5B80A8;
inline constexpr Rgb kPressedTop = 0xC8CED6;
inline constexpr Rgb kPressedBottom = 0xDCE0E5;
inline constexpr Rgb kPressedBorder = 0x4F6E91;
inline constexpr Rgb kPressedShade = 0x8F9BAA;

inline constexpr Rgb kEditBorder = 0x9AA2AB;
inline constexpr Rgb kAccent = 0x5B80A8;
inline constexpr Rgb kAccentDark = 0x2F5A88;
inline constexpr Rgb kGlow = 0x6F9CD3;
inline constexpr Rgb kStatus = 0xF1F1F1;
inline constexpr Rgb kDivider = 0xB5BCC4;
inline constexpr Rgb kTabInactive = 0xDDE1E6;
inline constexpr Rgb kPage = 0xF3F5F7;
inline constexpr Rgb kGroupFrame = 0xA7AFB8;
inline constexpr Rgb kTrack = 0xE9ECEF;
inline constexpr Rgb kTrackLine = 0xDDE1E6;
inline constexpr Rgb kArrow = 0x5B6672;
inline constexpr Rgb kMenuFace = 0xF7F8F9;
inline constexpr Rgb kMenuLine = 0xC9CFD6;
inline constexpr Rgb kCloseHot = 0xD8433B;
inline constexpr Rgb kClosePressed = 0xAE2F28;
inline constexpr Rgb kCaptionGlyph = 0xE3E7EC;
inline constexpr Rgb kHintFace = 0xF8FAFC;

} // namespace skinart::pewter
