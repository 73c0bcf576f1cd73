// CKivDoc: propagation, ground tracks and beam footprints.
#include "document/BeamFootprint.h"
#include "document/CKivDoc.h"
#include "document/GroundTrack.h"
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
             English() ? QStringLiteral("Found a wrong satellite database in file : %1\nThe name of the satellite is : "
                                        "%2.\nThis satellite will not be calculated.")
                             .arg(Satellitenfilename, name)
                       : QStringLiteral("Achtung, im Satelliten-Datenfile : %1\nist der Satellit : %2 fehlerhaft.\n"
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
    Orbit.SetSatellite(&Satellites[slot], true);
    const double jd = SimTime.julianDate();
    JulianDate = jd;
    if (!Orbit.SGP(jd))
        return 0;
    tagSATINFO& info = SatInfo[slot];
    tagSATHISTORY& history = SatHistory[slot];
    if (ShowObs) {
        history.pos = Orbit.GetPos();
        history.vel = Orbit.GetVel();
    }
    if (FollowedSatellite == slot)
        FollowedPos = Orbit.GetPos();
    Orbit.CalculateLatLonAlt(jd);
    info.lat = Orbit.GetLat();
    info.lon = Orbit.GetLon();
    info.alt = Orbit.GetAlt() / 1000.0;
    advanceTrack(info, history, Orbit, jd, {NrOfPoints, TrackShown(), ShowObs != 0});
    return 1;
}

void CKivDoc::calculateShownSatellites()
{
    for (int i = 0; i < SatelliteCount; ++i) {
        if (SatInfo[i].shown)
            CalculateSatellite(i);
    }
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
