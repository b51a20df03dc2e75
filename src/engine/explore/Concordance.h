#pragma once
// The concordance of a group of forms: every occurrence as one line of fixed-width left context, the
// pivot and the right context, in text order or sorted on the contexts, optionally grouped by the parts
// of a partition under a heading per part.
//
// Only the ordered positions (4 bytes an occurrence) and, when grouped, the start of each part are
// kept: a line's texts are rebuilt from the numbered text each time they are asked for, so that a view
// lays out only the lines on screen and a change of width costs nothing. Texts are Windows-1252, as
// the graphies.
//
// A line is a heading or an occurrence. Without a partition every line is an occurrence. With one, each
// part that holds occurrences, in the partition's order, gives a heading line ("Partie : x, Nombre de
// contextes : n") followed by its occurrences; occurrences that lie in no part are left out.
//
// Typical use by a window:
//   Concordance c(base, groupe.Positions(), groupe.Nom(), partition); // grouping only
//   c.SetTri(TriApres);                                               // "Tri des contextes"
//   for each visible row i: c.EstEntete(i) ? c.TexteEntete(i) : c.Ligne(i, ligne)
//   c.SetLargeur(50);                                                 // next rebuild, no re-sorting
//
// The const members change nothing: a view may ask for lines from any thread while no setter runs.
#include <cstdint>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace t3 {

class charg1;
class EcrivainTable;
class Partition;
class Tgen;

// Sort directions of the contexts: text order, the preceding forms (nearest first), the following ones.
inline constexpr int32_t TriAucun = 0;
inline constexpr int32_t TriAvant = -1;
inline constexpr int32_t TriApres = +1;

// Context widths in characters: the range and start value of the window's width control.
inline constexpr int32_t LargeurMin = 10;
inline constexpr int32_t LargeurMax = 255;
inline constexpr int32_t LargeurInitiale = 40;

// The left context of the occurrence at position: the graphies of the forms and punctuation signs
// before it (keys and line breaks passed over), each with one blank before it, read back until the text
// holds at least largeur characters or the text begins; then cut to its last largeur characters (a word
// may be cut) or padded with blanks on its left. Always exactly largeur characters. Replaces texte.
void ContexteGauche(const charg1& base, int32_t position, int32_t largeur, std::string& texte);
// The right context: the graphies after the occurrence, each followed by one blank, read until the text
// holds at least largeur characters or the text ends. Not cut: the last word may run past largeur.
void ContexteDroit(const charg1& base, int32_t position, int32_t largeur, std::string& texte);
// The pivot: the graphie of any dictionary entry at position; empty for a line break or outside the text.
std::string_view Pivot(const charg1& base, int32_t position);

// One occurrence line. The strings keep their capacity from one call to the next.
struct LigneConcordance {
    std::string gauche; // exactly Largeur() characters
    std::string pivot;
    std::string droite; // ends with a blank unless empty
    int32_t position = -1;
};

class Concordance {
  public:
    // The occurrences at the ascending positions (a group's Positions()), grouped by the parts of
    // partition when it is not null, in text order within each part, then sorted in direction sens
    // (TriAucun, TriAvant or TriApres). An occurrence belongs to the part of Partition::PartieDePosition:
    // the words before the first key of the partition's type count in that key's part, as the
    // partition counts them. nom is the group's name (Windows-1252), shown by the export page. The
    // positions are copied; the base and the partition are borrowed and must outlive the concordance.
    Concordance(const charg1& base, std::span<const int32_t> positions, std::string nom,
                const Partition* partition = nullptr, int32_t sens = TriAucun,
                int32_t largeur = LargeurInitiale);
    // The same for a group: its positions and its name.
    Concordance(const Tgen& groupe, const Partition* partition = nullptr, int32_t sens = TriAucun,
                int32_t largeur = LargeurInitiale);

    // --- Lines
    // Headings and occurrences together.
    int32_t NbLignes() const;
    // Occurrence lines only (the status bar's "Nombre de contextes : N" counts the group's occurrences).
    int32_t NbContextes() const { return static_cast<int32_t>(m_positions.size()); }
    // A heading line (false outside 0 to NbLignes() - 1).
    bool EstEntete(int32_t ligne) const;
    // Fills the three texts and the position of an occurrence line; a heading or a line outside the
    // range leaves them empty with the position -1.
    void Ligne(int32_t ligne, LigneConcordance& sortie) const;
    LigneConcordance Ligne(int32_t ligne) const;
    // The text position of an occurrence line; -1 for a heading or outside the range.
    int32_t Position(int32_t ligne) const;
    // The part of a line, heading or occurrence; -1 without a partition or outside the range.
    int32_t PartieDeLigne(int32_t ligne) const;
    // The heading's text "Partie : x, Nombre de contextes : n"; empty for an occurrence line.
    std::string TexteEntete(int32_t ligne) const;
    // The line that shows the occurrence at index i of Positions(), headings counted; -1 outside.
    int32_t LigneDeContexte(int32_t i) const;

    // --- Parts (when grouped)
    const Partition* GetPartition() const { return m_partition; }
    // The graphie of the key content that names a part; empty without a partition.
    std::string_view NomPartie(int32_t partie) const;
    // The occurrences shown under a part (0 for a part without any or outside the partition).
    int32_t NbContextesPartie(int32_t partie) const;

    // --- Settings
    int32_t Largeur() const { return m_largeur; }
    // Takes effect on the lines asked for next; brought into LargeurMin to LargeurMax.
    void SetLargeur(int32_t largeur);
    int32_t Sens() const { return m_sens; }
    // Reorders the occurrences of each part (all of them without a partition): text order for TriAucun,
    // the loader's TriCont on the contexts otherwise, comparing forms only (limit Nbform() - 1). Any
    // value above 0 means TriApres, below 0 TriAvant.
    void SetTri(int32_t sens);
    const std::string& Nom() const { return m_nom; }
    const charg1& Base() const { return *m_base; }
    // The occurrences in the order of the lines, part after part.
    std::span<const int32_t> Positions() const { return m_positions; }

  private:
    void Regroupe(std::span<const int32_t> positions);
    // The index in m_groupes of the part group that holds a line; only when grouped.
    size_t GroupeDeLigne(int32_t ligne) const;

    // The occurrences shown under one part: m_positions[debut .. next group's debut).
    struct Groupe {
        int32_t partie;
        int32_t debut;
    };

    const charg1* m_base;
    const Partition* m_partition;
    std::string m_nom;
    int32_t m_sens = TriAucun;
    int32_t m_largeur = LargeurInitiale;
    std::vector<int32_t> m_positions;
    // The non-empty parts in the partition's order, with a sentinel whose debut is the number of
    // occurrences; empty without a partition. The heading of group g is line debut + g.
    std::vector<Groupe> m_groupes;
};

// The word of the sort direction in the export page and the report's title: "avant)", "ordre du
// texte)" or "après)" (Windows-1252).
std::string_view MotTri(int32_t sens);
// The report entry's title: "Concordance de : " + name + " " + " (tri " + MotTri (two blanks before the
// parenthesis). Windows-1252.
std::string TitreRapportConcordance(const Concordance& concordance);

// What the export page shows besides the lines. Texts are Windows-1252.
struct EnteteConcordance {
    std::string titre;     // the window's caption ("Concordances")
    std::string nomBase;   // charg1::NomBase()
    std::string dateHeure; // already formatted ("mercredi 9 décembre 2026 - 15:04")
};
// Writes the export page of every line, in the order and grouping of the concordance: the head (with
// "Partition = " and the key type when grouped), "Concordance de : " and the sort word, each part's
// heading, one line per occurrence. Graphies and names are escaped for HTML.
void EcritPageConcordance(std::ostream& sortie, const Concordance& concordance,
                          const EnteteConcordance& entete);

// Writes one row per occurrence, in the order and grouping of the concordance (the headings left out):
// "Position", "Partie" when grouped, "Contexte gauche", "Pôle", "Contexte droit", after a header row of
// those names. Stops early when the writer does.
void EcritLignesConcordance(EcrivainTable& table, const Concordance& concordance);

// A name "concN.html" that no concordance of this process has taken yet and that names no file in the
// folder dossier (the report's folder; when empty, no file is looked at): N counts for the whole process,
// from 1, so that two concordance windows never write over each other's export. Safe from any thread.
std::string NomPageConcordance(const std::string& dossier);

} // namespace t3
