#pragma once
// Huge pages for the large tables of the segmentation: written for the first time page by page, or read
// in no memory order, they would otherwise cost tens of thousands of page faults and TLB misses.
#include <cstddef>
#include <cstdint>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace t3 {

// Asks the system to back the 2 MB-aligned inside of [debut, debut + octets) with huge pages. Only
// advice: the table works the same without it.
inline void ConseilleGrandesPages([[maybe_unused]] const void* debut, [[maybe_unused]] size_t octets) {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    constexpr uintptr_t Grande = uintptr_t{1} << 21;
    const uintptr_t a = (reinterpret_cast<uintptr_t>(debut) + Grande - 1) & ~(Grande - 1);
    const uintptr_t b = (reinterpret_cast<uintptr_t>(debut) + octets) & ~(Grande - 1);
    if (b > a) madvise(reinterpret_cast<void*>(a), b - a, MADV_HUGEPAGE);
#endif
}

} // namespace t3
