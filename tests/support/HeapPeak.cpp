#include "tests/support/HeapPeak.h"

#include <atomic>
#include <cerrno>
#include <cstddef>
#include <mutex>

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define KIV_SANITIZER_ALLOCATOR 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
#define KIV_SANITIZER_ALLOCATOR 1
#endif
#endif

#ifndef KIV_SANITIZER_ALLOCATOR
#include <malloc.h>
#endif

namespace kiv::test {

namespace {

std::atomic<bool> counting{false};
std::atomic<qint64> current{0};
std::atomic<qint64> peak{0};

void allocated(size_t size)
{
    if (!counting)
        return;
    const qint64 now = current += qint64(size);
    qint64 seen = peak;
    while (now > seen && !peak.compare_exchange_weak(seen, now)) {
    }
}

void released(size_t size)
{
    if (counting)
        current -= qint64(size);
}

} // namespace

} // namespace kiv::test

#ifdef KIV_SANITIZER_ALLOCATOR

// The sanitizer's allocator interface (GCC installs the library but not its header).
extern "C" {
int __sanitizer_install_malloc_and_free_hooks(void (*malloc_hook)(const volatile void*, size_t),
                                              void (*free_hook)(const volatile void*));
size_t __sanitizer_get_allocated_size(const volatile void* pointer);
}

namespace {

void onMalloc(const volatile void*, size_t size) { kiv::test::allocated(size); }
void onFree(const volatile void* pointer) { kiv::test::released(__sanitizer_get_allocated_size(pointer)); }

void installHooks() { __sanitizer_install_malloc_and_free_hooks(onMalloc, onFree); }

} // namespace

#else

// Without a sanitizer's allocator the C library's allocator functions are replaced here, each
// passing on to the library's own and counting the usable size of the block, so that a release
// subtracts what the allocation added. Every function that hands out blocks free() takes is
// replaced, as the library requires of a replacement.
extern "C" {
void* __libc_malloc(size_t size);
void* __libc_calloc(size_t count, size_t size);
void* __libc_realloc(void* pointer, size_t size);
void* __libc_memalign(size_t alignment, size_t size);
void* __libc_valloc(size_t size);
void* __libc_pvalloc(size_t size);
void __libc_free(void* pointer);
}

namespace {

void* counted(void* block)
{
    if (block)
        kiv::test::allocated(malloc_usable_size(block));
    return block;
}

void installHooks() {}

} // namespace

extern "C" {

void* malloc(size_t size) noexcept { return counted(__libc_malloc(size)); }
void* calloc(size_t count, size_t size) noexcept { return counted(__libc_calloc(count, size)); }
void* memalign(size_t alignment, size_t size) noexcept { return counted(__libc_memalign(alignment, size)); }
void* aligned_alloc(size_t alignment, size_t size) noexcept { return counted(__libc_memalign(alignment, size)); }
void* valloc(size_t size) noexcept { return counted(__libc_valloc(size)); }
void* pvalloc(size_t size) noexcept { return counted(__libc_pvalloc(size)); }

void free(void* pointer) noexcept
{
    kiv::test::released(malloc_usable_size(pointer));
    __libc_free(pointer);
}

void* realloc(void* pointer, size_t size) noexcept
{
    const size_t before = malloc_usable_size(pointer);
    void* block = __libc_realloc(pointer, size);
    if (block || size == 0) // on failure the old block stays; a size of 0 frees it
        kiv::test::released(before);
    return counted(block);
}

int posix_memalign(void** result, size_t alignment, size_t size) noexcept
{
    if (alignment % sizeof(void*) != 0 || (alignment & (alignment - 1)) != 0)
        return EINVAL;
    void* block = __libc_memalign(alignment, size);
    if (!block)
        return ENOMEM;
    *result = counted(block);
    return 0;
}

} // extern "C"

#endif

namespace kiv::test {

qint64 heapPeakDuring(const std::function<void()>& work)
{
    static std::once_flag installed;
    std::call_once(installed, installHooks);
    current = 0;
    peak = 0;
    counting = true;
    work();
    counting = false;
    return peak;
}

} // namespace kiv::test
