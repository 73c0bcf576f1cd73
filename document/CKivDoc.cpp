#include "document/CKivDoc.h"

#include "document/BuiltInIcon.h"
#include "document/GroundTrack.h"
#include "document/SettingsTable.h"
#include "document/TimeStep.h"
#include "document/TimerBracket.h"
#include "platform/DataPaths.h"
#include "platform/IniProfile.h"
#include "platform/LanguageText.h"
#include "platform/Latin1.h"
#include "platform/LineReader.h"
#include "platform/ReadableFile.h"
#include "platform/UiServices.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include <algorithm>

using namespace kiv;

CKivDoc::CKivDoc(DocumentContext context) : context_(context)
{
    kiv::Clock& clock = context_.ui.clock;
    FpsTick = LastTick = StartTick = clock.tickCount();
    setTime(clock.now());
    JulianDate = SimTime.julianDate();

    kiv::WaitCursor wait(context_.ui.cursors);
    LoadSettings();
    if (RecoverCutOffWrite(context_.profile.path()).restored && context_.profile.load())
        LoadSettings();
    rememberedViews_ = {.show3D = Show3D, .show2D = Show2D, .showObs = ShowObs, .showWDB = ShowWDB};
    Show3D = Show2D = ShowObs = ShowWDB = 0; // set again as the views open

    LoadIconNames();
    Icons[0].icon = builtInSatelliteIcon();
    LoadSatelliteFile();
    LoadColorTable();
    // The flat maps are loaded once, here: their sizes are read with no 2D view open (the
    // background replacement, the general options). The WDB map waits for the first WDB view.
    LoadEarthMap();
    LoadNightMap();

    const auto model = context_.paths.find(QStringLiteral("SATELLITE.DAT"));
    SatelliteModelFileName = model ? QFileInfo(*model).absoluteFilePath() : QStringLiteral("SATELLITE.DAT");
    InitSatellites();
}

CKivDoc::~CKivDoc()
{
    if (context_.frame)
        context_.frame->SetAnimationTimer(false);
    FreeSatellites();
    OfferToSaveColorTable("Attention, Colortable in file : %1 was changed.\nShould the changes be saved now ?",
                          "Achtung, Farbeinträge in Datei : %1 wurden geändert.\nSollen die Änderungen gespeichert werden ?");
}

void CKivDoc::Warn(const QString& caption, const QString& text)
{
    context_.ui.messages.show({.caption = caption,
                               .text = text,
                               .buttons = kiv::MessageButtons::Ok,
                               .icon = kiv::MessageIcon::Exclamation});
}

QString CKivDoc::ResolvedPath(const QString& name) const { return context_.paths.resolve(name); }

// ---- element sets ----------------------------------------------------------------------------

QStringList CKivDoc::SatelliteNames() const
{
    QStringList names;
    for (int i = 0; i < SatelliteCount; ++i)
        names << kiv::fromLatin1(SatelliteLines[i].name);
    return names;
}

void CKivDoc::ReloadSatellites(bool rebuildStars)
{
    // The loaders may show message boxes, whose event loops would otherwise run animation
    // steps over a half-built table and freed orbit buffers.
    const kiv::TimerBracket timerOff(*this);
    const kiv::WaitCursor wait(context_.ui.cursors);
    reloading_ = true;
    if (Views.world())
        Views.world()->FreeOrbitBuffers();
    FreeSatellites();
    LoadSatelliteFile();
    InitSatellites();
    if (Views.world()) {
        Views.world()->ResetOrbitState();
        Views.world()->BuildOrbitLists();
        if (rebuildStars)
            Views.world()->BuildStarList();
    }
    CreateSatelliteButtons();
    LayoutSatelliteLabels();
    reloading_ = false;
    DocumentChanged();
}

void CKivDoc::LayoutSatelliteLabels()
{
    if (Views.map())
        Views.map()->LayoutLabels();
    if (Views.obs())
        Views.obs()->LayoutLabels();
}

void CKivDoc::LoadSatelliteFile()
{
    SatelliteCount = 0;
    const QString path = ResolvedPath(Satellitenfilename);
    const auto reading = RecoverCutOffWrite(path);
    QFile file;
    if (!kiv::ReadableFile(path).handTo(file)) {
        Warn(QStringLiteral("Attention"),
             inLanguage(English(), " Sorry could'nt find Satellitefile %1.", "Sorry, Satellitenfile %1 nicht gefunden.")
                 .arg(Satellitenfilename));
        UpdateTitle();
        return;
    }
    kiv::LineReader lines(file, kElementFileMaxLine);
    const ElementFileContent content = readElementFile(lines);
    int count = 0;
    for (const ElementLines& record : content.records)
        SetSatelliteFromTLE(count++, record.name, record.line1, record.line2);
    SatelliteCount = count;
    if (content.badLine > 0) {
        Warn(QStringLiteral("Attention"),
             inLanguage(English(), "Attention, in satellite datafile : %1\noccured a error in Line : %2",
                        "Achtung, im Satelliten-Datenfile : %1\nist ein Fehler in Zeile : %2 aufgetaucht !!!")
                 .arg(Satellitenfilename, QString::number(content.badLine)));
    }
    RecountIcons();
    UpdateTitle();
}

bool CKivDoc::SetSatelliteFromTLE(int slot, std::string_view name, std::string_view line1, std::string_view line2)
{
    if (slot < 0 || slot >= kMaxSatellites)
        return false;
    const ElementLines lines = trimmedElementLines(name, line1, line2);
    SatelliteLines[slot] = lines;
    Orbit.SetSatellite(lines.name.c_str(), lines.line1.c_str(), lines.line2.c_str(), false);
    Satellites[slot] = *Orbit.GetSatellite();

    int& index = SatInfo[slot].iconIndex;
    if (index < 0 || index >= kMaxSatellites)
        index = 0;
    if (Icons[index].refCount == 0)
        LoadIcon(index);
    ++Icons[index].refCount;
    return true;
}

void CKivDoc::LoadIcon(int entry)
{
    tagICONENTRY& e = Icons[entry];
    e.icon = IconImage(entry == 0 ? QString() : e.fileName);
}

QImage CKivDoc::IconImage(const QString& fileName) const
{
    if (fileName.isEmpty())
        return builtInSatelliteIcon();
    const QString path = ResolvedPath(fileName);
    QFile file;
    QImage image;
    if (kiv::ReadableFile(path).handTo(file))
        image = QImageReader(&file, QFileInfo(path).suffix().toLatin1()).read();
    return image.isNull() ? builtInSatelliteIcon()
                          : image.scaled(32, 32, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                                .convertToFormat(QImage::Format_ARGB32);
}

void CKivDoc::RecountIcons()
{
    std::array<int, kMaxSatellites> counts{};
    for (int i = 0; i < SatelliteCount; ++i)
        ++counts[SatInfo[i].iconIndex];
    for (int k = 0; k < kMaxSatellites; ++k) {
        Icons[k].refCount = counts[k];
        if (k > 0 && counts[k] == 0)
            Icons[k].icon = QImage();
    }
}

void CKivDoc::UpdateTitle()
{
    const QFileInfo info(ResolvedPath(Satellitenfilename));
    const bool found = info.exists() && info.isFile();
    const bool english = English();
    const QString plural = SatelliteCount == 1 ? QString() : inLanguage(english, "s", "en");
    QString title = inLanguage(english, "Satellite Simulation -> %1 (%2 satellite%3 in buffer)",
                               "Satelliten Simulation -> %1 (%2 Satellit%3 geladen)");
    // One call, so that a '%' in the file name is never taken for a place marker.
    title = title.arg(Satellitenfilename, QString::number(SatelliteCount), plural);
    if (found) {
        const kiv::LocalCalendar modified =
            kiv::Time(info.lastModified().toSecsSinceEpoch()).local();
        title += inLanguage(english, " from the %1,%2,%3", " vom %1,%2,%3")
                     .arg(modified.day)
                     .arg(QLatin1String(monthAbbreviation(modified.month, false)))
                     .arg(modified.year);
    } else {
        title += inLanguage(english, " File not found !", " Konnte Datei nicht finden !");
    }
    if (context_.frame)
        context_.frame->SetTitle(title);
}

namespace {

// What belongs to a slot rather than to the satellite standing in it.
struct SlotLook {
    int shown;
    int iconIndex;
    std::array<COLORREF, 3> color;
    std::array<float, 12> glColor;
};

SlotLook lookOf(const tagSATINFO& info)
{
    SlotLook look{.shown = info.shown, .iconIndex = info.iconIndex, .color = {}, .glColor = {}};
    std::copy(std::begin(info.color), std::end(info.color), look.color.begin());
    std::copy(&info.glColor[0][0], &info.glColor[0][0] + 12, look.glColor.begin());
    return look;
}

void setLook(tagSATINFO& info, const SlotLook& look)
{
    info.shown = look.shown;
    info.iconIndex = look.iconIndex;
    std::copy(look.color.begin(), look.color.end(), info.color);
    std::copy(look.glColor.begin(), look.glColor.end(), &info.glColor[0][0]);
}

} // namespace

void CKivDoc::RemoveSatellite(int slot)
{
    if (slot < 0 || slot >= SatelliteCount)
        return;
    // The element set and everything computed from it move down with the satellite; colours,
    // icon and shown flag stay with their slot.
    for (int i = slot; i + 1 < SatelliteCount; ++i) {
        Satellites[i] = Satellites[i + 1];
        SatelliteLines[i] = std::move(SatelliteLines[i + 1]);
        SatHistory[i] = std::move(SatHistory[i + 1]);
        const SlotLook look = lookOf(SatInfo[i]);
        SatInfo[i] = std::move(SatInfo[i + 1]);
        setLook(SatInfo[i], look);
    }
    const int last = --SatelliteCount;
    releaseTrack(SatInfo[last], SatHistory[last]);
    RecountIcons();
}

void CKivDoc::FreeSatellites()
{
    for (int i = 0; i < SatelliteCount; ++i)
        releaseTrack(SatInfo[i], SatHistory[i]);
    SatelliteCount = 0;
    RecountIcons();
}

// ---- profile ---------------------------------------------------------------------------------

void CKivDoc::LoadSettings()
{
    applyDefaultSettings(*this);
    loadSettings(*this, context_.profile);
    passLanguageToFrame();
}

void CKivDoc::SaveSettings()
{
    KivSettings stored = *this;
    stored.TimeFactor = PersistentTimeFactor();
    kiv::IniProfile writes;
    saveSettings(stored, writes);
    WriteProfile(writes);
}

bool CKivDoc::WriteProfile(const kiv::IniProfile& writes)
{
    QString readError;
    const kiv::WriteResult written = context_.profile.saveMerged(writes, &readError, English());
    QString text;
    if (!written)
        text = inLanguage(English(), "The settings could not be saved.\n",
                          "Die Einstellungen konnten nicht gespeichert werden.\n") +
               written.describe(English());
    else if (!readError.isEmpty())
        text = inLanguage(English(), "%1 could not be read again, so the settings were saved into it as Kiv read it "
                                     "at the start:\n",
                          "%1 konnte nicht erneut gelesen werden, daher wurden die Einstellungen in die Datei "
                          "gespeichert, wie Kiv sie beim Start gelesen hat:\n")
                   .arg(QDir::toNativeSeparators(context_.profile.path())) +
               readError;
    if (!text.isEmpty())
        Warn(inLanguage(English(), "Attention", "Achtung"), text);
    return written.ok;
}

kiv::CutOffWrite::Recovery CKivDoc::RecoverCutOffWrite(const QString& path)
{
    return cutOffWrites_.offer(context_.ui.messages, English(), path);
}

void CKivDoc::AddInternetFile(const QString& url) { addRecentUrl(InternetFileName, url); }
void CKivDoc::AddWeatherImage(const QString& url) { addRecentUrl(WeatherImage, url); }
