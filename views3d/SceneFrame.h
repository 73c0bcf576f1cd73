#pragma once
// The globe's frame of one instant. The scene is sun-fixed in thousands of km: y is the polar
// axis, noon lies toward -z, and the earth turns about y by earthTurnDeg (0 at 12:00 UT, one turn
// a day). Geographic places sit inside that turn: longitude lon, latitude lat at
// Ry(earthTurnDeg) Ry(lon) Rx(lat) (0, 0, -r). Inertial positions of the orbit library (km)
// take the library's z axis to the scene's y axis and are turned by orbitTurnDeg, derived from
// the same instant's sidereal time, so that a satellite placed by its geographic position and
// the same satellite placed by its inertial position coincide.

#include "document/BeamFootprint.h"
#include "orbit/CSGP4_SDP4.h"
#include "platform/Time.h"
#include "views3d/Matrix4.h"

namespace kiv {

using kiv::kEarthRadius;

struct SceneFrame {
    double earthTurnDeg = 0.0;
    double orbitTurnDeg = 0.0;

    static SceneFrame at(Time time);

    // An inertial position (km) in the scene, with the orbit turn applied.
    Vec3 inertialToScene(const tagVECTOR& km) const;
};

// An inertial position (km) on the scene's axes, before the orbit turn: (x, z, -y) / 1000.
Vec3 inertialAxes(const tagVECTOR& km);

// Where a geographic place (degrees north, degrees east, thousands of km from the centre) lies in
// the scene at the given earth turn.
Vec3 geographicToScene(double latDeg, double lonDeg, double radius, double earthTurnDeg);

// The eye of the camera that looks from the given distance at the place of latitude latDeg and
// west-positive longitude westLonDeg on the earth as it is turned at the given instant: the eye
// lies over that place, at that distance from the centre.
Vec3 lookAtEye(double latDeg, double westLonDeg, double distance, Time time);

} // namespace kiv
