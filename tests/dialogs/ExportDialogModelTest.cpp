// The export dialog's logic: labels and toggles, the typed range and its checks, which controls a
// kind uses, the carried state of a rebuild, the suggested file names and the observer's town.
#include "dialogs/ExportDialogModel.h"
#include "tests/support/DocumentFixture.h"

using namespace kiv;
using namespace kiv::test;

namespace {

ExportEditTexts texts(const ExportDialogModel& model)
{
    return model.Texts();
}

std::int64_t utc(int y, int mo, int d, int h = 0, int mi = 0, int s = 0)
{
    return Time::fromUtc({y, mo, d, h, mi, s}).secondsSince1970();
}

} // namespace

TEST(ExportDialogModelTest, LabelsFollowEveryToggleInBothLanguages)
{
    for (const bool english : {true, false}) {
        ExportDialogModel m(ExportState{}, english);
        EXPECT_EQ(m.Labels().output, english ? "Text file" : "Text Datei");
        m.ToggleUnits();
        m.ToggleOutput();
        m.ToggleInputTime();
        m.ToggleDatePrefix();
        const ExportToggleLabels l = m.Labels();
        EXPECT_EQ(l.units, "Km");
        EXPECT_EQ(l.output, english ? "Excel file" : "Excel Datei");
        EXPECT_EQ(l.inputTime, english ? "Input time is Local - time" : "Eingabe Zeit ist Lokale Zeit");
        EXPECT_EQ(l.datePrefix, "Julian");
    }
    ExportDialogModel m(ExportState{}, true);
    const std::pair<const char*, float> twilight[] = {{"Nautic", -12.0f}, {"Astronomic", -18.0f}, {"Civil", -6.0f}};
    for (const auto& [label, angle] : twilight) {
        m.CycleTwilight();
        EXPECT_EQ(m.Labels().twilight, label);
        EXPECT_EQ(m.TwilightAngle(), angle);
    }
    for (const char* label : {"Deg 2", "Rad", "Grad", "Deg 1"}) {
        m.CycleAngleFormat();
        EXPECT_EQ(m.Labels().angleFormat, label);
    }
}

TEST(ExportDialogModelTest, KindsUseTheirControls)
{
    const bool observer[] = {true, false, false, true, true, true, true};
    const bool angle[] = {true, true, false, true, true, false, false};
    for (int kind = 0; kind <= 6; ++kind) {
        EXPECT_EQ(ExportDialogModel::UsesObserver(static_cast<ExportKind>(kind)), observer[kind]) << kind;
        EXPECT_EQ(ExportDialogModel::UsesAngleFormat(static_cast<ExportKind>(kind)), angle[kind]) << kind;
    }
    ExportState enlarged;
    enlarged.Layout = 0;
    EXPECT_EQ(ExportDialogModel(enlarged, true).TabNames(), QStringList({"Main", "LLA", "ECI", "OBS", "VOB", "RAD", "VRD"}));
    EXPECT_EQ(ExportDialogModel(ExportState{}, true).TabNames(), QStringList({"LLA", "ECI", "OBS", "VOB", "RAD", "VRD"}));
}

TEST(ExportDialogModelTest, TypedRangesAreReadInTheLanguagesOrder)
{
    struct Case {
        bool english;
        const char* startDate;
        const char* startTime;
        const char* endDate;
        const char* stepDays;
        const char* stepTime;
        std::int64_t start, end, step;
    } const cases[] = {
        {true, "03 / 05 / 2024", "12 : 00 : 00", "03 / 06 / 2024", "0", "01 : 00 : 00", utc(2024, 3, 5, 12), utc(2024, 3, 6, 12), 3600},
        {false, "05 / 03 / 2024", "12 : 00 : 00", "06 / 03 / 2024", "2", "01 : 30 : 00", utc(2024, 3, 5, 12), utc(2024, 3, 6, 12), 178200},
        {true, "3/5/2024", "7:8:9", "3/4/2024", "0", "0:0:1", utc(2024, 3, 4, 12), utc(2024, 3, 5, 7, 8, 9), 1},
        {true, "02 / 29 / 2024", "23 : 59 : 59", "02 / 29 / 2024", "1", "00 : 00 : 00", utc(2024, 2, 29, 12), utc(2024, 2, 29, 23, 59, 59), 86400},
    };
    for (const Case& c : cases) {
        ExportDialogModel m(ExportState{}, c.english);
        ExportEditTexts t = texts(m);
        t.startDate = c.startDate;
        t.startTime = c.startTime;
        t.endDate = c.endDate;
        t.endTime = "12 : 00 : 00";
        t.stepDays = c.stepDays;
        t.stepTime = c.stepTime;
        ASSERT_FALSE(m.ReadEdits(t)) << c.startDate;
        EXPECT_EQ(m.StartInstant().secondsSince1970(), c.start) << c.startDate;
        EXPECT_EQ(m.EndInstant().secondsSince1970(), c.end) << c.startDate;
        EXPECT_EQ(m.State.StepSeconds, c.step);
    }
}

TEST(ExportDialogModelTest, BadTextsAreRefusedAndChangeNothing)
{
    struct Case {
        ExportEdit edit;
        const char* text;
    } const cases[] = {
        {ExportEdit::StartDate, "13 / 05 / 2024"}, {ExportEdit::StartDate, "02 / 30 / 2023"},
        {ExportEdit::StartDate, "01 / 01 / 1899"}, {ExportEdit::EndDate, "01 / 01 / 2101"},
        {ExportEdit::EndDate, "tomorrow"},         {ExportEdit::StartTime, "24 : 00 : 00"},
        {ExportEdit::EndTime, "12 : 60 : 00"},     {ExportEdit::StepDays, "-1"},
        {ExportEdit::StepTime, "00 : 00 : 00"},    {ExportEdit::Latitude, "91"},
        {ExportEdit::Longitude, "east"},           {ExportEdit::Precision, "0"},
        {ExportEdit::Precision, "31"},             {ExportEdit::Precision, ""},
    };
    for (const Case& c : cases) {
        ExportState start;
        start.StartTime = {2024, 1, 1, 0, 0, 0};
        start.EndTime = {2024, 1, 2, 0, 0, 0};
        ExportDialogModel m(start, true);
        ExportEditTexts t = texts(m);
        t.stepDays = c.edit == ExportEdit::StepTime ? "0" : t.stepDays;
        QString* fields[] = {&t.startDate, &t.startTime, &t.endDate,   &t.endTime,  &t.stepDays,
                             &t.stepTime,  &t.latitude,  &t.longitude, &t.altitude, &t.precision};
        *fields[static_cast<int>(c.edit)] = c.text;
        const auto refused = m.ReadEdits(t);
        ASSERT_TRUE(refused) << c.text;
        EXPECT_EQ(refused->edit, c.edit) << c.text;
        EXPECT_FALSE(refused->message.isEmpty());
        EXPECT_EQ(m.State.StartTime, start.StartTime);
        EXPECT_EQ(m.State.StepSeconds, 3600);
        EXPECT_EQ(m.Precision, 7);
    }
    ExportDialogModel m(ExportState{}, true);
    EXPECT_FALSE(m.ReadPrecision("12"));
    EXPECT_EQ(m.Precision, 12);
    EXPECT_TRUE(m.ReadPrecision("30x"));
    EXPECT_EQ(m.Precision, 12);
}

TEST(ExportDialogModelTest, ReversedRangesSwapAndLocalInputFollowsTheZone)
{
    const ScopedTimeZone berlin("CET-1CEST,M3.5.0,M10.5.0/3");
    ExportDialogModel m(ExportState{}, true);
    ExportEditTexts t = texts(m);
    t.startDate = "07 / 01 / 2024";
    t.startTime = "12 : 00 : 00";
    t.endDate = "01 / 01 / 2024";
    t.endTime = "12 : 00 : 00";
    ASSERT_FALSE(m.ReadEdits(t));
    EXPECT_EQ(m.State.StartTime, (TimeFields{2024, 1, 1, 12, 0, 0}));
    EXPECT_EQ(m.State.EndTime, (TimeFields{2024, 7, 1, 12, 0, 0}));
    m.ToggleInputTime();
    EXPECT_EQ(m.StartInstant().secondsSince1970(), utc(2024, 1, 1, 11)) << "winter: one hour";
    EXPECT_EQ(m.EndInstant().secondsSince1970(), utc(2024, 7, 1, 10)) << "summer: two hours";
    // The edits keep the typed values.
    EXPECT_EQ(m.Texts().startTime, "12 : 00 : 00");
    EXPECT_EQ(m.Texts().startDate, "01 / 01 / 2024");
    EXPECT_EQ(ExportDialogModel(m.State, false).Texts().endDate, "01 / 07 / 2024");
}

TEST(ExportDialogModelTest, TheStepSplitsIntoDaysAndTime)
{
    ExportState s;
    for (const auto& [seconds, days, time] : {std::tuple{3600, "0", "01 : 00 : 00"}, {178200, "2", "01 : 30 : 00"},
                                             {86399, "0", "23 : 59 : 59"}, {90061, "1", "01 : 01 : 01"}}) {
        s.StepSeconds = seconds;
        ExportDialogModel m(s, false);
        EXPECT_EQ(m.Texts().stepDays, days);
        EXPECT_EQ(m.Texts().stepTime, time);
        EXPECT_EQ(m.StepForTimeDialog(), seconds);
    }
}

TEST(ExportDialogModelTest, ARebuildCarriesTheSettingsAndShowsTheSameKind)
{
    ExportState s;
    s.UseKm = 1;
    s.Selected[4] = 1;
    s.StepSeconds = 600;
    s.ObserverName = "Elsewhere";
    s.Angles = AngleFormat::Radians;
    struct Case {
        int layout, tab, newLayout, newTab;
    } const cases[] = {{1, 0, 0, 1}, {1, 5, 0, 6}, {0, 0, 1, 0}, {0, 1, 1, 0}, {0, 3, 1, 2}};
    for (const Case& c : cases) {
        s.Layout = c.layout;
        ExportDialogModel m(s, true);
        m.Precision = 12;
        const ExportState carried = m.Carried(c.tab);
        EXPECT_EQ(carried.Layout, c.newLayout);
        EXPECT_EQ(carried.TabIndex, c.newTab) << c.layout << "/" << c.tab;
        EXPECT_EQ(ExportDialogModel(carried, true).KindOfTab(carried.TabIndex),
                  std::max(m.KindOfTab(c.tab), ExportKind::LLA));
        EXPECT_EQ(carried.UseKm, 1);
        EXPECT_EQ(carried.Selected[4], 1);
        EXPECT_EQ(carried.StepSeconds, 600);
        EXPECT_EQ(carried.ObserverName, "Elsewhere");
        EXPECT_EQ(carried.Angles, AngleFormat::Radians);
        EXPECT_EQ(ExportDialogModel(carried, true).Precision, 7);
    }
}

TEST(ExportDialogModelTest, SuggestedFileNames)
{
    struct Case {
        const char* elementFile;
        ExportKind kind;
        bool csv;
        const char* name;
    } const cases[] = {
        {"sat/intelsat.tle", ExportKind::LLA, true, "sat/LLAintelsat.CSV"},
        {"sat/intelsat.tle", ExportKind::Main, true, "sat/LLAintelsat.CSV"},
        {"sat/noext", ExportKind::LLA, true, "sat/LLA.CSV"},
        {"sat/intelsat.tle", ExportKind::VRD, false, "sat/VRDintelsat.TXT"},
        {"/a.b/c.d.tle", ExportKind::OBS, false, "/a.b/OBSc.d.TXT"},
        {"C:\\Sat\\intelsat.tle", ExportKind::LLA, true, "C:\\Sat\\LLAintelsat.CSV"},
        {"plain.tle", ExportKind::ECI, true, "ECIplain.CSV"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ExportDialogModel::OutputFileName(c.elementFile, c.kind, c.csv), c.name) << c.elementFile;
}

TEST(ExportDialogModelTest, TheTownGivesTheObserverAndItsAbbreviation)
{
    for (const auto& [text, abbreviation] : {std::pair{"Germany,Berlin", "Berli"}, {"Germany, Berlin", "Berli"},
                                            {"USA,Washington, DC", "Washi"}, {"Paris", "Paris"}, {"X,Ulm", "Ulm"}})
        EXPECT_EQ(ExportDialogModel::TownAbbreviation(text), abbreviation) << text;
    ExportDialogModel m(ExportState{}, true);
    m.TakeTown(52.5, -13.4, "Germany,Berlin");
    EXPECT_FLOAT_EQ(m.State.ObserverLat, 52.5f);
    EXPECT_FLOAT_EQ(m.State.ObserverLon, 13.4f);
    EXPECT_EQ(m.State.ObserverName, "Germany,Berlin");
    EXPECT_EQ(m.State.ObserverAbbrev, "Berli");
    m.TakeTown(1.0, 2.0, "DE");
    EXPECT_EQ(m.State.ObserverName, "Germany,Berlin") << "a short text keeps the name";
    EXPECT_FLOAT_EQ(m.State.ObserverLon, -2.0f);
}

class ExportDialogModelDocumentTest : public DocumentTest {};

TEST_F(ExportDialogModelDocumentTest, TheTableTakesTheChosenLoadedSatellitesAndTheSimulatedTime)
{
    writeFile("sats.tle", lowSatellites(3));
    CKivDoc& doc = makeDocument("[Allgemein]\nSatellitenfilename=sats.tle\n");
    ASSERT_EQ(doc.SatelliteCount, 3);
    doc.SetSimTime(Time::fromUtc({2024, 6, 1, 10, 30, 0}));
    doc.SatInfo[0].shown = 1;
    ExportState s = ExportState::fresh(doc);
    EXPECT_EQ(s.StartTime, (TimeFields{2024, 6, 1, 10, 30, 0}));
    EXPECT_EQ(s.EndTime, (TimeFields{2024, 6, 2, 10, 30, 0}));
    EXPECT_EQ(s.Selected[0], 1) << "the shown satellite";
    EXPECT_EQ(s.Selected[1], 0);
    s.Selected[2] = 1;
    s.Selected[7] = 1; // no satellite there
    const ExportParameters p = ExportDialogModel(s, true).Parameters(doc, ExportKind::OBS);
    ASSERT_EQ(p.satellites.size(), 2U);
    EXPECT_STREQ(p.satellites[0].name, "LOW 0");
    EXPECT_STREQ(p.satellites[1].name, "LOW 2");
    EXPECT_EQ(p.kind, ExportKind::OBS);
    EXPECT_EQ(p.start, Time::fromUtc({2024, 6, 1, 10, 30, 0}));
    EXPECT_FLOAT_EQ(static_cast<float>(p.observerLatitude), 38.9217f);
}
