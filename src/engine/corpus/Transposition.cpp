#include "engine/corpus/Transposition.h"

#include "engine/corpus/charg1.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace t3 {

namespace {

// The four ranges of entries of a base, forms, punctuation, key types and key contents: range r is
// [bornes[r], bornes[r + 1]).
std::array<int32_t, 5> Bornes(const charg1& base) {
    const int32_t ponct = base.Nbform() + base.Nbartponct();
    return {0, base.Nbform(), ponct, ponct + base.Nbcle(), base.Nbart()};
}

// The range that holds entree; -1 for none.
int32_t RangDe(const std::array<int32_t, 5>& bornes, int32_t entree) {
    for (int32_t r = 0; r < 4; ++r)
        if (entree >= bornes[r] && entree < bornes[r + 1]) return r;
    return -1;
}

// The entry of cible in the same range with the same graphie; -1 if none.
int32_t Correspondante(const charg1& source, const charg1& cible, int32_t entree) {
    const int32_t rang = RangDe(Bornes(source), entree);
    if (rang < 0) return -1;
    const std::string_view graphie = source.Graphie(entree);
    if (rang == 0) return cible.LocFormDic(graphie);
    const std::array<int32_t, 5> dans = Bornes(cible);
    for (int32_t e = dans[rang]; e < dans[rang + 1]; ++e)
        if (cible.Graphie(e) == graphie) return e;
    return -1;
}

} // namespace

EntreesTransposees TransposeEntrees(const charg1& source, const charg1& cible,
                                    std::span<const int32_t> entrees) {
    EntreesTransposees resultat;
    for (const int32_t entree : entrees) {
        if (entree < 0 || entree >= source.Nbart()) {
            ++resultat.autres;
            continue;
        }
        const int32_t e = Correspondante(source, cible, entree);
        if (e < 0)
            ++resultat.absentes;
        else if (std::find(resultat.entrees.begin(), resultat.entrees.end(), e) == resultat.entrees.end())
            resultat.entrees.push_back(e);
    }
    return resultat;
}

} // namespace t3
