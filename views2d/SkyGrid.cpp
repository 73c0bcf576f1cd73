#include "views2d/SkyGrid.h"

#include "platform/Numbers.h"

#include <array>
#include <cmath>
#include <numbers>

namespace kiv {

namespace {

constexpr std::array<const char*, 8> kCompassNames{"N", "NE", "E", "SE", "S", "SW", "  W", "NW"};

// One grid line after the other, `lines` lines of N points each.
void drawLines(SkySink& sink, std::span<const SkyVector> mesh, int points, const SkyProjection& view, bool flat,
               int pass, QRgb colour)
{
    const int lines = points ? static_cast<int>(mesh.size()) / points : 0;
    for (int k = 0; k < lines; ++k) {
        const std::span<const SkyVector> line = mesh.subspan(k * points, points);
        sink.moveTo(truncated(view.project(line[0])));
        for (const SkyVector& point : line) {
            const ScreenPoint p = view.project(point);
            const QPoint at = truncated(p);
            if (p.belowHorizon) {
                sink.moveTo(at);
            } else if (flat || p.z >= 0.0) {
                sink.lineTo(at, colour);
            } else {
                sink.moveTo(at);
                if (pass == 0)
                    sink.pixel(at, colour);
            }
        }
    }
}

void label(SkySink& sink, QPoint at, double value, QRgb colour)
{
    sink.text(at, formatFixed(value, 0), colour, true);
}

} // namespace

QRgb skyColour(COLORREF c) { return qRgb(redOf(c), greenOf(c), blueOf(c)); }

QPoint truncated(const ScreenPoint& p)
{
    // Far-off or non-finite values cannot overflow the conversion.
    const auto clampPixel = [](double v) {
        return std::isfinite(v) ? static_cast<int>(std::fmax(-1e6, std::fmin(1e6, v))) : -1000000;
    };
    return {clampPixel(p.x), clampPixel(p.y)};
}

void drawAzimuthGrid(SkySink& sink, const SkyMeshes& meshes, const SkyProjection& view, const SkySettings& s, int pass)
{
    if (!s.drawAzimuth)
        return;
    const QRgb colour = skyColour(s.azimuthLines);
    drawLines(sink, meshes.azimuth, meshes.points, view, s.flat, pass, colour);
    if (pass != 1 || !s.drawAziDegrees)
        return;
    for (int k = 0; k < meshes.meridianCount(); ++k) {
        const ScreenPoint p = view.project(meshes.meridian(k, meshes.points / 2));
        // Labels just behind the rim still show.
        if (s.flat || p.z >= -10.0)
            label(sink, truncated(p), meridianLabel(k, meshes.azimuthStep), colour);
    }
}

void drawElevationGrid(SkySink& sink, const SkyMeshes& meshes, const SkyProjection& view, const SkySettings& s, int pass)
{
    if (!s.drawElevation)
        return;
    const QRgb colour = skyColour(s.elevationLines);
    drawLines(sink, meshes.elevation, meshes.points, view, s.flat, pass, colour);
    if (pass != 1 || !s.drawEleDegrees)
        return;
    for (int k = 0; k < meshes.circleCount(); ++k) {
        const double value = circleLabel(k, meshes.elevationStep);
        const ScreenPoint p = view.project(meshes.circle(k, meshes.points / 2));
        // Flat, the circles below the horizon lie on those above it: only the upper ones speak.
        if (s.flat ? value >= 0.0 : p.z > 0.0)
            label(sink, truncated(p) - QPoint(0, 5), value, colour);
    }
}

void drawCompass(SkySink& sink, const SkyMeshes& meshes, const SkyProjection& view, const SkySettings& s)
{
    if (!s.drawCompass)
        return;
    const QRgb textColour = skyColour(s.text);
    for (std::size_t k = 0; k < kCompassNames.size(); ++k) {
        const double a = static_cast<double>(k) * 45.0 * std::numbers::pi / 180.0;
        const SkyVector t = view.turned({std::cos(a), 0.0, std::sin(a)});
        const double x = -t.x * view.radius * 1.12 + view.centreX - 3.0;
        const double y = t.y * view.radius * 1.12 + view.centreY - 5.0;
        sink.text(truncated({x, y, 0.0, false}), kCompassNames[k], textColour, false);
    }
    if (!s.compassLines || meshes.horizon.empty())
        return;
    const QRgb ring = skyColour(s.azimuthLines);
    sink.moveTo(truncated(view.project(meshes.horizon[0])));
    for (const SkyVector& point : meshes.horizon)
        sink.lineTo(truncated(view.project(point)), ring);
}

void drawMan(SkySink& sink, const SkyProjection& view, const SkySettings& s)
{
    if (!s.drawMan || s.flat)
        return;
    const QRgb pen = skyColour(s.manLines);
    const auto at = [&](double x, double y, double z) { return truncated(view.project({x, y, z})); };
    const auto ground = [&] {
        const std::array<QPoint, 4> square{at(-0.5, 0, 0.5), at(0.5, 0, 0.5), at(0.5, 0, -0.5), at(-0.5, 0, -0.5)};
        sink.polygon(square, pen, skyColour(s.manGround));
    };
    const auto figure = [&] {
        sink.moveTo(at(0, 0, 0.1));
        sink.lineTo(at(0, 0.1, 0), pen);
        sink.lineTo(at(0, 0, -0.1), pen);
        sink.moveTo(at(0, 0.1, 0));
        sink.lineTo(at(0, 0.25, 0), pen);
        sink.moveTo(at(0, 0.2, 0.1));
        sink.lineTo(at(0, 0.2, -0.1), pen);
        const QPoint head = at(0, 0.28, 0);
        const int rx = static_cast<int>(0.07 * view.radius), ry = static_cast<int>(0.06 * view.radius);
        sink.ellipse(QRect(QPoint(head.x() - rx, head.y() - ry), QPoint(head.x() + rx, head.y() + ry)), pen,
                     skyColour(s.manHead));
    };
    if (view.tilt <= 0.0) {
        ground();
        figure();
    } else {
        figure();
        ground();
    }
}

} // namespace kiv
