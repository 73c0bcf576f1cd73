#pragma once
// The program's profile: an INI file with the semantics of the Windows private-profile
// functions, which is what older profiles were written with. Sections and keys match without
// regard to ASCII letter case (the first match wins), an existing key is replaced in place under
// the file's own spelling, a new key goes after the last key of its section and a new section at
// the end; comments, unknown sections and keys and the order of everything are kept, and values
// are written as given. (QSettings reorders, escapes and is case-sensitive, hence this class.)
//
// Lines are kept as bytes; string values are UTF-8, and a value that is not valid UTF-8 is read
// as Latin-1. Typed values follow the program's conventions: booleans "TRUE"/"FALSE" (only the
// exact text "TRUE" is true), floats "%f" at single precision, integers "%d".

#include "platform/AtomicFile.h"
#include "platform/LineReader.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

namespace kiv {

class IniProfile {
public:
    // $KIV_PROFILE when set, else $XDG_CONFIG_HOME/kiv/kiv.ini.
    static QString defaultPath();

    IniProfile() = default;
    explicit IniProfile(QString path) : path_(std::move(path)) {}

    // Reads the file at path(). A missing file is an empty profile and not an error; a file that
    // exists but cannot be read (no permission, a folder, a FIFO) leaves the profile empty and
    // returns false with errorText, in English or German, naming the file and the reason.
    bool load(QString* errorText = nullptr, bool english = true);
    // Writes the keys of `writes` into the file as it is now, so that whatever others wrote
    // since it was read survives: the file is read again, each key of `writes` is merged in as a
    // Write call would put it, and the result goes through AtomicFile (on failure the old file
    // stays as it was). No key is deleted. A file that cannot be read is replaced by this profile
    // with the keys merged in, and readError says why (in English or German). Afterwards this
    // profile holds what was written.
    WriteResult saveMerged(const IniProfile& writes, QString* readError = nullptr, bool english = true);

    void parse(const QByteArray& bytes);
    QByteArray toBytes() const;

    const QString& path() const { return path_; }
    void setPath(QString path) { path_ = std::move(path); }

    // The value after the first '=', blanks trimmed and one pair of enclosing quotes removed.
    std::optional<QString> value(const QString& section, const QString& key) const;

    QString GetProfileString(const QString& section, const QString& key, const QString& defaultValue) const;
    int GetProfileInt(const QString& section, const QString& key, int defaultValue) const;
    // 1 only for the exact text "TRUE"; a missing key gives 1 exactly when the default is 1.
    int GetProfileBool(const QString& section, const QString& key, int defaultValue) const;
    // As atof of the text, rounded to float; a missing key gives the default as "%f" prints it.
    float GetProfileFloat(const QString& section, const QString& key, float defaultValue) const;

    // Line breaks in a value would split it, so each becomes a blank.
    void WriteProfileString(const QString& section, const QString& key, const QString& value);
    void WriteProfileInt(const QString& section, const QString& key, int value);
    // "TRUE" when the value equals 1, "FALSE" for every other value.
    void WriteProfileBool(const QString& section, const QString& key, int value);
    void WriteProfileFloat(const QString& section, const QString& key, float value);

private:
    struct Line {
        enum class Kind { Other, Section, Key };
        QByteArray text;  // as in the file, without the line end
        LineReader::LineEnd end;
        Kind kind = Kind::Other;
        QByteArray name{}; // section or key name, trimmed
    };

    std::optional<std::size_t> findSection(const QByteArray& section) const;
    std::optional<std::size_t> findKey(std::size_t sectionLine, const QByteArray& key) const;
    std::optional<QByteArray> rawValue(const QString& section, const QString& key) const;
    void writeRaw(const QString& section, const QString& key, QByteArray value);
    void merge(const IniProfile& writes);
    void insertLine(std::size_t at, Line line);

    QString path_;
    std::vector<Line> lines_;
    // Every line keeps its own line end; new lines get the first line's.
    LineReader::LineEnd newLineEnd_ = LineReader::LineEnd::Lf;
};

} // namespace kiv
