#pragma once
// The 3D clock as plain numbers, so that it can be tested without GL: the angles its hands and
// gears turn by for a time of day, the outline of its gears, and the sizes of its parts.
//
// The clockwork: the hour gear turns twice a day and carries the hour hand; the minute gear turns
// twelve times as fast and carries the minute hand; the second line turns sixty times as fast
// again. Angles are degrees clockwise as the viewer sees the dial, 0 at twelve o'clock; the
// scene turns by their negatives about z.

#include "document/ColorTableFile.h"
#include "views3d/Matrix4.h"

#include <vector>

namespace kiv {

// The 13 RGBA entries of one clock: 0 the background, then the parts (ClockPart).
using ClockColors = std::array<Rgba, kClockEntries>;

enum class ClockPart {
    Background,
    HourGear,
    HourBar,
    MinuteGear,
    MinuteBar,
    HourMinuteGear,
    MinuteHourGear,
    MinuteHourBar,
    PointerBase,
    PointerBar,
    Pointer,
    FacePoints,
    Face,
};

// The time a clock shows: a 24-hour wall-clock time.
struct ClockTime {
    int hour = 0;
    int minute = 0;
    int second = 0;

    friend bool operator==(const ClockTime&, const ClockTime&) = default;
};

// Steps of the viewpoint: each zoom step brings the clock 5 units nearer, each tilt step turns
// it 5 degrees about x, each turn step 5 degrees about y.
struct ClockViewpoint {
    int zoom = 0;
    int tilt = 0;
    int turn = 0;

    friend bool operator==(const ClockViewpoint&, const ClockViewpoint&) = default;
};

struct HandAngles {
    double hour = 0.0;   // the hour gear and hand: 30 degrees an hour, counted over 24 hours
    double minute = 0.0; // twelve times the hour angle
    double second = 0.0; // sixty times the minute angle
};

HandAngles handAngles(const ClockTime& time);

// Where the scene's origin lies in front of the eye: -200 at zoom 0, 5 nearer per step.
double clockDistance(int zoom);

// A gear's outline: four points a tooth (root land, rising flank, tip land, falling flank) in
// the xy plane, clockwise from +y, with its root and tip radii.
struct GearOutline {
    std::vector<Vec3> points;
    double rootRadius = 0.0;
    double tipRadius = 0.0;
};

// teeth N, tooth height H, scale s: flanks rise at 30 degrees over a = H tan 30; a tooth takes
// the length 2 + 2a of the root circle, whose radius is s N (2 + 2a) / (2 pi).
GearOutline gearOutline(int teeth, double toothHeight, double scale);

// Point i of n on a circle of the radius, clockwise from +y: (sin, cos) of 2 pi i / n.
Vec3 ringPoint(int i, int n, double radius);

// The clockwork's fixed sizes and the tip radii its gears come out with.
struct ClockDimensions {
    static constexpr int kSegments = 10;
    static constexpr double kToothHeight = 7.0;
    static constexpr double kSmallWidth = 8.0;
    static constexpr double kLargeWidth = 14.0;
    static constexpr double kGearSpacing = 25.0;

    double hourGear = 0.0;       // 24 teeth, scale 1.1
    double minuteGear = 0.0;     // 6 teeth, scale 1.15
    double minuteHourGear = 0.0; // 24 teeth, scale 1.25
    double hourMinuteGear = 0.0; // 8 teeth, scale 1.0

    static ClockDimensions standard();
};

// The gears as the clock builds them.
GearOutline hourGearOutline();
GearOutline minuteGearOutline();
GearOutline minuteHourGearOutline();
GearOutline hourMinuteGearOutline();

} // namespace kiv
