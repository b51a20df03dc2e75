#pragma once
// One specificity computation: the entries (forms, then segment entries) that are over-used or
// under-used in the group of parts under study (the parts both selected and in the reference corpus)
// compared with the reference corpus, under the hypergeometric model.
#include "engine/socle/Resultat.h"

#include <cstdint>
#include <utility>
#include <vector>

namespace t3 {

class Partition;

// One line of a specificity list.
struct EnregSpec {
    int32_t entree;
    int32_t frqRef;    // F: frequency of the entry over the reference parts
    int32_t frqGroupe; // f: frequency over the parts both selected and in the reference corpus
    int32_t coef;      // never 0 in a list
};

// Sorts a specificity list as every list shows it: the strongest excess first, the strongest deficit
// last; equal coefficients stay in the order they came.
void TrieSpecificites(std::vector<EnregSpec>& enregistrements);

class PrimSpec {
  public:
    // Copies the partition's threshold percent and minimum frequency and keeps views of its reference
    // and selection flags, read when Compute runs. The corpus sizes are divided by diviseur when it is
    // above 1.
    PrimSpec(Partition* partition, int32_t diviseur);

    // Called about every 1 % of the entries: with 0 while forms are tested, 1 while segment entries are.
    void SetProgression(Progression progression) { m_progression = std::move(progression); }
    // Fills the result list anew and sorts it by descending coefficient.
    void Compute();

    // Takes the results of the same question computed elsewhere (CalcSpecTot computes all its parts at
    // once), in increasing entry order, with the corpus sizes they were computed on; sorts and indexes
    // them as Compute does.
    void AdopteResultats(std::vector<EnregSpec> resultats, int64_t tailleReference, int64_t tailleGroupe);

    const std::vector<EnregSpec>& Resultats() const { return m_resultats; }
    // The coefficient of an entry in the result list, 0 when it is not in it.
    int32_t Coefficient(int32_t entree) const;
    // The (entry, coefficient) pairs of the result list in increasing entry order, for walks over the
    // entries that read every coefficient.
    const std::vector<std::pair<int32_t, int32_t>>& CoefficientsParEntree() const { return m_index; }

    Partition* GetPartition() const { return m_partition; }
    int32_t Seuil() const { return m_seuil; }
    int32_t FreqMin() const { return m_freqMin; }
    int32_t Diviseur() const { return m_diviseur; }
    // The corpus sizes of the last Compute, after division: T for the reference set, t for the group.
    int64_t TailleReference() const { return m_tailleReference; }
    int64_t TailleGroupe() const { return m_tailleGroupe; }

  private:
    // Tests one entry and keeps it when it is specific.
    void Teste(int32_t entree, int64_t frqRef, int64_t frqGroupe, double seuil);
    // Frequencies over the reference parts and over the group of an entry that is not a form.
    void FrequencesHorsFormes(int32_t entree, int64_t& frqRef, int64_t& frqGroupe) const;
    void IndexeResultats();
    void TrieEtIndexe();

    Partition* m_partition;
    const uint8_t* m_reference;
    const uint8_t* m_selection;
    int32_t m_seuil;
    int32_t m_freqMin;
    int32_t m_diviseur;
    Progression m_progression;
    std::vector<EnregSpec> m_resultats;
    // (entry, coefficient) of the results in entry order, for lookups.
    std::vector<std::pair<int32_t, int32_t>> m_index;
    int64_t m_tailleReference = 0;
    int64_t m_tailleGroupe = 0;
};

} // namespace t3
