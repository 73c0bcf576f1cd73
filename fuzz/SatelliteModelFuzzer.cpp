// The satellite model language over arbitrary text: no crash, no hang, and every primitive
// begun is ended and every push popped.
#include "views3d/ModelReader.h"

#include <cstdlib>
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
    kiv::LineReader lines(text);
    CheckingSink sink;
    kiv::readSatelliteModel(lines, data[0] % 4, sink, kiv::Detail{});
    if (sink.depth != 0 || sink.inside)
        std::abort();
    return 0;
}
