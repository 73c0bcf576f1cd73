#include "views3d/ModelReader.h"

#include "document/ModelBlock.h"

#include "platform/Numbers.h"

#include <cmath>
#include <string>

namespace kiv {

namespace {

bool contains(std::string_view line, std::string_view word) { return line.find(word) != std::string_view::npos; }


// The last of the list that the line names wins; none names points.
Primitive primitiveOf(std::string_view line)
{
    static constexpr std::pair<std::string_view, Primitive> kNames[] = {
        {"GL_POINTS", Primitive::Points},
        {"GL_LINES", Primitive::Lines},
        {"GL_LINE_STRIP", Primitive::LineStrip},
        {"GL_LINE_LOOP", Primitive::LineLoop},
        {"GL_POLYGON", Primitive::Polygon},
        {"GL_QUADS", Primitive::Quads},
        {"GL_QUAD_STRIP", Primitive::QuadStrip},
        {"GL_TRIANGLES", Primitive::Triangles},
        {"GL_TRIANGLE_STRIP", Primitive::TriangleStrip},
        {"GL_TRIANGLE_FAN", Primitive::TriangleFan},
    };
    Primitive primitive = Primitive::Points;
    for (const auto& [name, value] : kNames) {
        if (contains(line, name))
            primitive = value;
    }
    return primitive;
}

Vec3 vec(const std::array<double, 4>& a, int first = 0) { return {a[first], a[first + 1], a[first + 2]}; }

// Issues one model's statements; keeps the primitive state.
class ModelWriter {
public:
    ModelWriter(GlSink& sink, Detail detail) : sink_(sink), detail_(detail) {}

    // False at "EndModel".
    bool statement(std::string_view line);
    void closePrimitive()
    {
        if (inside_)
            sink_.end();
        inside_ = false;
    }
    bool drew() const { return drew_; }

private:
    GlSink& sink_;
    Detail detail_;
    bool inside_ = false;
    bool drew_ = false;
};

bool ModelWriter::statement(std::string_view line)
{
    // Between begin and end the GL takes only vertices, colours and materials: a transform,
    // solid or second begin there is ignored, as the GL would ignore it, and the primitive goes on.
    if (contains(line, "glEnd")) {
        closePrimitive();
    } else if (contains(line, "glBegin")) {
        if (!inside_)
            sink_.begin(primitiveOf(line));
        inside_ = drew_ = true;
    } else if (contains(line, "glTranslate")) {
        if (!inside_)
            sink_.translate(vec(parseModelArguments(line, 3)));
    } else if (contains(line, "glColor")) {
        const Vec3 c = vec(parseModelArguments(line, 3));
        sink_.color(c.x, c.y, c.z);
        sink_.material(c.x, c.y, c.z);
    } else if (contains(line, "glRotate")) {
        const auto a = parseModelArguments(line, 4);
        if (!inside_)
            sink_.rotate(a[0], vec(a, 1));
    } else if (contains(line, "gluSolidCube")) {
        if (!inside_)
            sink_.cube(parseModelArguments(line, 1)[0]);
        drew_ = true;
    } else if (contains(line, "gluSolidSphere")) {
        if (!inside_)
            sink_.sphere(parseModelArguments(line, 1)[0], detail_);
        drew_ = true;
    } else if (contains(line, "gluCylinder")) {
        const auto a = parseModelArguments(line, 3);
        if (!inside_)
            sink_.cylinder(a[0], a[1], a[2], detail_);
        drew_ = true;
    } else if (contains(line, "EndModel")) {
        return false;
    } else if (inside_) {
        sink_.vertex(vec(parseModelArguments(line, 3)));
    }
    return true;
}

} // namespace

ModelRead readSatelliteModel(kiv::LineReader& lines, int model, GlSink& sink, Detail detail)
{
    ModelRead result;
    ModelWriter writer(sink, detail);
    sink.pushMatrix();
    sink.setCulling(false);
    std::string line;
    while (lines.readLine(line)) {
        // A commented-out block start is a comment like any other.
        if (modelBlock::isComment(line) || modelBlock::isBlank(line))
            continue;
        if (modelBlock::isModelStart(line)) {
            ++result.startModels;
            continue;
        }
        if (result.startModels < model)
            continue;
        if (!writer.statement(line))
            break;
    }
    writer.closePrimitive();
    sink.setCulling(true);
    sink.popMatrix();
    sink.color(1.0, 1.0, 1.0);
    result.drew = writer.drew();
    return result;
}

std::array<double, 4> parseModelArguments(std::string_view line, int count)
{
    std::array<double, 4> values{};
    if (count < 1 || count > 4)
        return values;
    const std::size_t brace = line.find('{');
    std::string_view text = brace == std::string_view::npos ? line : line.substr(brace + 1);
    for (int i = 0; i < count; ++i) {
        const double v = kiv::parseDouble(text);
        values[i] = std::isfinite(v) ? v : 0.0;
        const std::size_t comma = text.find(',');
        if (comma != std::string_view::npos)
            text.remove_prefix(comma + 1);
    }
    return values;
}

} // namespace kiv
