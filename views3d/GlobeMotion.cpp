#include "views3d/GlobeMotion.h"

#include "document/CKivDoc.h"
#include "views3d/SceneFrame.h"
#include "views3d/SceneGeometry.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <span>

namespace kiv {

namespace {

// A satellite's body and beam turn and move with its place, the far side of the body by up to
// this much more than its centre.
constexpr double kBodyMargin = 1.5;
// Stars lie this far off the view's axis at most (cosine), pan included.
constexpr double kVisibleStarCos = 0.5;
// Lit surfaces change colour by up to 255 steps per radian their normals turn against the
// light; one and a half steps count as half a pixel does.
constexpr double kShadeSteps = 255.0 / 3.0;

Vec4 clipOf(const Matrix4& m, Vec3 p) { return m * Vec4{p.x, p.y, p.z, 1.0}; }

void listWindowPoint(DrawnPositions& drawn, Vec4 clip, int width, int height, double pixelsPerPixel)
{
    const bool front = clip.w > 0.0;
    drawn.exact(front ? 1.0 : 0.0);
    if (!front)
        return;
    const double xy[] = {(clip.x / clip.w + 1.0) / 2.0 * width, (clip.y / clip.w + 1.0) / 2.0 * height};
    drawn.values(xy, pixelsPerPixel);
}

// Pixels per unit of change of the clip matrix m of a rigid body within `radius` of its origin:
// a point's clip x and w change by at most (radius + 1) times their rows' change, and its window
// x by width / 2 times both over the nearest depth.
double rigidPixelsPerUnit(const Matrix4& m, double radius, int width, int height)
{
    const double depth = m(3, 3) - std::hypot(m(3, 0), m(3, 1), m(3, 2)) * radius;
    if (!(depth > 1e-9))
        return std::numeric_limits<double>::infinity();
    return std::max(width, height) * (radius + 1.0) / (std::numbers::sqrt2 * depth);
}

// Pixels per unit of length at a depth, by the window's rows of m.
double pixelsPerLength(const Matrix4& m, double depth, int width, int height)
{
    const double across = width * std::hypot(m(0, 0), m(0, 1), m(0, 2));
    const double down = height * std::hypot(m(1, 0), m(1, 1), m(1, 2));
    return depth > 1e-9 ? std::max(across, down) / (2.0 * depth) : std::numeric_limits<double>::infinity();
}

void listRigid(DrawnPositions& drawn, const Matrix4& m, double radius, int width, int height)
{
    drawn.values(std::span<const double>(m.data(), 16), rigidPixelsPerUnit(m, radius, width, height));
}

double flareReach()
{
    double reach = 1.0;
    for (const FlareDisc& d : kFlareDiscTable)
        reach = std::max(reach, std::fabs(d.position));
    return reach;
}

// The orbits in space: rigid about the centre as far as the farthest ring point reaches; in exact
// mode a ring moves on whenever a new point is due.
void listOrbits(DrawnPositions& drawn, const CKivDoc& doc, std::span<const OrbitRing> rings, const Matrix4& orbits,
                double jd, int width, int height)
{
    const bool live = doc.CalculateExact == 1 && rings.size() == static_cast<std::size_t>(doc.SatelliteCount);
    double reach = 0.0;
    for (std::size_t i = 0; i < rings.size() && static_cast<int>(i) < doc.SatelliteCount; ++i) {
        if (!doc.SatInfo[i].shown)
            continue;
        if (live)
            drawn.exact(rings[i].dueAt(jd) ? 1.0 : 0.0);
        for (const Vec3& p : rings[i].points())
            reach = std::max(reach, length(p));
    }
    listRigid(drawn, orbits, reach, width, height);
}

} // namespace

std::optional<WindowPoint> flareAt(const CKivDoc& doc, const GlobeCamera& camera, Vec3 sun)
{
    if (doc.NrOfOcularReflections <= 0 || segmentMeetsSphere(camera.eye(), sun, kEarthRadius))
        return std::nullopt;
    return camera.project(sun);
}

void listGlobeMotion(DrawnPositions& drawn, const CKivDoc& doc, const GlobeCamera& view,
                     std::span<const OrbitRing> rings)
{
    const SceneFrame frame = SceneFrame::at(doc.SimTime);
    const double jd = doc.SimTime.julianDate();
    const int w = view.width(), h = view.height();
    const Matrix4 scene = view.projection() * view.modelView();
    const Matrix4 earth = scene * Matrix4::rotation(frame.earthTurnDeg, 0.0, 1.0, 0.0);

    double earthReach = doc.ShowCenterCross ? kCrossHalfLength : kEarthRadius;
    // Beams end on the earth: their shape changes count at its nearest depth.
    const double beamScale =
        pixelsPerLength(earth, earth(3, 3) - std::hypot(earth(3, 0), earth(3, 1), earth(3, 2)) * kEarthRadius, w, h);
    for (int i = 0; i < doc.SatelliteCount && !drawn.decided(); ++i) {
        const tagSATINFO& info = doc.SatInfo[i];
        if (!info.shown)
            continue;
        const Vec4 at = clipOf(earth, geographicToScene(info.lat, info.lon, info.alt + kEarthRadius, 0.0));
        listWindowPoint(drawn, at, w, h, kBodyMargin);
        // The lit body and beam turn with the satellite's place: their up and east axes.
        const Vec3 up = geographicToScene(info.lat, info.lon, 1.0, frame.earthTurnDeg);
        const Vec3 east = rotatedAboutY({1.0, 0.0, 0.0}, frame.earthTurnDeg + info.lon);
        const double axes[] = {up.x, up.y, up.z, east.x, east.z};
        drawn.values(axes, kShadeSteps);
        if (doc.CalculateExact == 1) {
            const double beam[] = {info.footprintRadius, info.footprintDist};
            drawn.values(beam, beamScale);
        }
        if (doc.ShowCourseEarth3D) {
            drawn.exact(info.lastTrack);
            for (const double alt : info.trackAlt)
                earthReach = std::max(earthReach, alt + kEarthRadius);
        }
    }
    listRigid(drawn, earth, earthReach, w, h);
    if (doc.ShowCourse3D && !drawn.decided())
        listOrbits(drawn, doc, rings, scene * Matrix4::rotation(frame.orbitTurnDeg, 0.0, 1.0, 0.0), jd, w, h);

    const Vec3 sun = frame.inertialToScene(doc.Orbit.CalculateSolarPosition(jd));
    const bool flare = flareAt(doc, view, sun).has_value();
    static const double reach = flareReach();
    drawn.exact(flare ? 1.0 : 0.0);
    listWindowPoint(drawn, clipOf(scene, sun), w, h, flare ? reach : 1.0);
    // Shading: the light's direction and the earth's turn against it, in the scene.
    const Vec3 light = normalized(sun);
    const double shading[] = {light.x, light.y, light.z, frame.earthTurnDeg * std::numbers::pi / 180.0};
    drawn.values(shading, kShadeSteps);

    double sunKm[4], moonKm[4];
    doc.Orbit.SunMoon(jd, sunKm, moonKm);
    listWindowPoint(drawn, clipOf(scene, frame.inertialToScene({moonKm[0], moonKm[1], moonKm[2], moonKm[3]})), w, h, 1.0);

    // The stars as directions: the turn of the scene's axes in the window rows and the depth row.
    if (doc.Sterne > 0) {
        const double axes[] = {scene(0, 0), scene(0, 1), scene(0, 2), scene(1, 0), scene(1, 1),
                               scene(1, 2), scene(3, 0), scene(3, 1), scene(3, 2)};
        drawn.values(axes, std::numbers::sqrt2 * std::max(w, h) / kVisibleStarCos);
    }
}

} // namespace kiv
