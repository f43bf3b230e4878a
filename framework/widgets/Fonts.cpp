// Registration of the window faces from the Wine font folder.
#include "framework/widgets/Fonts.h"

#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>

#include <cstdio>

namespace framework {
namespace {

struct SystemFace {
    const char* name;
    const char* family;
    const char* file;
};

constexpr SystemFace kSystemFaces[] = {
    {"Tahoma", "Tahoma", "tahoma.ttf"},
    {"Tahoma Bold", "Tahoma", "tahomabd.ttf"},
    {"Webdings", "Webdings", "webdings.ttf"},
    {"MS Sans Serif", "MS Sans Serif", "ms_sans_serif.ttf"},
};

} // namespace

FontRegistration RegisterSystemFonts(const QString& folder) {
    FontRegistration result;
    const QDir dir(folder);
    QStringList familiesFound;
    for (const SystemFace& face : kSystemFaces) {
        const QString path = dir.filePath(QString::fromLatin1(face.file));
        const bool added = QFileInfo::exists(path) && QFontDatabase::addApplicationFont(path) >= 0;
        if (added) {
            result.registered.append(path);
            familiesFound.append(QString::fromLatin1(face.family));
        } else {
            result.missing.append(QString::fromLatin1(face.name));
        }
    }
    // A family without any face of its own is drawn in the fallback; a missing bold face of
    // a present family is left to Qt's emboldening.
    for (const SystemFace& face : kSystemFaces) {
        const QString family = QString::fromLatin1(face.family);
        if (!familiesFound.contains(family))
            QFont::insertSubstitution(family, QString::fromLatin1(kFallbackFontFamily));
    }
    if (!result.missing.isEmpty())
        std::fprintf(stderr, "tovrin: fonts %s not found in %s, using %s\n",
                     qPrintable(result.missing.join(QLatin1String(", "))), qPrintable(folder),
                     kFallbackFontFamily);
    return result;
}

QFont FullyHinted(QFont font) {
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

void HintFontsFully() { QGuiApplication::setFont(FullyHinted(QGuiApplication::font())); }

} // namespace framework
