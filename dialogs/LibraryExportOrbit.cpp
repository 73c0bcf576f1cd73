#include "dialogs/LibraryExportOrbit.h"

namespace kiv {

void LibraryExportOrbit::SetSatellite(const tagSATELLITE& satellite)
{
    orbit_.SetSatellite(&satellite, true);
}

bool LibraryExportOrbit::SGP(double jd)
{
    return orbit_.SGP(jd) != 0;
}

tagVECTOR LibraryExportOrbit::LatLonAlt()
{
    orbit_.CalculateLatLonAlt(orbit_.GetTime());
    return {orbit_.GetLat(), orbit_.GetLon(), orbit_.GetAlt(), 0.0};
}

bool LibraryExportOrbit::Eclipsed()
{
    orbit_.DepthOfEclipse(orbit_.GetTime(), orbit_.GetPos());
    return orbit_.GetEclipsed() != 0;
}

LookAngles LibraryExportOrbit::look(const tagVECTOR& position, const tagVECTOR& velocity, const tagVECTOR& observer)
{
    const bool visible = orbit_.CalculateObs(position, velocity, observer, orbit_.GetTime()) != 0;
    const tagVECTOR o = orbit_.GetObserver();
    return {visible, o.x, o.y, o.z, o.w};
}

LookAngles LibraryExportOrbit::SatelliteLook(const tagVECTOR& observer)
{
    return look(orbit_.GetPos(), orbit_.GetVel(), observer);
}

LookAngles LibraryExportOrbit::SunLook(const tagVECTOR& observer)
{
    return look(orbit_.CalculateSolarPosition(orbit_.GetTime()), tagVECTOR{}, observer);
}

tagVECTOR LibraryExportOrbit::RADec(const tagVECTOR& observer)
{
    orbit_.CalculateRADec(orbit_.GetPos(), orbit_.GetVel(), observer, orbit_.GetTime());
    return orbit_.GetRADec();
}

} // namespace kiv
