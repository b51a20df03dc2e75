#include "engine/stats/CalcSpecTot.h"

#include "engine/corpus/Partition.h"
#include "engine/corpus/charg1.h"
#include "engine/stats/SpecCoefficient.h"

#include <algorithm>

namespace t3 {

namespace {

// An entry met in a reference part: its frequency there.
struct Rencontre {
    int32_t entree;
    int32_t frequence;
};

// What every part's computation shares: the frequency of each entry over the reference parts (forms,
// then segment entries), and for each reference part the entries it holds, read once for all the parts.
struct Comptes {
    std::vector<int64_t> frqRef;             // by slot: forms, then segment entries
    std::vector<size_t> debuts;              // per reference index, into rencontres
    std::vector<Rencontre> rencontres;       // per reference index, in increasing entry order
    std::vector<int32_t> parFrqDecroissante; // slots whose frequency reaches the minimum, most frequent first
};

class Calcul {
  public:
    Calcul(const Partition& partition, const std::vector<int32_t>& parties)
        : m_partition(partition), m_base(*partition.Base()), m_parties(parties),
          m_indexReference(static_cast<size_t>(partition.NbParties()), -1) {
        for (size_t k = 0; k < parties.size(); ++k)
            m_indexReference[static_cast<size_t>(parties[k])] = static_cast<int32_t>(k);
    }

    int32_t Entree(int32_t slot) const {
        return slot < m_base.Nbform() ? slot : m_base.Nbart() + 1 + (slot - m_base.Nbform());
    }
    int32_t NbSegments() const { return m_base.NbTotEntites() - m_base.Nbart(); }

    // Reads every cell of the forms and every position of the segment entries once. The entries met
    // in each reference part are placed at once where they go, after a count of them part by part.
    Comptes Compte(int32_t freqMin) const {
        Comptes c;
        const int32_t nbFormes = m_base.Nbform(), nbSegments = std::max(0, NbSegments());
        c.frqRef.assign(static_cast<size_t>(nbFormes + nbSegments), 0);
        const std::vector<CelluleSegment> cellulesSegments = CellulesSegments(nbSegments);
        // The place of each reference part's entries, then the entries, in increasing entry order.
        std::vector<size_t> places(m_parties.size() + 1, 0);
        for (int32_t forme = 0; forme < nbFormes; ++forme)
            for (const CelluleForme& cellule : m_partition.CellulesForme(forme))
                if (const int32_t k = IndexReference(cellule.partie); k >= 0)
                    ++places[static_cast<size_t>(k) + 1];
        for (const CelluleSegment& cellule : cellulesSegments)
            if (const int32_t k = IndexReference(cellule.partie); k >= 0)
                ++places[static_cast<size_t>(k) + 1];
        for (size_t k = 1; k < places.size(); ++k)
            places[k] += places[k - 1];
        c.debuts = places;
        c.rencontres.resize(places.back());
        const auto note = [&](size_t slot, int32_t entree, int32_t partie, int32_t frequence) {
            const int32_t k = IndexReference(partie);
            if (k < 0) return;
            c.frqRef[slot] += frequence;
            c.rencontres[places[static_cast<size_t>(k)]++] = {entree, frequence};
        };
        for (int32_t forme = 0; forme < nbFormes; ++forme)
            for (const CelluleForme& cellule : m_partition.CellulesForme(forme))
                note(static_cast<size_t>(forme), forme, cellule.partie, cellule.frequence);
        for (const CelluleSegment& cellule : cellulesSegments)
            note(Slot(cellule.entree), cellule.entree, cellule.partie, cellule.frequence);
        for (int32_t slot = 0; slot < static_cast<int32_t>(c.frqRef.size()); ++slot)
            if (c.frqRef[static_cast<size_t>(slot)] >= freqMin) c.parFrqDecroissante.push_back(slot);
        std::stable_sort(c.parFrqDecroissante.begin(), c.parFrqDecroissante.end(),
                         [&c](int32_t a, int32_t b) {
                             return c.frqRef[static_cast<size_t>(a)] > c.frqRef[static_cast<size_t>(b)];
                         });
        return c;
    }

    // The specific entries of the part at reference index k against the whole reference set: those
    // it holds, tested one by one, and those it lacks, whose deficit only depends on their reference
    // frequency: the less frequent they are, the likelier their absence, so the walk by decreasing
    // frequency stops at the first that is clearly not specific.
    std::vector<EnregSpec> Partie(const Comptes& c, size_t k, int64_t T, int32_t freqMin, double seuil,
                                  std::vector<uint32_t>& vue, const Progression& progression) const {
        std::vector<EnregSpec> resultats;
        const int64_t t = m_partition.NbOccPartie(m_parties[k]);
        if (T <= 0 || t <= 0) return resultats;
        const double dT = static_cast<double>(T), dt = static_cast<double>(t);
        const uint32_t marque = static_cast<uint32_t>(k) + 1;
        const size_t debut = c.debuts[k], fin = c.debuts[k + 1];
        const size_t pas = std::max<size_t>(1, (fin - debut) / 100);
        for (size_t i = debut; i < fin; ++i) {
            if (progression && (i - debut) % pas == 0) progression(0);
            const Rencontre& r = c.rencontres[i];
            const size_t slot = Slot(r.entree);
            vue[slot] = marque;
            const int64_t F = c.frqRef[slot];
            if (F < freqMin) continue;
            const int32_t coef = SpecCoefficient(dT, dt, static_cast<double>(F), r.frequence, seuil);
            if (coef != 0) resultats.push_back({r.entree, static_cast<int32_t>(F), r.frequence, coef});
        }
        for (const int32_t slot : c.parFrqDecroissante) {
            if (vue[static_cast<size_t>(slot)] == marque) continue;
            const int64_t F = c.frqRef[static_cast<size_t>(slot)];
            if (F > T - t) continue; // an absence the law cannot produce: never specific
            const double dF = static_cast<double>(F);
            // A margin over the threshold, so that rounding never stops the walk early.
            if (PointProbability(dT, dt, dF, 0) > seuil * (1 + 1e-6)) break;
            const int32_t coef = SpecCoefficient(dT, dt, dF, 0, seuil);
            if (coef != 0) resultats.push_back({Entree(slot), static_cast<int32_t>(F), 0, coef});
        }
        std::sort(resultats.begin(), resultats.end(),
                  [](const EnregSpec& a, const EnregSpec& b) { return a.entree < b.entree; });
        return resultats;
    }

    size_t Slot(int32_t entree) const {
        return static_cast<size_t>(entree < m_base.Nbform() ? entree
                                                            : m_base.Nbform() + entree - m_base.Nbart() - 1);
    }

  private:
    // A segment entry's frequency in one part.
    struct CelluleSegment {
        int32_t entree;
        int32_t partie;
        int32_t frequence;
    };
    // The cells of the segment entries, in entry order and, for each, in part order: each position
    // counts in the part of the span that holds it.
    std::vector<CelluleSegment> CellulesSegments(int32_t nbSegments) const {
        std::vector<CelluleSegment> cellules;
        std::vector<int32_t> partiesOcc;
        for (int32_t k = 0; k < nbSegments; ++k) {
            const int32_t entree = m_base.Nbart() + 1 + k;
            partiesOcc.clear();
            for (const int32_t position : m_base.LocOccFor(entree))
                partiesOcc.push_back(m_partition.PartieDansLesSpans(position));
            std::sort(partiesOcc.begin(), partiesOcc.end());
            for (size_t i = 0; i < partiesOcc.size();) {
                size_t j = i;
                while (j < partiesOcc.size() && partiesOcc[j] == partiesOcc[i])
                    ++j;
                cellules.push_back({entree, partiesOcc[i], static_cast<int32_t>(j - i)});
                i = j;
            }
        }
        return cellules;
    }
    // The reference index of a part; -1 for a part outside the reference set or the partition.
    int32_t IndexReference(int32_t partie) const {
        if (partie < 0 || partie >= m_partition.NbParties()) return -1;
        return m_indexReference[static_cast<size_t>(partie)];
    }

    const Partition& m_partition;
    const charg1& m_base;
    const std::vector<int32_t>& m_parties;
    std::vector<int32_t> m_indexReference; // per part: its reference index, -1 outside
};

} // namespace

CalcSpecTot::CalcSpecTot(Partition* partition, Progression progression, Progression etape)
    : m_partition(partition) {
    if (m_partition == nullptr || m_partition->Base() == nullptr) return;
    const int32_t nbParties = m_partition->NbParties();
    for (int32_t p = 0; p < nbParties; ++p)
        if (m_partition->Reference(p)) m_partiesReference.push_back(p);

    const auto appelleEtape = [&etape](int32_t indexReference) {
        if (etape) etape(indexReference);
    };
    const Calcul calcul(*m_partition, m_partiesReference);
    const Comptes comptes = calcul.Compte(m_partition->FreqMin());
    int64_t T = 0;
    for (const int32_t p : m_partiesReference)
        T += m_partition->NbOccPartie(p);
    const double seuil = m_partition->Seuil() * 0.01;
    std::vector<uint32_t> vue(comptes.frqRef.size(), 0);
    for (size_t k = 0; k < m_partiesReference.size(); ++k) {
        const int32_t indexReference = static_cast<int32_t>(k);
        appelleEtape(indexReference);
        auto resultat = std::make_unique<PrimSpec>(m_partition, 1);
        appelleEtape(indexReference);
        resultat->AdopteResultats(
            calcul.Partie(comptes, k, T, m_partition->FreqMin(), seuil, vue, progression), T,
            m_partition->NbOccPartie(m_partiesReference[k]));
        m_resultats.push_back(std::move(resultat));
    }
    appelleEtape(NbPartiesReference());
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
