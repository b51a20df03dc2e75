#pragma once
// The rows of the table of forms by parts as the statistics window shows them: which entries, in which
// order, and how a click on a column header or a change of the sort criterion reorders them.
#include <cstdint>
#include <vector>

namespace t3 {

class TableFormesParties;
class charg1;

enum class EtatTri {
    Aucun,
    EntreesCroissantes,
    EntreesDecroissantes,
    FrequenceCroissante,
    FrequenceDecroissante,
    CoefficientDecroissant,
    CoefficientCroissant,
};

enum class CritereTri { Frequence, Specificite };

// The entry order: forms by alphabetical rank (charg1::Lexg); a segment entry by the ranks of its words
// in turn (on a common beginning the shorter first); a form against a segment by the segment's first
// word, the form first on equal rank; an entry that stands for nothing (neither in the dictionary nor an
// attached segment) last. True when a comes before b.
bool AvantDansLOrdreDesEntrees(const charg1& base, int32_t a, int32_t b);

class TriTableFormes {
  public:
    // Borrows the table, which must outlive this object. The rows start as ToutesLesEntrees().
    explicit TriTableFormes(const TableFormesParties& table);

    // Every form 0 to Nbform() - 1, then, when segments are attached to the base, every segment entry
    // Nbart() + 1 + k; the sort state and sorted column go back to none.
    void ToutesLesEntrees();
    // The rows become these entries, in this order (a dropped group); the sort state is kept.
    void SetLignes(std::vector<int32_t> entrees);
    const std::vector<int32_t>& Lignes() const { return m_lignes; }

    // A click on the header of a column of the window: 0 is the entries' column, j >= 1 the table's
    // column j - 1. Column 0 toggles entries ascending / descending (ascending from any other state). A
    // column j >= 1 other than the sorted one starts from frequency ascending or coefficient ascending
    // (by the criterion), so that the first click sorts descending by frequency or by coefficient; each
    // further click on it reverses. The sorted column clicked again while the state is of neither
    // criterion (after a sort by entries) sorts by descending frequency, or by ascending coefficient.
    // Entries whose coefficient is 0 in that column always come after the others, in either direction.
    // Rows that compare equal keep their previous order, so that a sort is reproducible.
    void ClicEntete(int32_t colonne, CritereTri critere);
    // The criterion of the radio buttons changed: when the state is not already of that criterion and a
    // column is sorted, re-sorts it by the new criterion, descending, as a first click would. Returns
    // whether the rows were reordered.
    bool ChangeCritere(CritereTri critere);

    EtatTri Etat() const { return m_etat; }
    // The table column (reference index) last sorted by frequency or coefficient; -1 for none.
    int32_t ColonneTriee() const { return m_colonneTriee; }

  private:
    void TrieEntrees(bool decroissant);
    // Sorts the rows by the sorted column; rows without a coefficient there come last whichever the
    // direction when the criterion is the coefficient.
    void TrieColonne(CritereTri critere, bool decroissant);
    // The values shown in a column, one per row, each computed once.
    std::vector<int32_t> FrequencesColonne(int32_t colonne) const;
    std::vector<int32_t> CoefficientsColonne(int32_t colonne) const;

    const TableFormesParties& m_table;
    std::vector<int32_t> m_lignes;
    EtatTri m_etat = EtatTri::Aucun;
    int32_t m_colonneTriee = -1;
};

} // namespace t3
