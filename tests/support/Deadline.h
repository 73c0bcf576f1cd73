#pragma once
// A part of a test that could hang (a read of a FIFO without a writer) runs under a deadline:
// past it the alarm's signal ends the test program, failed, rather than hold the suite.

#include <unistd.h>

namespace kiv::test {

struct Deadline {
    explicit Deadline(unsigned seconds = 10) { ::alarm(seconds); }
    ~Deadline() { ::alarm(0); }
};

} // namespace kiv::test
