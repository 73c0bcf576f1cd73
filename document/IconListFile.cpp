#include "document/IconListFile.h"

#include "platform/ArchiveReader.h"
#include "platform/ArchiveWriter.h"
#include "platform/Latin1.h"
#include "platform/LineReader.h"
#include "platform/ReadableFile.h"

#include <QFile>

#include <algorithm>
#include <string>

namespace kiv {

namespace {

// A line break inside a name would shift every later entry by a line.
QString singleLine(QString name)
{
    return name.remove(QLatin1Char('\r')).remove(QLatin1Char('\n'));
}

IconListRead readIconList(std::string_view head, kiv::LineReader& lines)
{
    IconListRead result;
    kiv::ArchiveReader reader(head); // a short head reads the missing indices as 0
    for (int& index : result.indices)
        index = checkedIconIndex(reader.readInt32());
    std::string line;
    while (result.names.size() < kIconEntries - 1 && lines.readLine(line))
        result.names.push_back(kiv::fromLatin1(line));
    return result;
}

// The highest entry that has a stored name or that a slot refers to.
int lastEntryToWrite(const IconIndices& indices, const std::array<std::string, kIconEntries>& lines)
{
    int last = 0;
    for (int index : indices)
        last = std::max(last, checkedIconIndex(index));
    for (int entry = last + 1; entry < kIconEntries; ++entry)
        if (!lines[entry].empty())
            last = entry;
    return last;
}

} // namespace

int checkedIconIndex(int index)
{
    return index >= 0 && index < kIconEntries ? index : 0;
}

IconListRead readIconList(std::string_view bytes)
{
    const std::string_view head = bytes.substr(0, std::min(bytes.size(), kIconListHeadBytes));
    kiv::LineReader lines(bytes.substr(head.size()));
    return readIconList(head, lines);
}

QByteArray iconListBytes(const IconIndices& indices, const IconNames& names)
{
    std::array<std::string, kIconEntries> lines;
    for (std::size_t entry = 1; entry < lines.size(); ++entry)
        lines[entry] = kiv::toLatin1(singleLine(names[entry]));

    kiv::ArchiveWriter writer;
    for (int index : indices)
        writer.writeInt32(checkedIconIndex(index));
    const int last = lastEntryToWrite(indices, lines);
    for (int entry = 1; entry <= last; ++entry) {
        writer.writeBytes(lines[entry]);
        writer.writeBytes("\r\n");
    }
    return writer.bytes();
}

std::optional<IconListRead> loadIconListFile(const QString& path)
{
    QFile file;
    if (!kiv::ReadableFile(path).handTo(file))
        return std::nullopt;
    const QByteArray head = file.read(static_cast<qint64>(kIconListHeadBytes));
    kiv::LineReader lines(file);
    return readIconList(std::string_view(head.constData(), head.size()), lines);
}

kiv::WriteResult saveIconListFile(const QString& path, const IconIndices& indices, const IconNames& names)
{
    return kiv::AtomicFile::write(path, iconListBytes(indices, names));
}

} // namespace kiv
