#pragma once
// Memory on huge pages for the large tables of the segmentation. Written for the first time page by
// page, or read in no memory order, a table of tens of megabytes would otherwise cost tens of thousands
// of page faults and TLB misses; a page fault is dear, above all in a virtual machine.
#include <cstddef>
#include <memory>

namespace t3 {

// At least octets bytes, uninitialised, freed by LibereGrandesPages. From 2 MB on, the block is aligned
// on 2 MB and the system is asked to back it with huge pages (only advice: the block works the same
// without them). Throws std::bad_alloc.
void* AlloueGrandesPages(size_t octets);
void LibereGrandesPages(void* p) noexcept;

// An array of n uninitialised T (T trivially constructible) on such memory.
struct LiberateurGrandesPages {
    void operator()(void* p) const noexcept { LibereGrandesPages(p); }
};
template <class T> using TableauGrandesPages = std::unique_ptr<T[], LiberateurGrandesPages>;
template <class T> TableauGrandesPages<T> NouveauTableauGrandesPages(size_t n) {
    return TableauGrandesPages<T>(static_cast<T*>(AlloueGrandesPages(n * sizeof(T))));
}

// The allocator of a vector whose buffer is such memory.
template <class T> struct AllocateurGrandesPages {
    using value_type = T;
    AllocateurGrandesPages() = default;
    template <class U> AllocateurGrandesPages(const AllocateurGrandesPages<U>&) noexcept {}
    T* allocate(size_t n) { return static_cast<T*>(AlloueGrandesPages(n * sizeof(T))); }
    void deallocate(T* p, size_t) noexcept { LibereGrandesPages(p); }
    template <class U> bool operator==(const AllocateurGrandesPages<U>&) const noexcept { return true; }
};

} // namespace t3
