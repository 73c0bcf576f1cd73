#pragma once
// The globe's frames-per-second title. The face at its end winks from one display to the next,
// so that a stalled display can be told from a steady rate.

#include <QString>

#include <cstdint>

namespace kiv {

class FrameRate {
public:
    // The rate of the frames counted since the last display over the milliseconds elapsed.
    QString text(int frames, std::int64_t elapsedMs);

private:
    bool wink_ = false;
};

} // namespace kiv
