#include "dialogs/ExportFormatter.h"

#include "document/TimeStep.h"
#include "platform/Numbers.h"

#include <cmath>
#include <cstdint>

namespace kiv {

namespace {

constexpr double kPi = 3.141592654;                   // the tables' own value of pi
constexpr double kLookDegrees = 180.0 / kPi;          // look angles, rad to deg
constexpr double kRaDecDegrees = 57.29577950560105;   // right ascension and declination, rad to deg
constexpr double kDegToRad = 0.017453292522222223;    // the "Rad" format
constexpr double kDegToGrad = 1.1111111111111112;     // the "Grad" format
constexpr double kMilesPerKm = 0.6213766;
constexpr std::string_view kDegreeSign = "\xC2\xB0";
constexpr std::string_view kLineEnd = "\r\n";

void appendDigits(std::string& out, std::int64_t value, int width)
{
    const std::string digits = formatInt(value);
    for (int i = static_cast<int>(digits.size()); i < width; ++i)
        out += '0';
    out += digits;
}

void append2(std::string& out, int value)
{
    appendDigits(out, value, 2);
}

} // namespace

ExportFormatter::ExportFormatter(const ExportParameters& p)
    : kind_(p.kind),
      csv_(p.csv),
      datePrefix_(p.datePrefix),
      angleFormat_(p.angleFormat),
      precision_(p.precision),
      milesFactor_(p.useKm ? 1.0 : kMilesPerKm),
      floatMilesFactor_(p.useKm ? 1.0 : static_cast<double>(static_cast<float>(kMilesPerKm))),
      twilightLimit_(p.twilightAngle * kPi / 180.0),
      angleUnit_(p.angleFormat == AngleFormat::Radians ? "Rad" : p.angleFormat == AngleFormat::Grads ? "Grad" : "Deg"),
      distanceUnit_(p.useKm ? "km" : "Miles"),
      observer_{p.observerLatitude * kPi / 180.0, CSGP4_SDP4::Modulus(p.observerLongitude, 360.0) * kPi / 180.0,
                p.observerAltitude / 1000.0, 0.0}
{
}

std::string ExportFormatter::FormatNumber(double value, int precision)
{
    std::string text = formatFixed(value, 30);
    if (text.empty() || text.front() != '-')
        text.insert(text.begin(), ' ');
    const std::size_t point = text.find('.');
    if (point == std::string::npos)
        return text; // inf, nan
    const std::size_t keep = std::max<std::size_t>(static_cast<std::size_t>(std::max(precision, 0)) + 1, point);
    if (keep < text.size())
        text.resize(keep);
    return text;
}

std::string ExportFormatter::FormatAngle(double value, int mode)
{
    if ((mode != 1 && mode != 2) || !std::isfinite(value))
        return formatFixed(value, 6);
    const double magnitude = std::fabs(value);
    const double whole = std::trunc(magnitude);
    const double fraction = (magnitude - whole) * 60.0;
    const double minutes = std::trunc(fraction);
    const double seconds = std::trunc((fraction - minutes) * 60.0);
    std::string text(1, std::signbit(value) && magnitude > 0.0 ? '-' : ' ');
    if (mode == 1) {
        appendDigits(text, static_cast<std::int64_t>(whole), 3);
        text += kDegreeSign;
        append2(text, static_cast<int>(minutes));
        text += '\'';
        append2(text, static_cast<int>(seconds));
        text += '"';
    } else {
        appendDigits(text, static_cast<std::int64_t>(whole), 2);
        text += "h ";
        append2(text, static_cast<int>(minutes));
        text += "m ";
        append2(text, static_cast<int>(seconds));
        text += 's';
    }
    return text;
}

void ExportFormatter::AppendPrefix(std::string& out, Time rowTime, double jd) const
{
    if (!datePrefix_) {
        out += "JD=";
        out += formatFixed(jd, 6);
        out += csv_ ? "," : "   ";
        return;
    }
    const orbit::UtcCalendar c = rowTime.utcCalendar();
    const char* gap = csv_ ? "," : " ";
    out += formatInt(c.year);
    out += gap;
    out += monthAbbreviation(c.month, false);
    out += gap;
    append2(out, c.day);
    out += csv_ ? "," : "  ";
    append2(out, c.hour);
    out += ':';
    append2(out, c.minute);
    out += ':';
    append2(out, c.second);
    out += csv_ ? "," : "   ";
}

bool ExportFormatter::AppendRow(std::string& out, ExportOrbit& orbit) const
{
    switch (kind_) {
    case ExportKind::ECI:
        return appendECI(out, orbit);
    case ExportKind::OBS:
    case ExportKind::VOB: {
        const std::optional<LookAngles> look = inSight(orbit);
        return look && appendLook(out, *look);
    }
    case ExportKind::RAD:
    case ExportKind::VRD:
        return inSight(orbit) && appendRADec(out, orbit);
    case ExportKind::Main:
    case ExportKind::LLA:
        break;
    }
    return appendLLA(out, orbit);
}

std::optional<LookAngles> ExportFormatter::inSight(ExportOrbit& orbit) const
{
    const bool visiblePass = kind_ == ExportKind::VOB || kind_ == ExportKind::VRD;
    // The sun and the shadow first: the orbit's look at the satellite comes last.
    const double sunElevation = visiblePass ? orbit.SunLook(observer_).elevation : 0.0;
    const bool eclipsed = visiblePass && orbit.Eclipsed();
    const LookAngles look = orbit.SatelliteLook(observer_);
    const bool seen = visiblePass ? !eclipsed && sunElevation < twilightLimit_ : look.elevation >= twilightLimit_;
    if (!look.visible || !seen)
        return std::nullopt;
    return look;
}

bool ExportFormatter::appendLLA(std::string& out, ExportOrbit& orbit) const
{
    const tagVECTOR lla = orbit.LatLonAlt();
    const double latitude = lla.x;
    const double longitude = lla.y >= 180.0 ? lla.y - 360.0 : lla.y;
    const std::string_view ns = latitude < 0.0 ? "S" : "N";
    const std::string_view ew = longitude < 0.0 ? "W" : "E ";
    const double altitude = lla.z * milesFactor_;
    if (csv_) {
        appendAngle(out, std::fabs(latitude));
        out += ',';
        out += ns;
        out += ',';
        appendAngle(out, std::fabs(longitude));
        out += ',';
        out += ew;
        out += ',';
        out += angleUnit_;
        out += ',';
        appendNumber(out, altitude);
        out += ',';
        out += distanceUnit_;
        out += ',';
    } else {
        out += '[';
        appendAngle(out, std::fabs(latitude));
        out += ' ';
        out += ns;
        out += "   ";
        appendAngle(out, std::fabs(longitude));
        out += ' ';
        out += ew;
        out += "] (";
        out += angleUnit_;
        out += ")   ";
        appendNumber(out, altitude);
        out += ' ';
        out += distanceUnit_;
    }
    appendEclipse(out, orbit);
    return true;
}

bool ExportFormatter::appendECI(std::string& out, ExportOrbit& orbit) const
{
    const tagVECTOR p = orbit.GetPos();
    const tagVECTOR v = orbit.GetVel();
    if (!csv_)
        out += '[';
    appendVector(out, p);
    if (csv_) {
        out += ',';
        out += distanceUnit_;
        out += ',';
    } else {
        out += "] (";
        out += distanceUnit_;
        out += ")   [";
    }
    appendVector(out, v);
    if (csv_) {
        out += ',';
        out += distanceUnit_;
        out += "/sec,";
    } else {
        out += "] (";
        out += distanceUnit_;
        out += "/sec)";
    }
    appendEclipse(out, orbit);
    return true;
}

bool ExportFormatter::appendLook(std::string& out, const LookAngles& look) const
{
    const double azimuth = look.azimuth * kLookDegrees;
    const double elevation = look.elevation * kLookDegrees;
    const double range = look.range * floatMilesFactor_;
    const double rate = look.rangeRate * floatMilesFactor_;
    if (csv_) {
        appendAngle(out, azimuth);
        out += ',';
        out += angleUnit_;
        out += ',';
        appendAngle(out, elevation);
        out += ',';
        out += angleUnit_;
        out += ',';
        appendNumber(out, range);
        out += ',';
        out += distanceUnit_;
        out += ',';
        appendNumber(out, rate);
        out += ',';
    } else {
        const std::string_view degree = angleFormat_ == AngleFormat::DegreesMinutesSeconds ? "" : kDegreeSign;
        out += "Azi : ";
        appendAngle(out, azimuth);
        out += degree;
        out += ' ';
        out += angleUnit_;
        out += "  Elev : ";
        appendAngle(out, elevation);
        out += degree;
        out += ' ';
        out += angleUnit_;
        out += "  Range : ";
        appendNumber(out, range);
        out += ' ';
        out += distanceUnit_;
        out += "   Rangerate : ";
        appendNumber(out, rate);
        out += ' ';
    }
    out += distanceUnit_;
    out += "/sec";
    out += kLineEnd;
    return true;
}

bool ExportFormatter::appendRADec(std::string& out, ExportOrbit& orbit) const
{
    const tagVECTOR raDec = orbit.RADec(observer_);
    const double hours = raDec.x * kRaDecDegrees / 15.0;
    const double declination = raDec.y * kRaDecDegrees;
    if (csv_) {
        appendField(out, FormatAngle(hours, 2));
        out += ',';
        appendField(out, FormatAngle(declination, 1));
    } else {
        out += "Asc : ";
        out += FormatAngle(hours, 2);
        out += "   Desc : ";
        out += FormatAngle(declination, 1);
    }
    out += kLineEnd;
    return true;
}

void ExportFormatter::appendAngle(std::string& out, double degrees) const
{
    switch (angleFormat_) {
    case AngleFormat::DegreesMinutesSeconds:
        appendField(out, FormatAngle(degrees, 1));
        return;
    case AngleFormat::Radians:
        appendNumber(out, degrees * kDegToRad);
        return;
    case AngleFormat::Grads:
        appendNumber(out, degrees * kDegToGrad);
        return;
    case AngleFormat::Degrees:
        break;
    }
    appendNumber(out, degrees);
}

void ExportFormatter::appendVector(std::string& out, const tagVECTOR& v) const
{
    const char* gap = csv_ ? "," : "   ";
    appendNumber(out, v.x * floatMilesFactor_);
    out += gap;
    appendNumber(out, v.y * floatMilesFactor_);
    out += gap;
    appendNumber(out, v.z * floatMilesFactor_);
}

void ExportFormatter::appendNumber(std::string& out, double value) const
{
    out += FormatNumber(value, precision_);
}

void ExportFormatter::appendField(std::string& out, std::string_view text) const
{
    if (!csv_ || text.find('"') == std::string_view::npos) {
        out += text;
        return;
    }
    out += '"';
    for (const char c : text) {
        out += c;
        if (c == '"')
            out += '"';
    }
    out += '"';
}

void ExportFormatter::appendEclipse(std::string& out, ExportOrbit& orbit) const
{
    if (orbit.Eclipsed())
        out += " ECL";
    out += kLineEnd;
}

} // namespace kiv
