// The globe's texture from the file to GL: what the whole route allocates (GL's copy included),
// for hostile pictures and the largest admitted ones, the standard texture, without a word of its
// own, for a picture the reader refuses, and the order in which the strips reach GL.
#include "imaging/PictureLoader.h"
#include "platform/TerminationLatch.h"
#include "tests/support/DocumentFixture.h"
#include "tests/support/HeapPeak.h"
#include "tests/support/OffscreenGl.h"
#include "views3d/GlobeRenderer.h"

#include <QBuffer>
#include <QFile>

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <thread>

using namespace kiv::test;
using namespace kiv;

namespace {

constexpr qint64 kBudget = 512 * kMiB;

// A message box whose event loop lets windows draw, each leaving its own context current, or
// none: here none.
class ContextDroppingBoxes final : public MessageBoxes {
public:
    MessageAnswer show(const MessageRequest& request) override
    {
        texts.push_back(request.text);
        if (QOpenGLContext* context = QOpenGLContext::currentContext())
            context->doneCurrent();
        return MessageAnswer::Ok;
    }
    std::vector<QString> texts;
};

class TextureRoute : public DocumentTest {
protected:
    TextureRoute() : gl_(64, 64) {}

    GlobeRenderer& renderer()
    {
        EXPECT_TRUE(gl_.valid()) << gl_.error().toStdString();
        CKivDoc& doc = makeDocument("[Allgemein]\nSterne=0\n");
        renderer_ = std::make_unique<GlobeRenderer>(
            doc, [this](const QString& name) { return loader_.load(name, PictureUse::Texture); });
        renderer_->initialize(64, 64);
        return *renderer_;
    }

    QSize textureSize() const
    {
        GLint width = 0, height = 0;
        glBindTexture(GL_TEXTURE_2D, renderer_->texture());
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
        return {width, height};
    }

    // GL's texture as it holds it: row 0 is the bottom one.
    QImage texturePixels() const
    {
        QImage texture(textureSize(), QImage::Format_RGB888);
        glPixelStorei(GL_PACK_ALIGNMENT, 4);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, texture.bits());
        return texture;
    }

    static QString corpus(const char* name) { return QStringLiteral(KIV_PICTURE_CORPUS "/") + QLatin1String(name); }

    QString jpeg(const std::string& name, int width, int height)
    {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(qRgb(20, 90, 160));
        EXPECT_TRUE(image.save(QString::fromStdString(path(name)), "JPEG"));
        return QString::fromStdString(path(name));
    }

    void TearDown() override
    {
        if (renderer_)
            renderer_->release();
    }

    OffscreenGl gl_;
    ContextDroppingBoxes boxes_;
    UiServices loaderServices_{boxes_, services_.files, services_.colors, services_.cursors, services_.clock,
                               services_.bell};
    PictureLoader loader_{paths_, loaderServices_};
    std::unique_ptr<GlobeRenderer> renderer_;
};

} // namespace

TEST_F(TextureRoute, ARefusedTextureGivesTheStandardTextureWithoutAWordOfItsOwn)
{
    writeFile("short.bmp", "BM");
    GlobeRenderer& globe = renderer();
    for (const QString& file : {QString::fromStdString(path("short.bmp")), corpus("jpeg-base-16384x16384.jpg"),
                                corpus("bmp-rle8-16384x16384.bmp")}) {
        boxes_.texts.clear();
        ui_.messages.clear();
        const qint64 peak = heapPeakDuring([&] { globe.loadEarthTexture(file); });
        EXPECT_EQ(boxes_.texts.size(), 1u) << "the reader's message: " << file.toStdString();
        EXPECT_TRUE(ui_.messages.shown().empty()) << "no size warning after it: " << file.toStdString();
        ASSERT_NE(QOpenGLContext::currentContext(), nullptr) << "the globe's context is current again";
        EXPECT_EQ(textureSize(), QSize(512, 256)) << file.toStdString();
        EXPECT_LE(peak, 16 * kMiB) << file.toStdString();
    }
}

TEST_F(TextureRoute, TheLargestTexturesLoadWithinTheBudget)
{
    const QString square = jpeg("square.jpg", 8192, 8192);
    const QString wide = jpeg("wide.jpg", 16384, 4096);
    GlobeRenderer& globe = renderer();
    GLint maxSide = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSide);
    ASSERT_GE(maxSide, 16384) << "the test's GL takes the largest textures whole";
    struct Case {
        QString file;
        QSize texture;
        bool resized;
    };
    for (const Case& c : {Case{square, {8192, 8192}, false}, Case{wide, {16384, 4096}, false},
                          Case{corpus("bmp-rle8-early-end-huge.bmp"), {8192, 8192}, true}}) {
        ui_.messages.clear();
        const qint64 peak = heapPeakDuring([&] { globe.loadEarthTexture(c.file); });
        EXPECT_EQ(textureSize(), c.texture) << c.file.toStdString();
        EXPECT_EQ(ui_.messages.shown().size(), c.resized ? 1u : 0u) << c.file.toStdString();
        // The heap holds the reading, the picture and the strips; the driver keeps its copy where
        // the heap's hooks do not see it, beside the picture while the strips go up.
        const qint64 driverCopy = qint64(c.texture.width()) * c.texture.height() * 4;
        const qint64 picture = loader_.load(c.file, PictureUse::Texture).sizeInBytes();
        EXPECT_LE(peak, kBudget) << c.file.toStdString();
        EXPECT_LE(picture + driverCopy, kBudget) << c.file.toStdString();
    }
    EXPECT_TRUE(boxes_.texts.empty());
}

namespace {

// Rows in bands of 16, each band a colour of its own.
constexpr int kBand = 16;
QRgb bandColour(int band) { return qRgb(band % 256, 99, 255 - band % 256); }

QImage banded(QSize size)
{
    QImage picture(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        std::fill_n(reinterpret_cast<QRgb*>(picture.scanLine(y)), size.width(), bandColour(y / kBand));
    return picture;
}

} // namespace

// At 4 MiB a strip of 3 bytes a texel, these textures go up in three to six strips: each texel
// row arrives in its place, the picture's top row at GL's last, and a termination request, before
// the upload or while it runs, drops the texture.
TEST_F(TextureRoute, StripsReachGlInOrderUntilTerminationIsRequested)
{
    GlobeRenderer& globe = renderer();
    enum class Request { None, Before, During };
    const struct {
        const char* name;
        QSize picture;
        QSize texture;
        Request request;
    } cases[] = {
        {"as it is", {4096, 2048}, {4096, 2048}, Request::None},
        {"scaled", {3000, 3000}, {2048, 2048}, Request::None},
        {"termination requested before", {4096, 2048}, {0, 0}, Request::Before},
        // Scaling 16 megapixels takes far longer than the request takes to come.
        {"termination requested during", {4095, 4095}, {0, 0}, Request::During},
    };
    for (const auto& c : cases) {
        const QImage picture = banded(c.picture);
        std::optional<TerminationLatch> latch;
        std::thread requester;
        if (c.request != Request::None)
            latch.emplace();
        if (c.request == Request::Before)
            TerminationLatch::raise();
        if (c.request == Request::During) {
            requester = std::thread([] {
                std::this_thread::sleep_for(std::chrono::milliseconds(30));
                TerminationLatch::raise();
            });
        }
        globe.setTexture(picture);
        if (requester.joinable())
            requester.join();
        ASSERT_EQ(textureSize(), c.texture) << c.name;
        const QImage texture = texturePixels();
        const double scale = double(c.picture.height()) / c.texture.height();
        int checked = 0;
        for (int row = 0; row < c.texture.height(); ++row) {
            // The source rows this texel row covers, from the picture's top; a row across two
            // bands is a blend.
            const int texel = c.texture.height() - 1 - row;
            const int firstBand = int(texel * scale) / kBand;
            if (firstBand != int(std::ceil((texel + 1) * scale) - 1) / kBand)
                continue;
            ++checked;
            ASSERT_EQ(texture.pixel(c.texture.width() - 1, row), bandColour(firstBand)) << c.name << " row " << row;
        }
        EXPECT_GE(checked, c.texture.height() / 2) << c.name;
    }
}
