#include "engine/socle/GrandesPages.h"

#include <cstdlib>
#include <new>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace t3 {

void* AlloueGrandesPages(size_t octets) {
    constexpr size_t Grande = size_t{1} << 21;
    void* p = nullptr;
    if (octets < Grande) {
        p = std::malloc(octets > 0 ? octets : 1);
    } else {
        const size_t arrondi = (octets + Grande - 1) & ~(Grande - 1);
        p = std::aligned_alloc(Grande, arrondi);
#if defined(__linux__) && defined(MADV_HUGEPAGE)
        if (p) madvise(p, arrondi, MADV_HUGEPAGE);
#endif
    }
    if (!p) throw std::bad_alloc();
    return p;
}

void LibereGrandesPages(void* p) noexcept {
    std::free(p);
}

} // namespace t3
