// The window faces (Tahoma, Tahoma Bold, Webdings, MS Sans Serif) come from the system's Wine
// font package; registered once at start-up, with DejaVu Sans standing in when they are missing.
#pragma once

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

} // namespace framework
