// Export tables: numbers and angles, each kind's rows against values worked out by hand, row
// counts, row conditions, failures, and the real orbit library over one day.
#include "dialogs/ExportFormatter.h"
#include "dialogs/ExportGenerator.h"
#include "dialogs/LibraryExportOrbit.h"
#include "orbit/ElementSet.h"
#include "tests/support/TleWriter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <regex>
#include <sstream>
#include <utility>

using namespace kiv;

namespace {

const Time kNoon = Time::fromUtc({2010, 3, 3, 12, 0, 0});

// Fixed orbit values; one satellite may fail from a Julian date on.
class StubOrbit final : public ExportOrbit {
public:
    void SetSatellite(const tagSATELLITE& s) override { current = s.name; }
    bool SGP(double jd) override
    {
        if (current == failing && jd >= failFrom)
            return false;
        ++propagations;
        return true;
    }
    tagVECTOR GetPos() const override { return pos; }
    tagVECTOR GetVel() const override { return vel; }
    tagVECTOR LatLonAlt() override { return lla; }
    bool Eclipsed() override { return eclipsed; }
    LookAngles SatelliteLook(const tagVECTOR& observer) override
    {
        lastObserver = observer;
        return look;
    }
    LookAngles SunLook(const tagVECTOR&) override { return sun; }
    tagVECTOR RADec(const tagVECTOR&) override { return raDec; }

    tagVECTOR pos{1000.0, -2000.5, 3000.25, 0.0};
    tagVECTOR vel{1.5, -2.25, 7.125, 0.0};
    tagVECTOR lla{static_cast<double>(38.9217f), 282.9333, 357.5, 0.0};
    bool eclipsed = false;
    LookAngles look{true, 1.2, 0.4, 1500.0, -2.5};
    LookAngles sun{true, 0.0, -0.5, 0.0, 0.0};
    tagVECTOR raDec{1.0, -0.2, 0.0, 0.0};
    std::string failing;
    double failFrom = std::numeric_limits<double>::infinity();
    std::string current;
    tagVECTOR lastObserver;
    int propagations = 0;
};

tagSATELLITE record(const std::string& name)
{
    return orbit::makeSatelliteRecord(name, std::nullopt);
}

ExportParameters parameters(ExportKind kind, bool csv, std::vector<std::string> names = {"SAT"})
{
    ExportParameters p;
    p.kind = kind;
    p.csv = csv;
    p.start = kNoon;
    p.end = kNoon;
    for (const std::string& name : names)
        p.satellites.push_back(record(name));
    return p;
}

// The rows of a text, name lines included, without their line ends.
std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> out;
    std::size_t from = 0;
    for (std::size_t end; (end = text.find("\r\n", from)) != std::string::npos; from = end + 2)
        out.push_back(text.substr(from, end - from));
    return out;
}

} // namespace

TEST(ExportFormatterTest, NumbersAreCutAfterPrecisionCharactersButKeepTheirIntegerDigits)
{
    struct Case {
        double value;
        int precision;
        const char* text;
    } const cases[] = {
        {38.92169952, 7, " 38.9216"}, {38.9, 3, " 38."}, {38.9, 1, " 38"}, {-77.0667, 7, "-77.0666"},
        {40000.0, 3, " 40000"},       {-40000.0, 5, "-40000"}, {100000.0, 7, " 100000."}, {-0.25, 4, "-0.25"},
        {0.5, 30, " 0.5000000000000000000000000000"},     {0.999999999, 5, " 0.999"},  {0.0, 2, " 0."},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ExportFormatter::FormatNumber(c.value, c.precision), c.text) << c.value << " at " << c.precision;
}

TEST(ExportFormatterTest, AnglesInDegreesMinutesSecondsAndHoursKeepTheirSign)
{
    struct Case {
        double value;
        int mode;
        const char* text;
    } const cases[] = {
        {38.9217, 1, " 038\xC2\xB0" "55'18\""}, {-5.5, 1, "-005\xC2\xB0" "30'00\""},
        {-0.5, 1, "-000\xC2\xB0" "30'00\""},    {0.0, 1, " 000\xC2\xB0" "00'00\""},
        {179.999, 1, " 179\xC2\xB0" "59'56\""}, {13.5, 2, " 13h 30m 00s"},
        {-0.25, 2, "-00h 15m 00s"},             {23.999, 2, " 23h 59m 56s"},
        {12.25, 0, "12.250000"},                {-3.5, 3, "-3.500000"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ExportFormatter::FormatAngle(c.value, c.mode), c.text) << c.value << " mode " << c.mode;
}

TEST(ExportFormatterTest, WorkedRowsAndPrefixes)
{
    StubOrbit orbit;
    for (const bool csv : {true, false}) {
        ExportParameters p = parameters(ExportKind::LLA, csv);
        const ExportOutput out = ExportGenerator::Generate(orbit, p);
        const std::string row = csv ? "2010,Mar,03,12:00:00, 38.9216,N, 77.0667,W,Deg, 222.142,Miles,"
                                    : "2010 Mar 03  12:00:00   [ 38.9216 N    77.0667 W] (Deg)    222.142 Miles";
        EXPECT_EQ(out.text, "SAT\r\n" + row + "\r\n\r\n");
        p.datePrefix = false;
        const std::string jdRow = lines(ExportGenerator::Generate(orbit, p).text).at(1);
        EXPECT_EQ(jdRow.substr(0, csv ? 18 : 20), csv ? "JD=2455259.000000," : "JD=2455259.000000   ");
    }
}

TEST(ExportFormatterTest, RowsOfEveryKindAndOption)
{
    struct Case {
        ExportKind kind;
        bool csv;
        bool km;
        AngleFormat format;
        bool eclipsed;
        const char* row; // after the date prefix
    } const cases[] = {
        {ExportKind::LLA, true, true, AngleFormat::Degrees, false, " 12.5000,S, 160.000,W,Deg, 400.000,km,"},
        {ExportKind::LLA, false, true, AngleFormat::Degrees, true, "[ 12.5000 S    160.000 W] (Deg)    400.000 km ECL"},
        {ExportKind::LLA, true, true, AngleFormat::Degrees, true, " 12.5000,S, 160.000,W,Deg, 400.000,km, ECL"},
        {ExportKind::LLA, true, true, AngleFormat::DegreesMinutesSeconds, false,
         "\" 012\xC2\xB0" "30'00\"\"\",S,\" 160\xC2\xB0" "00'00\"\"\",W,Deg, 400.000,km,"},
        {ExportKind::LLA, true, true, AngleFormat::Radians, false, " 0.21816,S, 2.79252,W,Rad, 400.000,km,"},
        {ExportKind::ECI, true, true, AngleFormat::Degrees, false,
         " 1000.00,-2000.50, 3000.25,km, 1.50000,-2.25000, 7.12500,km/sec,"},
        {ExportKind::ECI, false, true, AngleFormat::Grads, true,
         "[ 1000.00   -2000.50    3000.25] (km)   [ 1.50000   -2.25000    7.12500] (km/sec) ECL"},
        {ExportKind::OBS, true, true, AngleFormat::Degrees, false, " 68.7549,Deg, 22.9183,Deg, 1500.00,km,-2.50000,km/sec"},
        {ExportKind::OBS, true, false, AngleFormat::Degrees, false,
         " 68.7549,Deg, 22.9183,Deg, 932.064,Miles,-1.55344,Miles/sec"},
        {ExportKind::OBS, true, true, AngleFormat::Radians, false, " 1.20000,Rad, 0.40000,Rad, 1500.00,km,-2.50000,km/sec"},
        {ExportKind::OBS, true, true, AngleFormat::Grads, false, " 76.3943,Grad, 25.4647,Grad, 1500.00,km,-2.50000,km/sec"},
        {ExportKind::OBS, false, true, AngleFormat::Degrees, false,
         "Azi :  68.7549\xC2\xB0 Deg  Elev :  22.9183\xC2\xB0 Deg  Range :  1500.00 km   Rangerate : -2.50000 km/sec"},
        {ExportKind::OBS, false, true, AngleFormat::DegreesMinutesSeconds, false,
         "Azi :  068\xC2\xB0" "45'17\" Deg  Elev :  022\xC2\xB0" "55'05\" Deg  Range :  1500.00 km   Rangerate : -2.50000 km/sec"},
        {ExportKind::VOB, true, true, AngleFormat::Degrees, false, " 68.7549,Deg, 22.9183,Deg, 1500.00,km,-2.50000,km/sec"},
        {ExportKind::RAD, true, true, AngleFormat::Degrees, false, " 03h 49m 10s,\"-011\xC2\xB0" "27'32\"\"\""},
        {ExportKind::RAD, true, false, AngleFormat::Radians, false, " 03h 49m 10s,\"-011\xC2\xB0" "27'32\"\"\""},
        {ExportKind::RAD, false, false, AngleFormat::Grads, false, "Asc :  03h 49m 10s   Desc : -011\xC2\xB0" "27'32\""},
        {ExportKind::VRD, false, true, AngleFormat::Degrees, false, "Asc :  03h 49m 10s   Desc : -011\xC2\xB0" "27'32\""},
    };
    for (const Case& c : cases) {
        StubOrbit orbit;
        orbit.lla = {-12.5, 200.0, 400.0, 0.0};
        orbit.eclipsed = c.eclipsed;
        ExportParameters p = parameters(c.kind, c.csv);
        p.useKm = c.km;
        p.angleFormat = c.format;
        const std::string prefix = c.csv ? "2010,Mar,03,12:00:00," : "2010 Mar 03  12:00:00   ";
        EXPECT_EQ(lines(ExportGenerator::Generate(orbit, p).text).at(1), prefix + c.row)
            << "kind " << static_cast<int>(c.kind) << (c.csv ? " csv" : " text");
    }
}

TEST(ExportFormatterTest, EastAndTheObserverAsTheLibraryTakesIt)
{
    StubOrbit orbit;
    orbit.lla = {0.0, 10.0, 0.0, 0.0};
    ExportParameters p = parameters(ExportKind::LLA, true);
    p.useKm = true;
    EXPECT_EQ(lines(ExportGenerator::Generate(orbit, p).text).at(1), "2010,Mar,03,12:00:00, 0.00000,N, 10.0000,E ,Deg, 0.00000,km,");

    p.kind = ExportKind::OBS;
    p.observerLatitude = 45.0;
    p.observerLongitude = -90.0;
    p.observerAltitude = 1500.0;
    ExportGenerator::Generate(orbit, p);
    EXPECT_DOUBLE_EQ(orbit.lastObserver.x, 45.0 * 3.141592654 / 180.0);
    EXPECT_DOUBLE_EQ(orbit.lastObserver.y, 270.0 * 3.141592654 / 180.0);
    EXPECT_DOUBLE_EQ(orbit.lastObserver.z, 1.5);
}

TEST(ExportGeneratorTest, RowConditionsOfTheLookAngleKinds)
{
    const double limit = -6.0 * 3.141592654 / 180.0;
    struct Case {
        ExportKind kind;
        bool visible;
        double elevation;
        bool eclipsed;
        double sunElevation;
        bool row;
    } const cases[] = {
        {ExportKind::OBS, true, 0.1, false, 1.0, true},    {ExportKind::OBS, false, 0.1, false, -1.0, false},
        {ExportKind::OBS, true, limit, true, 1.0, true},   {ExportKind::OBS, true, limit - 1e-9, false, -1.0, false},
        {ExportKind::RAD, true, 0.1, true, 1.0, true},     {ExportKind::RAD, false, 0.1, false, -1.0, false},
        {ExportKind::VOB, true, 0.1, false, -1.0, true},   {ExportKind::VOB, true, 0.1, true, -1.0, false},
        {ExportKind::VOB, true, 0.1, false, limit, false}, {ExportKind::VOB, false, 0.1, false, -1.0, false},
        {ExportKind::VOB, true, -0.5, false, -1.0, true},  {ExportKind::VRD, true, 0.1, false, -1.0, true},
        {ExportKind::VRD, true, 0.1, false, 0.0, false},   {ExportKind::VRD, true, 0.1, true, -1.0, false},
        {ExportKind::LLA, false, -1.0, true, 1.0, true},   {ExportKind::ECI, false, -1.0, true, 1.0, true},
    };
    for (const Case& c : cases) {
        StubOrbit orbit;
        orbit.look.visible = c.visible;
        orbit.look.elevation = c.elevation;
        orbit.eclipsed = c.eclipsed;
        orbit.sun.elevation = c.sunElevation;
        const ExportOutput out = ExportGenerator::Generate(orbit, parameters(c.kind, false));
        EXPECT_EQ(out.rows, c.row ? 1 : 0) << "kind " << static_cast<int>(c.kind) << " elevation " << c.elevation;
        // A satellite without rows still has its name line and the empty line.
        EXPECT_EQ(lines(out.text).size(), c.row ? 3U : 2U);
    }
}

TEST(ExportGeneratorTest, RowCountsComeFromWholeSeconds)
{
    struct Case {
        std::int64_t span;
        std::int64_t step;
        std::int64_t rows;
    } const cases[] = {{0, 60, 1}, {86400, 3600, 25}, {1000 * 60, 60, 1001}, {59, 60, 1}, {3599, 3600, 1}, {7, 2, 4}};
    StubOrbit orbit;
    for (const Case& c : cases) {
        ExportParameters p = parameters(ExportKind::LLA, true);
        p.end = p.start + c.span;
        p.stepSeconds = c.step;
        EXPECT_EQ(ExportGenerator::StepCount(p) + 1, c.rows);
        EXPECT_EQ(ExportGenerator::Generate(orbit, p).rows, c.rows) << c.span << " / " << c.step;
    }
    // Ranges that are whole numbers of steps never lose their last row.
    std::mt19937_64 random(19);
    std::uniform_int_distribution<std::int64_t> starts(Time::fromUtc({1990, 1, 1}).secondsSince1970(),
                                                       Time::fromUtc({2090, 1, 1}).secondsSince1970());
    std::uniform_int_distribution<std::int64_t> counts(0, 300);
    std::uniform_int_distribution<std::int64_t> steps(1, 7200);
    for (int i = 0; i < 200; ++i) {
        ExportParameters p = parameters(ExportKind::LLA, true);
        p.start = Time(starts(random));
        p.stepSeconds = i % 2 ? 60 : steps(random);
        const std::int64_t n = counts(random);
        p.end = p.start + n * p.stepSeconds;
        ASSERT_EQ(ExportGenerator::Generate(orbit, p).rows, n + 1) << p.start.secondsSince1970() << " step " << p.stepSeconds;
    }
}

TEST(ExportGeneratorTest, RowTimesAdvanceByTheStep)
{
    StubOrbit orbit;
    ExportParameters p = parameters(ExportKind::LLA, true);
    p.start = Time::fromUtc({2023, 12, 31, 23, 0, 0});
    p.end = p.start + 2 * 5400;
    p.stepSeconds = 5400;
    const std::vector<std::string> rows = lines(ExportGenerator::Generate(orbit, p).text);
    ASSERT_EQ(rows.size(), 5U);
    EXPECT_EQ(rows[1].substr(0, 21), "2023,Dec,31,23:00:00,");
    EXPECT_EQ(rows[2].substr(0, 21), "2024,Jan,01,00:30:00,");
    EXPECT_EQ(rows[3].substr(0, 21), "2024,Jan,01,02:00:00,");
    p.datePrefix = false;
    EXPECT_EQ(lines(ExportGenerator::Generate(orbit, p).text)[3].substr(0, 18), "JD=2460310.583333,");
}

TEST(ExportGeneratorTest, AFailedSatelliteKeepsItsEarlierRowsAndTheOthersGoOn)
{
    StubOrbit orbit;
    ExportParameters p = parameters(ExportKind::LLA, false, {"FIRST", "DECAYED", "LAST"});
    p.end = p.start + 10 * 3600;
    orbit.failing = "DECAYED";
    orbit.failFrom = p.start.julianDate() + 3.5 / 24.0;
    const ExportOutput out = ExportGenerator::Generate(orbit, p);
    ASSERT_EQ(out.failures.size(), 1U);
    EXPECT_EQ(out.failures[0].satellite, "DECAYED");
    EXPECT_EQ(out.failures[0].time, p.start + 4 * 3600);
    EXPECT_EQ(out.rows, 11 + 4 + 11);
    const std::vector<std::string> rows = lines(out.text);
    ASSERT_EQ(rows.size(), 3U * 2 + 26);
    EXPECT_EQ(rows[13], "DECAYED");
    EXPECT_EQ(rows[18], "");
    EXPECT_EQ(rows[19], "LAST");
}

TEST(ExportGeneratorTest, RefusesBadStepsReversedRangesAndHugeTables)
{
    ExportParameters p = parameters(ExportKind::LLA, true, {"A", "B"});
    p.end = p.start + 86400;
    EXPECT_FALSE(ExportGenerator::Check(p));
    p.stepSeconds = 0;
    EXPECT_EQ(ExportGenerator::Check(p), ExportRefusal::StepNotPositive);
    p.stepSeconds = -60;
    EXPECT_EQ(ExportGenerator::Check(p), ExportRefusal::StepNotPositive);
    p.stepSeconds = 60;
    p.end = p.start - 1;
    EXPECT_EQ(ExportGenerator::Check(p), ExportRefusal::EndBeforeStart);

    p.end = p.start + (ExportGenerator::kMaxTotalRows / 2 - 1) * 60;
    EXPECT_EQ(ExportGenerator::TotalRows(p), ExportGenerator::kMaxTotalRows);
    EXPECT_FALSE(ExportGenerator::Check(p));
    p.end = p.end + 60;
    EXPECT_EQ(ExportGenerator::Check(p), ExportRefusal::TooManyRows);

    // Counts past 32 bits stay positive; the total saturates.
    p.stepSeconds = 1;
    p.end = Time(std::numeric_limits<std::int64_t>::max() / 4);
    p.start = Time(0);
    EXPECT_GT(ExportGenerator::StepCount(p), std::int64_t{1} << 40);
    p.satellites.resize(255, p.satellites[0]);
    EXPECT_EQ(ExportGenerator::TotalRows(p), std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(ExportGenerator::Check(p), ExportRefusal::TooManyRows);
    StubOrbit orbit;
    EXPECT_TRUE(ExportGenerator::Generate(orbit, p).text.empty());
    EXPECT_EQ(orbit.propagations, 0);
}

// The real orbit library over one day of a low satellite.
TEST(ExportGeneratorTest, RealOrbitRowsHoldTogether)
{
    const test::Tle tle = test::makeTle("LEO", test::Elements{.epochYear = 10, .epochDay = 62.0});
    const auto elements = orbit::parseElementSet(tle.line1, tle.line2);
    ASSERT_TRUE(elements);
    ExportParameters p;
    p.satellites.push_back(orbit::makeSatelliteRecord(tle.name, elements));
    p.start = kNoon;
    p.end = kNoon + 86400;
    p.stepSeconds = 300;
    p.csv = true;
    p.useKm = true;
    LibraryExportOrbit orbit;

    const std::regex number(R"([ -]\d+\.?\d*)");
    for (int kind = 1; kind <= 6; ++kind) {
        p.kind = static_cast<ExportKind>(kind);
        const std::vector<std::string> rows = lines(ExportGenerator::Generate(orbit, p).text);
        std::size_t columns = 0;
        for (std::size_t i = 1; i + 1 < rows.size(); ++i) {
            const std::string& row = rows[i];
            const std::size_t n = std::count(row.begin(), row.end(), ',');
            if (columns == 0)
                columns = n;
            EXPECT_EQ(n, columns) << row;
        }
        if (p.kind == ExportKind::RAD) {
            EXPECT_GT(rows.size(), 2U);
            const std::regex raDec(R"re(^\d{4},\w{3},\d\d,\d\d:\d\d:\d\d, (\d\d)h \d\dm \d\ds,"([ -])(\d{3})°\d\d'\d\d""".*)re");
            for (std::size_t i = 1; i + 1 < rows.size(); ++i) {
                std::smatch m;
                ASSERT_TRUE(std::regex_match(rows[i], m, raDec)) << rows[i];
                EXPECT_LT(std::stoi(m[1]), 24);
                EXPECT_LE(std::stoi(m[3]), 90);
            }
        }
    }

    // The altitude follows the distance from the earth's centre; ECL only in the shadow.
    p.kind = ExportKind::LLA;
    const std::vector<std::string> lla = lines(ExportGenerator::Generate(orbit, p).text);
    p.kind = ExportKind::ECI;
    const std::vector<std::string> eci = lines(ExportGenerator::Generate(orbit, p).text);
    ASSERT_EQ(lla.size(), eci.size());
    int eclipsed = 0;
    for (std::size_t i = 1; i + 1 < lla.size(); ++i) {
        std::vector<double> l, e;
        for (std::sregex_iterator it(lla[i].begin() + 21, lla[i].end(), number), end; it != end; ++it)
            l.push_back(std::stod(it->str()));
        for (std::sregex_iterator it(eci[i].begin() + 21, eci[i].end(), number), end; it != end; ++it)
            e.push_back(std::stod(it->str()));
        ASSERT_EQ(l.size(), 3U) << lla[i];
        ASSERT_EQ(e.size(), 6U) << eci[i];
        const double radius = std::sqrt(e[0] * e[0] + e[1] * e[1] + e[2] * e[2]);
        EXPECT_NEAR(l[2], radius - 6378.0, 25.0) << lla[i];
        const bool ecl = lla[i].ends_with(" ECL");
        EXPECT_EQ(ecl, eci[i].ends_with(" ECL"));
        eclipsed += ecl ? 1 : 0;
    }
    EXPECT_GT(eclipsed, 0);
    EXPECT_LT(eclipsed, static_cast<int>(lla.size()) - 2);

    // Miles: the LLA factor in double, the ECI factor in single precision.
    p.useKm = false;
    p.precision = 14;
    p.kind = ExportKind::LLA;
    const std::vector<std::string> llaMiles = lines(ExportGenerator::Generate(orbit, p).text);
    p.kind = ExportKind::ECI;
    const std::vector<std::string> eciMiles = lines(ExportGenerator::Generate(orbit, p).text);
    p.useKm = true;
    const std::vector<std::string> eciKm = lines(ExportGenerator::Generate(orbit, p).text);
    p.kind = ExportKind::LLA;
    const std::vector<std::string> llaKm = lines(ExportGenerator::Generate(orbit, p).text);
    auto field = [](const std::string& row, int index) {
        std::stringstream s(row);
        std::string f;
        for (int i = 0; i <= index; ++i)
            std::getline(s, f, ',');
        return std::stod(f);
    };
    EXPECT_NEAR(field(llaMiles[5], 9) / field(llaKm[5], 9), 0.6213766, 1e-10);
    EXPECT_NEAR(field(eciMiles[5], 4) / field(eciKm[5], 4), static_cast<double>(0.6213766f), 1e-10);
}

// A table made piece by piece is the table made at once, whatever the pieces: with a failing
// satellite, left-out rows, and the real library's deep-space and low orbits.
TEST(ExportGeneratorTest, PiecesOfAnySizeAddUpToTheWholeTable)
{
    const auto inPieces = [](ExportOrbit& orbit, const ExportParameters& p, std::int64_t steps) {
        ExportGenerator generator(orbit, p);
        std::string text;
        while (generator.Continue(steps))
            text += std::exchange(generator.Output().text, std::string());
        text += generator.Output().text;
        return std::make_pair(text, generator.Output().failures.size());
    };
    StubOrbit stub;
    ExportParameters p = parameters(ExportKind::VOB, false, {"FIRST", "DECAYED", "LAST"});
    p.end = p.start + 10 * 3600;
    stub.failing = "DECAYED";
    stub.failFrom = p.start.julianDate() + 3.5 / 24.0;
    const ExportOutput whole = ExportGenerator::Generate(stub, p);
    ASSERT_EQ(whole.failures.size(), 1U);
    for (const std::int64_t steps : {1, 2, 4, 5, 11, 12, 1000})
        EXPECT_EQ(inPieces(stub, p, steps), std::make_pair(whole.text, std::size_t{1})) << steps;

    LibraryExportOrbit orbit;
    const test::Tle geo = test::makeTle("GEO", test::Elements{.eccentricity = 0.0002, .meanMotion = 1.0027});
    const test::Tle low = test::makeTle("LOW", test::Elements{.catalogNumber = 2});
    ExportParameters real;
    for (const test::Tle& t : {geo, low})
        real.satellites.push_back(orbit::makeSatelliteRecord(t.name, orbit::parseElementSet(t.line1, t.line2)));
    real.start = Time::fromUtc({2024, 4, 10, 0, 0, 0});
    real.end = real.start + 86400;
    real.stepSeconds = 60;
    for (const ExportKind kind : {ExportKind::LLA, ExportKind::OBS}) {
        real.kind = kind;
        const std::string text = ExportGenerator::Generate(orbit, real).text;
        EXPECT_EQ(inPieces(orbit, real, 7).first, text);
        EXPECT_EQ(inPieces(orbit, real, 1441).first, text);
    }
}
