#include "tests/support/ScratchDocument.h"

#include <QFile>

namespace kiv::test {

ScratchDocument::ScratchDocument(const std::string& elements, const QByteArray& profile)
{
    QFile file(dir_.path() + "/sats.tle");
    if (file.open(QIODevice::WriteOnly))
        file.write(elements.data(), static_cast<qint64>(elements.size()));
    file.close();
    paths_ = std::make_unique<platform::DataPaths>(dir_.path(), dir_.path(), dir_.path());
    profile_.parse("[Allgemein]\nSatellitenfilename=sats.tle\n" + profile);
    ui_.clock.setNow(platform::Time::fromUtc({2024, 4, 10, 12, 0, 0}));
    doc_ = std::make_unique<CKivDoc>(DocumentContext{services_, profile_, *paths_, nullptr});
}

} // namespace kiv::test
