#pragma once
// How far the heap grows while some work runs: every allocation and release of the process,
// GL's driver and Qt's decoders included, counted through the sanitizer's allocator hooks in a
// sanitizer build and through replacements of the C library's allocator functions in any other.
// Only for the test programs that list HeapPeak.cpp among their sources.

#include <QtGlobal>

#include <functional>

namespace kiv::test {

// The most the heap held above its level at the start while `work` ran, in bytes.
qint64 heapPeakDuring(const std::function<void()>& work);

inline constexpr qint64 kMiB = qint64(1) << 20;

} // namespace kiv::test
