#pragma once
// The model language's calls as OpenGL and GLU calls into the current context, normally while a
// display list compiles. Quadrics live for one call.

#include "views3d/GlSink.h"

namespace kiv {

class GlModelSink final : public GlSink {
public:
    void pushMatrix() override;
    void popMatrix() override;
    void setCulling(bool on) override;
    void begin(Primitive primitive) override;
    void end() override;
    void vertex(Vec3 v) override;
    void translate(Vec3 by) override;
    void rotate(double degrees, Vec3 axis) override;
    void color(double r, double g, double b) override;
    void material(double r, double g, double b) override;
    void cube(double edge) override;
    void sphere(double radius, Detail detail) override;
    void cylinder(double baseRadius, double topRadius, double height, Detail detail) override;
};

// The solid cube of cubeVertices, without normals.
void drawCube(double edge);
// circlePoints as one primitive of the given GL mode.
void drawCircle(double radius, int points, unsigned mode);

} // namespace kiv
