// The satellite model language against a sink that records the calls as text.
#include "tests/support/Prerequisite.h"
#include "views3d/ModelReader.h"
#include "tests/support/ScopedEnvironment.h"

#include <gtest/gtest.h>
#include <gmock/gmock.h>

#include <sstream>
#include <string>
#include <vector>

using namespace kiv;
using ::testing::ElementsAre;

namespace {

class RecordingSink final : public GlSink {
public:
    void pushMatrix() override { add("push"); }
    void popMatrix() override { add("pop"); }
    void setCulling(bool on) override { add(on ? "cull on" : "cull off"); }
    void begin(Primitive p) override { add("begin " + std::to_string(static_cast<unsigned>(p))); }
    void end() override { add("end"); }
    void vertex(Vec3 v) override { add("vertex " + text(v)); }
    void translate(Vec3 v) override { add("translate " + text(v)); }
    void rotate(double a, Vec3 v) override { add("rotate " + num(a) + " " + text(v)); }
    void color(double r, double g, double b) override { add("color " + text({r, g, b})); }
    void material(double r, double g, double b) override { add("material " + text({r, g, b})); }
    void cube(double e) override { add("cube " + num(e)); }
    void sphere(double r, Detail d) override { add("sphere " + num(r) + " " + detail(d)); }
    void cylinder(double b, double t, double h, Detail d) override
    {
        add("cylinder " + text({b, t, h}) + " " + detail(d));
    }

    // The calls between the reader's own prologue and epilogue.
    std::vector<std::string> body() const
    {
        return {calls.begin() + 2, calls.end() - 3};
    }
    std::vector<std::string> calls;

private:
    void add(std::string s) { calls.push_back(std::move(s)); }
    static std::string num(double v)
    {
        std::ostringstream out;
        out << v;
        return out.str();
    }
    static std::string text(Vec3 v) { return num(v.x) + "," + num(v.y) + "," + num(v.z); }
    static std::string detail(Detail d) { return std::to_string(d.slices) + "x" + std::to_string(d.stacks); }
};

struct Result {
    ModelRead read;
    RecordingSink sink;
};

Result read(const std::string& text, int model)
{
    Result r;
    kiv::LineReader lines(text);
    r.read = readSatelliteModel(lines, model, r.sink, Detail{12, 6});
    return r;
}

const std::string kRedCube = "StartModel\nglColor3f {1, 0, 0}\ngluSolidCube {0.8}\nEndModel\n";

} // namespace

TEST(ModelReader, ReadsTheNumberedBlock)
{
    for (const int model : {0, 1}) {
        const Result r = read(kRedCube, model);
        EXPECT_EQ(r.read.startModels, 1);
        EXPECT_TRUE(r.read.drew);
        EXPECT_THAT(r.sink.body(), ElementsAre("color 1,0,0", "material 1,0,0", "cube 0.8"));
        EXPECT_THAT(r.sink.calls, ElementsAre("push", "cull off", "color 1,0,0", "material 1,0,0", "cube 0.8",
                                              "cull on", "pop", "color 1,1,1"));
    }
    const Result none = read(kRedCube, 2);
    EXPECT_FALSE(none.read.drew);
    EXPECT_TRUE(none.sink.body().empty());
    // Without "EndModel" a model runs on into the next one.
    const Result runOn = read("StartModel\ngluSolidCube {1}\nStartModel\ngluSolidSphere {2}\nEndModel\n", 1);
    EXPECT_THAT(runOn.sink.body(), ElementsAre("cube 1", "sphere 2 12x6"));
    EXPECT_EQ(runOn.read.startModels, 2);
}

TEST(ModelReader, ReaderStopsAfterTheEndingLine)
{
    const std::string text = kRedCube + "after\n";
    kiv::LineReader lines(text);
    RecordingSink sink;
    readSatelliteModel(lines, 1, sink, Detail{});
    std::string next;
    ASSERT_TRUE(lines.readLine(next));
    EXPECT_EQ(next, "after");
}

TEST(ModelReader, CommentsAndBlankLinesAreSkipped)
{
    const Result r = read("# gluSolidCube {1}\n   \n\t\n# StartModel\nStartModel\ngluSolidCube {2}\nEndModel\n", 1);
    EXPECT_THAT(r.sink.body(), ElementsAre("cube 2"));
    EXPECT_EQ(r.read.startModels, 1);
    EXPECT_FALSE(read("# only a comment\n\n   \n", 0).read.drew);
}

TEST(ModelReader, OnlyGlEndEndsAPrimitive)
{
    const Result r = read("glBegin(GL_TRIANGLES)\n{1.0, 2.0, 3.0}\n   \nglEnd();\n{4, 5, 6}\n", 0);
    EXPECT_THAT(r.sink.body(), ElementsAre("begin 4", "vertex 1,2,3", "end"));
    EXPECT_THAT(read("glBegin()\nglEnd\n", 0).sink.body(), ElementsAre("begin 0", "end"));
    EXPECT_THAT(read("glBegin(GL_LINE_STRIP)\nglEnd\n", 0).sink.body(), ElementsAre("begin 3", "end"));
    // The last name of the list wins: GL_TRIANGLE_FAN comes after GL_TRIANGLES.
    EXPECT_THAT(read("glBegin(GL_TRIANGLE_FAN)\n", 0).sink.body(), ElementsAre("begin 6", "end"));
    // Only glEnd ends a primitive: transforms, solids and a second glBegin inside one are ignored
    // and the vertices go on; colours still apply; an open one ends before the pop.
    EXPECT_THAT(read("glBegin(GL_TRIANGLES)\n{0,0,0}\nglTranslatef {1, 2, 3}\n{1,0,0}\n{0,1,0}\nglEnd\n", 0).sink.body(),
                ElementsAre("begin 4", "vertex 0,0,0", "vertex 1,0,0", "vertex 0,1,0", "end"));
    const Result inside = read("glBegin(GL_QUADS)\n{1,1,1}\nglBegin(GL_POINTS)\nglRotatef {90, 0, 0, 1}\n"
                               "gluCylinder {1, 2, 3}\ngluSolidSphere {1}\ngluSolidCube {1}\nglColor3f {0.5, 0.5, 0.5}\n"
                               "{2,2,2}\nglEnd\nglRotatef {90, 0, 0, 1}\nglBegin(GL_LINES)\n",
                               0);
    EXPECT_TRUE(inside.read.drew);
    EXPECT_THAT(inside.sink.body(), ElementsAre("begin 7", "vertex 1,1,1", "color 0.5,0.5,0.5", "material 0.5,0.5,0.5",
                                                "vertex 2,2,2", "end", "rotate 90 0,0,1", "begin 1", "end"));
}

TEST(ModelReader, ArgumentsFollowTheBraceAndRepeatTheLast)
{
    using A = std::array<double, 4>;
    EXPECT_EQ(parseModelArguments("glTranslatef {5}", 3), (A{5, 5, 5, 0}));
    EXPECT_EQ(parseModelArguments("glTranslated(1,2,3)", 3), (A{0, 2, 3, 0}));
    EXPECT_EQ(parseModelArguments("glColor3f {0.5f, 0.25f, 1}", 3), (A{0.5, 0.25, 1, 0}));
    EXPECT_EQ(parseModelArguments("glRotatef {90, 0, 1, 0}", 4), (A{90, 0, 1, 0}));
    EXPECT_EQ(parseModelArguments("{1, 2, 3}", 5), (A{}));
    EXPECT_EQ(parseModelArguments("{1, 2, 3}", 0), (A{}));
    EXPECT_EQ(parseModelArguments("{nan, inf, -1e999}", 3), (A{0, 0, 0, 0}));
    EXPECT_EQ(parseModelArguments("{x, , 7}", 3), (A{0, 0, 7, 0}));
}

TEST(ModelReader, NumbersIgnoreTheUsersLocale)
{
    kiv::test::ScopedNumericLocale german("de_DE.UTF-8");
    if (!german.available())
        KIV_MISSING_PREREQUISITE() << "no German locale on this machine";
    EXPECT_EQ(parseModelArguments("gluSolidCube {0.8}", 1)[0], 0.8);
}
