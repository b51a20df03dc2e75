#include "engine/corpus/OrdreLexicographique.h"

#include "engine/corpus/charg1.h"

#include <algorithm>
#include <utility>

namespace t3 {

std::vector<int32_t> OrdreLexicographique(const charg1& base, std::span<const int32_t> entrees) {
    // The ranks of each entry's forms, read once: a dictionary entry has one, a segment entry one per
    // form, an entry that stands for nothing none.
    std::vector<int32_t> debuts(entrees.size() + 1, 0);
    std::vector<int32_t> rangs;
    rangs.reserve(entrees.size());
    const FournisseurSegments* segments = base.Segments();
    for (size_t i = 0; i < entrees.size(); ++i) {
        const int32_t e = entrees[i];
        if (e >= 0 && e < base.Nbart()) {
            rangs.push_back(base.Lexg(e));
        } else if (e > base.Nbart() && segments && e - base.Nbart() - 1 < base.NbFormSup()) {
            for (const int32_t forme : segments->FormesSegment(e - base.Nbart() - 1))
                rangs.push_back(base.Lexg(forme));
        }
        debuts[i + 1] = static_cast<int32_t>(rangs.size());
    }
    const auto cle = [&](size_t i) {
        return std::span<const int32_t>(rangs.data() + debuts[i],
                                        static_cast<size_t>(debuts[i + 1] - debuts[i]));
    };

    std::vector<int32_t> resultat(entrees.size());
    if (rangs.size() == entrees.size() &&
        std::all_of(entrees.begin(), entrees.end(), [&](int32_t e) { return e >= 0 && e < base.Nbart(); })) {
        // Dictionary entries only (the dictionary window, t3 dico): one rank each.
        std::vector<std::pair<int32_t, size_t>> paires(entrees.size());
        for (size_t i = 0; i < paires.size(); ++i)
            paires[i] = {rangs[i], i};
        std::sort(paires.begin(), paires.end());
        for (size_t i = 0; i < paires.size(); ++i)
            resultat[i] = entrees[paires[i].second];
        return resultat;
    }

    std::vector<size_t> ordre(entrees.size());
    for (size_t i = 0; i < ordre.size(); ++i)
        ordre[i] = i;
    std::stable_sort(ordre.begin(), ordre.end(), [&](size_t a, size_t b) {
        const auto ra = cle(a), rb = cle(b);
        if (ra.empty() || rb.empty()) return !ra.empty() && rb.empty();
        return std::lexicographical_compare(ra.begin(), ra.end(), rb.begin(), rb.end());
    });
    for (size_t i = 0; i < ordre.size(); ++i)
        resultat[i] = entrees[ordre[i]];
    return resultat;
}

} // namespace t3
