#pragma once

#include <cstdint>

namespace kiv {

// A rectangle as the binary archives store it: four little-endian 32-bit ints.
struct ArchiveRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    friend bool operator==(const ArchiveRect&, const ArchiveRect&) = default;
};

} // namespace kiv
