#pragma once
// The 3D clock's picture: a dial with twelve markers, hour and minute hands on a shaft, a second
// line and four meshing gears, drawn into whatever GL context is current. It is not a widget:
// the clock window and the off-screen tests drive it the same way. Every operation needs the
// clock's own context current; release() must run in it before the renderer goes.
//
// The clock's seven display lists are allocated by GL (glGenLists), never fixed numbers: two
// clocks in one window may share their lists' name space, and each must keep its own colours.
// Every material sets blending and depth writes itself, so that no transparent part can leave
// state behind for the parts drawn after it or for the next frame's clear.

#include "views3d/ClockGeometry.h"

namespace kiv {

class ClockRenderer {
public:
    explicit ClockRenderer(const ClockColors& colors);
    ClockRenderer(const ClockRenderer&) = delete;
    ClockRenderer& operator=(const ClockRenderer&) = delete;

    // The set-up of a new context: GL state, lights, projection and the lists.
    void initialize(int width, int height);
    // Deletes the lists; initialize() builds them anew.
    void release();
    // A new window size in device pixels: viewport and projection.
    void resize(int width, int height);
    // Takes the colour table and compiles the lists again with it.
    void setColors(const ClockColors& colors);
    void setTime(const ClockTime& time) { time_ = time; }
    void setViewpoint(const ClockViewpoint& viewpoint) { viewpoint_ = viewpoint; }
    // One frame into the current framebuffer.
    void render();

    const ClockColors& colors() const { return colors_; }
    // The first of the seven lists, 0 while there are none.
    unsigned listBase() const { return listBase_; }

private:
    enum List : unsigned { HourGear, MinuteGear, Intermediate, Dial, HourHand, MinuteHand, SecondLine, ListCount };

    void buildLists();
    void setMaterial(ClockPart part);
    double buildGear(const GearOutline& gear, double width);
    void buildHand(double hub, double thickness, double length, double tipRadius, double tipHeight);
    void buildDial(double radius);
    void call(List list) const;

    ClockColors colors_;
    ClockTime time_;
    ClockViewpoint viewpoint_;
    ClockDimensions dimensions_ = ClockDimensions::standard();
    unsigned listBase_ = 0;
};

} // namespace kiv
