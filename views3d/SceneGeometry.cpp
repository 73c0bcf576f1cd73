#include "views3d/SceneGeometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace kiv {

namespace {
constexpr double kPi = std::numbers::pi;
}

Detail Detail::of(int accuracyX, int accuracyY) { return {std::max(accuracyX, 3), std::max(accuracyY, 2)}; }

std::vector<std::vector<SphereVertex>> texturedSphere(double radius, Detail detail, double offsetDeg)
{
    double offset = std::fmod(offsetDeg, 360.0);
    if (offset < 0.0)
        offset += 360.0;
    const double a0 = offset / 360.0 * 2.0 * kPi;
    const int slices = detail.slices;
    const int stacks = detail.stacks;
    std::vector<std::vector<SphereVertex>> strips(slices);
    for (int i = 0; i < slices; ++i) {
        std::vector<SphereVertex>& strip = strips[i];
        strip.reserve(2 * (stacks + 1));
        for (int j = 0; j <= stacks; ++j) {
            const double polar = j * kPi / stacks;
            const double y = radius * std::cos(polar);
            const double rho = radius * std::sin(polar);
            for (const int k : {i, i + 1}) {
                const double a = a0 + k * 2.0 * kPi / slices;
                strip.push_back({{rho * std::cos(a), y, rho * std::sin(a)},
                                 static_cast<float>(1.0 - static_cast<double>(k) / slices),
                                 static_cast<float>(1.0 - static_cast<double>(j) / stacks)});
            }
        }
    }
    return strips;
}

std::vector<Vec3> circlePoints(double radius, int points)
{
    std::vector<Vec3> circle;
    circle.reserve(std::max(points, 0));
    for (int i = 0; i < points; ++i) {
        const double a = 2.0 * kPi / points * i;
        circle.push_back({radius * std::cos(a), radius * std::sin(a), 0.0});
    }
    return circle;
}

CubeVertices cubeVertices(double edge)
{
    const double h = edge / 2.0;
    return {{{{-h, h, -h}, {-h, -h, -h}, {-h, h, h}, {-h, -h, h}, {h, h, h},
              {h, -h, h}, {h, h, -h}, {h, -h, -h}, {-h, h, -h}, {-h, -h, -h}}},
            {{{-h, h, h}, {h, h, h}, {h, h, -h}, {-h, h, -h},
              {-h, -h, -h}, {h, -h, -h}, {h, -h, h}, {-h, -h, h}}}};
}

const std::array<FlareDisc, kFlareDiscs> kFlareDiscTable{{
    {0.5, 1.8}, {-1.0, 1.8}, {1.8, 2.0}, {0.5, 0.8}, {0.8, 0.8}, {0.3, 0.6}, {-0.2, 0.8},
    {2.0, 0.8}, {-1.7, 0.5}, {-1.0, 1.3}, {0.5, 1.3}, {-2.0, 2.8}, {-2.1, 0.8}, {4.2, 1.5},
    {-8.0, 0.5}, {0.8, 0.8}, {0.9, 0.4}, {1.9, 0.5}, {2.2, 0.6}, {8.0, 0.5},
}};

bool segmentMeetsSphere(Vec3 a, Vec3 b, double radius)
{
    const Vec3 d = b - a;
    const double dd = dot(d, d);
    const double t = dd > 0.0 ? std::clamp(-dot(a, d) / dd, 0.0, 1.0) : 0.0;
    const Vec3 nearest = a + d * t;
    return dot(nearest, nearest) < radius * radius;
}

double flareScale(int width, int height)
{
    return 33.0 * std::min(width / 1024.0, height / 768.0);
}

} // namespace kiv
