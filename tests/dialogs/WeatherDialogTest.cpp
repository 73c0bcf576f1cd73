// The weather dialog on the offscreen platform: the overlay in the preview, what Apply hands on,
// the automatic address, and downloads from a server on the loopback interface.
#include "dialogs/CImagePreview.h"
#include "dialogs/CWeatherDlg.h"
#include "document/SettingsTable.h"
#include "imaging/PictureLoader.h"
#include "tests/support/DocumentFixture.h"
#include "tests/support/WidgetChild.h"
#include "tests/support/LoopbackHttpServer.h"

#include <QApplication>
#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>

using namespace kiv;
using namespace kiv::test;

namespace {

QByteArray bmpBytes(int w, int h, Qt::GlobalColor colour)
{
    QImage picture(w, h, QImage::Format_RGB888);
    picture.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "BMP");
    return bytes;
}

// Hands out a map of 8192 x 8192 pixels, every copy sharing one block of them, and a small weather
// picture for any other name.
class LargeMap final : public PictureSource {
public:
    LargeMap() : map_(8192, 8192, QImage::Format_RGB32) { map_.fill(Qt::blue); }
    QImage load(const QString& fileName, PictureUse) override
    {
        if (fileName == QLatin1String("map.bmp"))
            return map_;
        QImage weather(100, 40, QImage::Format_RGB32);
        weather.fill(Qt::red);
        return weather;
    }

private:
    QImage map_;
};

struct Applied {
    int kind;
    QImage bitmap;
};

class WeatherDialogTest : public DocumentTest {
protected:
    WeatherDialogTest()
    {
        KivSettings defaults;
        applyDefaultSettings(defaults);
        settings_ = commands::weatherSettingsOf(defaults);
        writeFile("earth.bmp", bmpBytes(200, 100, Qt::blue).toStdString());
        writeFile("weather.bmp", bmpBytes(1000, 400, Qt::red).toStdString());
        settings_.WeatherImageURL = QStringLiteral("http://weather.test/pic.bmp");
        settings_.WeatherImage = {settings_.WeatherImageURL, QString(), QString(), QString(), QString()};
        settings_.WeatherBackgroundImage = QStringLiteral("earth.bmp");
        settings_.WeatherTempFileName = QStringLiteral("weather.bmp");
    }

    std::unique_ptr<CWeatherDlg> dialog(HttpClient client = HttpClient(HttpOptions{2000, 1000, 0, 100}),
                                        int language = 1)
    {
        return std::make_unique<CWeatherDlg>(
            settings_, services_, pictures_, paths_, language,
            [this](int kind, const QImage& bitmap) { applied_.push_back({kind, bitmap}); }, client);
    }

    static QSize shown(CWeatherDlg& d)
    {
        const QImage* picture = d.preview().GetBitmapInfo();
        return picture ? picture->size() : QSize();
    }
    QByteArray read(const char* name) const
    {
        QFile f(filePath(QString::fromLatin1(name)));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }

    WeatherSettings settings_;
    PictureLoader pictures_{paths_, services_};
    std::vector<Applied> applied_;
};

} // namespace

TEST_F(WeatherDialogTest, OpensWithTheSettingsAndTheBackgroundInThePreview)
{
    auto d = dialog();
    EXPECT_EQ(child<QComboBox>(*d, "1376")->currentText(), settings_.WeatherImageURL);
    EXPECT_EQ(child<QLineEdit>(*d, "1360")->text(), "weather.bmp");
    EXPECT_EQ(child<QLineEdit>(*d, "1356")->text(), "70");
    EXPECT_EQ(child<QLineEdit>(*d, "1357")->text(), "180");
    EXPECT_EQ(child<QLineEdit>(*d, "1358")->text(), "-70");
    EXPECT_EQ(child<QLineEdit>(*d, "1359")->text(), "-180");
    EXPECT_EQ(child<QLineEdit>(*d, "1354")->text(), "1024");
    EXPECT_TRUE(child<QLineEdit>(*d, "1354")->isEnabled());
    EXPECT_EQ(d->preview().fileName(), "earth.bmp");
    EXPECT_EQ(shown(*d), QSize(200, 100));
    EXPECT_TRUE(child<QLabel>(*d, "1383")->text().startsWith(QStringLiteral("ZOOM : ")));
}

TEST_F(WeatherDialogTest, KeepingTheOriginalSizeWritesTheComposedSize)
{
    settings_.WeatherKeepOriginalSize = 1;
    auto d = dialog();
    EXPECT_FALSE(child<QLineEdit>(*d, "1354")->isEnabled());
    ASSERT_TRUE(d->Preview());
    EXPECT_EQ(shown(*d), QSize(1000, 514));
    EXPECT_EQ(child<QLineEdit>(*d, "1354")->text(), "1000");
    EXPECT_EQ(child<QLineEdit>(*d, "1355")->text(), "514");
    child<QCheckBox>(*d, "1382")->click();
    EXPECT_TRUE(child<QLineEdit>(*d, "1355")->isEnabled());
}

TEST_F(WeatherDialogTest, ApplyHandsANewComposedPictureEachTime)
{
    auto d = dialog();
    child<QPushButton>(*d, "1364")->click();
    child<QPushButton>(*d, "1364")->click();
    child<QPushButton>(*d, "1363")->click();
    child<QPushButton>(*d, "1365")->click();
    ASSERT_EQ(applied_.size(), 4u);
    EXPECT_EQ(applied_[0].kind, 0);
    EXPECT_EQ(applied_[1].kind, 0);
    EXPECT_EQ(applied_[2].kind, 1);
    EXPECT_EQ(applied_[3].kind, 2);
    for (const Applied& a : applied_) {
        EXPECT_EQ(a.bitmap.size(), QSize(1024, 512));
        EXPECT_EQ(a.bitmap.pixel(512, 10), qRgb(0, 0, 255));
        EXPECT_EQ(a.bitmap.pixel(512, 256), qRgb(255, 0, 0));
    }
    EXPECT_NE(applied_[0].bitmap.cacheKey(), applied_[1].bitmap.cacheKey());
    EXPECT_EQ(shown(*d), QSize(1024, 512)); // the preview composed its own again
}

TEST_F(WeatherDialogTest, WhatCannotBeComposedIsToldAndNothingIsHandedOn)
{
    const struct {
        const char* what;
        const char* field;
        const char* value;
        const char* messageStart;
    } cases[] = {
        {"latitudes reversed", "1356", "-80", "The weather picture's bounds"},
        {"longitudes equal", "1359", "180", "The weather picture's bounds"},
        {"latitude out of range", "1358", "-95", nullptr},
        {"width not a number", "1354", "wide", nullptr},
        {"width too large", "1354", "20000", nullptr},
        {"unreadable picture", "1360", "missing.bmp", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ui_.messages.clear();
        applied_.clear();
        auto d = dialog();
        child<QLineEdit>(*d, c.field)->setText(QString::fromLatin1(c.value));
        EXPECT_FALSE(d->Preview());
        d->Apply(0);
        EXPECT_TRUE(applied_.empty());
        EXPECT_EQ(shown(*d), QSize(200, 100)); // the background stays
        ASSERT_FALSE(ui_.messages.shown().empty());
        if (c.messageStart) {
            EXPECT_TRUE(ui_.messages.shown()[0].text.startsWith(QString::fromLatin1(c.messageStart)));
        }
    }
}

TEST_F(WeatherDialogTest, AutomaticPutsTheLatestPictureIntoTheBox)
{
    ui_.clock.setNow(Time::fromUtc({2010, 3, 3, 14, 30, 0}));
    auto d = dialog();
    child<QPushButton>(*d, "1361")->click();
    const QString url = weatherImageFolder() + "20100303.1200.global.ir.multisat.stitched.jpg";
    EXPECT_EQ(child<QComboBox>(*d, "1376")->currentText(), url);
    EXPECT_EQ(child<QLineEdit>(*d, "1360")->text(), "weather.jpg");
    d->accept();
    EXPECT_EQ(d->values().WeatherImageURL, url);
    EXPECT_EQ(d->values().WeatherTempFileName, "weather.jpg");
    EXPECT_TRUE(url.startsWith(QStringLiteral("https://weather.example.com/")));
}

TEST_F(WeatherDialogTest, DownloadsReplaceTheLocalFileOnlyWhenThePictureArrived)
{
    const QByteArray picture = bmpBytes(100, 40, Qt::green);
    LoopbackHttpServer server(picture.toStdString());
    const QByteArray old = read("weather.bmp");
    const struct {
        std::string url;
        bool ok;
    } cases[] = {
        {server.url("/404"), false},
        {server.url("/500"), false},
        {server.url("/short"), false},
        {server.url("/stall"), false},
        {"http://127.0.0.1:" + std::to_string(LoopbackHttpServer::closedPort()) + "/weather.bmp", false},
        {server.url("/ok"), true},
        {server.url("/close"), true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.url);
        writeFile("weather.bmp", old.toStdString());
        auto d = dialog();
        child<QComboBox>(*d, "1376")->setEditText(QString::fromStdString(c.url));
        child<QProgressBar>(*d, "1371")->setValue(0);
        EXPECT_EQ(d->RetrieveData(), c.ok);
        EXPECT_EQ(child<QLabel>(*d, "1379")->text(), c.ok ? "Ok." : "Failed");
        EXPECT_EQ(read("weather.bmp"), c.ok ? picture : old);
        EXPECT_EQ(child<QProgressBar>(*d, "1371")->maximum(), 1000);
        if (c.ok) { // a failure leaves the bar where it was
            EXPECT_EQ(child<QProgressBar>(*d, "1371")->value(), 0);
        }
        EXPECT_EQ(shown(*d), c.ok ? QSize(1024, 512) : QSize(200, 100));
        EXPECT_TRUE(child<QPushButton>(*d, "3")->isEnabled());
    }
    EXPECT_TRUE(ui_.messages.shown().empty());
    EXPECT_EQ(QDir(filePath(QString())).entryList({QStringLiteral("*weather*")}, QDir::Files),
              QStringList{QStringLiteral("weather.bmp")});
}

TEST_F(WeatherDialogTest, ABodyThatIsNoPictureOrTooLargeKeepsTheLocalFile)
{
    const char* const notAPicture[] = {"the download is not a picture the program can read",
                                       "der Download ist kein Bild, das das Programm lesen kann"};
    const char* const tooLarge[] = {"the file is larger than the limit of 256 MiB",
                                    "die Datei ist größer als die Grenze von 256 MiB"};
    const struct {
        std::string body;
        const char* path;
        const char* localFile;
        const char* const* reasons; // English, German
    } cases[] = {
        {"this is not a picture\n", "/ok", "weather.bmp", notAPicture},
        {"<html><body>Not here</body></html>", "/chunked", "weather.bmp", notAPicture},
        {bmpBytes(100, 40, Qt::green).left(500).toStdString(), "/ok", "weather.bmp", notAPicture},
        {bmpBytes(100, 40, Qt::green).toStdString(), "/ok", "weather.xyz", notAPicture},
        {bmpBytes(100, 40, Qt::green).toStdString(), "/huge", "weather.bmp", tooLarge},
    };
    const QByteArray old = read("weather.bmp");
    writeFile("weather.xyz", old.toStdString());
    for (const auto& c : cases) {
        for (const int language : {1, 0}) {
            SCOPED_TRACE(std::string(c.path) + c.localFile + std::to_string(language));
            writeFile(c.localFile, old.toStdString());
            LoopbackHttpServer server(c.body);
            ui_.messages.clear();
            settings_.WeatherTempFileName = QString::fromLatin1(c.localFile);
            auto d = dialog(HttpClient(HttpOptions{2000, 1000, 0, 100}), language);
            child<QComboBox>(*d, "1376")->setEditText(QString::fromStdString(server.url(c.path)));
            child<QLineEdit>(*d, "1360")->setText(QString::fromLatin1(c.localFile));
            EXPECT_FALSE(d->RetrieveData());
            const QString reason = QString::fromUtf8(c.reasons[language == 1 ? 0 : 1]);
            EXPECT_EQ(child<QLabel>(*d, "1379")->text(), "Failed");
            EXPECT_EQ(child<QLabel>(*d, "1379")->toolTip(), reason);
            ASSERT_EQ(ui_.messages.shown().size(), 1u);
            EXPECT_EQ(ui_.messages.shown()[0].text,
                      (language == 1 ? QStringLiteral("Could not download the picture:\n%1")
                                     : QStringLiteral("Das Bild konnte nicht geladen werden:\n%1"))
                          .arg(reason));
            EXPECT_EQ(read(c.localFile), old);
            EXPECT_EQ(shown(*d), QSize(200, 100)); // the background stays
            EXPECT_EQ(QDir(filePath(QString())).entryList({QStringLiteral("weather.*")}, QDir::Files),
                      (QStringList{QStringLiteral("weather.bmp"), QStringLiteral("weather.xyz")}));
        }
    }
}

TEST_F(WeatherDialogTest, CancelStopsTheTransferAndKeepsTheDialogOpen)
{
    LoopbackHttpServer server("unused");
    auto d = dialog(HttpClient(HttpOptions{2000, 30000, 0, 100}));
    child<QComboBox>(*d, "1376")->setEditText(QString::fromStdString(server.url("/stall")));
    bool busyDuringTransfer = false;
    QTimer::singleShot(300, d.get(), [&] {
        busyDuringTransfer = !child<QPushButton>(*d, "3")->isEnabled() && !child<QPushButton>(*d, "1364")->isEnabled();
        d->reject();
    });
    EXPECT_FALSE(d->RetrieveData());
    EXPECT_TRUE(busyDuringTransfer);
    EXPECT_EQ(child<QLabel>(*d, "1379")->text(), "Failed");
    EXPECT_EQ(d->result(), 0); // still open
    EXPECT_TRUE(child<QPushButton>(*d, "3")->isEnabled());
}

TEST_F(WeatherDialogTest, ALocalFileThatCannotBeWrittenIsTold)
{
    LoopbackHttpServer server("picture");
    settings_.WeatherTempFileName = filePath(QStringLiteral("earth.bmp/weather.bmp")); // under a file
    auto d = dialog();
    child<QComboBox>(*d, "1376")->setEditText(QString::fromStdString(server.url("/ok")));
    EXPECT_FALSE(d->RetrieveData());
    EXPECT_EQ(child<QLabel>(*d, "1379")->text(), "Failed");
    ASSERT_EQ(ui_.messages.shown().size(), 1u);
    EXPECT_TRUE(ui_.messages.shown()[0].text.startsWith(QStringLiteral("Could not download the picture")));
}

TEST_F(WeatherDialogTest, HelpInBothLanguages)
{
    for (const int language : {1, 0}) {
        ui_.messages.clear();
        auto d = dialog(HttpClient(), language);
        child<QPushButton>(*d, "1366")->click();
        ASSERT_EQ(ui_.messages.shown().size(), 1u);
        EXPECT_EQ(ui_.messages.shown()[0].caption,
                  language == 1 ? "Help for the Weather Dialog" : "Hilfe fuer den Wetter Dialog");
        // Paragraphs for the box to wrap: no line ends inside one.
        EXPECT_FALSE(ui_.messages.shown()[0].text.contains(QRegularExpression(QStringLiteral("[^\n]\n[^\n]"))));
    }
}

TEST_F(WeatherDialogTest, BrowseStartsAtTheFileInItsField)
{
    auto d = dialog();
    child<QLineEdit>(*d, "1360")->setText(QStringLiteral("new.jpg"));
    for (const char* browse : {"1062", "1063"}) {
        ui_.files.queueAnswer(std::nullopt);
        child<QPushButton>(*d, browse)->click();
    }
    ASSERT_EQ(ui_.files.shown().size(), 2u);
    EXPECT_EQ(ui_.files.shown()[0].request.initialPath, filePath("earth.bmp")) << "where it is found";
    EXPECT_EQ(ui_.files.shown()[1].request.initialPath, filePath("user/new.jpg")) << "where it will be written";
}

TEST_F(WeatherDialogTest, TheMouseZoomsAndPansThePreview)
{
    auto d = dialog();
    CImagePreview& p = d->preview();
    ASSERT_TRUE(d->Preview());
    const auto send = [&p](QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons buttons) {
        QMouseEvent event(type, QPointF(at), p.mapToGlobal(QPointF(at)), button, buttons, Qt::NoModifier);
        QApplication::sendEvent(&p, &event);
    };
    send(QEvent::MouseButtonPress, {100, 60}, Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(p.window().cursor(), PreviewCursor::Pan);
    for (int x = 100; x >= 80; --x)
        send(QEvent::MouseMove, {x, 60}, Qt::NoButton, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, {80, 60}, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(p.window().cursor(), PreviewCursor::Arrow);
    EXPECT_NEAR(p.window().left(), -0.01, 1e-9); // one step past the edge
    // The part past the picture's edge is black, the rest shows the picture.
    const QImage shot = p.grab().toImage();
    EXPECT_EQ(shot.pixel(0, 80), qRgb(0, 0, 0));
    EXPECT_EQ(shot.pixel(160, 80), qRgb(255, 0, 0));

    send(QEvent::MouseButtonPress, {100, 50}, Qt::RightButton, Qt::RightButton);
    EXPECT_EQ(p.window().cursor(), PreviewCursor::Zoom);
    for (int y = 50; y <= 60; ++y)
        send(QEvent::MouseMove, {100, y}, Qt::NoButton, Qt::RightButton);
    send(QEvent::MouseButtonRelease, {100, 60}, Qt::RightButton, Qt::NoButton);
    // The first move goes up from the last position (60): out to the whole picture, then ten in.
    EXPECT_NEAR(p.window().left(), 0.10, 1e-9);
    EXPECT_NEAR(p.window().right(), 0.90, 1e-9);
    // 0.8 of 1024 picture pixels over the preview's 320 screen pixels.
    EXPECT_EQ(child<QLabel>(*d, "1383")->text(), "ZOOM : 2.560");

    send(QEvent::MouseButtonDblClick, {80, 60}, Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(child<QLabel>(*d, "1383")->text(), "ZOOM : 1.000");
}

TEST_F(WeatherDialogTest, ThePreviewCountsThePictureItShowsBesideThoseItComposesFrom)
{
    // A map of 1024 x 512 (2 MiB) composed from the weather picture (16,000 bytes) and the
    // background read anew (256 MiB) fits 512 MiB, but not beside the 256 MiB the preview shows.
    LargeMap pictures;
    CImagePreview preview(pictures, ui_.messages, true, nullptr, nullptr);
    preview.ShowFile(QStringLiteral("map.bmp"));
    EXPECT_FALSE(preview.LoadOverlay(QStringLiteral("weather.bmp"), {}, 1024, 512));
    ASSERT_EQ(ui_.messages.shown().size(), 1u);
    EXPECT_TRUE(ui_.messages.shown()[0].text.contains(QStringLiteral("at most 512 MiB")));
    EXPECT_EQ(preview.GetBitmapInfo()->size(), QSize(8192, 8192));
}
