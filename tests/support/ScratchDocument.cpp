#include "tests/support/ScratchDocument.h"

namespace kiv::test {

ScratchDocument::ScratchDocument(const std::string& elements, const QByteArray& profile)
{
    writeFile("sats.tle", elements);
    profile_.parse("[Allgemein]\nSatellitenfilename=sats.tle\n" + profile);
    doc_ = std::make_unique<CKivDoc>(DocumentContext{services_, profile_, paths_, nullptr});
}

} // namespace kiv::test
