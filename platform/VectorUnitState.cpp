#include "platform/VectorUnitState.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

namespace kiv {

#if defined(__x86_64__) || defined(__i386__)
__attribute__((target("avx"))) static void zeroUpper() { _mm256_zeroupper(); }

void clearUpperVectorState()
{
    static const bool avx = __builtin_cpu_supports("avx");
    if (avx)
        zeroUpper();
}
#else
void clearUpperVectorState() {}
#endif

} // namespace kiv
