// The one boundary between the program's Windows-1251 texts and the widgets' QString.
#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace framework {

QString ToQString(std::string_view cp1251);
std::string FromQString(const QString& text);

// A UTF-8 literal of the source as a Windows-1251 text (converted once where it is used).
std::string Cp1251Literal(std::string_view utf8);

} // namespace framework
