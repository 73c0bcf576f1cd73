#include "imaging/DecodeWatch.h"

#include "platform/TerminationLatch.h"

namespace kiv {

bool DecodeWatch::stop()
{
    if (!stopped_ && Clock::now() - start_ >= kFrame)
        stopped_ = TerminationLatch::raised();
    return stopped_;
}

} // namespace kiv
