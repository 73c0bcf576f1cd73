#pragma once

namespace kiv {

// The warning beep of a refused input.
class Bell {
public:
    virtual ~Bell() = default;
    virtual void beep() = 0;
};

} // namespace kiv
