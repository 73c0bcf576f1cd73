#pragma once
// The random star field around the globe: points on the sphere of radius 200,000 (thousands of
// km), drawn from a 15-bit linear congruential generator of our own so that the field is the
// same on every machine and every run.

#include "views3d/Matrix4.h"

#include <cstdint>
#include <vector>

namespace kiv {

class Lcg15 {
public:
    explicit Lcg15(std::uint32_t seed) : state_(seed) {}
    // 0 .. 32767.
    int next()
    {
        state_ = state_ * 214013u + 2531011u;
        return static_cast<int>((state_ >> 16) & 0x7FFF);
    }

private:
    std::uint32_t state_;
};

inline constexpr double kStarSphereRadius = 200000.0;
inline constexpr std::uint32_t kStarSeed = 1;

// count stars (none for count <= 0). Their x spread follows the product of two draws, and a
// star lies on the -z side with chance 11 in 24.
std::vector<Vec3> starField(int count, std::uint32_t seed = kStarSeed);

} // namespace kiv
