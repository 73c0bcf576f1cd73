#pragma once
// A text in the language in force: the English or the German one, written in UTF-8 in the
// source, or texts already made (with their arguments filled in).

#include <QString>

namespace kiv {

inline QString inLanguage(bool english, const char* en, const char* de) { return QString::fromUtf8(english ? en : de); }
inline QString inLanguage(bool english, const QString& en, const QString& de) { return english ? en : de; }

// A text made in both languages at once, by code below the one that shows it and knows the
// language in force (a reader's reason for refusing a file).
struct BilingualText {
    QString english;
    QString german;

    static BilingualText of(const char* en, const char* de) { return {QString::fromUtf8(en), QString::fromUtf8(de)}; }
    const QString& in(bool inEnglish) const { return inEnglish ? english : german; }
    bool isEmpty() const { return english.isEmpty() && german.isEmpty(); }
    // QString::arg on both texts.
    template <typename... Args>
    BilingualText arg(const Args&... args) const
    {
        return {english.arg(args...), german.arg(args...)};
    }
};

} // namespace kiv
