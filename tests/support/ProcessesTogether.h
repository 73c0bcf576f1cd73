#pragma once
// Work in several child processes that start at the same moment, for races between processes.

#include <functional>

namespace kiv::test {

// Runs `work(i)` for i = 0 .. count - 1 in child processes released together; true if all were.
bool allTogether(int count, const std::function<bool(int)>& work);

} // namespace kiv::test
