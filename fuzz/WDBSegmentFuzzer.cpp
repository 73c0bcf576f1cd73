// The World Data Bank segment reader on arbitrary bytes, for every kind and a world and a zoomed
// scale: no crash, no read outside the bytes, every point handed on inside int range.
#include "views2d/WDBSegmentFile.h"

#include <cstdint>
#include <cstdlib>

namespace {

class CheckingSink : public kiv::wdb::Sink {
public:
    void setLayer(int layer) override
    {
        if (layer < 1 || layer > 28)
            std::abort();
    }
    void moveTo(kiv::wdb::Scale::Pixel) override {}
    void lineTo(kiv::wdb::Scale::Pixel p) override
    {
        if (p.x < 1 || p.x > 1920 || p.y < 1 || p.y > 960)
            std::abort();
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::array<bool, kiv::wdb::kLayerFlags> layers{};
    layers.fill(true);
    const kiv::wdb::Scale scales[] = {{1920, 960, 180, -180, 90, -90}, {1920, 960, 10, 0, 50, 45}};
    for (const kiv::wdb::Scale& scale : scales)
        for (int kind = 0; kind < kiv::wdb::kKinds; ++kind) {
            kiv::wdb::MemorySource source({data, size});
            CheckingSink sink;
            bool seen = false;
            kiv::wdb::drawSegmentFile(source, kind, layers, scale, sink, seen);
        }
    return 0;
}
