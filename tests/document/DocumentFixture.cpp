#include "tests/document/DocumentFixture.h"

#include "document/ColorTableFile.h"
#include "document/IconListFile.h"

#include <QFile>

namespace kiv::test {

DocumentTest::DocumentTest()
{
    const QString root = dir_.path();
    paths_ = std::make_unique<platform::DataPaths>(root, root + "/user", root + "/bundled");
    profile_.setPath(root + "/kiv.ini");
    ui_.clock.setNow(platform::Time::fromUtc({2024, 4, 10, 12, 0, 0}));
    // The icon list and colour table of a fresh installation, so that tests see only the
    // messages they are about.
    ColorTable colors;
    colors.slotColors = defaultSlotColors();
    saveColorTableFile(root + "/kiv.clr", colors);
    saveIconListFile(root + "/kiv.sin", IconIndices{}, IconNames{});
}

void DocumentTest::removeFile(const std::string& name) const { QFile::remove(QString::fromStdString(path(name))); }

std::string DocumentTest::path(const std::string& name) const { return (dir_.path() + "/").toStdString() + name; }

void DocumentTest::writeFile(const std::string& name, const std::string& bytes) const
{
    QFile file(QString::fromStdString(path(name)));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

CKivDoc& DocumentTest::makeDocument(const std::string& profileText)
{
    profile_.parse(QByteArray::fromStdString(profileText));
    doc_ = std::make_unique<CKivDoc>(DocumentContext{services_, profile_, *paths_, &frame_});
    return *doc_;
}

std::string lowSatellites(int count)
{
    std::string text;
    for (int i = 0; i < count; ++i) {
        Elements e;
        e.catalogNumber = 10000 + i;
        e.raanDeg = (i * 37) % 360;
        e.meanAnomalyDeg = (i * 97) % 360;
        text += tleText(makeTle("LOW " + std::to_string(i), e));
    }
    return text;
}

} // namespace kiv::test
