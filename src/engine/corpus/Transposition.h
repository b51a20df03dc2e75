#pragma once
// Entries of one base carried into another by their graphies, for a group dragged from a window of one
// base onto a window of another: entry numbers mean nothing outside their base.
#include <cstdint>
#include <span>
#include <vector>

namespace t3 {

class charg1;

struct EntreesTransposees {
    // The receiving base's entries, in the given order, each once.
    std::vector<int32_t> entrees;
    // Dictionary entries whose graphie the receiving base does not hold.
    int32_t absentes = 0;
    // Segment entries (or values that stand for nothing), which cannot be carried over.
    int32_t autres = 0;
};

// A form becomes the form of cible with the same graphie, a punctuation sign the same sign, a key type
// or content the same key type or content.
EntreesTransposees TransposeEntrees(const charg1& source, const charg1& cible,
                                    std::span<const int32_t> entrees);

} // namespace t3
