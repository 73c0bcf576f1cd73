#pragma once
// A test whose prerequisite is missing (a reference file, a locale, a tool, root rights) fails:
// the set-up installs every one of them, so a skip could only hide a missing install step. A
// developer's own partial run may set KIV_ALLOW_SKIPS=1 to skip such tests instead.

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

namespace kiv::test {

inline bool skipsAllowed()
{
    const char* allowed = std::getenv("KIV_ALLOW_SKIPS");
    return allowed && std::strcmp(allowed, "1") == 0;
}

} // namespace kiv::test

// Ends the test: skipped when KIV_ALLOW_SKIPS=1, failed otherwise. Streams like GTEST_SKIP().
#define KIV_MISSING_PREREQUISITE()                                                                 \
    return GTEST_MESSAGE_AT_(__FILE__, __LINE__,                                                   \
                             ::kiv::test::skipsAllowed() ? "Skipped"                               \
                                                         : "Missing (KIV_ALLOW_SKIPS=1 skips this)", \
                             ::kiv::test::skipsAllowed() ? ::testing::TestPartResult::kSkip        \
                                                         : ::testing::TestPartResult::kFatalFailure)
