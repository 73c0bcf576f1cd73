#include "views3d/CWorldView.h"

#include "document/CKivDoc.h"
#include "platform/UiServices.h"
#include "resources/CommandIds.h"

#include <QMdiSubWindow>
#include <QMouseEvent>

using namespace kiv;

namespace {

GlobeMouse::Button buttonOf(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton:
        return GlobeMouse::Left;
    case Qt::RightButton:
        return GlobeMouse::Right;
    default:
        return GlobeMouse::Middle;
    }
}

Qt::CursorShape shapeOf(GlobeCursor cursor)
{
    switch (cursor) {
    case GlobeCursor::Pan:
        return Qt::ClosedHandCursor;
    case GlobeCursor::Zoom:
        return Qt::SizeVerCursor;
    case GlobeCursor::Rotate:
        return Qt::SizeAllCursor;
    case GlobeCursor::Middle:
        return Qt::CrossCursor;
    case GlobeCursor::Arrow:
        break;
    }
    return Qt::ArrowCursor;
}

} // namespace

CWorldView::CWorldView(CKivDoc& doc, QWidget* parent)
    : COpenGLView(doc.Context().ui.messages, parent),
      doc_(doc),
      renderer_(doc)
{
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);
    registered_ = doc_.Views.add(this);
    bindCommands();
}

CWorldView::~CWorldView()
{
    Unregister();
    releaseContext();
}

void CWorldView::Unregister()
{
    if (!registered_)
        return;
    registered_ = false;
    endDrag();
    doc_.Views.remove(this);
}

// ---- the document's calls ------------------------------------------------------------------

void CWorldView::RenderScene() { update(); }

bool CWorldView::PictureMoved() { return renderer_.pictureMoved(); }

void CWorldView::ShowFramesPerSecond()
{
    const QString text = renderer_.frameRateText();
    for (QWidget* w = parentWidget(); w; w = w->parentWidget()) {
        if (auto* frame = qobject_cast<QMdiSubWindow*>(w)) {
            frame->setWindowTitle(text);
            return;
        }
    }
}

// Without a context the set-up builds the orbits anew, so nothing is lost by skipping these.
void CWorldView::FreeOrbitBuffers()
{
    withContext([this] { renderer_.freeOrbitBuffers(); });
}

void CWorldView::ResetOrbitState()
{
    withContext([this] { renderer_.resetOrbitState(); });
}

void CWorldView::BuildOrbitLists()
{
    withContext([this] { renderer_.buildOrbitLists(); });
}

void CWorldView::BuildStarList()
{
    withContext([this] { renderer_.buildStarList(); });
}

void CWorldView::FollowFrom(const tagVECTOR& positionKm)
{
    renderer_.followFrom(positionKm);
}

void CWorldView::LookAt(double latitude, double westLongitude, double distance)
{
    renderer_.lookAt(latitude, westLongitude, distance);
}

void CWorldView::SetEarthTexture(const QImage& picture)
{
    if (!withContext([&] { renderer_.setTexture(picture); }))
        pendingTexture_ = picture;
    update();
}

void CWorldView::BuildSatelliteLists()
{
    withContext([this] {
        renderer_.buildSatelliteModelList();
        renderer_.buildBeamLists(true);
    });
    doc_.InvalidateViews(kRedrawGlobe);
}

kiv::GlobeArchiveState CWorldView::ArchiveState() const { return renderer_.archiveState(); }

void CWorldView::RestoreArchiveState(const kiv::GlobeArchiveState& state,
                                     const std::optional<std::vector<std::string>>& model)
{
    if (withContext([&] { renderer_.restoreArchiveState(state, model); }))
        pendingArchive_.reset();
    else
        pendingArchive_ = PendingArchive{state, model};
    update();
}

void CWorldView::SetQuality(const tagQUALITY& quality)
{
    withContext([&] { renderer_.setQuality(quality); });
}

void CWorldView::MoveProjectionZ(double dz) { renderer_.camera().zoom(dz); }

// ---- GL ------------------------------------------------------------------------------------

void CWorldView::initializeScene(int width, int height)
{
    renderer_.initialize(width, height);
    if (pendingTexture_) {
        renderer_.setTexture(*pendingTexture_);
        pendingTexture_.reset();
    }
    if (pendingArchive_) {
        renderer_.restoreArchiveState(pendingArchive_->state, pendingArchive_->model);
        // The first resize after the set-up sets the projection anew: the archive's comes after it.
        archivedCamera_ = pendingArchive_->state;
        pendingArchive_.reset();
    }
}

void CWorldView::paintScene()
{
    archivedCamera_.reset();
    renderer_.renderScene();
}

void CWorldView::resizeScene(int width, int height)
{
    renderer_.resize(width, height);
    if (archivedCamera_)
        renderer_.camera().setMatrices(Matrix4::fromColumnMajor(archivedCamera_->projection),
                                       Matrix4::fromColumnMajor(archivedCamera_->modelView));
}

void CWorldView::releaseScene() { renderer_.release(); }

// ---- mouse ---------------------------------------------------------------------------------

void CWorldView::mousePressEvent(QMouseEvent* event)
{
    const bool starting = !mouse_.dragging();
    mouse_.press(buttonOf(event->button()));
    if (starting)
        withContext([this] { renderer_.setQuality(doc_.MouseMove); });
    doc_.HeldRedraws = mouse_.heldViews();
    showCursor();
}

void CWorldView::mouseReleaseEvent(QMouseEvent*)
{
    endDrag();
    doc_.InvalidateViews(kRedrawGlobe);
}

void CWorldView::mouseMoveEvent(QMouseEvent* event)
{
    const QPointF at = event->position() * devicePixelRatioF();
    mouse_.move(at.x(), at.y(), renderer_.camera());
    if (mouse_.dragging())
        doc_.InvalidateViews(kRedrawGlobe);
}

// Drops pan and zoom; the turns stay.
void CWorldView::mouseDoubleClickEvent(QMouseEvent*)
{
    renderer_.camera().resetProjection();
    doc_.InvalidateViews(kRedrawGlobe);
}

void CWorldView::focusOutEvent(QFocusEvent* event)
{
    COpenGLView::focusOutEvent(event);
    if (mouse_.dragging()) {
        endDrag();
        doc_.InvalidateViews(kRedrawGlobe);
    }
}

void CWorldView::endDrag()
{
    if (!mouse_.dragging())
        return;
    mouse_.release();
    withContext([this] { renderer_.setQuality(doc_.Normal); });
    doc_.HeldRedraws = 0;
    showCursor();
}

void CWorldView::showCursor() { setCursor(shapeOf(mouse_.cursor())); }

// ---- commands ------------------------------------------------------------------------------

void CWorldView::bindCommands()
{
    const auto checkedWhen = [](const int& value, int when) {
        return [&value, when](kiv::CommandUi& ui) { ui.SetCheck(value == when); };
    };
    const auto cameraMode = [this](int mode) {
        return [this, mode] {
            doc_.CameraPos = mode;
            doc_.FollowActive = 0;
        };
    };
    const auto toggle = [](int& flag) { return [&flag] { flag = !flag; }; };

    commands_.on(kCmdGeostationary, cameraMode(1), checkedWhen(doc_.CameraPos, 1));
    commands_.on(kCmdStationary, cameraMode(0), checkedWhen(doc_.CameraPos, 0));
    for (const auto& [id, style] : {std::pair{kCmdBeamNone, 0}, std::pair{kCmdBeamLine, 1}, std::pair{kCmdBeamCone, 2}, std::pair{kCmdBeamTransparent, 3}})
        commands_.on(id, [this, style = style] { setBeamStyle(style); }, checkedWhen(doc_.BeamDrawStyle, style));
    commands_.on(
        kCmdFootprint3D,
        [this] {
            doc_.Footprint3D = !doc_.Footprint3D;
            rebuildBeams();
        },
        checkedWhen(doc_.Footprint3D, 1));
    commands_.on(kCmdRouteEarth, toggle(doc_.ShowCourseEarth3D), checkedWhen(doc_.ShowCourseEarth3D, 1));
    commands_.on(kCmdRouteSpace, toggle(doc_.ShowCourse3D), checkedWhen(doc_.ShowCourse3D, 1));
    commands_.on(kCmdCoordinateCross, toggle(doc_.ShowCenterCross), checkedWhen(doc_.ShowCenterCross, 1));
}

void CWorldView::setBeamStyle(int style)
{
    doc_.BeamDrawStyle = style;
    rebuildBeams();
}

void CWorldView::rebuildBeams()
{
    withContext([this] { renderer_.buildBeamLists(true); });
    doc_.InvalidateViews(kRedrawGlobe);
}
