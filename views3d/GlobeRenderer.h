#pragma once
// The globe's picture: the earth, moon, sun with its lens flare, the stars, and the satellites
// with their orbits, beams and footprints, drawn from the document's state into whatever GL
// context is current. It is not a widget: the globe window, the off-screen tests and the
// benchmarks all drive it the same way. Every operation needs the globe's own context current;
// release() must run in it before the renderer goes.
//
// Display lists have fixed numbers in the globe's context (GlobeLists.h); a list is replaced by
// compiling it again under its number.

#include "document/DrawnPositions.h"
#include "document/ViewArchiveState.h"
#include "document/tagQUALITY.h"
#include "orbit/CSGP4_SDP4.h"
#include "views3d/FrameRate.h"
#include "views3d/GlobeCamera.h"
#include "views3d/OrbitRing.h"
#include "views3d/SceneFrame.h"
#include "views3d/SceneGeometry.h"

#include <QImage>
#include <QString>

#include <functional>
#include <optional>
#include <string>
#include <vector>


namespace kiv {
class CKivDoc;

class GlobeRenderer {
public:
    // Reads the texture's picture for a file name as the settings hold it.
    using ImageLoader = std::function<QImage(const QString& fileName)>;

    // Without a loader, pictures come through the document's picture source.
    explicit GlobeRenderer(CKivDoc& doc, ImageLoader loadImage = {});
    GlobeRenderer(const GlobeRenderer&) = delete;
    GlobeRenderer& operator=(const GlobeRenderer&) = delete;

    // The set-up of a new context: GL state, the normal quality, every list, the texture, the
    // orbits and the camera looking at the document's chosen place.
    void initialize(int width, int height);
    // Deletes every list and the texture of this renderer; initialize() builds them anew.
    void release();
    // A new window size in device pixels: viewport, projection and the flare's lists.
    void resize(int width, int height);
    // One frame into the current framebuffer.
    void renderScene();

    void setQuality(const tagQUALITY& quality);
    void loadEarthTexture(const QString& fileName);
    // Takes a picture as the earth's texture (a weather picture, or a loaded file).
    void setTexture(const QImage& picture);
    void buildEarthList();
    void buildStarList();
    void buildSatelliteModelList();
    // The model list from an archive's block.
    void buildArchivedModelList(const std::vector<std::string>& model);
    // The beam lists of every loaded satellite, or of the shown ones only.
    void buildBeamLists(bool all);
    void freeOrbitBuffers();
    void resetOrbitState();
    // Brings every orbit up to the clock and compiles its list. After freeOrbitBuffers (a new
    // satellite table) it allocates the rings and builds the beam lists first.
    void buildOrbitLists();

    // The camera over the place of latitude and west-positive longitude, at the clock's time.
    void lookAt(double latDeg, double westLonDeg, double distance);
    // The follow camera: from twice the satellite's inertial position (km), looking at the
    // centre, so that the satellite stays in the middle of the picture.
    void followFrom(const tagVECTOR& positionKm);
    GlobeCamera& camera() { return camera_; }
    const GlobeCamera& camera() const { return camera_; }

    // Settings archives: the lighting and texturing switches and the camera; taking them back
    // after the document's settings were restored rebuilds the normal quality, the texture, the
    // satellite model (from the archive's block with model number 0, a cube of edge 0.8 when it
    // draws nothing; else from the model file), the beams and the stars.
    GlobeArchiveState archiveState() const;
    void restoreArchiveState(const GlobeArchiveState& state, const std::optional<std::vector<std::string>>& model);

    // Whether the clock moved anything the last frame drew: the earth's turn in the window, a
    // satellite's place, an orbit, the sun, its flare and light, the moon or the stars.
    bool pictureMoved();

    // The frame-rate title: the animation steps since the last call, drawn or not.
    QString frameRateText();
    unsigned texture() const { return texture_; }

private:
    // GlobeScene.cpp
    void buildCrossList();
    void buildMoonList();
    void buildSunList();
    void buildLensFlareLists();
    void drawTexturedSphere();
    void drawEarth(const SceneFrame& frame);
    void drawMoon(const SceneFrame& frame, double jd);
    void drawSun(Vec3 sun);
    void drawLensFlare(WindowPoint sun);
    // GlobeSatellites.cpp
    void buildBeamList(int slot);
    void deleteSatelliteLists();
    void allocateOrbits();
    void updateOrbit(int slot, double jd);
    void drawOrbits(const SceneFrame& frame, double jd);
    void drawSatellites();
    void drawSpokes();

    // The camera a frame at this turn of the earth is drawn with: the geostationary camera turns
    // with the earth.
    GlobeCamera cameraAt(const SceneFrame& frame) const;
    void setupLights(bool on);
    // Runs work that may show a message box, with the context that was current before current after.
    static void keepingContext(const std::function<void()>& work);
    // Frees the texture's pixels and keeps its name, so that an old texture and the picture or
    // texture that replaces it are never held together.
    void emptyTexture();
    // Makes GL's texture of this size and fills it with the picture a strip at a time; false when
    // termination was requested first or meanwhile.
    bool uploadTexture(const QImage& picture, QSize size);
    // GL's largest texture side, asked while the globe's context is current; 0 before any answer.
    int maxTextureSide();
    void applyTextureFilter();
    Detail detail() const;

    CKivDoc& doc_;
    ImageLoader loadImage_;
    GlobeCamera camera_;
    CSGP4_SDP4 orbit_; // the globe's own, so that orbits never disturb the document's record
    std::vector<OrbitRing> rings_;
    int listedSatellites_ = 0; // slots whose orbit and beam lists exist
    bool orbitsFreed_ = true;
    bool texturing_ = true;
    bool lighting_ = true;
    unsigned texture_ = 0;
    int maxTextureSide_ = 0;
    FrameRate frameRate_;
    bool haveEarthTurn_ = false;
    double lastEarthTurn_ = 0.0; // of the last frame, for the geostationary camera
    DrawnPositions drawn_;
};

} // namespace kiv
