#include "views3d/StarField.h"

#include <cmath>

namespace kiv {

std::vector<Vec3> starField(int count, std::uint32_t seed)
{
    constexpr std::int64_t kRadius = 200000;
    constexpr double kRadiusSquared = 4e10;
    std::vector<Vec3> stars;
    if (count <= 0)
        return stars;
    stars.reserve(count);
    Lcg15 random(seed);
    const auto product = [&random] { return std::int64_t{random.next()} * random.next(); };
    for (int i = 0; i < count; ++i) {
        const double x = static_cast<double>(product() % (2 * kRadius) - kRadius);
        const auto s = static_cast<std::int64_t>(std::floor(std::sqrt(kRadiusSquared - x * x)));
        const double y = static_cast<double>(product() % (2 * s + 1) - s);
        double z = std::sqrt(std::max(0.0, kRadiusSquared - x * x - y * y));
        if (random.next() % 24 > 12)
            z = -z;
        stars.push_back({x, y, z});
    }
    return stars;
}

} // namespace kiv
