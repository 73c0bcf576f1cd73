#pragma once
// A termination request that stays raised, for the waits that run below the event loop. Its
// descriptor turns readable when the request comes and stays so, so that such a wait (a child
// process drawing a picture) polls it beside its own descriptors and gives up at once, however
// long it was to take, and any later one gives up at its start. Long work in pieces on the GUI
// thread (fitting a texture) asks raised() between two pieces. TerminationGuard owns the one
// latch of the program and raises it from its signal handler.

namespace kiv {

class TerminationLatch {
public:
    // The current latch from now on, not raised.
    TerminationLatch();
    ~TerminationLatch();
    TerminationLatch(const TerminationLatch&) = delete;
    TerminationLatch& operator=(const TerminationLatch&) = delete;

    // Raises the current latch; async-signal-safe, and nothing when there is none.
    static void raise();
    // The current latch's descriptor, readable once raised; -1 when there is none.
    static int descriptor();
    // Whether the current latch is raised; false when there is none.
    static bool raised();
};

} // namespace kiv
