// The satellite model language over arbitrary text: no crash, no hang, and every primitive
// begun is ended and every push popped; the same for the model's block as a settings archive
// takes it from the file and draws it back.
#include "document/ModelBlock.h"
#include "views3d/ModelReader.h"

#include <cstdlib>
#include <string>
#include <string_view>

namespace {

class CheckingSink final : public kiv::GlSink {
public:
    void pushMatrix() override { ++depth; }
    void popMatrix() override { --depth; }
    void setCulling(bool) override {}
    void begin(kiv::Primitive) override { expectOutside(); inside = true; }
    void end() override { inside = false; }
    void vertex(kiv::Vec3) override {}
    void translate(kiv::Vec3) override { expectOutside(); }
    void rotate(double, kiv::Vec3) override { expectOutside(); }
    void color(double, double, double) override {}
    void material(double, double, double) override {}
    void cube(double) override { expectOutside(); }
    void sphere(double, kiv::Detail) override { expectOutside(); }
    void cylinder(double, double, double, kiv::Detail) override { expectOutside(); }

    int depth = 0;
    bool inside = false;

private:
    void expectOutside() const
    {
        if (inside)
            std::abort();
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
    const int model = data[0] % 4;
    kiv::LineReader lines(text);
    CheckingSink sink;
    kiv::readSatelliteModel(lines, model, sink, kiv::Detail{});
    if (sink.depth != 0 || sink.inside)
        std::abort();

    kiv::LineReader fileLines(text);
    std::string block;
    for (const std::string& line : kiv::modelBlock::extract(fileLines, model))
        block += line + '\n';
    kiv::LineReader blockLines(block);
    CheckingSink archived;
    kiv::readSatelliteModel(blockLines, 0, archived, kiv::Detail{});
    if (archived.depth != 0 || archived.inside)
        std::abort();
    return 0;
}
