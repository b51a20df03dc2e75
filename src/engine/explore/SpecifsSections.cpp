#include "engine/explore/SpecifsSections.h"

#include "engine/corpus/Section.h"
#include "engine/corpus/charg1.h"
#include "engine/stats/SpecCoefficient.h"

namespace t3 {

SpecifsDeSections SpecificitesSections(const Section& sections, const BitsSections& choisies,
                                       int32_t seuilPourcent, int32_t freqMin, int32_t nbEtiquettes) {
    SpecifsDeSections resultat;
    if (sections.Base() == nullptr) return resultat;
    const charg1& base = *sections.Base();
    const int32_t* const texte = base.TexteNum();
    const int32_t nbFormes = base.Nbform();

    std::vector<int32_t> frequences(static_cast<size_t>(nbFormes), 0);
    int64_t t = 0;
    for (int32_t s = choisies.Suivant(-1); s >= 0 && s < sections.NbSections(); s = choisies.Suivant(s)) {
        ++resultat.nbSections;
        for (int32_t p = sections.Debut(s), fin = sections.Debut(s + 1); p < fin; ++p) {
            const int32_t entree = texte[p];
            if (entree < 0 || entree >= nbFormes) continue;
            ++frequences[static_cast<size_t>(entree)];
            ++t;
        }
    }
    int64_t T = base.Nbocc();
    if (nbEtiquettes > 1) {
        T /= nbEtiquettes;
        t /= nbEtiquettes;
    }
    resultat.tailleReference = T;
    resultat.tailleGroupe = t;
    // Sections without a form (or a set of none) have no specific form.
    if (t <= 0 || T <= 0) return resultat;

    const double seuil = seuilPourcent * 0.01;
    for (int32_t forme = 0; forme < nbFormes; ++forme) {
        const int32_t F = base.RetourneFrq(forme);
        if (F < freqMin) continue;
        const int32_t f = frequences[static_cast<size_t>(forme)];
        const int32_t c = SpecCoefficient(static_cast<double>(T), static_cast<double>(t), F, f, seuil);
        if (c != 0) resultat.enregistrements.push_back({forme, F, f, c});
    }
    TrieSpecificites(resultat.enregistrements);
    return resultat;
}

} // namespace t3
