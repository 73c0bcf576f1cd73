#include "views3d/ClockGeometry.h"

#include <cmath>
#include <numbers>

namespace kiv {

HandAngles handAngles(const ClockTime& time)
{
    const double hour = time.hour / 12.0 * 360.0 + time.minute * 30.0 / 60.0 + time.second * 0.5 / 60.0;
    const double minute = 12.0 * hour;
    return {.hour = hour, .minute = minute, .second = 60.0 * minute};
}

double clockDistance(int zoom) { return 5.0 * zoom - 200.0; }

Vec3 ringPoint(int i, int n, double radius)
{
    const double angle = 2.0 * std::numbers::pi * i / n;
    return {std::sin(angle) * radius, std::cos(angle) * radius, 0.0};
}

GearOutline gearOutline(int teeth, double toothHeight, double scale)
{
    const double flank = toothHeight * std::tan(std::numbers::pi / 6.0);
    const double pitch = 2.0 + 2.0 * flank;
    const double circumference = teeth * pitch;
    GearOutline gear;
    gear.rootRadius = scale * circumference / (2.0 * std::numbers::pi);
    gear.tipRadius = gear.rootRadius + toothHeight;
    const auto at = [&](double u, double radius) {
        const double angle = 2.0 * std::numbers::pi * u / circumference;
        return Vec3{std::sin(angle) * radius, std::cos(angle) * radius, 0.0};
    };
    gear.points.reserve(static_cast<std::size_t>(teeth) * 4);
    for (int i = 0; i < teeth; ++i) {
        const double u = i * pitch;
        gear.points.push_back(at(u, gear.rootRadius));
        gear.points.push_back(at(u + 1.0, gear.rootRadius));
        gear.points.push_back(at(u + 1.0 + flank, gear.tipRadius));
        gear.points.push_back(at(u + 2.0 + flank, gear.tipRadius));
    }
    return gear;
}

GearOutline hourGearOutline() { return gearOutline(24, ClockDimensions::kToothHeight, 1.1); }
GearOutline minuteGearOutline() { return gearOutline(6, ClockDimensions::kToothHeight, 1.15); }
GearOutline minuteHourGearOutline() { return gearOutline(24, ClockDimensions::kToothHeight, 1.25); }
GearOutline hourMinuteGearOutline() { return gearOutline(8, ClockDimensions::kToothHeight, 1.0); }

ClockDimensions ClockDimensions::standard()
{
    ClockDimensions d;
    d.hourGear = hourGearOutline().tipRadius;
    d.minuteGear = minuteGearOutline().tipRadius;
    d.minuteHourGear = minuteHourGearOutline().tipRadius;
    d.hourMinuteGear = hourMinuteGearOutline().tipRadius;
    return d;
}

} // namespace kiv
