#pragma once
// A document over a temporary element file, with scripted services, for benchmarks that need a
// whole document but no test fixture. The clock stands at 2024-04-10 12:00 UTC.

#include "document/CKivDoc.h"
#include "platform/DataPaths.h"
#include "platform/IniProfile.h"
#include "tests/support/ScriptedUiServices.h"

#include <QByteArray>
#include <QTemporaryDir>

#include <memory>
#include <string>

namespace kiv::test {

class ScratchDocument {
public:
    // `profile` lines are added to the profile's [Allgemein] section after the element file.
    explicit ScratchDocument(const std::string& elements, const QByteArray& profile = {});

    CKivDoc& doc() { return *doc_; }
    ManualClock& clock() { return ui_.clock; }

private:
    QTemporaryDir dir_;
    ScriptedUiServices ui_;
    platform::UiServices services_ = ui_.services();
    platform::IniProfile profile_;
    std::unique_ptr<platform::DataPaths> paths_;
    std::unique_ptr<CKivDoc> doc_;
};

} // namespace kiv::test
