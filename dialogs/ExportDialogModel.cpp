#include "dialogs/ExportDialogModel.h"

#include "platform/LanguageText.h"
#include "platform/TypedNumbers.h"
#include "document/CKivDoc.h"
#include "document/SimTimeRange.h"

#include <QStringList>

#include <algorithm>
#include <limits>

namespace kiv {

namespace {

constexpr std::int64_t kDay = 86400;
constexpr int kEarliestYear = 1900;
constexpr int kLatestYear = 2100;
constexpr const char* kKindNames[] = {"LLA", "ECI", "OBS", "VOB", "RAD", "VRD"}; // from ExportKind::LLA on
constexpr float kTwilightAngles[] = {-6.0f, -12.0f, -18.0f};

// The kinds with a table; Main's table is LLA's.
ExportKind tableKind(ExportKind kind)
{
    return std::clamp(kind, ExportKind::LLA, ExportKind::VRD);
}

QString kindName(ExportKind kind)
{
    return QString::fromLatin1(kKindNames[static_cast<int>(tableKind(kind)) - static_cast<int>(ExportKind::LLA)]);
}

// "a / b / c" split at the first and the last separator; the middle part may hold more of them,
// which the number check then refuses.
std::array<std::string, 3> splitThree(const QString& text, char separator)
{
    const std::string s = text.toStdString();
    const std::size_t first = s.find(separator);
    const std::size_t last = s.rfind(separator);
    if (first == std::string::npos)
        return {s, std::string(), std::string()};
    if (first == last)
        return {s.substr(0, first), s.substr(first + 1), std::string()};
    return {s.substr(0, first), s.substr(first + 1, last - first - 1), s.substr(last + 1)};
}

struct FieldCheck {
    int minimum;
    int maximum;
};

// Reads three whole numbers in their ranges into the targets, in order; the first refused one
// gives its message.
std::optional<QString> readThree(const std::array<std::string, 3>& parts, const std::array<FieldCheck, 3>& checks,
                                 const std::array<int*, 3>& targets, bool english)
{
    std::array<int, 3> values{};
    for (std::size_t i = 0; i < 3; ++i) {
        const IntegerCheck check = checkInteger(parts[i], checks[i].minimum, checks[i].maximum, english);
        if (!check.value)
            return check.message;
        values[i] = *check.value;
    }
    for (std::size_t i = 0; i < 3; ++i)
        *targets[i] = values[i];
    return std::nullopt;
}

std::optional<QString> readDate(const QString& text, TimeFields& f, bool english)
{
    TimeFields typed = f;
    const std::array<FieldCheck, 3> checks =
        english ? std::array<FieldCheck, 3>{{{1, 12}, {1, 31}, {kEarliestYear, kLatestYear}}}
                : std::array<FieldCheck, 3>{{{1, 31}, {1, 12}, {kEarliestYear, kLatestYear}}};
    const std::array<int*, 3> targets = english ? std::array<int*, 3>{&typed.month, &typed.day, &typed.year}
                                                : std::array<int*, 3>{&typed.day, &typed.month, &typed.year};
    if (auto refused = readThree(splitThree(text, '/'), checks, targets, english))
        return refused;
    if (orbit::dayOfYear(typed.year, typed.month, typed.day) == 0)
        return inLanguage(english, "This day does not exist in that month.", "Diesen Tag gibt es in diesem Monat nicht.");
    f = typed;
    return std::nullopt;
}

std::optional<QString> readTime(const QString& text, int& hour, int& minute, int& second, bool english)
{
    return readThree(splitThree(text, ':'), {{{0, 23}, {0, 59}, {0, 59}}}, {&hour, &minute, &second}, english);
}

QString twoDigits(std::int64_t value)
{
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

// "%H : %M : %S".
QString timeText(std::int64_t hour, std::int64_t minute, std::int64_t second)
{
    return twoDigits(hour) + QStringLiteral(" : ") + twoDigits(minute) + QStringLiteral(" : ") + twoDigits(second);
}

// "%m / %d / %Y" in English, "%d / %m / %Y" in German.
QString dateText(const TimeFields& f, bool english)
{
    const QString year = QString::number(f.year);
    return english ? twoDigits(f.month) + QStringLiteral(" / ") + twoDigits(f.day) + QStringLiteral(" / ") + year
                   : twoDigits(f.day) + QStringLiteral(" / ") + twoDigits(f.month) + QStringLiteral(" / ") + year;
}

} // namespace

ExportState ExportState::fresh(const CKivDoc& doc)
{
    ExportState s;
    s.StartTime = TimeFields::of(doc.SimTime.utcCalendar());
    s.EndTime = TimeFields::of((doc.SimTime + kDay).utcCalendar());
    for (std::size_t i = 0; i < s.Selected.size(); ++i)
        s.Selected[i] = doc.SatInfo[i].shown != 0 ? 1 : 0;
    return s;
}

ExportDialogModel::ExportDialogModel(ExportState state, bool english) : State(std::move(state)), english_(english) {}

QStringList ExportDialogModel::TabNames() const
{
    QStringList names;
    if (Enlarged())
        names << QStringLiteral("Main");
    for (const char* name : kKindNames)
        names << QString::fromLatin1(name);
    return names;
}

float ExportDialogModel::TwilightAngle() const
{
    return kTwilightAngles[std::clamp(State.TwilightState, 0, 2)];
}

ExportToggleLabels ExportDialogModel::Labels() const
{
    static const char* const twilight[] = {"Civil", "Nautic", "Astronomic"};
    static const char* const angle[] = {"Deg 1", "Deg 2", "Rad", "Grad"};
    const bool en = english_;
    return {State.UseKm ? QStringLiteral("Km") : inLanguage(en, "Miles", "Milen"),
            State.CsvOutput ? inLanguage(en, "Excel file", "Excel Datei") : inLanguage(en, "Text file", "Text Datei"),
            State.InputLocal ? inLanguage(en, "Input time is Local - time", "Eingabe Zeit ist Lokale Zeit")
                             : inLanguage(en, "Input time is GMT - time", "Eingabe Zeit ist GMT Zeit"),
            QString::fromLatin1(twilight[std::clamp(State.TwilightState, 0, 2)]),
            QString::fromLatin1(angle[static_cast<int>(State.Angles)]),
            State.DatePrefix ? inLanguage(en, "Date", "Datum") : QStringLiteral("Julian")};
}

ExportEditTexts ExportDialogModel::Texts() const
{
    ExportEditTexts t;
    t.startDate = dateText(State.StartTime, english_);
    t.startTime = timeText(State.StartTime.hour, State.StartTime.minute, State.StartTime.second);
    t.endDate = dateText(State.EndTime, english_);
    t.endTime = timeText(State.EndTime.hour, State.EndTime.minute, State.EndTime.second);
    const std::int64_t step = State.StepSeconds;
    const std::int64_t rest = step % kDay;
    t.stepDays = QString::number(step / kDay);
    t.stepTime = timeText(rest / 3600, rest % 3600 / 60, rest % 60);
    t.latitude = QString::number(State.ObserverLat, 'f', 6);
    t.longitude = QString::number(State.ObserverLon, 'f', 6);
    t.altitude = QString::number(State.ObserverAlt, 'f', 6);
    t.precision = QString::number(Precision);
    return t;
}

std::optional<ExportEditRefusal> ExportDialogModel::ReadEdits(const ExportEditTexts& t)
{
    const bool en = english_;
    TimeFields start = State.StartTime;
    TimeFields end = State.EndTime;
    if (auto refused = readDate(t.startDate, start, en))
        return ExportEditRefusal{ExportEdit::StartDate, *refused};
    if (auto refused = readTime(t.startTime, start.hour, start.minute, start.second, en))
        return ExportEditRefusal{ExportEdit::StartTime, *refused};
    if (auto refused = readDate(t.endDate, end, en))
        return ExportEditRefusal{ExportEdit::EndDate, *refused};
    if (auto refused = readTime(t.endTime, end.hour, end.minute, end.second, en))
        return ExportEditRefusal{ExportEdit::EndTime, *refused};
    const IntegerCheck days = checkInteger(t.stepDays.toStdString(), 0, 36500, en);
    if (!days.value)
        return ExportEditRefusal{ExportEdit::StepDays, days.message};
    int hour = 0, minute = 0, second = 0;
    if (auto refused = readTime(t.stepTime, hour, minute, second, en))
        return ExportEditRefusal{ExportEdit::StepTime, *refused};
    const std::int64_t step = *days.value * kDay + hour * 3600 + minute * 60 + second;
    if (step <= 0)
        return ExportEditRefusal{ExportEdit::StepTime, inLanguage(en, "The step must be longer than zero.",
                                                            "Das Intervall muss länger als null sein.")};
    const RealCheck lat = checkReal(t.latitude.toStdString(), -90.0, 90.0, en);
    if (!lat.value)
        return ExportEditRefusal{ExportEdit::Latitude, lat.message};
    const RealCheck lon = checkReal(t.longitude.toStdString(), -360.0, 360.0, en);
    if (!lon.value)
        return ExportEditRefusal{ExportEdit::Longitude, lon.message};
    const RealCheck alt = checkReal(t.altitude.toStdString(), -1000.0, 100000.0, en);
    if (!alt.value)
        return ExportEditRefusal{ExportEdit::Altitude, alt.message};
    const IntegerCheck precision = checkInteger(t.precision.toStdString(), 1, 30, en);
    if (!precision.value)
        return ExportEditRefusal{ExportEdit::Precision, precision.message};

    State.StartTime = start;
    State.EndTime = end;
    if (instant(start) > instant(end))
        std::swap(State.StartTime, State.EndTime);
    State.StepSeconds = step;
    State.ObserverLat = static_cast<float>(*lat.value);
    State.ObserverLon = static_cast<float>(*lon.value);
    State.ObserverAlt = static_cast<float>(*alt.value);
    Precision = *precision.value;
    return std::nullopt;
}

std::optional<ExportEditRefusal> ExportDialogModel::ReadPrecision(const QString& text)
{
    const IntegerCheck precision = checkInteger(text.toStdString(), 1, 30, english_);
    if (!precision.value)
        return ExportEditRefusal{ExportEdit::Precision, precision.message};
    Precision = *precision.value;
    return std::nullopt;
}

int ExportDialogModel::StepForTimeDialog() const
{
    return static_cast<int>(std::clamp<std::int64_t>(State.StepSeconds, 0, std::numeric_limits<int>::max()));
}

void ExportDialogModel::SetObserverName(const QString& name, const QString& abbreviation)
{
    State.ObserverName = name;
    State.ObserverAbbrev = abbreviation;
}

bool ExportDialogModel::ToggleSelected(std::size_t slot)
{
    int& selected = State.Selected.at(slot);
    selected = selected ? 0 : 1;
    return selected != 0;
}

void ExportDialogModel::TakeFromTimeDialog(bool start, const TimeFields& fields, int stepSeconds)
{
    (start ? State.StartTime : State.EndTime) = fields;
    State.StepSeconds = stepSeconds;
}

void ExportDialogModel::TakeTown(double latitude, double westLongitude, const QString& townText)
{
    State.ObserverLat = static_cast<float>(latitude);
    State.ObserverLon = static_cast<float>(-westLongitude);
    if (townText.size() > 2) {
        State.ObserverName = townText;
        State.ObserverAbbrev = TownAbbreviation(townText);
    }
}

QString ExportDialogModel::TownAbbreviation(const QString& townText)
{
    const qsizetype comma = townText.indexOf(QLatin1Char(','));
    qsizetype from = comma < 0 ? 0 : comma + 1;
    while (from < townText.size() && townText[from].isSpace())
        ++from;
    return townText.mid(from, 5);
}

QString ExportDialogModel::OutputFileName(const QString& elementFile, ExportKind kind, bool csv)
{
    const QString name = kindName(kind);
    const qsizetype slash =
        std::max(elementFile.lastIndexOf(QLatin1Char('/')), elementFile.lastIndexOf(QLatin1Char('\\')));
    const QString folder = elementFile.left(slash + 1);
    const QString rest = elementFile.mid(slash + 1);
    const qsizetype dot = rest.lastIndexOf(QLatin1Char('.'));
    const QString base = dot < 0 ? QString() : rest.left(dot);
    return folder + name + base + (csv ? QStringLiteral(".CSV") : QStringLiteral(".TXT"));
}

ExportState ExportDialogModel::Carried(int tabIndex) const
{
    ExportState s = State;
    s.Layout = Enlarged() ? 1 : 0;
    // The normal layout has no Main tab: it shows LLA instead.
    s.TabIndex = static_cast<int>(tableKind(KindOfTab(tabIndex))) - s.Layout;
    return s;
}

Time ExportDialogModel::instant(const TimeFields& f) const
{
    if (State.InputLocal)
        return Time::fromLocal(f.asLocal());
    return Time::fromUtc({f.year, f.month, f.day, f.hour, f.minute, f.second});
}

Time ExportDialogModel::StartInstant() const { return instant(State.StartTime); }

Time ExportDialogModel::EndInstant() const { return instant(State.EndTime); }

ExportParameters ExportDialogModel::Parameters(const CKivDoc& doc, ExportKind kind) const
{
    ExportParameters p;
    p.kind = tableKind(kind);
    for (int i = 0; i < doc.SatelliteCount && i < kMaxSatellites; ++i) {
        if (State.Selected[i])
            p.satellites.push_back(doc.Satellites[i]);
    }
    p.start = StartInstant();
    p.end = EndInstant();
    if (p.end < p.start)
        std::swap(p.start, p.end);
    p.stepSeconds = State.StepSeconds;
    p.useKm = State.UseKm != 0;
    p.csv = State.CsvOutput != 0;
    p.datePrefix = State.DatePrefix != 0;
    p.angleFormat = State.Angles;
    p.twilightAngle = TwilightAngle();
    p.precision = Precision;
    p.observerLatitude = State.ObserverLat;
    p.observerLongitude = State.ObserverLon;
    p.observerAltitude = State.ObserverAlt;
    return p;
}

} // namespace kiv
