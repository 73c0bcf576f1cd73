#pragma once
// What the cut-off tools share: an element file of many sets and the version of it that loses
// its second set, the steps of a write that a kill may come before, and a folder holding the
// file under two names (a hard link) with what its names hold, the side files beside it and what
// a document started over it says.

#include "platform/MessageBoxes.h"
#include "tests/support/ScratchWorkspace.h"

#include <QByteArray>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kiv::test {

struct ElementVersions {
    std::string elements; // the old contents
    QByteArray oldBytes;
    QByteArray newBytes; // without the second set, as the satellite data dialog's delete writes it
};
ElementVersions elementVersions(int sets);

struct Step {
    int count;
    std::string what; // "fsync the file", "rename a side file", ...
};
// The changes of `work` that a kill may come before: the first of each run of the same call on
// the same file, and the middle of each longer run (the writes into the file, halfway).
std::vector<Step> stepsOf(const std::function<void()>& work, const std::string& target);

class CutOffFolder : public ScratchWorkspace {
public:
    QString path(const char* name) const { return filePath(QString::fromLatin1(name)); }
    std::string target() const;
    // "sats.tle" with `elements`, and "other.tle" a second name of it.
    void start(const std::string& elements) const;

    // What both names hold: "old", "new" or "torn (<size> bytes)" each.
    std::string names(const ElementVersions& versions) const;
    // The kinds of the side files beside the file ("temporary", "old", "new", "earlier"), or "none".
    std::string sideFiles() const;
    // A box's text with the folder's name shortened and on one line.
    std::string shown(const QString& text) const;
    // A document started over the folder, each box answered `answer` (none: Return): its boxes
    // about the element file (their first `width` characters; 0: whole), and the satellites it
    // loaded.
    std::string nextStart(std::optional<MessageAnswer> answer, int width);
};

} // namespace kiv::test
