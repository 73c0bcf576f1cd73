#pragma once
// Names and labels in the program's files are single-byte text. Latin-1 maps every byte to one
// character and back, so a name survives any number of trips through the user interface.

#include <QString>

#include <string>
#include <string_view>

namespace kiv {

QString fromLatin1(std::string_view bytes);
// Characters beyond U+00FF, which only typing can produce, become '?'.
std::string toLatin1(const QString& text);

} // namespace kiv
