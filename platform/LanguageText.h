#pragma once
// A text in the language in force: the English or the German one, written in UTF-8 in the
// source, or texts already made (with their arguments filled in).

#include <QString>

namespace kiv {

inline QString inLanguage(bool english, const char* en, const char* de) { return QString::fromUtf8(english ? en : de); }
inline QString inLanguage(bool english, const QString& en, const QString& de) { return english ? en : de; }

} // namespace kiv
