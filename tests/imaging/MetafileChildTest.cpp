// Metafiles drawn in the helper's child process: the picture on its way back, the files that
// fuzzing found, and children that crash, spin or answer nonsense.

#include "ImageBytes.h"

#include "imaging/BmpReader.h"
#include "imaging/CPictureFile.h"
#include "imaging/MetafileCheck.h"
#include "imaging/MetafileChild.h"
#include "imaging/PictureBudget.h"
#include "imaging/PictureReceiver.h"

#include <QElapsedTimer>
#include <QFile>

#include <gtest/gtest.h>

#include <atomic>
#include <csignal>
#include <thread>

#include <pthread.h>

using namespace kiv;
using kiv::test::patched;

namespace {

QByteArray corpusFile(const char* name)
{
    QFile file(QStringLiteral(KIV_PICTURE_CORPUS "/%1").arg(QLatin1String(name)));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    return file.readAll();
}

QImage pattern()
{
    QImage picture(3, 2, QImage::Format_RGB32);
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x)
            picture.setPixel(x, y, qRgb(x * 80, y * 200, 7));
    }
    return picture;
}

QByteArray sent(const QImage& picture)
{
    return PictureReceiver::header(picture.size())
        + QByteArray(reinterpret_cast<const char*>(picture.constBits()), picture.sizeInBytes());
}

} // namespace

TEST(PictureReceiver, TakesAWholePictureInAnyPiecesAndNothingElse)
{
    const QImage picture = pattern();
    const QByteArray bytes = sent(picture);
    for (const qsizetype piece : {1, 5, 12, 13, 1000}) {
        PictureReceiver receiver(100);
        for (qsizetype at = 0; at < bytes.size(); at += piece)
            ASSERT_TRUE(receiver.take(QByteArrayView(bytes).sliced(at, std::min(piece, bytes.size() - at))));
        EXPECT_EQ(receiver.picture(), picture) << piece;
    }

    const struct {
        const char* name;
        QByteArray bytes;
        qint64 maxPixels;
        bool taken;
    } refused[] = {
        {"cut short", bytes.chopped(1), 100, true},
        {"header only", bytes.left(PictureReceiver::kHeaderSize), 100, true},
        {"one byte too many", bytes + 'x', 100, false},
        {"another mark", patched(bytes, 0, 0x5050494C), 100, false},
        {"no width", patched(bytes, 4, 0), 100, false},
        {"wider than a picture may be", patched(bytes, 4, 16385), 1'000'000, false},
        {"more pixels than the limit", bytes, 5, false},
        {"more pixels than the limit in other sides", patched(bytes, 8, 100), 299, false},
    };
    for (const auto& c : refused) {
        PictureReceiver receiver(c.maxPixels);
        EXPECT_EQ(receiver.take(c.bytes), c.taken) << c.name;
        EXPECT_TRUE(receiver.picture().isNull()) << c.name;
    }
}

TEST(MetafileChild, TheFuzzingFindingsAreRefusedOrDrawnWithinTheLimits)
{
    const struct {
        const char* file;
        bool sound;
    } metafiles[] = {
        {"emf-description-overread.emf", false},
        {"emf-dibbrush-info-after-bits.emf", false},
        {"emf-monobrush-info-after-bits.emf", false},
        {"emf-rle4-run-underflow.emf", false},
        {"emf-rle8-delta-underflow.emf", false},
        {"emf-rle8-run-underflow.emf", false},
        {"wmf-dibstretchblt-clrused-huge.wmf", false},
        {"wmf-long-end-record-hides-dibstretchblt.wmf", false},
        {"wmf-blit-without-bitmap.wmf", false},
        {"wmf-large-frame.wmf", true},
    };
    for (const auto& m : metafiles) {
        const QByteArray bytes = corpusFile(m.file);
        ASSERT_TRUE(metafileCheck::recognises(bytes)) << m.file;
        EXPECT_EQ(metafileCheck::isSound(bytes), m.sound) << m.file;
        const LoadResult drawn = CPictureFile::decode(bytes, Route::Display);
        EXPECT_EQ(drawn.ok(), m.sound) << m.file;
        EXPECT_LE(qint64(drawn.bitmap.width()) * drawn.bitmap.height(), pictureBudget::kMetafilePixels) << m.file;
    }

    // The BMP that named 200 megapixels in 121 bytes, to either reader.
    const QByteArray bmp = corpusFile("bmp-rle8-early-end-huge.bmp");
    const LoadResult ours = decodeBmp(bmp, QStringLiteral("huge.bmp"), Route::Display);
    EXPECT_FALSE(ours.ok());
    EXPECT_EQ(ours.messages, ReaderMessages{overBudgetMessage()});
    EXPECT_FALSE(CPictureFile::decode(bmp, Route::Display).ok());
}

TEST(MetafileChild, AChildThatCrashesSpinsHangsOrAnswersNonsenseLeavesNoPictureWithinTheLimits)
{
    const QByteArray emf = corpusFile("rect.emf");
    MetafileChild::useHelper(QStringLiteral(KIV_CHILD_HOG));
    // A child is given 5 s of processor time and 10 s in all.
    const struct {
        const char* mode;
        qint64 atLeastMs;
    } children[] = {
        {"crash", 0}, {"echo", 0}, {"spin", 5000}, {"mute", 10000},
        {"picture-exit-1", 0}, {"picture-crash", 0}, // a whole picture from a child that then fails
    };
    for (const auto& c : children) {
        qputenv("KIV_CHILD_HOG", c.mode);
        QElapsedTimer clock;
        clock.start();
        EXPECT_TRUE(MetafileChild::standard().render(emf).isNull()) << c.mode;
        EXPECT_GE(clock.elapsed(), c.atLeastMs) << c.mode;
        EXPECT_LT(clock.elapsed(), 11000) << c.mode;
    }
    qputenv("KIV_CHILD_HOG", "picture-exit-0");
    EXPECT_EQ(MetafileChild::standard().render(emf).size(), QSize(1, 1));

    // The limits the child runs under, as it sees them, in the pixels of its picture.
    qputenv("KIV_CHILD_HOG", "report-picture");
    const QImage report = MetafileChild::standard().render(emf);
    const QByteArray text = QByteArray(reinterpret_cast<const char*>(report.constBits()), report.sizeInBytes());
    EXPECT_EQ(text.left(text.indexOf('\0')), QByteArray("fds 0 1 2\nNoNewPrivs:\t1\nas 536870912\ncpu 5\ncore 0 0\n"
                                                       "pdeathsig 9\nleader yes\n"));
    qunsetenv("KIV_CHILD_HOG");
    MetafileChild::useHelper(QStringLiteral(KIV_METAFILE_HELPER));

    // The program goes on, and the real helper still draws.
    const LoadResult drawn = CPictureFile::decode(emf, Route::Display);
    ASSERT_TRUE(drawn.ok());
    EXPECT_EQ(drawn.bitmap.image().pixel(50, 25) & 0xFFFFFF, 0xFF0000u);
}

// A handled signal (a timer's, a child's) interrupts the wait for the helper again and again; an
// interrupted wait is no broken child.
TEST(MetafileChild, SignalsHandledDuringADrawLeaveThePictureWhole)
{
    const QByteArray emf = corpusFile("rect.emf");
    const QImage quiet = MetafileChild::standard().render(emf);
    ASSERT_FALSE(quiet.isNull());
    struct sigaction noOp {}, previous{};
    noOp.sa_handler = [](int) {};
    sigemptyset(&noOp.sa_mask);
    noOp.sa_flags = 0; // without SA_RESTART, so that the waits return EINTR
    ASSERT_EQ(sigaction(SIGUSR1, &noOp, &previous), 0);
    const pthread_t drawing = pthread_self();
    std::atomic<bool> drawn{false};
    std::thread signaller([&] {
        while (!drawn) {
            pthread_kill(drawing, SIGUSR1);
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
    });
    const QImage interrupted = MetafileChild::standard().render(emf);
    drawn = true;
    signaller.join();
    sigaction(SIGUSR1, &previous, nullptr);
    EXPECT_EQ(interrupted, quiet);
}
