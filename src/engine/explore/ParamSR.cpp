#include "engine/explore/ParamSR.h"

#include "engine/corpus/charg1.h"

#include <algorithm>

namespace t3 {

std::set<int32_t> JeuDelimiteursSR(const charg1& base) {
    std::set<int32_t> jeu;
    for (int32_t e = base.Nbform(); e < base.Nbform() + base.Nbartponct(); ++e)
        jeu.insert(e);
    return jeu;
}

std::set<int32_t> JeuDelimiteursSR(const charg1& base, std::string_view signes) {
    std::set<int32_t> jeu;
    for (int32_t e = base.Nbform(); e < base.Nbform() + base.Nbartponct(); ++e) {
        const std::string_view signe = base.Graphie(e);
        if (signe.size() == 1 && signes.find(signe[0]) != std::string_view::npos) jeu.insert(e);
    }
    return jeu;
}

int32_t SeuilSRParDefaut(const charg1& base) {
    return std::max(std::min(SeuilSRInitial, base.Fmax()), SeuilSRMinimal);
}

} // namespace t3
