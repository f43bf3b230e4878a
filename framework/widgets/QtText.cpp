// Conversions through the Windows-1251 table of Cp1251.h.
#include "framework/widgets/QtText.h"

#include "framework/base/Cp1251.h"

namespace framework {

QString ToQString(std::string_view cp1251) {
    QString text;
    text.reserve(static_cast<qsizetype>(cp1251.size()));
    for (unsigned char byte : cp1251)
        text.append(QChar(static_cast<char16_t>(Cp1251ToUnicode(byte))));
    return text;
}

std::string FromQString(const QString& text) {
    return Utf16ToCp1251(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                                             static_cast<std::size_t>(text.size())));
}

std::string Cp1251Literal(std::string_view utf8) { return Utf8ToCp1251(utf8); }

} // namespace framework
