// The weather command with a scripted dialog: what it takes back after OK and what Cancel leaves.
#include "dialogs/DialogCommands.h"
#include "tests/support/DocumentFixture.h"

using namespace kiv;
using namespace kiv::test;

namespace {
class WeatherCommandTest : public DocumentTest {};
} // namespace

TEST_F(WeatherCommandTest, OkKeepsTheSettingsAndTheUrlJoinsTheRecentList)
{
    for (const int keep : {0, 1}) {
        SCOPED_TRACE(keep);
        CKivDoc& doc = makeDocument();
        doc.EnableAnimationTimer(true);
        const auto before = doc.WeatherImage;
        WeatherSettings offered;
        commands::editWeather(doc, [&](const WeatherSettings& in) {
            offered = in;
            EXPECT_FALSE(frame_.timerOn);
            WeatherSettings out = in;
            out.WeatherImageURL = QStringLiteral("http://weather.test/new.jpg");
            out.WeatherBackgroundImage = QStringLiteral("back.bmp");
            out.WeatherTempFileName = QStringLiteral("new.jpg");
            out.WeatherStartLat = 60.0;
            out.WeatherStartLon = 90.0;
            out.WeatherEndLat = -60.0;
            out.WeatherEndLon = -90.0;
            out.WeatherMapWidth = 2000;
            out.WeatherMapHeight = 600;
            out.WeatherKeepOriginalSize = keep;
            return std::optional(out);
        });
        EXPECT_EQ(offered.WeatherTempFileName, "internet.jpg");
        EXPECT_EQ(offered.WeatherMapWidth, 1024);
        EXPECT_EQ(offered.WeatherImage, before);
        EXPECT_EQ(doc.WeatherImageURL, "http://weather.test/new.jpg");
        EXPECT_EQ(doc.WeatherImage[0], "http://weather.test/new.jpg");
        EXPECT_EQ(doc.WeatherImage[1], before[0]);
        EXPECT_EQ(doc.WeatherBackgroundImage, "back.bmp");
        EXPECT_EQ(doc.WeatherTempFileName, "new.jpg");
        EXPECT_EQ(doc.WeatherStartLat, 60.0);
        EXPECT_EQ(doc.WeatherEndLon, -90.0);
        EXPECT_EQ(doc.WeatherKeepOriginalSize, keep);
        EXPECT_EQ(doc.WeatherMapWidth, keep ? 1024 : 2000);
        EXPECT_EQ(doc.WeatherMapHeight, keep ? 512 : 600);
        EXPECT_TRUE(frame_.timerOn);
    }
}

TEST_F(WeatherCommandTest, CancelKeepsEverything)
{
    CKivDoc& doc = makeDocument();
    const QString url = doc.WeatherImageURL;
    const auto recent = doc.WeatherImage;
    commands::editWeather(doc, [](const WeatherSettings&) { return std::optional<WeatherSettings>(); });
    EXPECT_EQ(doc.WeatherImageURL, url);
    EXPECT_EQ(doc.WeatherImage, recent);
}
