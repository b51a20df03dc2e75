#include "engine/stats/Ventilation.h"

#include "engine/corpus/Partition.h"
#include "engine/corpus/charg1.h"
#include "engine/socle/EcritureTable.h"
#include "engine/stats/SpecCoefficient.h"
#include "engine/stats/Tgen.h"

namespace t3 {

namespace {

int32_t TailleAuMoinsUn(int32_t taille) {
    return taille > 0 ? taille : 1;
}

} // namespace

std::vector<int32_t> FrequencesParPartie(const Partition& partition, const Tgen& groupe) {
    std::vector<int32_t> frequences(static_cast<size_t>(partition.NbParties()));
    for (int32_t p = 0; p < partition.NbParties(); ++p)
        frequences[static_cast<size_t>(p)] = partition.FrequenceGroupe(groupe.Positions(), p);
    return frequences;
}

// In 64 bits: a group of punctuation signs may be more frequent than its part has forms.
int64_t FrequenceRelative(int32_t frequence, int32_t taille) {
    return int64_t{frequence} * 10000 / TailleAuMoinsUn(taille);
}

int32_t CoefficientVentilation(int32_t nbOccBase, int32_t taille, int32_t nbOccGroupe, int32_t frequence) {
    return SpecCoefficient(nbOccBase, TailleAuMoinsUn(taille), nbOccGroupe, frequence, SeuilVentilation);
}

std::vector<int64_t> ValeursVentilation(const Partition& partition, const Tgen& groupe,
                                        const std::vector<int32_t>& frequences, ModeVentilation mode) {
    const int32_t nbOccBase = partition.Base() ? partition.Base()->Nbocc() : 0;
    std::vector<int64_t> valeurs(frequences.size());
    for (size_t p = 0; p < frequences.size(); ++p) {
        const int32_t taille = partition.NbOccPartie(static_cast<int32_t>(p));
        switch (mode) {
        case ModeVentilation::Relatives:
            valeurs[p] = FrequenceRelative(frequences[p], taille);
            break;
        case ModeVentilation::Absolues:
            valeurs[p] = frequences[p];
            break;
        case ModeVentilation::Specificites:
            valeurs[p] = CoefficientVentilation(nbOccBase, taille, groupe.NbOcc(), frequences[p]);
            break;
        }
    }
    return valeurs;
}

std::vector<int64_t> ValeursVentilation(const Partition& partition, const Tgen& groupe,
                                        ModeVentilation mode) {
    return ValeursVentilation(partition, groupe, FrequencesParPartie(partition, groupe), mode);
}

void EcritVentilation(EcrivainTable& ecrivain, const Partition& partition,
                      std::span<const Tgen* const> groupes, ModeVentilation mode) {
    const charg1* base = partition.Base();
    std::vector<std::vector<int64_t>> valeurs;
    valeurs.reserve(groupes.size());
    ecrivain.Champ("Partie").Champ("Taille");
    for (const Tgen* groupe : groupes) {
        ecrivain.Champ(groupe->Nom());
        valeurs.push_back(ValeursVentilation(partition, *groupe, mode));
    }
    ecrivain.FinLigne();
    for (int32_t partie = 0; partie < partition.NbParties() && ecrivain.Ok(); ++partie) {
        ecrivain.Champ(base != nullptr ? base->Graphie(partition.Contenu(partie)) : std::string_view());
        ecrivain.Champ(partition.NbOccPartie(partie));
        for (const std::vector<int64_t>& valeursGroupe : valeurs)
            ecrivain.Champ(valeursGroupe[static_cast<size_t>(partie)]);
        ecrivain.FinLigne();
    }
}

} // namespace t3
