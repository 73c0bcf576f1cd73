#include "dialogs/WeatherUrl.h"

#include <QUrl>

#include <algorithm>

namespace kiv {

namespace {

const char* slotOf(int hour)
{
    if (hour == 0 || hour >= 19)
        return ".1800.";
    if (hour <= 6)
        return ".0000.";
    if (hour <= 12)
        return ".0600.";
    return ".1200.";
}

} // namespace

QString automaticWeatherUrl(const QString& folder, Time now)
{
    orbit::UtcCalendar utc = now.utcCalendar();
    const int hour = utc.hour;
    if (hour == 0) {
        --utc.day; // carried into the month and year before as needed
        utc = Time::fromUtc(utc).utcCalendar();
    }
    return folder +
           QStringLiteral("%1%2%3").arg(utc.year, 4, 10, QLatin1Char('0')).arg(utc.month, 2, 10, QLatin1Char('0')).arg(utc.day, 2, 10, QLatin1Char('0')) +
           QLatin1String(slotOf(hour)) + QStringLiteral("global.ir.multisat.stitched.jpg");
}

QString MatchLocalFileExtension(const QString& url, const QString& localFileName)
{
    if (localFileName.isEmpty())
        return localFileName;
    // Only the last segment of the path names the picture; the host and the query do not.
    const QString segment = QUrl(url.trimmed()).fileName();
    const qsizetype urlDot = segment.lastIndexOf(u'.');
    QString extension;
    if (urlDot >= 0 && segment.size() - urlDot == 4)
        extension = segment.mid(urlDot + 1);
    else if (segment.endsWith(QLatin1String("JPEG"), Qt::CaseInsensitive))
        extension = segment.right(4);
    else
        return localFileName;
    const qsizetype slash = std::max(localFileName.lastIndexOf(u'/'), localFileName.lastIndexOf(u'\\'));
    const qsizetype dot = localFileName.lastIndexOf(u'.');
    if (dot > slash)
        return localFileName.left(dot + 1) + extension;
    return localFileName + u'.' + extension;
}

} // namespace kiv
