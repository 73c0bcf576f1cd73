#include "platform/IniProfile.h"

#include "platform/AtomicFileWriter.h"
#include "platform/DataPaths.h"
#include "platform/LanguageText.h"
#include "platform/LineReader.h"
#include "platform/Numbers.h"
#include "platform/ReadableFile.h"
#include "platform/WholeFile.h"

#include <cerrno>

#include <string_view>

namespace kiv {

namespace {

const QByteArray kUtf8Bom("\xEF\xBB\xBF");

char foldAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equalsIgnoringAsciiCase(const QByteArray& a, const QByteArray& b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (foldAscii(a[i]) != foldAscii(b[i]))
            return false;
    }
    return true;
}

std::string_view view(const QByteArray& bytes)
{
    return std::string_view(bytes.constData(), bytes.size());
}

QString decode(const QByteArray& bytes)
{
    return bytes.isValidUtf8() ? QString::fromUtf8(bytes) : QString::fromLatin1(bytes);
}

QByteArray stripQuotes(QByteArray value)
{
    if (value.size() >= 2 && value.front() == value.back() && (value.front() == '"' || value.front() == '\''))
        return value.mid(1, value.size() - 2);
    return value;
}

} // namespace

QString IniProfile::defaultPath()
{
    const QString overridden = qEnvironmentVariable("KIV_PROFILE");
    if (!overridden.isEmpty())
        return overridden;
    return DataPaths::userConfigDirectoryFromEnvironment() + QStringLiteral("/kiv.ini");
}

bool IniProfile::load(QString* errorText, bool english)
{
    parse({});
    const ReadableFile file(path_);
    if (!file.isOpen() && !file.notRegular() && (file.error() == ENOENT || file.error() == ENOTDIR))
        return true; // no profile yet
    QString problem = file.describe(english);
    if (file.isOpen()) {
        // A profile is a few kilobytes; reading stops well short of what a wrong path (a huge
        // file) could make it hold.
        constexpr qint64 kMaxProfileBytes = 16 * 1024 * 1024;
        const WholeFile read = WholeFile::readFrom(file.fd(), kMaxProfileBytes);
        if (read) {
            parse(read.bytes);
            return true;
        }
        problem = ReadableFile::couldNotRead(path_,
                                             read.failure == WholeFile::Failure::TooLarge
                                                 ? inLanguage(english, "it is not a profile (larger than 16 MiB)",
                                                              "es ist kein Profil (größer als 16 MiB)")
                                                 : AtomicFile::reason(read.error, english),
                                             english);
    }
    if (errorText)
        *errorText = problem;
    return false;
}

WriteResult IniProfile::saveMerged(const IniProfile& writes, QString* readError, bool english)
{
    if (path_.isEmpty())
        return {false, QStringLiteral("could not write the profile: no file name")};
    // The file is read under the writer's lock, so that a second Kiv's close, merging at the same
    // time, waits and then merges into what this one wrote.
    AtomicFileWriter file(path_);
    const WriteResult opened = file.open();
    IniProfile current(path_);
    QString error;
    if (current.load(&error, english)) {
        lines_ = std::move(current.lines_);
        newLineEnd_ = current.newLineEnd_;
    } else if (readError) {
        *readError = error;
    }
    merge(writes);
    if (!opened)
        return opened;
    const QByteArray bytes = toBytes();
    if (const WriteResult written = file.append(bytes.constData(), bytes.size()); !written)
        return written;
    return file.commit();
}

void IniProfile::merge(const IniProfile& writes)
{
    QString section;
    for (const Line& line : writes.lines_) {
        if (line.kind == Line::Kind::Section)
            section = QString::fromUtf8(line.name);
        else if (line.kind == Line::Kind::Key)
            writeRaw(section, QString::fromUtf8(line.name), line.text.mid(line.text.indexOf('=') + 1));
    }
}

void IniProfile::parse(const QByteArray& bytes)
{
    lines_.clear();
    newLineEnd_ = LineReader::LineEnd::Lf;
    // The whole file is in memory already, so no line needs cutting.
    LineReader reader(view(bytes), bytes.size());
    std::string text;
    while (reader.readLine(text)) {
        Line line{QByteArray(text.data(), static_cast<qsizetype>(text.size())), reader.lastLineEnd()};
        if (lines_.empty() && line.end == LineReader::LineEnd::CrLf)
            newLineEnd_ = line.end;
        QByteArray trimmed = line.text.trimmed();
        if (lines_.empty() && trimmed.startsWith(kUtf8Bom))
            trimmed = trimmed.mid(kUtf8Bom.size()).trimmed();
        const qsizetype equals = trimmed.indexOf('=');
        if (trimmed.startsWith('[')) {
            const qsizetype close = trimmed.indexOf(']');
            line.kind = Line::Kind::Section;
            line.name = trimmed.mid(1, close < 0 ? -1 : close - 1).trimmed();
        } else if (equals >= 0 && !trimmed.startsWith(';')) {
            line.kind = Line::Kind::Key;
            line.name = trimmed.left(equals).trimmed();
        }
        lines_.push_back(std::move(line));
    }
}

QByteArray IniProfile::toBytes() const
{
    QByteArray bytes;
    for (const Line& line : lines_) {
        bytes += line.text;
        if (line.end == LineReader::LineEnd::CrLf)
            bytes += '\r';
        if (line.end != LineReader::LineEnd::None)
            bytes += '\n';
    }
    return bytes;
}

std::optional<std::size_t> IniProfile::findSection(const QByteArray& section) const
{
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (lines_[i].kind == Line::Kind::Section && equalsIgnoringAsciiCase(lines_[i].name, section))
            return i;
    }
    return std::nullopt;
}

std::optional<std::size_t> IniProfile::findKey(std::size_t sectionLine, const QByteArray& key) const
{
    for (std::size_t i = sectionLine + 1; i < lines_.size() && lines_[i].kind != Line::Kind::Section; ++i) {
        if (lines_[i].kind == Line::Kind::Key && equalsIgnoringAsciiCase(lines_[i].name, key))
            return i;
    }
    return std::nullopt;
}

std::optional<QByteArray> IniProfile::rawValue(const QString& section, const QString& key) const
{
    const auto sectionLine = findSection(section.toUtf8());
    if (!sectionLine)
        return std::nullopt;
    const auto keyLine = findKey(*sectionLine, key.toUtf8());
    if (!keyLine)
        return std::nullopt;
    const QByteArray& text = lines_[*keyLine].text;
    return stripQuotes(text.mid(text.indexOf('=') + 1).trimmed());
}

std::optional<QString> IniProfile::value(const QString& section, const QString& key) const
{
    const auto raw = rawValue(section, key);
    return raw ? std::optional<QString>(decode(*raw)) : std::nullopt;
}

QString IniProfile::GetProfileString(const QString& section, const QString& key, const QString& defaultValue) const
{
    return value(section, key).value_or(defaultValue);
}

int IniProfile::GetProfileInt(const QString& section, const QString& key, int defaultValue) const
{
    const auto raw = rawValue(section, key);
    return raw ? parseInt(view(*raw)) : defaultValue;
}

int IniProfile::GetProfileBool(const QString& section, const QString& key, int defaultValue) const
{
    const auto raw = rawValue(section, key);
    return raw ? (*raw == "TRUE" ? 1 : 0) : (defaultValue == 1 ? 1 : 0);
}

float IniProfile::GetProfileFloat(const QString& section, const QString& key, float defaultValue) const
{
    const auto raw = rawValue(section, key);
    const std::string text = raw ? std::string(view(*raw)) : formatFixed(defaultValue);
    return static_cast<float>(parseDouble(text));
}

void IniProfile::writeRaw(const QString& section, const QString& key, QByteArray value)
{
    value.replace('\r', ' ').replace('\n', ' ');
    const QByteArray sectionName = section.toUtf8();
    const QByteArray keyName = key.toUtf8();
    auto sectionLine = findSection(sectionName);
    if (!sectionLine) {
        sectionLine = lines_.size();
        insertLine(*sectionLine, {.text = '[' + sectionName + ']',
                                  .end = newLineEnd_,
                                  .kind = Line::Kind::Section,
                                  .name = sectionName});
    }
    if (const auto keyLine = findKey(*sectionLine, keyName)) {
        Line& line = lines_[*keyLine];
        line.text = line.name + '=' + value;
        return;
    }
    std::size_t insertAt = *sectionLine + 1;
    for (std::size_t i = insertAt; i < lines_.size() && lines_[i].kind != Line::Kind::Section; ++i) {
        if (lines_[i].kind == Line::Kind::Key)
            insertAt = i + 1;
    }
    insertLine(insertAt, {.text = keyName + '=' + value, .end = newLineEnd_, .kind = Line::Kind::Key, .name = keyName});
}

void IniProfile::insertLine(std::size_t at, Line line)
{
    // A last line without a line end gets one when something follows it.
    if (at > 0 && lines_[at - 1].end == LineReader::LineEnd::None)
        lines_[at - 1].end = newLineEnd_;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
}

void IniProfile::WriteProfileString(const QString& section, const QString& key, const QString& value)
{
    writeRaw(section, key, value.toUtf8());
}

void IniProfile::WriteProfileInt(const QString& section, const QString& key, int value)
{
    writeRaw(section, key, QByteArray::fromStdString(formatInt(value)));
}

void IniProfile::WriteProfileBool(const QString& section, const QString& key, int value)
{
    writeRaw(section, key, value == 1 ? QByteArray("TRUE") : QByteArray("FALSE"));
}

void IniProfile::WriteProfileFloat(const QString& section, const QString& key, float value)
{
    writeRaw(section, key, QByteArray::fromStdString(formatFixed(value)));
}

} // namespace kiv
