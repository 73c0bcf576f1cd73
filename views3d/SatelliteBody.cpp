#include "views3d/SatelliteBody.h"

#include "document/ModelBlock.h"
#include "platform/LineReader.h"
#include "platform/ReadableFile.h"
#include "views3d/GlModelSink.h"
#include "views3d/GlState.h"
#include "views3d/ModelReader.h"

#include <QFile>

#include <string>

namespace kiv {

namespace {

// Takes the model's calls and does nothing with them.
class NoSink final : public GlSink {
public:
    void pushMatrix() override {}
    void popMatrix() override {}
    void setCulling(bool) override {}
    void begin(Primitive) override {}
    void end() override {}
    void vertex(Vec3) override {}
    void translate(Vec3) override {}
    void rotate(double, Vec3) override {}
    void color(double, double, double) override {}
    void material(double, double, double) override {}
    void cube(double) override {}
    void sphere(double, Detail) override {}
    void cylinder(double, double, double, Detail) override {}
};

// The file is closed on every way out.
ModelFileRead readModelFile(const QString& modelFile, int modelNumber, GlSink& sink, Detail detail)
{
    QFile file;
    if (!ReadableFile(modelFile).handTo(file))
        return {};
    LineReader lines(file);
    const ModelRead read = readSatelliteModel(lines, modelNumber, sink, detail);
    if (!read.drew)
        return {true, 0};
    int count = read.startModels;
    std::string line;
    while (lines.readLine(line)) {
        if (modelBlock::isModelStart(line))
            ++count;
    }
    return {true, count};
}

} // namespace

ModelFileRead drawSatelliteBody(const SatelliteBody& body, bool cubeForEmptyModel)
{
    switch (body.style) {
    case kSphereBody: {
        const gl::Quadric q(gluNewQuadric());
        gluSphere(q.get(), 1.0, body.detail.slices, body.detail.stacks);
        break;
    }
    case kCubeBody:
        drawCube(1.0);
        break;
    case kPointBody:
        glBegin(GL_POINTS);
        glVertex3d(0.0, 0.0, 0.0);
        glEnd();
        break;
    case kModelBody: {
        GlModelSink sink;
        const ModelFileRead read = readModelFile(body.modelFile, body.modelNumber, sink, body.detail);
        if (!read.opened || (cubeForEmptyModel && read.modelCount == 0))
            drawCube(1.0);
        return read;
    }
    default:
        break;
    }
    return {};
}

ModelFileRead countSatelliteModels(const QString& modelFile, int modelNumber)
{
    NoSink sink;
    return readModelFile(modelFile, modelNumber, sink, Detail::of(3, 2));
}

} // namespace kiv
