// GlobeRenderer: set-up, quality, light, texture, camera and the order of a frame.
#include "views3d/GlobeRenderer.h"

#include "document/CKivDoc.h"
#include "platform/PictureSource.h"
#include "platform/TerminationLatch.h"
#include "platform/UiServices.h"
#include "views3d/EarthTexture.h"
#include "views3d/GlState.h"
#include "views3d/GlobeLists.h"
#include "views3d/GlobeMotion.h"

#include <QOpenGLContext>

#include <GL/gl.h>

#include <algorithm>

namespace kiv {

namespace {
const Perspective kGlobePerspective{.fieldOfView = 20.0, .zNear = 5.0, .zFar = 400000.0};
constexpr double kStartDistance = 140.0;
} // namespace

GlobeRenderer::GlobeRenderer(CKivDoc& doc, ImageLoader loadImage) : doc_(doc), loadImage_(std::move(loadImage))
{
    if (!loadImage_)
        loadImage_ = [&doc](const QString& name) {
            PictureSource* pictures = doc.Context().pictures;
            return pictures ? pictures->load(name, PictureUse::Texture) : QImage();
        };
}

Detail GlobeRenderer::detail() const { return Detail::of(doc_.AccuracyX, doc_.AccuracyY); }

void GlobeRenderer::initialize(int width, int height)
{
    glClearDepth(1.0);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glFrontFace(GL_CCW);
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    glShadeModel(GL_FLAT);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glViewport(0, 0, std::max(width, 1), std::max(height, 1));
    camera_.setPerspective(kGlobePerspective, width, height);
    maxTextureSide();

    setQuality(doc_.Normal);
    loadEarthTexture(doc_.TextureErdeFileName);
    buildSatelliteModelList();
    buildMoonList();
    buildSunList();
    buildStarList();
    buildLensFlareLists();
    buildOrbitLists();
    // The stored names are crossed: ActualLongitude holds the latitude.
    lookAt(doc_.ActualLongitude, doc_.ActualLatitude, kStartDistance);
}

void GlobeRenderer::release()
{
    drawn_.forget();
    freeOrbitBuffers();
    glDeleteLists(lists::kCross, lists::kFlareRing - lists::kCross + 1);
    if (texture_ != 0)
        glDeleteTextures(1, &texture_);
    texture_ = 0;
}

void GlobeRenderer::resize(int width, int height)
{
    if (height <= 0)
        return;
    glViewport(0, 0, width, height);
    camera_.resize(width, height);
    buildLensFlareLists();
}

void GlobeRenderer::setQuality(const tagQUALITY& quality)
{
    texturing_ = quality.Texturing != 0;
    doc_.TextureInterpolation = quality.Interpolation;
    doc_.ShadeMode = quality.Qualitaet;
    glShadeModel(quality.Qualitaet == 1 ? GL_SMOOTH : GL_FLAT);
    setupLights(quality.Lightning != 0);
    applyTextureFilter();
    buildEarthList();
}

GlobeArchiveState GlobeRenderer::archiveState() const
{
    GlobeArchiveState state;
    state.lighting = lighting_ ? 1 : 0;
    state.texturing = texturing_ ? 1 : 0;
    state.projection = camera_.projection().toColumnMajor();
    state.modelView = camera_.modelView().toColumnMajor();
    return state;
}

void GlobeRenderer::restoreArchiveState(const GlobeArchiveState& state,
                                        const std::optional<std::vector<std::string>>& model)
{
    setQuality(doc_.Normal);
    texturing_ = state.texturing != 0;
    setupLights(state.lighting != 0);
    loadEarthTexture(doc_.TextureErdeFileName);
    if (model)
        buildArchivedModelList(*model);
    else
        buildSatelliteModelList();
    buildBeamLists(true);
    buildStarList();
    camera_.setMatrices(Matrix4::fromColumnMajor(state.projection), Matrix4::fromColumnMajor(state.modelView));
}

void GlobeRenderer::setupLights(bool on)
{
    lighting_ = on;
    if (on) {
        const GLfloat ambient[] = {0.147f, 0.147f, 0.147f, 1.0f};
        const GLfloat bright[] = {0.98f, 0.98f, 0.98f, 1.0f};
        glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
        glLightfv(GL_LIGHT0, GL_DIFFUSE, bright);
        glLightfv(GL_LIGHT0, GL_SPECULAR, bright);
    }
    gl::setEnabled(GL_LIGHTING, on);
    gl::setEnabled(GL_LIGHT0, on);
}

void GlobeRenderer::loadEarthTexture(const QString& fileName)
{
    kiv::WaitCursor wait(doc_.Context().ui.cursors);
    emptyTexture();
    QImage picture;
    keepingContext([&] { picture = loadImage_(fileName); });
    setTexture(picture);
}

// A message box runs an event loop, in which a window may draw with its own context and leave
// none current: the globe's is made current again before GL hears of anything more.
void GlobeRenderer::keepingContext(const std::function<void()>& work)
{
    QOpenGLContext* context = QOpenGLContext::currentContext();
    QSurface* surface = context ? context->surface() : nullptr;
    work();
    if (context && QOpenGLContext::currentContext() != context)
        context->makeCurrent(surface);
}

void GlobeRenderer::emptyTexture()
{
    if (texture_ == 0)
        return;
    glBindTexture(GL_TEXTURE_2D, texture_);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 0, 0, 0, GL_RGB, GL_UNSIGNED_BYTE, nullptr);
}

int GlobeRenderer::maxTextureSide()
{
    GLint side = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &side);
    // GL promises at least 64; less means no context answered, and the last answer stands.
    if (side >= 64)
        maxTextureSide_ = side;
    return maxTextureSide_;
}

void GlobeRenderer::setTexture(const QImage& picture)
{
    const int maxSide = maxTextureSide();
    if (maxSide == 0) // no context has answered yet
        return;
    const FittedTexture fitted = fitTextureSize(picture.size(), maxSide);
    if (fitted.size.isEmpty())
        return;
    if (fitted.resized) {
        const bool english = doc_.Language != 0;
        keepingContext([&] {
            doc_.Context().ui.messages.show(
                {.caption = QStringLiteral("Warning"),
                 .text = textureSizeWarning(fitted.size.width(), fitted.size.height(), english),
                 .buttons = kiv::MessageButtons::Ok,
                 .icon = kiv::MessageIcon::Exclamation});
        });
    }
    emptyTexture();
    if (!uploadTexture(picture, fitted.size)) {
        emptyTexture();
        return;
    }
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    applyTextureFilter();
    buildEarthList();
}

// Once termination is requested (which also ends the size warning's box) the program is ending,
// and a picture of hundreds of megapixels would take seconds to fit.
bool GlobeRenderer::uploadTexture(const QImage& picture, QSize size)
{
    if (TerminationLatch::raised())
        return false;
    if (texture_ == 0)
        glGenTextures(1, &texture_);
    glBindTexture(GL_TEXTURE_2D, texture_);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, size.width(), size.height(), 0, GL_RGB, GL_UNSIGNED_BYTE, nullptr);
    // QImage rows are 4-byte aligned, as GL's default unpack alignment.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    return textureStrips(picture, size, [](int firstRow, const QImage& rows) {
        glTexSubImage2D(GL_TEXTURE_2D, 0, 0, firstRow, rows.width(), rows.height(), GL_RGB, GL_UNSIGNED_BYTE,
                        rows.constBits());
        return !TerminationLatch::raised();
    });
}

// The interpolation of the quality in force applies at once, not only at the next load.
void GlobeRenderer::applyTextureFilter()
{
    if (texture_ == 0)
        return;
    const GLint filter = doc_.TextureInterpolation ? GL_LINEAR : GL_NEAREST;
    glBindTexture(GL_TEXTURE_2D, texture_);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
}

void GlobeRenderer::lookAt(double latDeg, double westLonDeg, double distance)
{
    camera_.lookAt(lookAtEye(latDeg, westLonDeg, distance, doc_.SimTime));
}

void GlobeRenderer::followFrom(const tagVECTOR& positionKm)
{
    camera_.lookAt(SceneFrame::at(doc_.SimTime).inertialToScene(positionKm) * 2.0);
}

QString GlobeRenderer::frameRateText()
{
    const std::uint32_t now = doc_.Context().ui.clock.tickCount();
    const QString text = frameRate_.text(doc_.FpsSteps, static_cast<std::int64_t>(now - doc_.FpsTick));
    doc_.FpsSteps = 0;
    doc_.FpsTick = now;
    return text;
}

bool GlobeRenderer::pictureMoved()
{
    return drawn_.moved([this](DrawnPositions& d) {
        listGlobeMotion(d, doc_, cameraAt(SceneFrame::at(doc_.SimTime)), rings_);
    });
}

GlobeCamera GlobeRenderer::cameraAt(const SceneFrame& frame) const
{
    GlobeCamera camera = camera_;
    if (doc_.CameraPos == 1 && haveEarthTurn_ && lastEarthTurn_ != frame.earthTurnDeg)
        camera.turnAboutPolarAxis(lastEarthTurn_ - frame.earthTurnDeg);
    return camera;
}

void GlobeRenderer::renderScene()
{
    const SceneFrame frame = SceneFrame::at(doc_.SimTime);
    const double jd = doc_.SimTime.julianDate();
    // The geostationary camera turns with the earth before anything is drawn, so that orbits and
    // the light never lag a frame behind it.
    camera_ = cameraAt(frame);
    lastEarthTurn_ = frame.earthTurnDeg;
    haveEarthTurn_ = true;

    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glLoadMatrixd(camera_.projection().data());
    glMatrixMode(GL_MODELVIEW);
    glLoadMatrixd(camera_.modelView().data());

    const Vec3 sun = frame.inertialToScene(doc_.Orbit.CalculateSolarPosition(jd));
    const GLfloat light[] = {static_cast<GLfloat>(sun.x), static_cast<GLfloat>(sun.y), static_cast<GLfloat>(sun.z), 0.0f};
    glLightfv(GL_LIGHT0, GL_POSITION, light);

    if (doc_.CalculateExact == 1)
        buildBeamLists(false);
    drawOrbits(frame, jd);
    drawEarth(frame);
    drawMoon(frame, jd);
    drawSun(sun);
    glCallList(lists::kStars);
    drawn_.record([this](DrawnPositions& d) { listGlobeMotion(d, doc_, camera_, rings_); });
}

} // namespace kiv
