#pragma once
// One satellite's orbit for the globe: N points spanning one period in the inertial frame (on
// the scene's axes, before the orbit turn). As the clock moves on, whole steps of old points
// drop off the front and new ones are propagated at the end; a jump of N steps or more, or time
// running backwards, computes the ring anew, centred on the present.

#include "views3d/Matrix4.h"

#include <functional>
#include <vector>

namespace kiv {

class OrbitRing {
public:
    // The position of the satellite (scene axes) at a Julian date.
    using Propagator = std::function<Vec3(double jd)>;

    static constexpr int kMinPoints = 3;

    // Empties the ring: N points (at least kMinPoints) over one period of the mean motion
    // (revolutions per day). The next update computes all points.
    void reset(double meanMotion, int points);
    void update(double jd, const Propagator& position);
    // Whether update(jd) would change the points.
    bool dueAt(double jd) const;

    const std::vector<Vec3>& points() const { return points_; }
    double step() const { return step_; }
    double carry() const { return carry_; }
    double lastPointTime() const { return lastPointTime_; }

private:
    void recompute(double jd, const Propagator& position);

    std::vector<Vec3> points_;
    double step_ = 0.0;          // days between points
    double carry_ = 0.0;         // days of elapsed time not yet spent on whole steps
    double lastPointTime_ = 0.0; // Julian date of the newest point
    double lastUpdate_ = 0.0;    // Julian date of the last update; 0 after a reset
};

} // namespace kiv
