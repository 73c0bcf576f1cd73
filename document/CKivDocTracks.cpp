// CKivDoc: propagation, ground tracks and beam footprints.
#include "document/BeamFootprint.h"
#include "document/CKivDoc.h"
#include "document/GroundTrack.h"
#include "platform/LanguageText.h"
#include "platform/UiServices.h"

using namespace kiv;

bool CKivDoc::TrackShown() const
{
    return ShowCourse3D || ShowCourseEarth3D || ShowCourse2D || (ShowWDB && ShowCourseWDB) ||
           (ShowObs && ShowCourseOBS);
}

void CKivDoc::InitSatellites()
{
    for (int i = 0; i < SatelliteCount;) {
        SatInfo[i].step = trackStep(RouteLengthFactor, NrOfPoints, Satellites[i].meanMotion);
        allocateTrack(SatInfo[i], SatHistory[i], NrOfPoints);
        if (CalculateSatellite(i)) {
            ++i;
            continue;
        }
        const QString name = QString::fromLatin1(Satellites[i].name);
        Warn(QStringLiteral("Attention"),
             inLanguage(English(),
                        "Found a wrong satellite database in file : %1\nThe name of the satellite is : "
                        "%2.\nThis satellite will not be calculated.",
                        "Achtung, im Satelliten-Datenfile : %1\nist der Satellit : %2 fehlerhaft.\n"
                        "Dieser Satellit wird nicht angezeigt.")
                 .arg(Satellitenfilename, name));
        RemoveSatellite(i);
    }
    CalculateBeamFootprints(true);
}

void CKivDoc::ResetRouteSteps()
{
    for (int i = 0; i < SatelliteCount; ++i) {
        SatInfo[i].step = trackStep(RouteLengthFactor, NrOfPoints, Satellites[i].meanMotion);
        SatInfo[i].accum = 0.0;
        SatInfo[i].lastJd = 0.0;
    }
}

int CKivDoc::CalculateSatellite(int slot)
{
    if (slot < 0 || slot >= SatelliteCount)
        return 0;
    const double jd = SimTime.julianDate();
    JulianDate = jd;
    return propagateSlot(slot, Orbit, jd,
                         {.points = NrOfPoints, .trackShown = TrackShown(), .withHistory = ShowObs != 0});
}

int CKivDoc::propagateSlot(int slot, CSGP4_SDP4& orbit, double jd, const TrackUpdate& update)
{
    orbit.SetSatellite(&Satellites[slot], true);
    if (!orbit.SGP(jd))
        return 0;
    tagSATINFO& info = SatInfo[slot];
    tagSATHISTORY& history = SatHistory[slot];
    if (update.withHistory) {
        history.pos = orbit.GetPos();
        history.vel = orbit.GetVel();
    }
    if (FollowedSatellite == slot)
        FollowedPos = orbit.GetPos();
    orbit.CalculateLatLonAlt(jd);
    info.lat = orbit.GetLat();
    info.lon = orbit.GetLon();
    info.alt = orbit.GetAlt() / 1000.0;
    advanceTrack(info, history, orbit, jd, update);
    return 1;
}

// The slots in table order; whether they run on this thread or on the workers, each slot's
// results are those of the serial order, bit for bit.
void CKivDoc::calculateShownSatellites(bool staleOnly)
{
    const double jd = SimTime.julianDate();
    JulianDate = jd;
    const TrackUpdate update{.points = NrOfPoints, .trackShown = TrackShown(), .withHistory = ShowObs != 0};
    std::vector<int> due;
    due.reserve(SatelliteCount);
    long points = 0;
    for (int i = 0; i < SatelliteCount; ++i) {
        if (SatInfo[i].shown && !(staleOnly && SatInfo[i].lastJd == jd)) {
            due.push_back(i);
            points += 1 + pointsDue(SatInfo[i], jd, update);
        }
    }
    if (due.empty())
        return;
    Tracks->run(static_cast<int>(due.size()), points, [&](CSGP4_SDP4& orbit, int item) {
        propagateSlot(due[item], orbit, jd, update);
    });
    if (CalculateExact == 1)
        CalculateBeamFootprints(false);
}

void CKivDoc::CalculateBeamFootprints(bool all)
{
    for (int i = 0; i < SatelliteCount; ++i) {
        if (all || SatInfo[i].shown)
            setFootprint(SatInfo[i], beamFootprint(BeamAngle, SatInfo[i].alt));
    }
}
