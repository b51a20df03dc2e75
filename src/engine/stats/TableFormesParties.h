#pragma once
// The table of forms by parts of a computation of all parts (CalcSpecTot): one column per reference part,
// in reference-index order, and in each cell the frequency of an entry in that part and its specificity
// coefficient there. A cell is computed on demand; the rows of the forms can also be read one after the
// other, each in the time of its non-zero cells.
#include <cstdint>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

namespace t3 {

class CalcSpecTot;
class EcrivainTable;
class Partition;
class charg1;

struct CelluleTable {
    int32_t frequence = 0;
    int32_t coefficient = 0; // 0 when the entry is not specific in the part
    bool operator==(const CelluleTable&) const = default;
};

class TableFormesParties {
  public:
    // Borrows the computation, which must outlive the table, and its partition.
    explicit TableFormesParties(const CalcSpecTot& calcul);

    const CalcSpecTot& Calcul() const { return m_calcul; }
    // The reference parts: column j stands for part Partie(j); -1 outside the columns.
    int32_t NbColonnes() const;
    int32_t Partie(int32_t colonne) const;
    // The graphie of the key content that names the part of a column (Windows-1252); empty outside.
    std::string_view NomColonne(int32_t colonne) const;

    // For a form, in logarithmic time. For any other entry (a segment entry above all) the entry's
    // positions are read once and counted over every part; the counts of the last such entry are kept,
    // so that the cells of its row cost nothing more. 0 outside the columns.
    int32_t Frequence(int32_t entree, int32_t colonne) const;
    // In logarithmic time; 0 outside the columns or when the entry is not specific.
    int32_t Coefficient(int32_t entree, int32_t colonne) const;
    CelluleTable Cellule(int32_t entree, int32_t colonne) const {
        return {Frequence(entree, colonne), Coefficient(entree, colonne)};
    }

    // Reads the rows of the forms in increasing form number, each row in the time of its non-zero
    // frequencies and coefficients. A form below the previous one reads from the start again.
    class LecteurLignes {
      public:
        explicit LecteurLignes(const TableFormesParties& table);
        // One cell per column; valid until the next call.
        std::span<const CelluleTable> Ligne(int32_t forme);

      private:
        const TableFormesParties& m_table;
        std::vector<size_t> m_curseurs; // per column, into its coefficients ordered by entry
        std::vector<int32_t> m_parties; // per column, its part
        std::vector<const std::vector<std::pair<int32_t, int32_t>>*> m_coefficients; // per column
        std::vector<CelluleTable> m_ligne;
        int32_t m_precedente = -1;
    };

  private:
    const CalcSpecTot& m_calcul;
    const Partition* m_partition;
    mutable int32_t m_entreeComptee = -1;
    mutable std::vector<int32_t> m_comptesParPartie; // of m_entreeComptee
};

// Writes the table: a header row ("Formes", then for each column its part's name and "Spécif " followed by
// that name), then one row per form with its frequency and its coefficient in each column ("+" before an
// excess, an empty field when the form is not specific there); in entry order, read row after row, or
// in the order of the forms of ordre (a sorted table's rows), read cell by cell. Stops early when the
// writer does.
void EcritTableFormesParties(EcrivainTable& ecrivain, const charg1& base, const TableFormesParties& table,
                             const std::vector<int32_t>* ordre = nullptr);

} // namespace t3
