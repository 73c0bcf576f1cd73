#pragma once
// Colours as the files and dialogs store them: 0x00BBGGRR, red in the low byte. A top byte of
// 0x02 marks a palette-relative colour; it is kept in files and ignored when drawing.

#include <cstdint>

using COLORREF = std::uint32_t;

namespace kiv {

constexpr COLORREF rgb(int r, int g, int b)
{
    return static_cast<COLORREF>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int redOf(COLORREF c) { return static_cast<int>(c & 0xFF); }
constexpr int greenOf(COLORREF c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int blueOf(COLORREF c) { return static_cast<int>((c >> 16) & 0xFF); }

} // namespace kiv
