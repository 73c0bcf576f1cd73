#pragma once
// Some library code on x86 returns with the upper halves of the AVX registers still in use.
// Until something clears them, every SSE instruction of ours pays a transition penalty: the
// map's redraw and the animation step measured up to ten times slower. Clearing them is one
// instruction, so every step and every redraw begins with it.

namespace kiv {

void clearUpperVectorState();

} // namespace kiv
