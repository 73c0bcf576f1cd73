#pragma once
// The GL driver under the tests (Mesa and its LLVM) keeps allocations until the process ends and
// is unloaded before the leak check, which then cannot name it. Tests that make GL contexts call
// keepGlDriverLoaded() once a context exists; the leak checker is told to pass the driver over.

namespace kiv::test {

void keepGlDriverLoaded();

} // namespace kiv::test
