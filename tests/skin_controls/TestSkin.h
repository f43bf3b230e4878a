// The skin of these tests: the program's own skin, "Pewter (internal)", with a few sections of
// plain colours added (as common sections) whose every value the tests know.
#pragma once

#include <string>

#include "skin/data/sSkinManager.h"

namespace skin::testing {

// The default skin manager of the test run, created on first use and owned by the application.
TsSkinManager& TestManager();

// Colours of the added sections (0x00BBGGRR).
inline constexpr TColor kFlatBlue{0xC80000};   // TESTFLAT: an opaque flat container
inline constexpr TColor kOwnRed{0x0000C8};     // TEST40: 40 % transparent
inline constexpr TColor kTextRed{0x0000FF};    // TESTTEXT and TESTCHECK: main text colour
inline constexpr TColor kGiverGreen{0x00FF00}; // TESTGIVER: lends its text colours
inline constexpr TColor kContourLeft{0x0000FF}, kContourTop{0x00FF00}, kContourRight{0xFF0000},
                        kContourBottom{0x00FFFF}; // TESTCONTOURS
inline constexpr TColor kGlowColour{0xFF0000};   // TESTGLOW: GCOL, GSIZE 4
inline constexpr TColor kFadeFrom{0x000000}, kFadeTo{0xFFFFFF}; // TESTFADE normal and hot look

} // namespace skin::testing
