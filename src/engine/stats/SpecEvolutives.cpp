#include "engine/stats/SpecEvolutives.h"

#include "engine/corpus/Partition.h"

#include <vector>

namespace t3 {

int32_t PremierePartieEvolutive(const Partition& partition) {
    for (int32_t p = 0; p < partition.NbParties(); ++p)
        if (partition.Selection(p) && partition.Reference(p)) return p;
    return -1;
}

Resultat<std::unique_ptr<PrimSpec>> SpecEvolutives(Partition& partition, Progression progression) {
    const int32_t etudiee = PremierePartieEvolutive(partition);
    if (etudiee < 0) return Echec{1, "Aucune partie n'est sélectionnée"};

    const int32_t nbParties = partition.NbParties();
    const std::vector<uint8_t> reference(partition.DrapeauxReference(),
                                         partition.DrapeauxReference() + nbParties);
    // What comes after the studied part leaves the reference corpus; the selected parts before it are
    // no reference parts (it is the first selected one that is), so the group is that part alone.
    for (int32_t p = etudiee + 1; p < nbParties; ++p)
        partition.SetReference(p, false);
    auto calcul = std::make_unique<PrimSpec>(&partition, 1);
    calcul->SetProgression(std::move(progression));
    calcul->Compute();
    // Only the reference flags changed; the selection flags were never touched.
    for (int32_t p = 0; p < nbParties; ++p)
        partition.SetReference(p, reference[static_cast<size_t>(p)] != 0);
    return calcul;
}

} // namespace t3
