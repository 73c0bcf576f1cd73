#pragma once
// The sky view's texts: the label lines of a satellite (Latin-1, the degree sign 0xB0) and the
// frame title while the observer is dragged. Numbers are formatted without the locale.

#include <QString>

#include <string>

namespace kiv::skyTexts {

// "Azi : 123.45°" (degrees).
std::string azimuthLine(double degrees);
// "Elev: 12.34°".
std::string elevationLine(double degrees);
// "Dist : 9999.99 km" below 10 000 km, "Dist : 10.000 Tkm" from there on.
std::string distanceLine(double km);
// "Asc :  2h 30m  0s" for 37.5° (2.5 h).
std::string rightAscensionLine(double degrees);
// "Desc: -12° 30'  0\""; the sign shows also when the whole degrees are 0.
std::string declinationLine(double degrees);
// "CIVIL", "NAUTICAL", "ASTRONOMICAL" at exactly -6, -12, -18, else "USER = -9.00".
QString twilightName(double twilight);
// "Lat=48.10 Lon=11.60 Alt=0.50 CIVIL" (degrees, km).
QString observerTitle(double latDeg, double lonDeg, double altKm, double twilight);

} // namespace kiv::skyTexts
