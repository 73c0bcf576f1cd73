// CKivDoc: the simulated clock, the animation step, Play, Pause, Reset and the follow camera.
#include "document/BeamFootprint.h"
#include "document/CKivDoc.h"
#include "document/SimTimeRange.h"
#include "document/TimeStep.h"
#include "orbit/OrbitTime.h"
#include "platform/LanguageText.h"
#include "platform/UiServices.h"
#include "platform/VectorUnitState.h"

using namespace kiv;

void CKivDoc::setTime(kiv::Time time)
{
    SimTime = time;
    UtcOffset = -time.localMinusUtcSeconds();
}

void CKivDoc::SetSimTime(kiv::Time time)
{
    setTime(std::clamp(time, kEarliestSimTime, kLatestSimTime));
    LastTick = context_.ui.clock.tickCount();
    realTimeRemainder_ = 0.0;
    DocumentChanged();
}

void CKivDoc::EnableAnimationTimer(bool on)
{
    if (on) {
        LastTick = context_.ui.clock.tickCount();
        realTimeRemainder_ = 0.0;
    }
    if (context_.frame)
        context_.frame->SetAnimationTimer(on && AnimationRunning && timerHolds_ == 0);
    if (redrawsAtOnce())
        RedrawPendingViews();
}

// While the animation runs the next step redraws, and while a bracket holds the timer its end
// does; only with the animation stopped is there nothing to wait for.
bool CKivDoc::redrawsAtOnce() const { return !AnimationRunning && timerHolds_ == 0; }

void CKivDoc::HoldAnimationTimer()
{
    if (timerHolds_++ == 0)
        EnableAnimationTimer(false);
}

void CKivDoc::ReleaseAnimationTimer()
{
    if (--timerHolds_ == 0)
        EnableAnimationTimer(true);
}

void CKivDoc::InvalidateViews(int views)
{
    pendingRedraws_ |= views;
    if (redrawsAtOnce())
        RedrawPendingViews();
}

void CKivDoc::DocumentChanged()
{
    recalculate_ = true;
    if ((TimeFactor == 0 || !AnimationRunning) && !reloading_)
        calculateShownSatellites(true);
    InvalidateViews(kRedrawAll);
}

void CKivDoc::RedrawPendingViews()
{
    const int due = pendingRedraws_ & ~HeldRedraws;
    pendingRedraws_ &= ~due;
    // Views that only the clock's advance touched redraw where it moved something.
    const int moved = clockRedraws_ & ~HeldRedraws & ~due;
    clockRedraws_ &= HeldRedraws;
    const auto wanted = [due, moved](int view, auto* port) {
        return (due & view) != 0 || ((moved & view) != 0 && port->PictureMoved());
    };
    if (Show3D && Views.world() && wanted(kRedrawGlobe, Views.world()))
        Views.world()->RenderScene();
    if (Show2D && Views.map() && wanted(kRedrawMap, Views.map()))
        Views.map()->RedrawMap();
    if (ShowObs && Views.obs() && wanted(kRedrawObserver, Views.obs()))
        Views.obs()->RedrawSky();
    if (ShowWDB) {
        for (int i = 1; i <= Views.wdbCount(); ++i) {
            if (wanted(kRedrawWorldDataBank, Views.wdb(i)))
                Views.wdb(i)->RefreshSatellites();
        }
    }
}

// At factor 1 the clock moves in whole seconds, so most steps change no picture: they advance the
// clock and redraw nothing. A step whose clock moved propagates and asks every view whether that
// moved its picture; a change of anything else has marked the views it touches already.
void CKivDoc::AnimationStep()
{
    if (reloading_)
        return;
    kiv::clearUpperVectorState();
    if (++resetCounter_ >= 10000) {
        resetCounter_ = 0;
        OnReset();
    }
    if (Show3D && ++fpsCounter_ >= 10) {
        fpsCounter_ = 0;
        if (Views.world())
            Views.world()->ShowFramesPerSecond();
    }
    if (busy_)
        return;
    busy_ = true;
    if (Show3D)
        ++FpsSteps;
    const kiv::Time before = SimTime;
    AdvanceTime();
    const bool clockMoved = SimTime != before;
    if (clockMoved || recalculate_) {
        if (recalculate_)
            pendingRedraws_ = kRedrawAll;
        recalculate_ = false;
        // A stopped clock stands still, and DocumentChanged has already brought every shown
        // satellite to its time.
        if (TimeFactor != 0)
            calculateShownSatellites(!AnimationRunning);
    }
    if (clockMoved)
        clockRedraws_ = kRedrawAll;
    if (FollowActive && (pendingRedraws_ | clockRedraws_) != 0)
        UpdateFollowCamera();
    RedrawPendingViews();
    busy_ = false;
}

void CKivDoc::AdvanceTime()
{
    const std::uint32_t now = context_.ui.clock.tickCount();
    if (AnimationRunning) {
        const int month = TimeFactor == kOneMonth ? SimTime.local().month : 0; // the zone lookup is not free
        const std::int64_t seconds = stepSeconds(TimeFactor, month, realTimeRemainder_, now - LastTick);
        // A step that adds nothing keeps the zone's offset: looking it up would be its dearest part.
        if (seconds != 0) {
            const kiv::Time next = SimTime + seconds;
            if (!isSimTimeInRange(next)) {
                setTime(context_.ui.clock.now());
                context_.ui.messages.show(
                    {.caption = inLanguage(English(), "Note : ", "Achtung : "),
                     .text = inLanguage(
                         English(), "Time run out of range.\nResetting to current time",
                         "Die simulierte Zeit kann nicht dargestellt werden.\nSetze Simulationszeit zur aktuellen Zeit."),
                     .buttons = kiv::MessageButtons::Ok,
                     .icon = kiv::MessageIcon::Information});
            } else {
                setTime(next);
            }
        }
    }
    LastTick = context_.ui.clock.tickCount();
    showStatusTexts();
}

// The clock and factor panes change once a second at most, and not at all while paused: their
// texts are made only when what they show changed.
void CKivDoc::showStatusTexts()
{
    if (!context_.frame)
        return;
    const StatusShown now{SimTime, ShowUTC != 0, TimeFactor};
    if (!statusShown_ || statusShown_->time != now.time || statusShown_->utc != now.utc) {
        int year, month, day, hour, minute, second;
        if (now.utc) {
            const kiv::orbit::UtcCalendar c = SimTime.utcCalendar();
            std::tie(year, month, day, hour, minute, second) = std::tie(c.year, c.month, c.day, c.hour, c.minute, c.second);
        } else {
            const kiv::LocalCalendar c = SimTime.local();
            std::tie(year, month, day, hour, minute, second) = std::tie(c.year, c.month, c.day, c.hour, c.minute, c.second);
        }
        context_.frame->SetStatusText(StatusPane::Clock, QStringLiteral("%1 , %2 , %3 / %4 : %5 : %6")
                                             .arg(year)
                                             .arg(QLatin1String(monthAbbreviation(month, true)))
                                             .arg(day)
                                             .arg(hour)
                                             .arg(minute)
                                             .arg(second));
    }
    if (!statusShown_ || statusShown_->factor != now.factor)
        context_.frame->SetStatusText(StatusPane::TimeFactor, QString::number(TimeFactor));
    statusShown_ = now;
}

void CKivDoc::OnPlay()
{
    AnimationRunning = AnimationRunning ? 0 : 1;
    EnableAnimationTimer(AnimationRunning != 0);
}

void CKivDoc::OnPause()
{
    if (TimeFactor != 0) {
        savedTimeFactor_ = TimeFactor;
        TimeFactor = 0;
    } else {
        TimeFactor = savedTimeFactor_ != 0 ? savedTimeFactor_ : 1;
        savedTimeFactor_ = 0;
    }
}

int CKivDoc::PersistentTimeFactor() const
{
    if (TimeFactor != 0)
        return TimeFactor;
    return savedTimeFactor_ != 0 ? savedTimeFactor_ : 1;
}

void CKivDoc::OnReset()
{
    kiv::clearUpperVectorState();
    kiv::WaitCursor wait(context_.ui.cursors);
    ResetRouteSteps();
    if (Show3D && Views.world()) {
        Views.world()->ResetOrbitState();
        Views.world()->BuildOrbitLists();
    }
    calculateShownSatellites();
    DocumentChanged();
    AnimationStep();
}

void CKivDoc::UpdateFollowCamera()
{
    const int f = FollowedSatellite;
    if (f < 0 || f >= SatelliteCount) {
        FollowActive = 0;
        return;
    }
    const tagSATINFO& info = SatInfo[f];
    if (Show3D && FollowIn3D && Views.world()) {
        if (!info.shown)
            CalculateSatellite(f);
        // Looking down at the satellite's place from twice its distance from the centre keeps
        // the eye outside the earth for every orbit.
        if (FollowMode3D != 0)
            Views.world()->FollowFrom(FollowedPos);
        else
            Views.world()->LookAt(info.lat, -info.lon, 2.0 * (info.alt + kEarthRadius));
        pendingRedraws_ |= kRedrawGlobe;
    }
    if (ShowWDB && FollowInWDB && Views.wdbCount() >= 1) {
        if (!FollowIn3D && !info.shown)
            CalculateSatellite(f);
        Views.wdb(1)->CentreOn(info.lat, -info.lon);
        if (Show2D && Views.map())
            Views.map()->SetWDBZoomBox(Views.wdb(1)->Extent());
        pendingRedraws_ |= kRedrawWorldDataBank | kRedrawMap;
    }
}
