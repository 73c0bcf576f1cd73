#include "tests/support/HeapPeak.h"

#include <algorithm>
#include <atomic>
#include <mutex>

// The sanitizer's allocator interface (GCC installs the library but not its header).
extern "C" {
int __sanitizer_install_malloc_and_free_hooks(void (*malloc_hook)(const volatile void*, size_t),
                                              void (*free_hook)(const volatile void*));
size_t __sanitizer_get_allocated_size(const volatile void* pointer);
}

namespace kiv::test {

namespace {

std::atomic<bool> counting{false};
std::atomic<qint64> current{0};
std::atomic<qint64> peak{0};

void onMalloc(const volatile void*, size_t size)
{
    if (!counting)
        return;
    const qint64 now = current += qint64(size);
    qint64 seen = peak;
    while (now > seen && !peak.compare_exchange_weak(seen, now)) {
    }
}

void onFree(const volatile void* pointer)
{
    if (counting)
        current -= qint64(__sanitizer_get_allocated_size(pointer));
}

} // namespace

qint64 heapPeakDuring(const std::function<void()>& work)
{
    static std::once_flag installed;
    std::call_once(installed, [] { __sanitizer_install_malloc_and_free_hooks(onMalloc, onFree); });
    current = 0;
    peak = 0;
    counting = true;
    work();
    counting = false;
    return peak;
}

} // namespace kiv::test
