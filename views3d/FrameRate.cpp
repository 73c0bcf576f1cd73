#include "views3d/FrameRate.h"

#include "platform/Numbers.h"

namespace kiv {

QString FrameRate::text(int frames, std::int64_t elapsedMs)
{
    const double rate = elapsedMs > 0 ? frames * 1000.0 / static_cast<double>(elapsedMs) : 0.0;
    const char* face = wink_ ? " Frames per second :-<>" : " Frames per second :-><";
    wink_ = !wink_;
    return QString::fromStdString(formatFixed(rate, 2)) + QLatin1String(face);
}

} // namespace kiv
