#pragma once
// A text in the language in force: the English or the German one, written in UTF-8 in the
// source.

#include <QString>

namespace kiv {

inline QString inLanguage(bool english, const char* en, const char* de) { return QString::fromUtf8(english ? en : de); }

} // namespace kiv
