#pragma once
// Decoding on the GUI thread listens to a termination request. A decoder looks at its watch as it
// goes (each piece of its bytes, each row); once the decode has run longer than a frame, a look
// asks the TerminationLatch, and after a request came every look says to stop, so that the
// program can end at once however large the picture. Before a frame has passed a look costs a
// clock read, so that a short decode is never cut off and a long one pays next to nothing.

#include <chrono>

namespace kiv {

class DecodeWatch {
public:
    static constexpr std::chrono::milliseconds kFrame{20};

    DecodeWatch() : start_(Clock::now()) {}

    // Whether the decode is to give up now.
    bool stop();
    // Whether a look said to give up.
    bool stopped() const { return stopped_; }

private:
    using Clock = std::chrono::steady_clock;

    Clock::time_point start_;
    bool stopped_ = false;
};

} // namespace kiv
