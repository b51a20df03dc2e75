#include "stats/CalcSpecTot.h"

#include "corpus/Partition.h"

namespace t3 {

CalcSpecTot::CalcSpecTot(Partition* partition, Progression progression, Progression etape)
    : m_partition(partition) {
    if (m_partition == nullptr) return;
    const int32_t nbParties = m_partition->NbParties();
    for (int32_t p = 0; p < nbParties; ++p)
        if (m_partition->Reference(p)) m_partiesReference.push_back(p);

    const auto appelleEtape = [&etape](int32_t indexReference) {
        if (etape) etape(indexReference);
    };
    std::vector<bool> selectionSauvee(static_cast<size_t>(nbParties));
    for (int32_t p = 0; p < nbParties; ++p) {
        selectionSauvee[static_cast<size_t>(p)] = m_partition->Selection(p);
        m_partition->SetSelection(p, false);
    }
    for (int32_t p = 0; p < nbParties; ++p) {
        if (p > 0) m_partition->SetSelection(p - 1, false);
        if (!m_partition->Reference(p)) continue;
        const int32_t indexReference = static_cast<int32_t>(m_resultats.size());
        appelleEtape(indexReference);
        m_partition->SetSelection(p, true);
        auto calcul = std::make_unique<PrimSpec>(m_partition, 1);
        appelleEtape(indexReference);
        calcul->SetProgression(progression);
        calcul->Compute();
        m_resultats.push_back(std::move(calcul));
    }
    appelleEtape(NbPartiesReference());
    for (int32_t p = 0; p < nbParties; ++p)
        m_partition->SetSelection(p, selectionSauvee[static_cast<size_t>(p)]);
}

const PrimSpec* CalcSpecTot::Resultat(int32_t indexReference) const {
    if (indexReference < 0 || indexReference >= static_cast<int32_t>(m_resultats.size())) return nullptr;
    return m_resultats[static_cast<size_t>(indexReference)].get();
}

int32_t CalcSpecTot::Coefficient(int32_t entree, int32_t indexReference) const {
    const PrimSpec* calcul = Resultat(indexReference);
    return calcul != nullptr ? calcul->Coefficient(entree) : 0;
}

} // namespace t3
