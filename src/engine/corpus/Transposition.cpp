#include "corpus/Transposition.h"

#include "corpus/charg1.h"

#include <algorithm>
#include <string_view>

namespace t3 {

namespace {

// The bounds of the range of entries of a base that holds entree: forms, punctuation, key types or key
// contents, as [debut, fin) and the index of the range.
struct Plage {
    int32_t debut, fin, rang;
};

Plage PlageDe(const charg1& base, int32_t entree) {
    const int32_t bornes[5] = {0, base.Nbform(), base.Nbform() + base.Nbartponct(),
                               base.Nbform() + base.Nbartponct() + base.Nbcle(), base.Nbart()};
    for (int32_t i = 0; i < 4; ++i)
        if (entree >= bornes[i] && entree < bornes[i + 1]) return {bornes[i], bornes[i + 1], i};
    return {0, 0, -1};
}

Plage PlageNo(const charg1& base, int32_t rang) {
    const int32_t bornes[5] = {0, base.Nbform(), base.Nbform() + base.Nbartponct(),
                               base.Nbform() + base.Nbartponct() + base.Nbcle(), base.Nbart()};
    return {bornes[rang], bornes[rang + 1], rang};
}

// The entry of cible in the same range with the same graphie; -1 if none.
int32_t Correspondante(const charg1& source, const charg1& cible, int32_t entree) {
    const Plage plage = PlageDe(source, entree);
    if (plage.rang < 0) return -1;
    const std::string_view graphie = source.Graphie(entree);
    if (plage.rang == 0) return cible.LocFormDic(graphie);
    const Plage dans = PlageNo(cible, plage.rang);
    for (int32_t e = dans.debut; e < dans.fin; ++e)
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
