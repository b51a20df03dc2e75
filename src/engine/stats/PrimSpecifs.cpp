#include "engine/stats/PrimSpecifs.h"

#include "engine/corpus/Partition.h"
#include "engine/corpus/charg1.h"
#include "engine/stats/SpecCoefficient.h"

#include <algorithm>

namespace t3 {

namespace {

// Calls the progress callback about every 1 % of a run of nb entries: with a step of nb / 100, each
// time the counter of entries done reaches the step (once, at the first entry, when the step is 0).
class Pas {
  public:
    Pas(const Progression& progression, int32_t nb, int32_t argument)
        : m_progression(progression), m_pas(nb / 100), m_argument(argument) {}
    void Avance() {
        if (m_compteur == m_pas) {
            if (m_progression) m_progression(m_argument);
            m_compteur = 0;
        }
        ++m_compteur;
    }

  private:
    const Progression& m_progression;
    int32_t m_pas;
    int32_t m_argument;
    int32_t m_compteur = 0;
};

} // namespace

PrimSpec::PrimSpec(Partition* partition, int32_t diviseur)
    : m_partition(partition), m_reference(partition != nullptr ? partition->DrapeauxReference() : nullptr),
      m_selection(partition != nullptr ? partition->DrapeauxSelection() : nullptr),
      m_seuil(partition != nullptr ? partition->Seuil() : Partition::SeuilInitial),
      m_freqMin(partition != nullptr ? partition->FreqMin() : Partition::FreqMinInitiale),
      m_diviseur(diviseur) {}

void PrimSpec::Compute() {
    m_resultats.clear();
    m_index.clear();
    m_tailleReference = m_tailleGroupe = 0;
    if (m_partition == nullptr || m_partition->Base() == nullptr) return;
    const charg1& base = *m_partition->Base();
    const int32_t nbParties = m_partition->NbParties();

    for (int32_t p = 0; p < nbParties; ++p) {
        if (!m_reference[p]) continue;
        m_tailleReference += m_partition->NbOccPartie(p);
        if (m_selection[p]) m_tailleGroupe += m_partition->NbOccPartie(p);
    }
    if (m_diviseur > 1) {
        m_tailleReference = static_cast<int64_t>(static_cast<double>(m_tailleReference) / m_diviseur);
        m_tailleGroupe = static_cast<int64_t>(static_cast<double>(m_tailleGroupe) / m_diviseur);
    }
    // An empty reference set or group has no specific entry.
    if (m_tailleReference <= 0 || m_tailleGroupe <= 0) return;
    const double seuil = m_seuil * 0.01;

    const int32_t nbFormes = base.Nbform();
    Pas pasFormes(m_progression, nbFormes, 0);
    for (int32_t forme = 0; forme < nbFormes; ++forme) {
        pasFormes.Avance();
        int64_t frqRef = 0, frqGroupe = 0;
        for (const CelluleForme& cellule : m_partition->CellulesForme(forme)) {
            if (cellule.partie < 0 || cellule.partie >= nbParties || !m_reference[cellule.partie]) continue;
            frqRef += cellule.frequence;
            if (m_selection[cellule.partie]) frqGroupe += cellule.frequence;
        }
        Teste(forme, frqRef, frqGroupe, seuil);
    }

    const int32_t premierSegment = base.Nbart() + 1, dernierSegment = base.NbTotEntites();
    if (dernierSegment >= premierSegment) {
        Pas pasSegments(m_progression, dernierSegment - base.Nbart() + 1, 1);
        for (int32_t entree = premierSegment; entree <= dernierSegment; ++entree) {
            pasSegments.Avance();
            int64_t frqRef = 0, frqGroupe = 0;
            FrequencesHorsFormes(entree, frqRef, frqGroupe);
            Teste(entree, frqRef, frqGroupe, seuil);
        }
    }

    TrieEtIndexe();
}

void PrimSpec::AdopteResultats(std::vector<EnregSpec> resultats, int64_t tailleReference,
                               int64_t tailleGroupe) {
    m_resultats = std::move(resultats);
    m_tailleReference = tailleReference;
    m_tailleGroupe = tailleGroupe;
    TrieEtIndexe();
}

void TrieSpecificites(std::vector<EnregSpec>& enregistrements) {
    std::stable_sort(enregistrements.begin(), enregistrements.end(),
                     [](const EnregSpec& a, const EnregSpec& b) { return a.coef > b.coef; });
}

// Strongest excess first, strongest deficit last; equal coefficients stay in entry order.
void PrimSpec::TrieEtIndexe() {
    TrieSpecificites(m_resultats);
    m_index.clear();
    IndexeResultats();
}

void PrimSpec::Teste(int32_t entree, int64_t frqRef, int64_t frqGroupe, double seuil) {
    if (frqRef < m_freqMin) return;
    const int32_t coef =
        SpecCoefficient(static_cast<double>(m_tailleReference), static_cast<double>(m_tailleGroupe),
                        static_cast<double>(frqRef), static_cast<double>(frqGroupe), seuil);
    if (coef != 0)
        m_resultats.push_back({entree, static_cast<int32_t>(frqRef), static_cast<int32_t>(frqGroupe), coef});
}

// The same sums as the partition's frequency of the entry in each part, from one reading of the
// entry's positions: each position is counted in the part of the span that holds it.
void PrimSpec::FrequencesHorsFormes(int32_t entree, int64_t& frqRef, int64_t& frqGroupe) const {
    for (const int32_t position : m_partition->Base()->LocOccFor(entree)) {
        const int32_t partie = m_partition->PartieDansLesSpans(position);
        if (partie < 0 || !m_reference[partie]) continue;
        ++frqRef;
        if (m_selection[partie]) ++frqGroupe;
    }
}

void PrimSpec::IndexeResultats() {
    m_index.reserve(m_resultats.size());
    for (const EnregSpec& r : m_resultats)
        m_index.emplace_back(r.entree, r.coef);
    std::sort(m_index.begin(), m_index.end());
}

int32_t PrimSpec::Coefficient(int32_t entree) const {
    const auto it = std::lower_bound(m_index.begin(), m_index.end(), std::make_pair(entree, INT32_MIN));
    return it != m_index.end() && it->first == entree ? it->second : 0;
}

} // namespace t3
