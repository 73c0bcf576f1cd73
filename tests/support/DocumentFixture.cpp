#include "tests/support/DocumentFixture.h"

#include "document/ColorTableFile.h"
#include "document/IconListFile.h"

#include <QFile>

namespace kiv::test {

DocumentTest::DocumentTest()
{
    const QString root = dir_.path();
    // The icon list and colour table of a fresh installation, so that tests see only the
    // messages they are about.
    ColorTable colors;
    colors.slotColors = defaultSlotColors();
    saveColorTableFile(root + "/kiv.clr", colors);
    saveIconListFile(root + "/kiv.sin", IconIndices{}, IconNames{});
}

void DocumentTest::removeFile(const std::string& name) const { QFile::remove(QString::fromStdString(path(name))); }

std::string DocumentTest::path(const std::string& name) const
{
    return filePath(QString::fromStdString(name)).toStdString();
}

void DocumentTest::writeFile(const std::string& name, const std::string& bytes) const
{
    ASSERT_TRUE(ScratchWorkspace::writeFile(name, bytes)) << name;
}

CKivDoc& DocumentTest::makeDocument(const std::string& profileText)
{
    profile_.parse(QByteArray::fromStdString(profileText));
    doc_ = std::make_unique<CKivDoc>(DocumentContext{services_, profile_, paths_, &frame_, pictures_});
    return *doc_;
}

FakeViews& DocumentTest::attachFakeViews(std::initializer_list<ViewKind> kinds)
{
    FakeViews& views = fakeViews_.emplace_back();
    for (const ViewKind kind : kinds) {
        switch (kind) {
        case ViewKind::World:
            doc_->Views.add(static_cast<WorldViewPort*>(&views));
            doc_->Show3D = 1;
            break;
        case ViewKind::Map:
            doc_->Views.add(static_cast<MapViewPort*>(&views));
            doc_->Show2D = 1;
            break;
        case ViewKind::WDB:
            doc_->Views.add(static_cast<WDBViewPort*>(&views));
            doc_->ShowWDB = 1;
            break;
        case ViewKind::Obs:
            doc_->Views.add(static_cast<ObsViewPort*>(&views));
            doc_->ShowObs = 1;
            break;
        }
    }
    return views;
}

} // namespace kiv::test
