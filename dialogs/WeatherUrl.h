#pragma once
// The weather dialog's addresses and file names: the latest whole-earth infrared mosaic for a
// moment, and the local file name that takes the URL's extension.

#include "platform/Time.h"

#include <QString>

namespace kiv {

// folder + "YYYYMMDD" + slot + "global.ir.multisat.stitched.jpg". The mosaics are made every six
// hours and appear about an hour later: hours 1-6 UTC take ".0000.", 7-12 ".0600.", 13-18
// ".1200.", 19-23 ".1800." of the same day, and hour 0 the ".1800." picture of the day before.
QString automaticWeatherUrl(const QString& folder, Time now);

// The local name with the extension of the last segment of the URL's path: its three letters
// after the last '.', or its last four when they read JPEG (in any case), as written in the URL.
// The name's own extension (after the last '.' of its last path component) is replaced, a name
// without one gets '.' and the extension; a URL without such an extension leaves the name as it
// is.
QString MatchLocalFileExtension(const QString& url, const QString& localFileName);

} // namespace kiv
