#pragma once
// The text of export rows: the numbers and angles, the date or Julian-date prefix, and one row
// of each table kind from the orbit values of one propagated instant. Rows end with CR LF; the
// text is UTF-8 (the degree sign).

#include "dialogs/ExportOrbit.h"
#include "dialogs/ExportParameters.h"

#include <optional>
#include <string>
#include <string_view>

namespace kiv {

class ExportFormatter {
public:
    explicit ExportFormatter(const ExportParameters& parameters);

    // "% .30f" of the value cut (not rounded) after precision + 1 characters: the sign position,
    // integer digits, point and decimals. The integer digits are never cut.
    static std::string FormatNumber(double value, int precision);
    // Mode 1 degrees-minutes-seconds " 038°55'18\"", mode 2 hours " 13h 30m 00s", any other mode
    // "%f". Minutes and seconds are cut, not rounded; the sign is the value's, also above -1.
    static std::string FormatAngle(double value, int mode);

    // The row's beginning: its UTC date and time, or "JD=" and the Julian date.
    void AppendPrefix(std::string& out, Time rowTime, double jd) const;
    // The row of the parameters' kind for the orbit's last propagation, appended to out; false
    // (and nothing appended) when the kind leaves this instant out.
    bool AppendRow(std::string& out, ExportOrbit& orbit) const;

    // The observer as the orbit library takes it.
    const tagVECTOR& Observer() const { return observer_; }

private:
    // The satellite's look angles when the kind shows this instant: over the horizon and above
    // the twilight angle, or for the visible passes sunlit under a sky darker than it.
    std::optional<LookAngles> inSight(ExportOrbit& orbit) const;
    bool appendLLA(std::string& out, ExportOrbit& orbit) const;
    bool appendECI(std::string& out, ExportOrbit& orbit) const;
    bool appendLook(std::string& out, const LookAngles& look) const;
    bool appendRADec(std::string& out, ExportOrbit& orbit) const;
    // A number or, in the degrees-minutes-seconds format, an angle; CSV fields get their quotes.
    void appendAngle(std::string& out, double degrees) const;
    void appendNumber(std::string& out, double value) const;
    // x, y and z in the distance unit, apart by the row's gap.
    void appendVector(std::string& out, const tagVECTOR& v) const;
    void appendField(std::string& out, std::string_view text) const;
    void appendEclipse(std::string& out, ExportOrbit& orbit) const;
    // What follows a value: a comma in CSV, the text table's gap otherwise.
    void gap(std::string& out, std::string_view textGap) const;

    ExportKind kind_;
    bool csv_;
    bool datePrefix_;
    AngleFormat angleFormat_;
    int precision_;
    double milesFactor_;      // LLA: 1 or the miles per km
    double floatMilesFactor_; // ECI and the look angles hold the factor in single precision
    double twilightLimit_;    // rad
    std::string_view angleUnit_;
    std::string_view distanceUnit_;
    tagVECTOR observer_;
};

} // namespace kiv
