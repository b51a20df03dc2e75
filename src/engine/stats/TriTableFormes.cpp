#include "engine/stats/TriTableFormes.h"

#include "engine/corpus/Partition.h"
#include "engine/corpus/charg1.h"
#include "engine/stats/CalcSpecTot.h"
#include "engine/stats/TableFormesParties.h"

#include <algorithm>
#include <limits>
#include <numeric>
#include <span>

namespace t3 {

namespace {

// The ranks by which entries compare, read once for a list of entries: the lexicographic rank of a
// dictionary entry, the ranks of a segment entry's forms in turn, none for an entry that stands for
// nothing.
class RangsEntrees {
  public:
    RangsEntrees(const charg1& base, std::span<const int32_t> entrees) : m_segment(entrees.size(), false) {
        m_debuts.reserve(entrees.size() + 1);
        m_debuts.push_back(0);
        m_rangs.reserve(entrees.size());
        const FournisseurSegments* segments = base.Segments();
        for (size_t i = 0; i < entrees.size(); ++i) {
            const int32_t e = entrees[i], k = e - base.Nbart() - 1;
            if (e >= 0 && e < base.Nbart()) {
                m_rangs.push_back(base.Lexg(e));
            } else if (k >= 0 && k < base.NbFormSup() && segments != nullptr) {
                m_segment[i] = true;
                for (const int32_t forme : segments->FormesSegment(k))
                    m_rangs.push_back(base.Lexg(forme));
            }
            m_debuts.push_back(m_rangs.size());
        }
    }
    // Entry i comes before entry j: the first differing rank decides, a common beginning puts the
    // shorter first, and on equal ranks a dictionary entry comes before a segment entry. Entries that
    // stand for nothing come last.
    bool Avant(size_t i, size_t j) const {
        const auto ri = Rangs(i), rj = Rangs(j);
        if (ri.empty() || rj.empty()) return !ri.empty() && rj.empty();
        if (std::lexicographical_compare(ri.begin(), ri.end(), rj.begin(), rj.end())) return true;
        if (std::lexicographical_compare(rj.begin(), rj.end(), ri.begin(), ri.end())) return false;
        return !m_segment[i] && m_segment[j];
    }

  private:
    std::span<const int32_t> Rangs(size_t i) const {
        return std::span<const int32_t>(m_rangs).subspan(m_debuts[i], m_debuts[i + 1] - m_debuts[i]);
    }
    std::vector<size_t> m_debuts;
    std::vector<int32_t> m_rangs;
    std::vector<bool> m_segment;
};

const charg1* BaseDe(const TableFormesParties& table) {
    const Partition* partition = table.Calcul().GetPartition();
    return partition != nullptr ? partition->Base() : nullptr;
}

// The key of a row in one sort and its place before it: rows of equal key keep their order, so that
// every sort gives the same rows in the same order from the same start.
struct CleLigne {
    int64_t cle;
    int32_t place;
    bool operator<(const CleLigne& autre) const {
        return cle != autre.cle ? cle < autre.cle : place < autre.place;
    }
};

// The rows put in the order given by their former places.
void Reordonne(std::vector<int32_t>& lignes, const std::vector<size_t>& ordre) {
    std::vector<int32_t> triees(ordre.size());
    for (size_t i = 0; i < ordre.size(); ++i)
        triees[i] = lignes[ordre[i]];
    lignes = std::move(triees);
}

constexpr int64_t SansCoefficient = std::numeric_limits<int64_t>::max();

} // namespace

bool AvantDansLOrdreDesEntrees(const charg1& base, int32_t a, int32_t b) {
    const int32_t entrees[] = {a, b};
    return RangsEntrees(base, entrees).Avant(0, 1);
}

TriTableFormes::TriTableFormes(const TableFormesParties& table) : m_table(table) {
    ToutesLesEntrees();
}

void TriTableFormes::ToutesLesEntrees() {
    m_lignes.clear();
    m_etat = EtatTri::Aucun;
    m_colonneTriee = -1;
    const charg1* base = BaseDe(m_table);
    if (base == nullptr) return;
    m_lignes.reserve(static_cast<size_t>(base->Nbform() + base->NbFormSup()));
    for (int32_t forme = 0; forme < base->Nbform(); ++forme)
        m_lignes.push_back(forme);
    if (base->Segments() != nullptr)
        for (int32_t k = 0; k < base->NbFormSup(); ++k)
            m_lignes.push_back(base->Nbart() + 1 + k);
}

void TriTableFormes::SetLignes(std::vector<int32_t> entrees) {
    m_lignes = std::move(entrees);
}

void TriTableFormes::ClicEntete(int32_t colonne, CritereTri critere) {
    if (colonne == 0) {
        const bool decroissant = m_etat == EtatTri::EntreesCroissantes;
        TrieEntrees(decroissant);
        m_etat = decroissant ? EtatTri::EntreesDecroissantes : EtatTri::EntreesCroissantes;
        return;
    }
    const int32_t indexReference = colonne - 1;
    if (indexReference < 0 || indexReference >= m_table.NbColonnes()) return;
    // A new column starts from the ascending state of the criterion, so that its first click descends.
    if (indexReference != m_colonneTriee)
        m_etat =
            critere == CritereTri::Frequence ? EtatTri::FrequenceCroissante : EtatTri::CoefficientCroissant;
    m_colonneTriee = indexReference;
    if (critere == CritereTri::Frequence) {
        const bool croissant = m_etat == EtatTri::FrequenceDecroissante;
        TrieColonne(critere, !croissant);
        m_etat = croissant ? EtatTri::FrequenceCroissante : EtatTri::FrequenceDecroissante;
    } else {
        const bool decroissant = m_etat == EtatTri::CoefficientCroissant;
        TrieColonne(critere, decroissant);
        m_etat = decroissant ? EtatTri::CoefficientDecroissant : EtatTri::CoefficientCroissant;
    }
}

bool TriTableFormes::ChangeCritere(CritereTri critere) {
    const bool dejaCeCritere =
        critere == CritereTri::Frequence
            ? m_etat == EtatTri::FrequenceCroissante || m_etat == EtatTri::FrequenceDecroissante
            : m_etat == EtatTri::CoefficientCroissant || m_etat == EtatTri::CoefficientDecroissant;
    if (dejaCeCritere || m_colonneTriee < 0) return false;
    TrieColonne(critere, true);
    m_etat =
        critere == CritereTri::Frequence ? EtatTri::FrequenceDecroissante : EtatTri::CoefficientDecroissant;
    return true;
}

void TriTableFormes::TrieEntrees(bool decroissant) {
    const charg1* base = BaseDe(m_table);
    if (base == nullptr) return;
    const RangsEntrees rangs(*base, m_lignes);
    std::vector<size_t> ordre(m_lignes.size());
    std::iota(ordre.begin(), ordre.end(), size_t{0});
    std::sort(ordre.begin(), ordre.end(), [&](size_t i, size_t j) {
        const size_t premier = decroissant ? j : i, second = decroissant ? i : j;
        if (rangs.Avant(premier, second)) return true;
        if (rangs.Avant(second, premier)) return false;
        return i < j; // equal entries keep their order
    });
    Reordonne(m_lignes, ordre);
}

void TriTableFormes::TrieColonne(CritereTri critere, bool decroissant) {
    const std::vector<int32_t> valeurs = critere == CritereTri::Frequence
                                             ? FrequencesColonne(m_colonneTriee)
                                             : CoefficientsColonne(m_colonneTriee);
    std::vector<CleLigne> cles(m_lignes.size());
    for (size_t i = 0; i < cles.size(); ++i) {
        const int64_t valeur = valeurs[i];
        cles[i].place = static_cast<int32_t>(i);
        if (critere == CritereTri::Specificite && valeur == 0)
            cles[i].cle = SansCoefficient; // last in either direction
        else
            cles[i].cle = decroissant ? -valeur : valeur;
    }
    std::sort(cles.begin(), cles.end());
    std::vector<size_t> ordre(cles.size());
    for (size_t i = 0; i < cles.size(); ++i)
        ordre[i] = static_cast<size_t>(cles[i].place);
    Reordonne(m_lignes, ordre);
}

// The frequencies shown in a column, one per row. A form's comes from the table of the partition; an
// entry that is not a form has its positions read once and counted in the part of the column only: the
// table would clear a count for every part of the partition at each such row.
std::vector<int32_t> TriTableFormes::FrequencesColonne(int32_t colonne) const {
    std::vector<int32_t> frequences(m_lignes.size(), 0);
    const charg1* base = BaseDe(m_table);
    const Partition* partition = m_table.Calcul().GetPartition();
    if (base == nullptr) return frequences;
    const int32_t partie = m_table.Partie(colonne);
    for (size_t i = 0; i < m_lignes.size(); ++i) {
        const int32_t entree = m_lignes[i];
        if (entree >= 0 && entree < base->Nbform()) {
            frequences[i] = m_table.Frequence(entree, colonne);
            continue;
        }
        for (const int32_t position : base->LocOccFor(entree))
            frequences[i] += partition->PartieDansLesSpans(position) == partie;
    }
    return frequences;
}

std::vector<int32_t> TriTableFormes::CoefficientsColonne(int32_t colonne) const {
    std::vector<int32_t> coefficients(m_lignes.size());
    for (size_t i = 0; i < m_lignes.size(); ++i)
        coefficients[i] = m_table.Coefficient(m_lignes[i], colonne);
    return coefficients;
}

} // namespace t3
