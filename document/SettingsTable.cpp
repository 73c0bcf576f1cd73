#include "document/SettingsTable.h"

#include "document/BeamFootprint.h"
#include "platform/IniProfile.h"

#include <QStringLiteral>

#include <algorithm>
#include <cmath>

namespace kiv {

namespace {

using S = KivSettings;
using K = SettingKind;

constexpr SettingRange kPoints{10, 500};
constexpr SettingRange kAccuracyX{3, 360};
constexpr SettingRange kAccuracyY{2, 180};
constexpr SettingRange kReflections{0, 20};
constexpr SettingRange kStars{0, 100000};
constexpr SettingRange kBoolean{0, 1};
constexpr SettingRange kLanguage{0, 1};
constexpr SettingRange kDrawStyle{0, 4};
constexpr SettingRange kBeamStyle{0, 3};
constexpr SettingRange kCameraPos{0, 2};
constexpr SettingRange kFootprintStyle{1, 3};
constexpr SettingRange kModelNumber{0, 1e6};
constexpr SettingRange kPenWidth{1, 20};
constexpr SettingRange kTransparency{0, 1};
constexpr SettingRange kBeamAngle{0, kMaxBeamAngle};
// Periods of the ground track: a route of none would need endless points.
constexpr SettingRange kRouteLength{0.01, 50, OutOfRange::Default};
constexpr SettingRange kPercent{0, 100, OutOfRange::Default};
constexpr SettingRange kFrameWidth{5, 100, OutOfRange::Default};
constexpr SettingRange kZoomStyle{0, 15};
constexpr SettingRange kGridStyle{0, 7};
constexpr SettingRange kBdyLayers{0, 7};
constexpr SettingRange kCilLayers{0, 4095};
constexpr SettingRange kRivLayers{0, 2047};
constexpr SettingRange kPbyLayers{0, 3};
constexpr SettingRange kGridDistance{0.001, 180, OutOfRange::Default};
constexpr SettingRange kMapSize{1, 8192};
// A composed weather map may be twice as wide as high.
constexpr SettingRange kWeatherMapWidth{1, 16384};
constexpr SettingRange kLatitude{-90, 90};
constexpr SettingRange kLongitude{-360, 360};
constexpr SettingRange kAngleStep{0.1, 360, OutOfRange::Default};
constexpr SettingRange kColour{0, 0x02FFFFFF};
constexpr SettingRange kTimeFactor{-kMaxTimeFactor, kMaxTimeFactor};

#define KIV_BOOL(section, key, def) {section, #key, K::Boolean, &S::key, def, "", &kBoolean}
#define KIV_INT(section, key, def, range) {section, #key, K::Integer, &S::key, def, "", range}
#define KIV_FLOAT(section, key, def, range) {section, #key, K::Float, &S::key, def, "", range}
#define KIV_FLOAT_AS(section, name, key, def) {section, name, K::Float, &S::key, def, "", nullptr}
#define KIV_TEXT(section, key, def) {section, #key, K::String, &S::key, 0, def, nullptr}
#define KIV_COLOUR(section, key, def) {section, #key, K::Colour, &S::key, def, "", &kColour}

constexpr const char* A = "Allgemein";
constexpr const char* W = "Weltkarte";
constexpr const char* T = "Texture";
constexpr const char* D = "WorldDataBase";
constexpr const char* O = "ObserverView";
constexpr const char* X = "Weather";

const SettingDef kTable[] = {
    KIV_TEXT(A, Satellitenfilename, "intelsat.tle"),
    KIV_FLOAT(A, RouteLengthFactor, 1.0, &kRouteLength),
    KIV_INT(A, NrOfPoints, 35, &kPoints),
    KIV_FLOAT(A, AutoExtendX, 50.0, &kFrameWidth),
    KIV_INT(A, AccuracyX, 35, &kAccuracyX),
    KIV_INT(A, AccuracyY, 20, &kAccuracyY),
    KIV_INT(A, NrOfOcularReflections, 20, &kReflections),
    KIV_BOOL(A, AutoArrangeWindows, 1),
    KIV_TEXT(A, IconFileName, "kiv.sin"),
    KIV_TEXT(A, ColorTableFileName, "kiv.clr"),
    KIV_BOOL(A, ShowCourse3D, 1),
    KIV_BOOL(A, ShowCourse2D, 1),
    KIV_BOOL(A, ShowCourseWDB, 1),
    KIV_BOOL(A, ShowCourseOBS, 1),
    KIV_INT(A, SatelliteDrawStyle, 4, &kDrawStyle),
    KIV_INT(A, SatModelNrFromFile, 0, &kModelNumber),
    KIV_INT(A, BeamDrawStyle, 3, &kBeamStyle),
    KIV_FLOAT(A, TransparencyBeam, 0.5, &kTransparency),
    KIV_FLOAT(A, BeamAngle, 20.0, &kBeamAngle),
    KIV_BOOL(A, ShowCenterCross, 1),
    KIV_INT(A, CameraPos, 0, &kCameraPos),
    KIV_BOOL(A, Footprint3D, 1),
    KIV_BOOL(A, Footprint2D, 1),
    KIV_BOOL(A, FootprintWDB, 1),
    KIV_BOOL(A, CalculateExact, 0),
    KIV_FLOAT(A, ActualLongitude, 0.0, &kLatitude),
    KIV_FLOAT(A, ActualLatitude, 0.0, &kLongitude),
    KIV_INT(A, Sterne, 1000, &kStars),
    KIV_INT(A, TimeFactor, 1, &kTimeFactor),
    KIV_INT(A, Language, 1, &kLanguage),
    KIV_BOOL(A, Show3D, 1),
    KIV_BOOL(A, Show2D, 1),
    KIV_BOOL(A, ShowWDB, 1),
    KIV_BOOL(A, ShowObs, 1),

    KIV_INT(W, PenWidth, 2, &kPenWidth),
    KIV_INT(W, FootprintStyle, 3, &kFootprintStyle),
    KIV_BOOL(W, Footprint2DColored, 1),
    KIV_BOOL(W, SatelliteName2D, 1),
    KIV_BOOL(W, SatellitePos2D, 1),
    KIV_BOOL(W, DrawMoon2D, 1),
    KIV_BOOL(W, DrawSun2D, 1),
    KIV_BOOL(W, DrawDayNightLine2D, 0),

    KIV_TEXT(T, TextureErdeFileName, "clouds.bmp"),
    KIV_TEXT(T, ErdkarteFileName, "earth2d.bmp"),
    KIV_BOOL(T, TextureInterpolation, 0),
    KIV_FLOAT(T, TextureDeltaErde, 90.0, &kLongitude),
    KIV_BOOL(T, DayNight3D, 0),
    KIV_BOOL(T, DayNight2D, 1),
    KIV_BOOL(T, DayNightWDB, 0),
    KIV_TEXT(T, NightMapFileName, "night.bmp"),

    KIV_TEXT(D, WDBMainFilePath, "."),
    KIV_TEXT(D, WDBMapFileName, "wdbsmal.bmp"),
    KIV_TEXT(D, WDBColorFileName, "wdb.col"),
    KIV_TEXT(D, WDBSmalTowns, "smaltown.twn"),
    KIV_TEXT(D, WDBBigTowns, "bigtown.twn"),
    KIV_INT(D, BDY_Layer, 1, &kBdyLayers),
    KIV_INT(D, CIL_Layer, 1, &kCilLayers),
    KIV_INT(D, RIV_Layer, 1, &kRivLayers),
    KIV_INT(D, PBY_Layer, 1, &kPbyLayers),
    KIV_INT(D, FootprintStyleWDB, 3, &kFootprintStyle),
    KIV_BOOL(D, ColorFootprintWDB, 1),
    KIV_BOOL(D, SatelliteNameWDB, 1),
    KIV_BOOL(D, SatellitePosWDB, 1),
    KIV_BOOL(D, BackgraoundTexture, 1),
    KIV_INT(D, ZoomStyle, 15, &kZoomStyle),
    KIV_BOOL(D, ActivateAllLayers, 0),
    KIV_BOOL(D, EnableTowns, 1),
    KIV_BOOL(D, DynamicDisplayTowns, 1),
    KIV_BOOL(D, AllSmal, 0),
    KIV_BOOL(D, StaticGrid, 0),
    KIV_BOOL(D, DrawGrid, 1),
    KIV_INT(D, XExtension, 50, &kPercent),
    KIV_INT(D, GridStyle, 2, &kGridStyle),
    KIV_FLOAT(D, GridDistance, 10.0, &kGridDistance),

    KIV_BOOL(O, bOBSShowAziEleDist, 1),
    KIV_BOOL(O, OBSShowAscDesc, 1),
    KIV_BOOL(O, bOBSShowName, 1),
    KIV_BOOL(O, bOBSShowIcons, 1),
    KIV_BOOL(O, bOBSDrawAscDesc, 1),
    KIV_BOOL(O, bOBSDrawAlt, 1),
    KIV_BOOL(O, bOBSDrawAzi, 1),
    KIV_BOOL(O, bOBSDrawEleDegrees, 1),
    KIV_BOOL(O, bOBSDrawAziDegrees, 1),
    KIV_BOOL(O, bOBSDrawCoord, 1),
    KIV_BOOL(O, bOBSDrawCompas, 1),
    KIV_BOOL(O, bOBSDrawHiddenLines, 1),
    KIV_BOOL(O, bOBSDrawCompassLines, 1),
    KIV_BOOL(O, bOBSDrawHemiSphere, 1),
    KIV_BOOL(O, bOBSDispaly2D, 1),
    KIV_BOOL(O, bOBSDrawMan, 1),
    KIV_BOOL(O, bOBSDrawZoombox, 0),
    KIV_FLOAT_AS(O, "vOBSStartZoomboxAzi", bOBSStartZoomboxAzi, 0.0),
    KIV_FLOAT_AS(O, "vOBSStartZoomboxEle", bOBSStartZoomboxEle, 0.0),
    KIV_FLOAT_AS(O, "vOBSEndZoomboxAzi", bOBSEndZoomboxAzi, 0.0),
    KIV_FLOAT_AS(O, "vOBSEndZoomboxEle", bOBSEndZoomboxEle, 0.0),
    KIV_FLOAT(O, fOBSAzimuthDelta, 36.0, &kAngleStep),
    KIV_FLOAT(O, fOBSElevationDelta, 15.0, &kAngleStep),
    KIV_FLOAT(O, fUserLat, 0.0, &kLatitude),
    KIV_FLOAT(O, fUserLon, 0.0, &kLongitude),
    KIV_FLOAT(O, fUserAlt, 0.0, nullptr),
    KIV_FLOAT(O, fTwilight, -6.0, &kLatitude),
    KIV_COLOUR(O, cColorBackground, 0x400000),
    KIV_COLOUR(O, cColorAziLines, 0x00FFFF),
    KIV_COLOUR(O, cColorEleLines, 0x4080FF),
    KIV_COLOUR(O, cColorManLines, 0x4080FF),
    KIV_COLOUR(O, cColorManHead, 0x00FFFF),
    KIV_COLOUR(O, cColorManGround, 0xFF0000),
    KIV_COLOUR(O, cColorText, 0xFF00FF),

    KIV_TEXT(X, WeatherImageURL, "https://www.example.com/test.jpg"),
    KIV_TEXT(X, WeatherBackgroundImage, "earth2d.bmp"),
    KIV_TEXT(X, WeatherTempFileName, "internet.jpg"),
    KIV_FLOAT(X, WeatherStartLat, 70.0, &kLatitude),
    KIV_FLOAT(X, WeatherStartLon, 180.0, &kLongitude),
    KIV_FLOAT(X, WeatherEndLat, -70.0, &kLatitude),
    KIV_FLOAT(X, WeatherEndLon, -180.0, &kLongitude),
    KIV_INT(X, WeatherMapWidth, 1024, &kWeatherMapWidth),
    KIV_INT(X, WeatherMapHeight, 512, &kMapSize),
    KIV_BOOL(X, WeatherKeepOriginalSize, 0),
};

#undef KIV_BOOL
#undef KIV_INT
#undef KIV_FLOAT
#undef KIV_FLOAT_AS
#undef KIV_TEXT
#undef KIV_COLOUR

constexpr const char* kDatei = "Datei";
constexpr const char* kElementServer = "https://celestrak.org/NORAD/elements/";
constexpr const char* kWeatherServer = "https://weather.example.com/archdat/global/stitched/ir/";
const std::array<QString, 5> kInternetDefaults{
    QString(kElementServer) + "gps-ops.txt", QString(kElementServer) + "intelsat.txt",
    QString(kElementServer) + "station.txt", QString(), QString()};
const std::array<QString, 5> kWeatherDefaults{QString(kWeatherServer) + "LATEST.jpg",
                                              QString(kWeatherServer) + "20030125.1800.global.ir.multisat.stitched.jpg",
                                              QString(kWeatherServer) + "20030125.1200.global.ir.multisat.stitched.jpg",
                                              QString(kWeatherServer) + "20030125.0600.global.ir.multisat.stitched.jpg",
                                              QString(kWeatherServer) + "20030124.0000.global.ir.multisat.stitched.jpg"};

// One field of a quality record: the key suffix and the field.
struct QualityField {
    const char* suffix;
    int tagQUALITY::*field;
    SettingKind kind;
};
constexpr QualityField kQualityFields[] = {{"Qualitaet", &tagQUALITY::Qualitaet, K::Integer},
                                           {"Lightning", &tagQUALITY::Lightning, K::Boolean},
                                           {"Texturing", &tagQUALITY::Texturing, K::Boolean},
                                           {"Interpolation", &tagQUALITY::Interpolation, K::Boolean}};

QString listKey(const char* stem, std::size_t i) { return QString(stem) + QString::number(i); }

double numericValue(const SettingDef& def, const KivSettings& s)
{
    return std::visit(
        [&](auto member) -> double {
            if constexpr (std::is_same_v<decltype(member), QString KivSettings::*>)
                return 0.0;
            else
                return static_cast<double>(s.*member);
        },
        def.member);
}

void setNumeric(const SettingDef& def, KivSettings& s, double value)
{
    std::visit(
        [&](auto member) {
            using Field = std::remove_reference_t<decltype(s.*member)>;
            if constexpr (!std::is_same_v<Field, QString>)
                s.*member = static_cast<Field>(value);
        },
        def.member);
}

void setDefault(const SettingDef& def, KivSettings& s)
{
    if (def.kind == K::String)
        s.*std::get<QString KivSettings::*>(def.member) = QString::fromUtf8(def.textDefault);
    else
        setNumeric(def, s, def.kind == K::Float ? static_cast<float>(def.numericDefault) : def.numericDefault);
}

} // namespace

std::span<const SettingDef> settingsTable() { return kTable; }

QString defaultElementSetUrl() { return kInternetDefaults[0]; }

QString weatherImageFolder() { return QString::fromLatin1(kWeatherServer); }

const SettingRange& settingRange(SettingDef::Member member)
{
    static constexpr SettingRange kUnbounded{-1e300, 1e300};
    for (const SettingDef& def : kTable) {
        if (def.member == member)
            return def.range ? *def.range : kUnbounded;
    }
    return kUnbounded;
}

void applyDefaultSettings(KivSettings& settings)
{
    for (const SettingDef& def : kTable)
        setDefault(def, settings);
    settings.InternetFileName = kInternetDefaults;
    settings.WeatherImage = kWeatherDefaults;
    settings.MouseMove = tagQUALITY{};
    settings.Normal = tagQUALITY{};
}

int boundedTimeFactor(std::int64_t factor)
{
    return int(std::clamp<std::int64_t>(factor, std::int64_t(kTimeFactor.min), std::int64_t(kTimeFactor.max)));
}

namespace {

void clampSetting(const SettingDef& def, KivSettings& settings)
{
    if (def.kind == K::String)
        return;
    const double value = numericValue(def, settings);
    if (!std::isfinite(value)) {
        setDefault(def, settings);
    } else if (def.range && (value < def.range->min || value > def.range->max)) {
        if (def.range->policy == OutOfRange::Default)
            setDefault(def, settings);
        else
            setNumeric(def, settings, std::clamp(value, def.range->min, def.range->max));
    }
}

} // namespace

void clampSettings(KivSettings& settings, std::initializer_list<SettingDef::Member> members)
{
    for (const SettingDef& def : kTable) {
        if (std::find(members.begin(), members.end(), def.member) != members.end())
            clampSetting(def, settings);
    }
}

void clampSettings(KivSettings& settings)
{
    for (const SettingDef& def : kTable)
        clampSetting(def, settings);
    for (tagQUALITY* q : {&settings.MouseMove, &settings.Normal}) {
        q->Qualitaet = std::clamp(q->Qualitaet, 1, 3);
        for (int tagQUALITY::*flag : {&tagQUALITY::Lightning, &tagQUALITY::Texturing, &tagQUALITY::Interpolation})
            q->*flag = q->*flag == 1 ? 1 : 0;
    }
}

void loadSettings(KivSettings& s, const kiv::IniProfile& profile)
{
    for (const SettingDef& def : kTable) {
        const QString section = def.section;
        const QString key = def.key;
        switch (def.kind) {
        case K::String:
            s.*std::get<QString KivSettings::*>(def.member) =
                profile.GetProfileString(section, key, QString::fromUtf8(def.textDefault));
            break;
        case K::Boolean:
            setNumeric(def, s, profile.GetProfileBool(section, key, static_cast<int>(def.numericDefault)));
            break;
        case K::Float:
            setNumeric(def, s, profile.GetProfileFloat(section, key, static_cast<float>(def.numericDefault)));
            break;
        case K::Integer:
        case K::Colour:
            setNumeric(def, s, profile.GetProfileInt(section, key, static_cast<int>(def.numericDefault)));
            break;
        }
    }
    for (std::size_t i = 0; i < 5; ++i) {
        const QString internet = profile.GetProfileString(kDatei, listKey("InternetFileName", i), kInternetDefaults[i]);
        const QString weather = profile.GetProfileString(kDatei, listKey("WeatherImage", i), kWeatherDefaults[i]);
        s.InternetFileName[i] = internet.trimmed().isEmpty() ? QString() : internet;
        s.WeatherImage[i] = weather.trimmed().isEmpty() ? QString() : weather;
    }
    loadQuality(QStringLiteral("MouseMove"), s.MouseMove, profile);
    loadQuality(QStringLiteral("Normal"), s.Normal, profile);
    clampSettings(s);
    // A program closed while paused keeps the factor Pause would bring back, so a stored 0 is
    // a profile edited by hand: the clock starts in real time.
    if (s.TimeFactor == 0)
        s.TimeFactor = 1;
}

void saveSettings(const KivSettings& s, kiv::IniProfile& profile)
{
    const auto writeSection = [&](const char* section) {
        for (const SettingDef& def : kTable) {
            if (QLatin1String(def.section) != QLatin1String(section))
                continue;
            const double value = numericValue(def, s);
            switch (def.kind) {
            case K::String:
                profile.WriteProfileString(section, def.key, s.*std::get<QString KivSettings::*>(def.member));
                break;
            case K::Boolean:
                profile.WriteProfileBool(section, def.key, static_cast<int>(value));
                break;
            case K::Float:
                profile.WriteProfileFloat(section, def.key, static_cast<float>(value));
                break;
            case K::Integer:
            case K::Colour:
                profile.WriteProfileInt(section, def.key, static_cast<int>(static_cast<std::int64_t>(value)));
                break;
            }
        }
    };
    writeSection(A);
    for (std::size_t i = 0; i < 5; ++i)
        profile.WriteProfileString(kDatei, listKey("InternetFileName", i), s.InternetFileName[i]);
    for (std::size_t i = 0; i < 5; ++i)
        profile.WriteProfileString(kDatei, listKey("WeatherImage", i), s.WeatherImage[i]);
    for (const char* section : {W, T, D, O, X})
        writeSection(section);
    saveQuality(QStringLiteral("MouseMove"), s.MouseMove, profile);
    saveQuality(QStringLiteral("Normal"), s.Normal, profile);
}

void loadQuality(const QString& name, tagQUALITY& quality, const kiv::IniProfile& profile)
{
    const tagQUALITY defaults;
    tagQUALITY read;
    for (const QualityField& f : kQualityFields) {
        const QString key = name + f.suffix;
        read.*f.field = f.kind == K::Boolean ? profile.GetProfileBool(name, key, defaults.*f.field)
                                             : profile.GetProfileInt(name, key, defaults.*f.field);
    }
    quality = read;
}

void saveQuality(const QString& name, const tagQUALITY& quality, kiv::IniProfile& profile)
{
    for (const QualityField& f : kQualityFields) {
        const QString key = name + f.suffix;
        if (f.kind == K::Boolean)
            profile.WriteProfileBool(name, key, quality.*f.field);
        else
            profile.WriteProfileInt(name, key, quality.*f.field);
    }
}

void addRecentUrl(std::array<QString, 5>& list, const QString& url)
{
    if (url.trimmed().isEmpty() || std::find(list.begin(), list.end(), url) != list.end())
        return;
    std::move_backward(list.begin(), list.end() - 1, list.end());
    list[0] = url;
}

} // namespace kiv
