// The time dialog's logic: fields and Julian date, factor, its clock, Greenwich time and OK.
#include "dialogs/TimeDialogModel.h"
#include "tests/support/ManualClock.h"
#include "tests/support/ScopedEnvironment.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>

using namespace kiv;
using kiv::test::ScopedTimeZone;

namespace kiv {

std::ostream& operator<<(std::ostream& out, const TimeFields& f)
{
    return out << f.year << "-" << f.month << "-" << f.day << " " << f.hour << ":" << f.minute << ":" << f.second;
}

} // namespace kiv

namespace {

constexpr const char* kCentralEurope = "CET-1CEST,M3.5.0,M10.5.0/3";
const TimeFields kSummerNoon{2024, 6, 1, 12, 0, 0};

class TimeDialogModelTest : public ::testing::Test {
protected:
    TimeDialogModel model(const TimeFields& fields = kSummerNoon, int factor = 1) { return {fields, factor, clock_}; }

    kiv::test::ManualClock clock_;
};

} // namespace

TEST_F(TimeDialogModelTest, FieldsAndJulianDateConvertBothWaysWithoutZones)
{
    std::mt19937 random(14);
    std::uniform_real_distribution<double> days(TimeDialogModel::kEarliestJulianDate, TimeDialogModel::kLatestJulianDate);
    for (const char* zone : {"UTC0", kCentralEurope, "IST-5:30"}) {
        const ScopedTimeZone tz(zone);
        std::vector<TimeFields> dates = {{2000, 2, 29, 23, 59, 59}, {1900, 2, 28, 0, 0, 0}, {2024, 3, 31, 2, 30, 0},
                                         {1000, 1, 1, 0, 0, 0},     {3000, 12, 31, 23, 59, 59}};
        TimeDialogModel m = model();
        for (int i = 0; i < 2000; ++i) {
            m.takeJulianDateText(std::to_string(days(random)));
            dates.push_back(m.fields());
        }
        for (const TimeFields& f : dates) {
            m.setFields(f);
            const QString text = m.julianDateText();
            m.setFields({});
            m.takeJulianDateText(text.toStdString());
            ASSERT_EQ(m.fields(), f) << zone << " " << text.toStdString();
        }
    }
    // Local midnight is a Julian date ending in .5, whatever the zone.
    const ScopedTimeZone tz(kCentralEurope);
    EXPECT_EQ(model({1999, 7, 22, 0, 0, 0}).julianDateText(), "2451381.500000");
}

TEST_F(TimeDialogModelTest, JulianDateOutsideItsBoundsFallsBack)
{
    struct Case {
        const char* text;
        double julianDate;
    };
    const Case cases[] = {{"1000000", 2451381.5},     {"abc", 2451381.5},       {"", 2451381.5},
                          {"3451381.5", 3451381.5},   {"3451381.6", 2451381.5}, {"1451381.5", 1451381.5},
                          {"1451381.4", 2451381.5},   {"nan", 2451381.5},       {"2460462.75", 2460462.75}};
    TimeDialogModel m = model();
    for (const Case& c : cases) {
        m.takeJulianDateText(c.text);
        EXPECT_EQ(m.julianDate(), c.julianDate) << c.text;
    }
    m.takeJulianDateText("1000000");
    EXPECT_EQ(m.fields(), (TimeFields{1999, 7, 22, 0, 0, 0}));
    m.takeJulianDateText("1451381.5"); // before the common era: the fields still follow
    EXPECT_EQ(m.fields().year, -739);
}

TEST_F(TimeDialogModelTest, ArrowsStepTenSecondsOrADay)
{
    TimeDialogModel m = model({2024, 12, 31, 23, 59, 55});
    const double start = m.julianDate();
    m.stepJulianDate(TimeDialogModel::kTimeStepDays);
    EXPECT_DOUBLE_EQ(m.julianDate(), start + 0.00011574);
    EXPECT_EQ(m.fields(), (TimeFields{2025, 1, 1, 0, 0, 5}));
    m.stepJulianDate(-TimeDialogModel::kDateStepDays);
    EXPECT_EQ(m.fields(), (TimeFields{2024, 12, 31, 0, 0, 5}));
}

TEST_F(TimeDialogModelTest, TypedFieldsPassTheirGatesInOrder)
{
    struct Case {
        FieldTexts texts;
        bool taken;
        TimeFields fields; // what the model holds afterwards
    };
    const Case cases[] = {
        {{"2025", "3", "4", "5", "6", "7"}, true, {2025, 3, 4, 5, 6, 7}},
        {{"2025", "13", "4", "5", "6", "7"}, false, {2025, 6, 1, 12, 0, 0}}, // stops at the month
        {{"2025", "3", "4", "5", "", "7"}, false, {2025, 3, 4, 5, 0, 0}},    // an empty minute stops
        {{"999", "3", "4", "5", "6", "7"}, false, kSummerNoon},
        {{"2025", "3", "4", "5x", "6", "7"}, false, {2025, 3, 4, 12, 0, 0}},
        {{" 2025 ", "+3", "31", "24", "60", "60"}, true, {2025, 3, 31, 24, 60, 60}},
    };
    for (const Case& c : cases) {
        TimeDialogModel m = model();
        const double before = m.julianDate();
        EXPECT_EQ(m.takeFieldTexts(c.texts), c.taken) << c.texts[0] << " " << c.texts[1];
        EXPECT_EQ(m.fields(), c.fields) << c.texts[1];
        EXPECT_EQ(m.julianDate() != before, c.taken);
    }
    // 24:00, :60 and the 31st of a short month carry over.
    TimeDialogModel m = model();
    m.takeFieldTexts({"2023", "2", "31", "24", "60", "60"});
    EXPECT_EQ(m.normalizedFields(), (TimeFields{2023, 3, 4, 1, 1, 0}));
}

TEST_F(TimeDialogModelTest, FactorButtonsAndTypedFactor)
{
    TimeDialogModel m = model(kSummerNoon, 86163);
    EXPECT_EQ(m.factorButton(), 4);
    const int factors[] = {1, 60, 3600, 86400, 86163, 2592000};
    for (int k = 0; k < 6; ++k) {
        m.chooseFactorButton(k);
        EXPECT_EQ(m.factor(), factors[k]);
        EXPECT_EQ(m.factorButton(), k);
    }
    struct Case {
        const char* text;
        int factor;
        std::optional<int> button;
    };
    // A backward factor checks the button of its magnitude.
    const Case cases[] = {{"3600", 3600, 2},
                          {"abc", 0, std::nullopt},
                          {"-60", -60, 1},
                          {"-86163", -86163, 4},
                          {"-7", -7, std::nullopt},
                          {"99999999999", INT_MAX, std::nullopt},
                          {"-99999999999", INT_MIN, std::nullopt},
                          {"60 s", 60, 1},
                          {"1", 1, 0}};
    for (const Case& c : cases) {
        m.takeFactorText(c.text);
        EXPECT_EQ(m.factor(), c.factor) << c.text;
        EXPECT_EQ(m.factorButton(), c.button) << c.text;
    }
    // A button keeps the clock's direction.
    m.takeFactorText("-60");
    m.chooseFactorButton(3);
    EXPECT_EQ(m.factor(), -86400);
    EXPECT_EQ(model(kSummerNoon, -3600).factorButton(), 2);
}

TEST_F(TimeDialogModelTest, OkTakesFactorsEitherWayWithinTheDocumentsBounds)
{
    const FieldTexts noon{"2024", "6", "1", "12", "0", "0"};
    const char* const range = "Please enter an integer between -31622400 and 31622400.";
    struct Case {
        const char* text;
        std::optional<int> taken; // none: refused with the message
        const char* message;
    };
    const Case cases[] = {
        {"-31622400", -31622400, ""}, {"-60", -60, ""},          {"0", 0, ""},
        {"60", 60, ""},               {"86400", 86400, ""},      {"31622401", std::nullopt, range},
        {"-31622401", std::nullopt, range}, {"abc", std::nullopt, "Please enter an integer."},
    };
    for (const Case& c : cases) {
        TimeDialogModel m = model(kSummerNoon, 3600);
        const std::optional<FieldRefusal> refusal = m.acceptTexts(noon, c.text, true);
        ASSERT_EQ(refusal.has_value(), !c.taken.has_value()) << c.text;
        if (refusal) {
            EXPECT_EQ(refusal->edit, TimeDialogModel::kFactorEdit) << c.text;
            EXPECT_EQ(refusal->message, c.message) << c.text;
            EXPECT_EQ(m.factor(), 3600) << c.text;
        } else {
            EXPECT_EQ(m.factor(), *c.taken) << c.text;
        }
    }
    EXPECT_EQ(model().acceptTexts(noon, "31622401", false)->message,
              "Bitte geben Sie eine ganze Zahl zwischen -31622400 und 31622400 ein.");
}

TEST_F(TimeDialogModelTest, DialogClockRunsByTheFactorOrInRealTime)
{
    TimeDialogModel m = model(kSummerNoon, 60);
    clock_.advanceMs(5000);
    EXPECT_FALSE(m.tick()) << "stopped at the start";
    m.setAccelerate(true);
    m.setStopTime(false);
    for (int i = 0; i < 3; ++i) {
        clock_.advanceMs(50);
        EXPECT_TRUE(m.tick());
    }
    EXPECT_EQ(m.fields(), (TimeFields{2024, 6, 1, 12, 3, 0}));

    // Factor 1 runs in real time even when accelerated: a second for each 1000 ms passed.
    m.takeFactorText("1");
    int moved = 0;
    for (int i = 0; i < 60; ++i) {
        clock_.advanceMs(50);
        moved += m.tick();
    }
    EXPECT_EQ(moved, 2);
    EXPECT_EQ(m.fields(), (TimeFields{2024, 6, 1, 12, 3, 2}));

    // Started again after a long stop, it runs on from there without catching up.
    m.setStopTime(true);
    clock_.advanceMs(60000);
    EXPECT_FALSE(m.tick());
    m.setStopTime(false);
    for (int i = 0; i < 21; ++i) {
        clock_.advanceMs(50);
        m.tick();
    }
    EXPECT_EQ(m.fields(), (TimeFields{2024, 6, 1, 12, 3, 3}));
}

TEST_F(TimeDialogModelTest, GreenwichTimeUsesTheWholeOffsetOfTheInstant)
{
    struct Case {
        const char* zone;
        TimeFields local;
        TimeFields greenwich;
    };
    const Case cases[] = {
        {"CET-1", {2024, 1, 1, 0, 30, 0}, {2023, 12, 31, 23, 30, 0}},
        {"IST-5:30", {2024, 1, 1, 10, 0, 0}, {2024, 1, 1, 4, 30, 0}},
        {"NPT-5:45", {2024, 1, 1, 10, 0, 0}, {2024, 1, 1, 4, 15, 0}},
        {"NST3:30", {2024, 1, 1, 22, 45, 0}, {2024, 1, 2, 2, 15, 0}},
        {kCentralEurope, {2024, 7, 1, 12, 0, 0}, {2024, 7, 1, 10, 0, 0}}, // summer time
        {kCentralEurope, {2024, 12, 1, 12, 0, 0}, {2024, 12, 1, 11, 0, 0}},
    };
    for (const Case& c : cases) {
        const ScopedTimeZone tz(c.zone);
        EXPECT_EQ(model(c.local).greenwich(), c.greenwich) << c.zone;
        // Converting takes the fields as Greenwich time: back to the local time.
        TimeDialogModel m = model(c.greenwich);
        m.convertGreenwichToLocal();
        EXPECT_EQ(m.fields(), c.local) << c.zone;
        EXPECT_EQ(m.julianDateText(), model(c.local).julianDateText());
    }
    const TimeFields f{2023, 12, 31, 23, 30, 5};
    EXPECT_EQ(TimeDialogModel::timeText(f), "23 : 30 : 5");
    EXPECT_EQ(TimeDialogModel::dateText(f, true), "12 / 31 / 2023");
    EXPECT_EQ(TimeDialogModel::dateText(f, false), "31 / 12 / 2023");
}

TEST_F(TimeDialogModelTest, RangeCheckTakesWhatTheSimulatedClockCan)
{
    const ScopedTimeZone tz("UTC0");
    struct Case {
        TimeFields fields;
        bool inRange;
    };
    const Case cases[] = {
        {{1970, 1, 1, 0, 0, 0}, true},        {{1969, 12, 31, 23, 59, 59}, false},
        {{2037, 12, 31, 23, 59, 59}, true},   {{2038, 1, 19, 3, 14, 8}, true},
        {{3000, 12, 31, 23, 59, 59}, true},   {{3000, 12, 31, 24, 0, 0}, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(model(c.fields).inSimulationRange(), c.inRange) << c.fields;
    const ScopedTimeZone berlin(kCentralEurope); // 00:30 local is still 1969 in Greenwich
    EXPECT_FALSE(model({1970, 1, 1, 0, 30, 0}).inSimulationRange());
}

TEST_F(TimeDialogModelTest, OkChecksEveryTypedValue)
{
    struct Case {
        FieldTexts texts;
        const char* factor;
        std::optional<int> refusedEdit;
        const char* message;
    };
    const Case cases[] = {
        {{"2024", "13", "1", "0", "0", "0"}, "1", 1, "Please enter an integer between 1 and 12."},
        {{"2024", "0", "1", "0", "0", "0"}, "1", 1, "Please enter an integer between 1 and 12."},
        {{"2101", "1", "1", "0", "0", "0"}, "1", 0, "Please enter an integer between 1900 and 2100."},
        {{"2024", "1", "32", "0", "0", "0"}, "1", 2, "Please enter an integer between 1 and 31."},
        {{"2024", "1", "1", "25", "0", "0"}, "1", 3, "Please enter an integer between 0 and 24."},
        {{"2024", "1", "1", "0", "", "0"}, "1", 4, "Please enter an integer."},
        {{"2024", "1", "1", "0", "0", "0"}, "abc", 6, "Please enter an integer."},
        {{"2024", "2", "28", "24", "60", "60"}, " 3600 ", std::nullopt, ""},
    };
    for (const Case& c : cases) {
        TimeDialogModel m = model();
        const std::optional<FieldRefusal> refusal = m.acceptTexts(c.texts, c.factor, true);
        ASSERT_EQ(refusal.has_value(), c.refusedEdit.has_value()) << c.message;
        if (refusal) {
            EXPECT_EQ(refusal->edit, *c.refusedEdit);
            EXPECT_EQ(refusal->message, c.message);
            EXPECT_EQ(m.fields(), kSummerNoon);
        }
    }
    TimeDialogModel m = model();
    ASSERT_FALSE(m.acceptTexts({"2024", "2", "28", "24", "60", "60"}, "3600", true));
    EXPECT_EQ(m.factor(), 3600);
    EXPECT_EQ(m.normalizedFields(), (TimeFields{2024, 2, 29, 1, 1, 0}));
    EXPECT_EQ(m.acceptTexts({"2024", "13", "1", "0", "0", "0"}, "1", false)->message,
              "Bitte geben Sie eine ganze Zahl zwischen 1 und 12 ein.");
}
