// The window faces (Tahoma, Tahoma Bold, Webdings, MS Sans Serif) come from the system's Wine
// font package; registered once at start-up, with DejaVu Sans standing in when they are missing,
// and drawn fully hinted.
#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

namespace framework {

inline constexpr const char* kSystemFontFolder = "/usr/share/wine/fonts";
inline constexpr const char* kFallbackFontFamily = "DejaVu Sans";

struct FontRegistration {
    QStringList registered; // files added to the application's font database
    QStringList missing;    // faces not found ("Tahoma Bold"); their family falls back when none of it is found
};

// Registers the faces found in folder; for each missing one a substitution to DejaVu Sans is
// set and one warning line naming them is printed to standard error.
FontRegistration RegisterSystemFonts(const QString& folder = QString::fromLatin1(kSystemFontFolder));

// The font with its stems on whole pixels: full hinting, anti-aliasing kept. The window faces
// were made for a hinting rasteriser; with Qt's default (slight) hinting every stem of Tahoma at
// 11 pixels lies half-covered across two pixels. The FreeType engine honours this per font.
QFont FullyHinted(QFont font);
// Makes full hinting the application font's: widget fonts and fonts made by QFont() inherit it.
// A font made from a family name, QFont("Tahoma"), does not: measured as it stands it would not
// match what a painter draws with it, so such fonts go through FullyHinted.
void HintFontsFully();

} // namespace framework
