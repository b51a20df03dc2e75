#pragma once
// The sort of items (text positions) by the sequences of codes read from each. The first codes of a
// sequence are packed into one 64-bit key, so that most pairs are ordered by one comparison of keys; only
// items whose keys are equal and whose sequences go on past them are compared further.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <type_traits>
#include <vector>

namespace t3 {

// Reorders the n items by their sequences, compared code by code, a sequence that stops where another
// goes on first, then equal sequences by item. debut(item) gives a cursor, with a member fini, on the
// item's first code; suivant(curseur) reads the next code, from 1 to 2^bits - 1 (bits from 1 to 32), and
// once the sequence has no more codes reads 0, with fini set by then at the latest. Every sequence ends.
// Two items whose keys are equal and whose sequences do not both end within them are read again through
// the cursors, or ordered by departage(x, y) when it is given, in the same order, by a caller that knows
// a faster reading.
template <class Debut, class Suivant, class Departage = std::nullptr_t>
void TriSequences(int32_t* items, int32_t n, int bits, Debut&& debut, Suivant&& suivant,
                  Departage&& departage = nullptr) {
    if (n < 2) return;
    const int nbCodes = 64 / bits;
    struct Element {
        uint64_t cle;
        int32_t item;
        bool fini; // the sequence ends within the key
    };
    std::vector<Element> elements(static_cast<size_t>(n));
    for (int32_t i = 0; i < n; ++i) {
        auto c = debut(items[i]);
        uint64_t cle = 0;
        for (int r = 0; r < nbCodes; ++r)
            cle = (cle << bits) | static_cast<uint64_t>(suivant(c));
        elements[static_cast<size_t>(i)] = Element{cle, items[i], c.fini};
    }
    std::sort(elements.begin(), elements.end(), [&](const Element& x, const Element& y) {
        if (x.cle != y.cle) return x.cle < y.cle;
        if (x.item == y.item) return false;
        if (x.fini && y.fini) return x.item < y.item;
        if constexpr (!std::is_null_pointer_v<std::remove_cvref_t<Departage>>) {
            return departage(x.item, y.item);
        } else {
            auto a = debut(x.item), b = debut(y.item);
            while (!a.fini || !b.fini) {
                const uint64_t ca = suivant(a), cb = suivant(b);
                if (ca != cb) return ca < cb;
            }
            return x.item < y.item;
        }
    });
    for (int32_t i = 0; i < n; ++i)
        items[i] = elements[static_cast<size_t>(i)].item;
}

} // namespace t3
