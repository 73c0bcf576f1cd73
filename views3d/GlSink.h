#pragma once
// The drawing calls of the satellite model language, as an interface: the globe and the style
// preview hand in one that issues OpenGL calls (GlModelSink), tests one that records.

#include "views3d/Matrix4.h"
#include "views3d/SceneGeometry.h"

namespace kiv {

// The values are OpenGL's primitive modes.
enum class Primitive : unsigned {
    Points = 0,
    Lines = 1,
    LineLoop = 2,
    LineStrip = 3,
    Triangles = 4,
    TriangleStrip = 5,
    TriangleFan = 6,
    Quads = 7,
    QuadStrip = 8,
    Polygon = 9,
};

class GlSink {
public:
    virtual ~GlSink() = default;
    virtual void pushMatrix() = 0;
    virtual void popMatrix() = 0;
    virtual void setCulling(bool on) = 0;
    virtual void begin(Primitive primitive) = 0;
    virtual void end() = 0;
    virtual void vertex(Vec3 v) = 0;
    virtual void translate(Vec3 by) = 0;
    virtual void rotate(double degrees, Vec3 axis) = 0;
    // The current colour only.
    virtual void color(double r, double g, double b) = 0;
    // Ambient and diffuse material of both faces, alpha 1.
    virtual void material(double r, double g, double b) = 0;
    virtual void cube(double edge) = 0;
    virtual void sphere(double radius, Detail detail) = 0;
    // Along +z from the origin.
    virtual void cylinder(double baseRadius, double topRadius, double height, Detail detail) = 0;
};

} // namespace kiv
