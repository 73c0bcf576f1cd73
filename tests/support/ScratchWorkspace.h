#pragma once
// What a document needs around it, made up for a test or a benchmark: a temporary working
// directory (user and bundled data folders inside it), scripted UI services whose clock stands at
// 2024-04-10 12:00 UTC, and a profile that lives in memory and would be saved into the directory.

#include "platform/DataPaths.h"
#include "platform/IniProfile.h"
#include "tests/support/ScriptedUiServices.h"

#include <QTemporaryDir>

#include <string>

namespace kiv::test {

class ScratchWorkspace {
public:
    ScratchWorkspace();
    ScratchWorkspace(const ScratchWorkspace&) = delete;
    ScratchWorkspace& operator=(const ScratchWorkspace&) = delete;

    QString filePath(const QString& name) const { return dir_.path() + QLatin1Char('/') + name; }
    // Writes a file into the working directory; false when it cannot.
    bool writeFile(const std::string& name, const std::string& bytes) const;
    // A file of the working directory; empty when it cannot be read.
    QByteArray readFile(const std::string& name) const;

protected:
    QTemporaryDir dir_;
    ScriptedUiServices ui_;
    UiServices services_ = ui_.services();
    IniProfile profile_;
    DataPaths paths_;
};

} // namespace kiv::test
