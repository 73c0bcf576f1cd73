// GlobeRenderer: the satellites: bodies, beams and footprints, orbit rings and route spokes.
#include "views3d/GlobeRenderer.h"

#include "document/CKivDoc.h"
#include "views3d/BeamPlan.h"
#include "views3d/GlModelSink.h"
#include "views3d/GlState.h"
#include "views3d/GlobeLists.h"
#include "views3d/ModelReader.h"
#include "views3d/SatelliteBody.h"


#include <GL/gl.h>

namespace kiv {

namespace {

void vertex(Vec3 v) { glVertex3d(v.x, v.y, v.z); }

// A beam's cone or line from the satellite toward the centre; the see-through state only
// around it.
void drawBeam(const BeamPlan& plan, const float* beam, float alpha, Detail detail)
{
    const bool transparent = plan.style == BeamStyle::TransparentCone;
    const gl::TransparentBeam see(transparent);
    if (plan.style == BeamStyle::Cone || transparent) {
        if (transparent)
            glEnable(GL_LIGHTING);
        // The beam's transparency is the cone's alpha, on both of its sides.
        gl::material(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE, beam[0], beam[1], beam[2], alpha);
        glTranslated(0.0, 0.0, -plan.satelliteDistance);
        GlModelSink().cylinder(0.0, plan.coneRadius, plan.coneHeight, detail);
        glTranslated(0.0, 0.0, plan.satelliteDistance);
        glDisable(GL_LIGHTING);
    } else if (plan.style == BeamStyle::Line) {
        glBegin(GL_LINES);
        glVertex3d(0.0, 0.0, 0.0);
        glVertex3d(0.0, 0.0, -plan.satelliteDistance);
        glEnd();
    }
}

} // namespace

void GlobeRenderer::buildSatelliteModelList()
{
    glNewList(lists::kSatelliteModel, GL_COMPILE);
    drawSatelliteBody({.style = doc_.SatelliteDrawStyle,
                       .modelFile = doc_.SatelliteModelFileName,
                       .modelNumber = doc_.SatModelNrFromFile,
                       .detail = detail()},
                      false);
    glEndList();
}

void GlobeRenderer::buildArchivedModelList(const std::vector<std::string>& model)
{
    std::string text;
    for (const std::string& line : model) {
        text += line;
        text += '\n';
    }
    kiv::LineReader lines(text);
    glNewList(lists::kSatelliteModel, GL_COMPILE);
    GlModelSink sink;
    if (!readSatelliteModel(lines, 0, sink, detail()).drew)
        drawCube(0.8);
    glEndList();
}

void GlobeRenderer::buildBeamLists(bool all)
{
    for (int i = 0; i < doc_.SatelliteCount; ++i) {
        if (all || doc_.SatInfo[i].shown)
            buildBeamList(i);
    }
    listedSatellites_ = std::max(listedSatellites_, doc_.SatelliteCount);
}

void GlobeRenderer::buildBeamList(int slot)
{
    const tagSATINFO& info = doc_.SatInfo[slot];
    const float* beam = info.glColor[1];
    const BeamPlan plan = beamPlan(doc_.BeamDrawStyle, doc_.Footprint3D != 0, info.alt, info.footprintRadius, info.footprintDist);
    const float alpha = doc_.TransparencyBeam;
    glNewList(lists::kBeams + static_cast<unsigned>(slot), GL_COMPILE);
    gl::material(GL_FRONT, GL_AMBIENT_AND_DIFFUSE, beam[0], beam[1], beam[2], alpha);
    drawBeam(plan, beam, alpha, detail());
    if (plan.circle) {
        glTranslated(0.0, 0.0, -plan.circleDistance);
        drawCircle(plan.circleRadius, detail().slices, GL_LINE_LOOP);
        glTranslated(0.0, 0.0, plan.circleDistance);
    }
    gl::material(GL_FRONT, GL_AMBIENT_AND_DIFFUSE, 0.0f, 0.0f, 0.0f);
    glEndList();
}

void GlobeRenderer::deleteSatelliteLists()
{
    if (listedSatellites_ > 0) {
        const auto count = static_cast<GLsizei>(listedSatellites_);
        glDeleteLists(lists::kOrbits, count);
        glDeleteLists(lists::kBeams, count);
    }
    listedSatellites_ = 0;
}

void GlobeRenderer::freeOrbitBuffers()
{
    deleteSatelliteLists();
    rings_.clear();
    orbitsFreed_ = true;
}

void GlobeRenderer::allocateOrbits()
{
    rings_.assign(doc_.SatelliteCount, OrbitRing{});
    resetOrbitState();
    orbitsFreed_ = false;
    buildBeamLists(true);
}

void GlobeRenderer::resetOrbitState()
{
    for (std::size_t i = 0; i < rings_.size(); ++i)
        rings_[i].reset(doc_.Satellites[i].meanMotion, doc_.AccuracyX);
}

void GlobeRenderer::updateOrbit(int slot, double jd)
{
    orbit_.SetSatellite(&doc_.Satellites[slot], true);
    rings_[slot].update(jd, [this](double t) {
        orbit_.SGP(t);
        return inertialAxes(orbit_.GetPos());
    });
}

void GlobeRenderer::buildOrbitLists()
{
    if (orbitsFreed_ || rings_.size() != static_cast<std::size_t>(doc_.SatelliteCount))
        allocateOrbits();
    const double jd = doc_.SimTime.julianDate();
    for (int i = 0; i < doc_.SatelliteCount; ++i) {
        updateOrbit(i, jd);
        glNewList(lists::kOrbits + static_cast<unsigned>(i), GL_COMPILE);
        glBegin(GL_LINE_LOOP);
        for (const Vec3& p : rings_[i].points())
            vertex(p);
        glEnd();
        glEndList();
    }
    listedSatellites_ = std::max(listedSatellites_, doc_.SatelliteCount);
}

// Orbits are drawn unlit in their route colour through the emission: the compiled loops, or in
// exact mode the rings brought up to the clock every frame, as open strips.
void GlobeRenderer::drawOrbits(const SceneFrame& frame, double jd)
{
    const bool live = doc_.CalculateExact == 1 && rings_.size() == static_cast<std::size_t>(doc_.SatelliteCount);
    if (doc_.ShowCourse3D) {
        glPushMatrix();
        glRotated(frame.orbitTurnDeg, 0.0, 1.0, 0.0);
        gl::material(GL_FRONT, GL_AMBIENT_AND_DIFFUSE, 0.0f, 0.0f, 0.0f);
        for (int i = 0; i < doc_.SatelliteCount; ++i) {
            if (!doc_.SatInfo[i].shown)
                continue;
            const float* route = doc_.SatInfo[i].glColor[0];
            gl::material(GL_FRONT, GL_EMISSION, route[0], route[1], route[2], route[3]);
            gl::color(route);
            if (live) {
                updateOrbit(i, jd);
                glBegin(GL_LINE_STRIP);
                for (const Vec3& p : rings_[i].points())
                    vertex(p);
                glEnd();
            } else {
                glCallList(lists::kOrbits + static_cast<unsigned>(i));
            }
        }
        gl::material(GL_FRONT, GL_EMISSION, 0.0f, 0.0f, 0.0f);
        glPopMatrix();
    }
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
}

// Inside the earth's turn: bodies and beams unlit in their own colours.
void GlobeRenderer::drawSatellites()
{
    glDisable(GL_LIGHTING);
    if (doc_.ShowCourseEarth3D)
        drawSpokes();
    for (int i = 0; i < doc_.SatelliteCount; ++i) {
        const tagSATINFO& info = doc_.SatInfo[i];
        if (!info.shown)
            continue;
        glPushMatrix();
        glRotated(info.lon, 0.0, 1.0, 0.0);
        glRotated(info.lat, 1.0, 0.0, 0.0);
        gl::color(info.glColor[1]);
        glCallList(lists::kBeams + static_cast<unsigned>(i));
        glTranslated(0.0, 0.0, -(info.alt + kEarthRadius));
        gl::color(info.glColor[2]);
        glCallList(lists::kSatelliteModel);
        glPopMatrix();
    }
    gl::setEnabled(GL_LIGHTING, lighting_);
}

// Lines from the centre to each point of the ground-track ring.
void GlobeRenderer::drawSpokes()
{
    for (int i = 0; i < doc_.SatelliteCount; ++i) {
        const tagSATINFO& info = doc_.SatInfo[i];
        if (!info.shown)
            continue;
        gl::color(info.glColor[0]);
        const auto points = static_cast<std::size_t>(std::max(doc_.NrOfPoints, 0));
        const std::size_t n = std::min({points, info.trackLat.size(), info.trackLon.size(), info.trackAlt.size()});
        glBegin(GL_LINES);
        for (std::size_t k = 0; k < n; ++k) {
            glVertex3d(0.0, 0.0, 0.0);
            vertex(geographicToScene(info.trackLat[k], info.trackLon[k], info.trackAlt[k] + kEarthRadius, 0.0));
        }
        glEnd();
    }
}

} // namespace kiv
