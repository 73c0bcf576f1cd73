// The weather dialog's automatic address for every hour of the day and the local file name that
// takes the URL's extension.
#include "dialogs/WeatherUrl.h"

#include <gtest/gtest.h>

using namespace kiv;

namespace {
const QString kFolder = QStringLiteral("https://weather.test/archdat/global/stitched/ir/");

QString fileOf(int year, int month, int day, int hour, int minute)
{
    return automaticWeatherUrl(kFolder, Time::fromUtc({year, month, day, hour, minute, 0})).mid(kFolder.size());
}
} // namespace

TEST(WeatherUrlTest, EveryHourTakesTheLatestSixHourPicture)
{
    const char* byHour[24] = {"20100302.1800.", "20100303.0000.", "20100303.0000.", "20100303.0000.",
                             "20100303.0000.", "20100303.0000.", "20100303.0000.", "20100303.0600.",
                             "20100303.0600.", "20100303.0600.", "20100303.0600.", "20100303.0600.",
                             "20100303.0600.", "20100303.1200.", "20100303.1200.", "20100303.1200.",
                             "20100303.1200.", "20100303.1200.", "20100303.1200.", "20100303.1800.",
                             "20100303.1800.", "20100303.1800.", "20100303.1800.", "20100303.1800."};
    for (int hour = 0; hour < 24; ++hour) {
        SCOPED_TRACE(hour);
        EXPECT_EQ(fileOf(2010, 3, 3, hour, 30), QString::fromLatin1(byHour[hour]) + "global.ir.multisat.stitched.jpg");
    }
    EXPECT_EQ(automaticWeatherUrl(kFolder, Time::fromUtc({2010, 3, 3, 14, 30, 0})),
              kFolder + "20100303.1200.global.ir.multisat.stitched.jpg");
}

TEST(WeatherUrlTest, HourZeroCarriesIntoTheDayMonthAndYearBefore)
{
    EXPECT_EQ(fileOf(2008, 3, 1, 0, 30), "20080229.1800.global.ir.multisat.stitched.jpg");
    EXPECT_EQ(fileOf(2009, 1, 1, 0, 10), "20081231.1800.global.ir.multisat.stitched.jpg");
    EXPECT_EQ(fileOf(2007, 3, 1, 0, 59), "20070228.1800.global.ir.multisat.stitched.jpg");
    EXPECT_EQ(fileOf(2009, 1, 1, 1, 0), "20090101.0000.global.ir.multisat.stitched.jpg");
}

TEST(WeatherUrlTest, TheLocalFileTakesTheUrlsExtension)
{
    const struct {
        const char* url;
        const char* local;
        const char* expected;
    } cases[] = {
        {"http://h/x/pic.gif", "internet.jpg", "internet.gif"},
        {"http://h/x/PIC.JPEG", "weather.bmp", "weather.JPEG"},
        {"http://h/x/pic.jpeg", "weather.bmp", "weather.jpeg"},
        {"http://h/x/pic.jpg", "weather.jpeg", "weather.jpg"},
        {"http://h/x/pic.jpg", "weather.tiff", "weather.jpg"},
        {"http://h/x/pic.jpg", "weather", "weather.jpg"},
        {"http://h/x/pic.jpg", "dir.v2/weather", "dir.v2/weather.jpg"},
        {"http://h/x/pic.jpg", "/tmp/a.b/w.bmp", "/tmp/a.b/w.jpg"},
        {"http://h/x/LATEST", "internet.jpg", "internet.jpg"},
        {"http://h/x/pic.tiff", "internet.jpg", "internet.jpg"},
        {"jpg", "internet.bmp", "internet.bmp"},
        {"http://h/x/pic.gif", "", ""},
        {"http://192.168.0.1", "internet.jpg", "internet.jpg"},
        {"http://weather.example.org/ir/", "internet.jpg", "internet.jpg"},
        {"http://h.example.org/pic.gif?day=1.0.0", "internet.jpg", "internet.gif"},
        {"http://h/x/v1.2.3", "internet.jpg", "internet.jpg"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.url);
        EXPECT_EQ(MatchLocalFileExtension(QString::fromLatin1(c.url), QString::fromLatin1(c.local)),
                  QString::fromLatin1(c.expected));
    }
}

TEST(WeatherUrlTest, TypingAnAddressNeverGrowsTheLocalName)
{
    // Each keystroke is an edit of the URL; the name follows the picture's extension only.
    const QString url = QStringLiteral("http://10.0.0.1/ir.sat/latest.gif");
    QString local = QStringLiteral("internet.jpg");
    for (qsizetype n = 1; n <= url.size(); ++n) {
        local = MatchLocalFileExtension(url.left(n), local);
        SCOPED_TRACE(url.left(n).toStdString());
        EXPECT_LE(local.size(), QStringLiteral("internet.jpg").size());
    }
    EXPECT_EQ(local, QStringLiteral("internet.gif"));
}
