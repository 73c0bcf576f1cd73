#include "views3d/OrbitRing.h"

#include <algorithm>
#include <cmath>

namespace kiv {

void OrbitRing::reset(double meanMotion, int points)
{
    const int n = std::max(points, kMinPoints);
    points_.assign(n, Vec3{});
    // A record without a usable mean motion keeps a ring at the centre rather than dividing by 0.
    step_ = meanMotion > 0.0 && std::isfinite(meanMotion) ? (1.0 / meanMotion) / (n - 1) : 0.0;
    carry_ = lastPointTime_ = lastUpdate_ = 0.0;
}

void OrbitRing::update(double jd, const Propagator& position)
{
    if (step_ <= 0.0 || points_.empty())
        return;
    const double elapsed = jd - lastUpdate_ + carry_;
    const bool fresh = lastUpdate_ == 0.0;
    lastUpdate_ = jd;
    if (fresh || elapsed < 0.0 || !std::isfinite(elapsed)) {
        recompute(jd, position);
        return;
    }
    if (elapsed <= step_) {
        carry_ = elapsed;
        return;
    }
    const double steps = elapsed / step_;
    const auto n = static_cast<double>(points_.size());
    if (steps >= n) {
        recompute(jd, position);
        return;
    }
    const auto m = static_cast<std::size_t>(steps);
    carry_ = (steps - static_cast<double>(m)) * step_;
    std::rotate(points_.begin(), points_.begin() + static_cast<std::ptrdiff_t>(m), points_.end());
    const std::size_t first = points_.size() - m;
    for (std::size_t k = 0; k < m; ++k) {
        lastPointTime_ += step_;
        points_[first + k] = position(lastPointTime_);
    }
}

bool OrbitRing::dueAt(double jd) const
{
    if (step_ <= 0.0 || points_.empty())
        return false;
    const double elapsed = jd - lastUpdate_ + carry_;
    return lastUpdate_ == 0.0 || !(elapsed >= 0.0 && elapsed <= step_);
}

void OrbitRing::recompute(double jd, const Propagator& position)
{
    const std::size_t n = points_.size();
    const double t0 = jd - static_cast<double>(n) * step_ / 2.0;
    for (std::size_t k = 0; k < n; ++k)
        points_[k] = position(t0 + static_cast<double>(k) * step_);
    lastPointTime_ = t0 + static_cast<double>(n - 1) * step_;
    carry_ = 0.0;
}

} // namespace kiv
