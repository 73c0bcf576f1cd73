#include "tests/support/ScratchDocument.h"

#include <QFile>

namespace kiv::test {

ScratchDocument::ScratchDocument(const std::string& elements, const QByteArray& profile)
{
    writeFile("sats.tle", elements);
    profile_.parse("[Allgemein]\nSatellitenfilename=sats.tle\n" + profile);
    doc_ = std::make_unique<CKivDoc>(DocumentContext{services_, profile_, paths_, nullptr});
}

std::string geostationarySatellites()
{
    QFile file(QStringLiteral(KIV_GEO_SAMPLE));
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
}

} // namespace kiv::test
