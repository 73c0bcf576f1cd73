// The loader: dispatch by name, the messages of files that cannot be opened, hand-over of the
// bitmap, the routes, and the built-in pictures.

#include "ImageBytes.h"

#include "imaging/BmpReader.h"
#include "imaging/CGraphicFile.h"
#include "imaging/CPcxFile.h"
#include "imaging/CPictureFile.h"
#include "imaging/CTiffFile.h"
#include "platform/TerminationLatch.h"
#include "tests/support/Deadline.h"
#include "tests/support/FolderTree.h"
#include "tests/support/ScriptedUiServices.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <thread>

using namespace kiv;
using namespace kiv::test;

namespace {

class GraphicFile : public ::testing::Test {
protected:
    QString write(const QString& name, const QByteArray& bytes)
    {
        const QString path = dir.filePath(name);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return path;
    }
    QByteArray bmp24() const
    {
        return makeBmp({.width = 2, .height = 1, .pixels = hex("00 00 FF 00 FF 00 00 00")});
    }
    QTemporaryDir dir;
};

// A picture's bytes whose second read outlasts a frame and brings a termination request.
struct RequestWhileRead : QBuffer {
    explicit RequestWhileRead(const QByteArray& bytes) { setData(bytes), open(QIODevice::ReadOnly); }
    qint64 readData(char* data, qint64 maxSize) override
    {
        if (++reads == 2)
            std::this_thread::sleep_for(DecodeWatch::kFrame * 2), TerminationLatch::raise();
        return QBuffer::readData(data, maxSize);
    }
    int reads = 0;
};

} // namespace

TEST(GraphicFileDispatch, TakesTheLastExtensionWithoutRegardToCase)
{
    const std::pair<const char*, int> cases[] = {
        {"earth2d.bmp", CGraphicFile::kBmp},
        {"EARTH2D.BMP", CGraphicFile::kBmp},
        {"earth2d.Bmp", CGraphicFile::kBmp},
        {"./earth2d.bmp", CGraphicFile::kBmp},
        {"/home/x/.local/share/kiv/earth.dib", CGraphicFile::kBmp},
        {"..\\maps.old\\earth.bmp", CGraphicFile::kBmp},
        {"old.maps/photo.jif", CGraphicFile::kPicture},
        {"photo.jpeg", CGraphicFile::kPicture},
        {"anim.gif", CGraphicFile::kGif},
        {"a.emf", CGraphicFile::kPicture},
        {"a.wmf", CGraphicFile::kPicture},
        {"a.ico", CGraphicFile::kPicture},
        {"scan.tiff", CGraphicFile::kTiff},
        {"scan.TIF", CGraphicFile::kTiff},
        {"x.pcc", CGraphicFile::kPcx},
        {"map.png", CGraphicFile::kDispatch},
        {"noextension", CGraphicFile::kDispatch},
        {"folder.d/noextension", CGraphicFile::kDispatch},
        {"trailing.", CGraphicFile::kDispatch},
    };
    for (const auto& [name, kind] : cases)
        EXPECT_EQ(CGraphicFile::KindForName(QString::fromLatin1(name)), kind) << name;
}

TEST_F(GraphicFile, LoadsThroughTheDispatchAndRefreshesTheSizes)
{
    CGraphicFile file;
    ASSERT_TRUE(file.LoadFile(CGraphicFile::kDispatch, write(QStringLiteral("a.dir/earth.BMP"), bmp24())));
    EXPECT_EQ(file.width(), 2);
    EXPECT_EQ(file.height(), 1);
    EXPECT_EQ(file.bitsPerPixel(), 32);
    EXPECT_EQ(file.imageSize(), 8);
    EXPECT_TRUE(file.messages().empty());

    CGraphicFile stored;
    stored.SetUseDib(false);
    ASSERT_TRUE(stored.Load(write(QStringLiteral("earth.bmp"), bmp24())));
    EXPECT_EQ(stored.bitsPerPixel(), 24);
    EXPECT_EQ(stored.bitmap().image().pixel(0, 0), qRgb(255, 0, 0));
}

TEST_F(GraphicFile, UnknownKindsFailWithoutAMessage)
{
    CGraphicFile file;
    EXPECT_FALSE(file.Load(write(QStringLiteral("map.png"), bmp24())));
    EXPECT_FALSE(file.LoadFile(7, write(QStringLiteral("earth.bmp"), bmp24())));
    EXPECT_TRUE(file.messages().empty());
    EXPECT_TRUE(file.bitmap().isNull());
}

// Each reader's message for a missing name, a FIFO without a writer and a device alike.
class UnreadableName : public GraphicFile, public ::testing::WithParamInterface<const char*> {};
INSTANTIATE_TEST_SUITE_P(MissingFifoDevice, UnreadableName, ::testing::Values("missing", "fifo", "link -> /dev/zero"));

TEST_P(UnreadableName, GivesEachReadersMessage)
{
    const QString missing = dir.filePath(QStringLiteral("missing"));
    for (const char* extension : {".bmp", ".pcx", ".tif", ".jpg"})
        ASSERT_TRUE(GetParam() == std::string_view("missing") || makeFolderTree(dir.path(), {{std::string("missing") + extension, GetParam()}}));
    const Deadline deadline;
    struct Case {
        const char* extension;
        ReaderMessage message;
    };
    const Case cases[] = {
        {".bmp", {QStringLiteral("Could'nt Open Texture file, Use standard Texture !"),
                  missing + QStringLiteral(".bmp\n\nI will use the standard bitmap !"), ReaderMessage::Icon::None, true, false}},
        {".pcx", {QStringLiteral("Could'nt Open Graphicfile, Use standard Texture!"), missing + QStringLiteral(".pcx"),
                  ReaderMessage::Icon::None, true, false}},
        {".tif", {QStringLiteral("Could'nt Open TIFF file"), missing + QStringLiteral(".tif"), ReaderMessage::Icon::None,
                  true, false}},
    };
    for (const Case& c : cases) {
        CGraphicFile file;
        EXPECT_FALSE(file.Load(missing + QLatin1String(c.extension)));
        EXPECT_EQ(file.takeMessages(), ReaderMessages{c.message}) << c.extension;
        EXPECT_TRUE(file.messages().empty());
    }
    CGraphicFile picture;
    EXPECT_FALSE(picture.Load(missing + QStringLiteral(".jpg")));
    ASSERT_EQ(picture.messages().size(), 1u);
    EXPECT_EQ(picture.messages()[0].caption, QStringLiteral("Error"));
    EXPECT_FALSE(picture.messages()[0].text.isEmpty());
    EXPECT_EQ(picture.messages()[0].text, GetParam() == std::string_view("missing")
                                              ? QStringLiteral("No such file or directory")
                                              : QStringLiteral("Could not read %1.jpg: it is not a regular file.").arg(missing));
}

TEST_F(GraphicFile, DetachingHandsTheBitmapOver)
{
    CGraphicFile file;
    ASSERT_TRUE(file.Load(write(QStringLiteral("earth.bmp"), bmp24())));
    Bitmap taken = file.DetachBitmap();
    EXPECT_TRUE(file.bitmap().isNull());
    EXPECT_EQ(taken.width(), 2);
    Bitmap moved = std::move(taken);
    EXPECT_TRUE(taken.isNull());
    EXPECT_EQ(moved.image().pixel(1, 0), qRgb(0, 255, 0));
    // A failed load after a good one leaves no stale bitmap.
    EXPECT_TRUE(file.Load(write(QStringLiteral("earth.bmp"), bmp24())));
    EXPECT_FALSE(file.Load(dir.filePath(QStringLiteral("gone.bmp"))));
    EXPECT_TRUE(file.bitmap().isNull());
    EXPECT_EQ(file.width(), 0);
}

TEST_F(GraphicFile, TheCallerFallsBackToTheStandardTexture)
{
    CGraphicFile file;
    EXPECT_FALSE(file.Load(dir.filePath(QStringLiteral("gone.bmp"))));
    ASSERT_TRUE(file.LoadFromResource(CGraphicFile::kBitmapResource, CGraphicFile::kStandardTexture));
    EXPECT_EQ(file.width(), 512);
    EXPECT_EQ(file.height(), 256);
    EXPECT_EQ(file.messages().size(), 1u); // only the missing file's

    CGraphicFile stored;
    stored.SetUseDib(false);
    ASSERT_TRUE(stored.LoadFromResource(CGraphicFile::kBitmapResource, CGraphicFile::kStandardTexture));
    EXPECT_EQ(stored.bitsPerPixel(), 24);
    EXPECT_FALSE(stored.LoadFromResource(CGraphicFile::kBitmapResource, 4711));
}

TEST_F(GraphicFile, MessagesReachTheUserWithTheirBeeps)
{
    CGraphicFile file;
    EXPECT_FALSE(file.Load(dir.filePath(QStringLiteral("gone.tif"))));
    EXPECT_FALSE(file.LoadFromResource(CGraphicFile::kImageResource, 4711));
    kiv::test::ScriptedUiServices ui;
    showReaderMessages(file.takeMessages(), ui.messages, ui.services().bell);
    EXPECT_EQ(ui.beeps(), 1);
    EXPECT_EQ(ui.messages.captions(), (std::vector<QString>{QStringLiteral("Could'nt Open TIFF file"), QStringLiteral("Error")}));
    ASSERT_EQ(ui.messages.shown().size(), 2u);
    EXPECT_EQ(ui.messages.shown()[1].icon, kiv::MessageIcon::Error);
    EXPECT_EQ(ui.messages.unanswered(), 0);
}

TEST_F(GraphicFile, TheSplashIsAnImageResource)
{
    CGraphicFile file;
    ASSERT_TRUE(file.LoadFromResource(CGraphicFile::kImageResource, CGraphicFile::kSplashPicture));
    EXPECT_GT(file.width(), 100);
    EXPECT_FALSE(file.LoadFromResource(CGraphicFile::kImageResource, 4711));
    EXPECT_EQ(file.messages(), (ReaderMessages{{QStringLiteral("Error"), QStringLiteral("FindResource() Failed\t"),
                                                ReaderMessage::Icon::Hand, false, false}}));
}

TEST_F(GraphicFile, PaletteOnlyForIndexedBitmaps)
{
    std::vector<QRgb> table(256);
    for (int i = 0; i < 256; ++i)
        table[size_t(i)] = qRgb(i, 0, 0);
    const QString path = write(QStringLiteral("eight.bmp"), makeBmp({.width = 1, .height = 1, .bitCount = 8, .colours = table,
                                                                      .pixels = hex("01 00 00 00")}));
    CGraphicFile stored;
    stored.SetUseDib(false);
    ASSERT_TRUE(stored.Load(path));
    QList<QRgb> palette;
    ASSERT_TRUE(stored.CreatePaletteFromBitmap(palette));
    ASSERT_EQ(palette.size(), 256);
    EXPECT_EQ(palette[77] & 0xFFFFFF, qRgb(77, 0, 0) & 0xFFFFFF);

    CGraphicFile display;
    ASSERT_TRUE(display.Load(path));
    EXPECT_FALSE(display.CreatePaletteFromBitmap(palette));
    ASSERT_TRUE(display.Load(write(QStringLiteral("earth.bmp"), bmp24())));
    EXPECT_FALSE(display.CreatePaletteFromBitmap(palette));
}

TEST_F(GraphicFile, TheUseDibFlagReachesEveryReader)
{
    const QString tif = write(QStringLiteral("grey.tif"), simpleTiff(1, 1, 1, 8, hex("40")));
    const QString pcx = write(QStringLiteral("mono.pcx"), makePcx({.planes = 1, .bitsPerPlane = 1, .width = 8, .height = 1,
                                                                  .bytesPerLine = 1, .data = hex("00")}));
    for (const QString& path : {tif, pcx}) {
        CGraphicFile stored;
        stored.SetUseDib(false);
        ASSERT_TRUE(stored.Load(path)) << path.toStdString();
        EXPECT_EQ(stored.bitmap().image().format(), QImage::Format_Indexed8);
        CGraphicFile display;
        ASSERT_TRUE(display.Load(path));
        EXPECT_EQ(display.bitmap().image().format(), QImage::Format_RGB32);
    }
}

TEST(GraphicFileDecode, ATerminationRequestStopsALongDecodeOfEveryReader)
{
    const QString name = QStringLiteral("map");
    const std::vector<QRgb> grey(256, qRgb(9, 9, 9));
    const struct {
        const char* kind;
        QByteArray bytes;
        std::function<LoadResult(const PictureBytes&)> decode;
    } cases[] = {
        {"BMP", makeBmp({.width = 64, .height = 64, .pixels = QByteArray(64 * 64 * 3, 7)}),
         [&](const PictureBytes& b) { return decodeBmp(b, name, Route::Display); }},
        {"BMP RLE8",
         makeBmp({.width = 64, .height = 64, .bitCount = 8, .compression = 1, .colours = grey,
                  .pixels = hex("40 01 00 00").repeated(64)}),
         [&](const PictureBytes& b) { return decodeBmp(b, name, Route::Stored); }},
        {"PCX", makePcx({.width = 64, .height = 64, .bytesPerLine = 64, .data = QByteArray(64 * 64, 1), .palette = grey}),
         [&](const PictureBytes& b) { return CPcxFile::decode(b, name, Route::Display); }},
        {"TIFF", simpleTiff(64, 64, 1, 8, QByteArray(64 * 64, 1)),
         [&](const PictureBytes& b) { return CTiffFile::decode(b, name, Route::Display); }},
        {"JPEG", encoded(testPattern(256, 256), "jpg"),
         [](const PictureBytes& b) { return CPictureFile::decode(b, Route::Display); }},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(c.decode(PictureBytes(QByteArrayView(c.bytes))).ok()) << c.kind;
        const TerminationLatch latch;
        const PictureBytes bytes(std::make_unique<RequestWhileRead>(c.bytes));
        EXPECT_FALSE(c.decode(bytes).ok()) << c.kind;
        EXPECT_TRUE(bytes.stopped()) << c.kind;
    }
}
