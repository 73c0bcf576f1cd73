#pragma once
// What the export dialog does, without its widgets: the settings a table is made of, the texts of
// the range and observer edits and their checks, the toggles and their labels, which controls a
// kind uses, the observer taken from the go-to dialog, the suggested file name, and the state a
// rebuild in the other layout carries over.

#include "dialogs/ExportParameters.h"
#include "dialogs/TimeDialogModel.h"
#include "document/ElementFile.h"

#include <QString>

#include <array>
#include <cstdint>
#include <optional>

namespace kiv {

class CKivDoc;

// The settings of the dialog that a rebuild in the other layout keeps (precision starts again).
struct ExportState {
    // The range as typed: Greenwich time, or local time with InputLocal.
    TimeFields StartTime;
    TimeFields EndTime{1970, 1, 2};
    std::int64_t StepSeconds = 3600;
    int Layout = 1; // 1 normal, 0 enlarged
    int TabIndex = 0;
    int UseKm = 0;
    int CsvOutput = 0;
    int InputLocal = 0;
    std::array<int, kMaxSatellites> Selected{};
    int TwilightState = 0; // civil, nautic, astronomic
    AngleFormat Angles = AngleFormat::Degrees; // "Deg 1", "Deg 2", "Rad", "Grad"
    int DatePrefix = 1;
    float ObserverAlt = 92.0f; // metres
    float ObserverLat = 38.9217f;
    float ObserverLon = -77.0667f; // degrees east
    QString ObserverName = QStringLiteral("Washington, DC");
    QString ObserverAbbrev = QStringLiteral("W.DC");

    // A fresh dialog: one day from the given Greenwich time at one-hour steps, the shown
    // satellites chosen.
    static ExportState fresh(const CKivDoc& doc);
};

// The edits the dialog checks, in the order it reads them.
enum class ExportEdit {
    StartDate,
    StartTime,
    EndDate,
    EndTime,
    StepDays,
    StepTime,
    Latitude,
    Longitude,
    Altitude,
    Precision
};

struct ExportEditTexts {
    QString startDate, startTime, endDate, endTime, stepDays, stepTime;
    QString latitude, longitude, altitude;
    QString precision;
};

struct ExportEditRefusal {
    ExportEdit edit;
    QString message;
};

struct ExportToggleLabels {
    QString units, output, inputTime, twilight, angleFormat, datePrefix;
};

class ExportDialogModel {
public:
    static constexpr int kDefaultPrecision = 7;

    ExportDialogModel(ExportState state, bool english);

    ExportState State;
    int Precision = kDefaultPrecision;

    bool english() const { return english_; }
    bool Enlarged() const { return State.Layout == 0; }
    // The kind of a tab: the enlarged layout's tabs begin with Main, the normal one's with LLA.
    ExportKind KindOfTab(int tabIndex) const { return static_cast<ExportKind>(tabIndex + State.Layout); }
    // The tab names of the layout: Main (enlarged only), LLA ... VRD.
    QStringList TabNames() const;
    float TwilightAngle() const;

    // The toggles; each cycles its setting.
    void ToggleUnits() { State.UseKm = State.UseKm ? 0 : 1; }
    void ToggleOutput() { State.CsvOutput = State.CsvOutput ? 0 : 1; }
    void ToggleInputTime() { State.InputLocal = State.InputLocal ? 0 : 1; }
    void ToggleDatePrefix() { State.DatePrefix = State.DatePrefix ? 0 : 1; }
    void CycleTwilight() { State.TwilightState = (State.TwilightState + 1) % 3; }
    void CycleAngleFormat() { State.Angles = static_cast<AngleFormat>((static_cast<int>(State.Angles) + 1) % 4); }
    ExportToggleLabels Labels() const;

    // Which controls a kind uses: the observer and the twilight button, and the angle format.
    static bool UsesObserver(ExportKind kind) { return kind != ExportKind::LLA && kind != ExportKind::ECI; }
    static bool UsesAngleFormat(ExportKind kind)
    {
        return kind != ExportKind::ECI && kind != ExportKind::RAD && kind != ExportKind::VRD;
    }

    // The observer's name and abbreviation as typed.
    void SetObserverName(const QString& name, const QString& abbreviation);
    // Toggles the choice of a satellite slot; true when it is now chosen.
    bool ToggleSelected(std::size_t slot);

    // The edits' texts from the settings.
    ExportEditTexts Texts() const;
    // Takes the typed range, observer and precision; a text that is no valid value is refused
    // with a message and nothing is taken. An end before the start is swapped.
    std::optional<ExportEditRefusal> ReadEdits(const ExportEditTexts& texts);
    // The precision edit alone: 1 to 30.
    std::optional<ExportEditRefusal> ReadPrecision(const QString& text);

    // The start or the end of the range and the step as the time dialog takes its fields and
    // factor, and what it gives back.
    const TimeFields& RangeEnd(bool start) const { return start ? State.StartTime : State.EndTime; }
    int StepForTimeDialog() const;
    void TakeFromTimeDialog(bool start, const TimeFields& fields, int stepSeconds);

    // The go-to dialog's place: latitude, westerly longitude and its row text "Country,Town".
    void TakeTown(double latitude, double westLongitude, const QString& townText);
    // After the first comma and any blanks, five characters; without a comma, the text's first five.
    static QString TownAbbreviation(const QString& townText);

    // The file name suggested for a kind: the element file's folder, the kind's name (Main's is
    // LLA), the element file's base name and ".CSV" or ".TXT" ("sat/intelsat.tle", LLA, CSV:
    // "sat/LLAintelsat.CSV").
    static QString OutputFileName(const QString& elementFile, ExportKind kind, bool csv);

    // The state to rebuild with in the other layout, showing the same kind.
    ExportState Carried(int tabIndex) const;

    // The table of a kind (Main's is LLA) with the chosen loaded satellites; the range read as
    // Greenwich time, or as local time by the zone rules of that instant.
    ExportParameters Parameters(const CKivDoc& doc, ExportKind kind) const;
    // The Greenwich instants of the range as typed.
    Time StartInstant() const;
    Time EndInstant() const;

private:
    Time instant(const TimeFields& fields) const;

    bool english_;
};

} // namespace kiv
