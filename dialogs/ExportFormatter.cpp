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
    if (!csv_)
        out += '[';
    appendAngle(out, std::fabs(latitude));
    gap(out, " ");
    out += latitude < 0.0 ? "S" : "N";
    gap(out, "   ");
    appendAngle(out, std::fabs(longitude));
    gap(out, " ");
    out += longitude < 0.0 ? "W" : "E ";
    gap(out, "] (");
    out += angleUnit_;
    gap(out, ")   ");
    appendNumber(out, lla.z * milesFactor_);
    gap(out, " ");
    out += distanceUnit_;
    if (csv_)
        out += ',';
    appendEclipse(out, orbit);
    return true;
}

bool ExportFormatter::appendECI(std::string& out, ExportOrbit& orbit) const
{
    if (!csv_)
        out += '[';
    appendVector(out, orbit.GetPos());
    gap(out, "] (");
    out += distanceUnit_;
    gap(out, ")   [");
    appendVector(out, orbit.GetVel());
    gap(out, "] (");
    out += distanceUnit_;
    out += csv_ ? "/sec," : "/sec)";
    appendEclipse(out, orbit);
    return true;
}

bool ExportFormatter::appendLook(std::string& out, const LookAngles& look) const
{
    // The text table marks decimal angles with the degree sign; minutes and seconds carry their own.
    const std::string_view degree =
        csv_ || angleFormat_ == AngleFormat::DegreesMinutesSeconds ? std::string_view() : kDegreeSign;
    if (!csv_)
        out += "Azi : ";
    appendAngle(out, look.azimuth * kLookDegrees);
    out += degree;
    gap(out, " ");
    out += angleUnit_;
    gap(out, "  Elev : ");
    appendAngle(out, look.elevation * kLookDegrees);
    out += degree;
    gap(out, " ");
    out += angleUnit_;
    gap(out, "  Range : ");
    appendNumber(out, look.range * floatMilesFactor_);
    gap(out, " ");
    out += distanceUnit_;
    gap(out, "   Rangerate : ");
    appendNumber(out, look.rangeRate * floatMilesFactor_);
    gap(out, " ");
    out += distanceUnit_;
    out += "/sec";
    out += kLineEnd;
    return true;
}

bool ExportFormatter::appendRADec(std::string& out, ExportOrbit& orbit) const
{
    const tagVECTOR raDec = orbit.RADec(observer_);
    if (!csv_)
        out += "Asc : ";
    appendField(out, FormatAngle(raDec.x * kRaDecDegrees / 15.0, 2));
    gap(out, "   Desc : ");
    appendField(out, FormatAngle(raDec.y * kRaDecDegrees, 1));
    out += kLineEnd;
    return true;
}

void ExportFormatter::gap(std::string& out, std::string_view textGap) const
{
    out += csv_ ? std::string_view(",") : textGap;
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
    appendNumber(out, v.x * floatMilesFactor_);
    gap(out, "   ");
    appendNumber(out, v.y * floatMilesFactor_);
    gap(out, "   ");
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
