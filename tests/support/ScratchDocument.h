#pragma once
// A document over a temporary element file, with scripted services, for benchmarks that need a
// whole document but no test fixture.

#include "document/CKivDoc.h"
#include "tests/support/ScratchWorkspace.h"

#include <QByteArray>

#include <memory>
#include <string>

namespace kiv::test {

class ScratchDocument : public ScratchWorkspace {
public:
    // `profile` lines are added to the profile's [Allgemein] section after the element file.
    explicit ScratchDocument(const std::string& elements, const QByteArray& profile = {});

    CKivDoc& doc() { return *doc_; }
    ManualClock& clock() { return ui_.clock; }

private:
    std::unique_ptr<CKivDoc> doc_;
};

// The element sets of the repository's data/intelsat.tle: geostationary satellites.
std::string geostationarySatellites();

} // namespace kiv::test
