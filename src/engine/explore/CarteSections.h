#pragma once
// What the section map shows of each section, computed from the section set: the runs of sections laid
// out under the parts of a partition, the sections where a group of forms occurs, the group's specificity
// coefficient in a section and the shade it gives the box, the walk from one occurrence of the group to
// the next, and the selection of sections by clicks.
//
// Per section the map keeps bits only (presence of each group, selection): with the starts of the
// section set that is about 4.4 bytes a section. Coefficients are computed for the sections on screen.
#include "engine/Globaux.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace t3 {

class Partition;
class Section;

// One bit per section.
class BitsSections {
  public:
    BitsSections() = default;
    explicit BitsSections(int32_t nb)
        : m_nb(nb > 0 ? nb : 0), m_mots((static_cast<size_t>(m_nb) + 63) / 64) {}

    int32_t Taille() const { return m_nb; }
    bool Teste(int32_t i) const {
        return i >= 0 && i < m_nb && (m_mots[static_cast<size_t>(i) / 64] >> (i % 64) & 1u) != 0;
    }
    void Met(int32_t i, bool valeur = true);
    // Sets (or clears) every bit from debut up to fin, excluded.
    void MetIntervalle(int32_t debut, int32_t fin, bool valeur = true);
    void Efface();
    int32_t Compte() const;
    // The first set bit after i, the last set bit before i; -1 when none.
    int32_t Suivant(int32_t i) const;
    int32_t Precedent(int32_t i) const;
    // The set bits, ascending.
    std::vector<int32_t> Liste() const;
    // The bits set in either.
    BitsSections Union(const BitsSections& autre) const;
    // Bytes held.
    size_t Octets() const { return m_mots.size() * sizeof(uint64_t); }

  private:
    int32_t m_nb = 0;
    std::vector<uint64_t> m_mots;
};

// The sections of a group: those that hold one of its sorted positions.
BitsSections PresenceGroupe(const Section& sections, const std::vector<int32_t>& positions);

// The coefficient of a group in a section, as the map grades its boxes: SpecCoefficient(T = Nbocc(),
// t = form tokens of the section, F = occurrences of the group, f = those in the section, 0.05); 0 when
// the group is absent from the section.
int32_t CoefficientSection(const Section& sections, const std::vector<int32_t>& positions, int32_t section);
// The same for the sections from debut up to fin (excluded), those on screen: one reading of their text.
std::vector<int32_t> CoefficientsSections(const Section& sections, const std::vector<int32_t>& positions,
                                          int32_t debut, int32_t fin);

// A run of sections under one part of a partition: sections premiere up to fin (excluded).
struct SerieSections {
    int32_t premiere;
    int32_t fin;
    int32_t partie;
};

// The partition's spans laid over the sections: run j takes the sections whose start lies from span j's
// first position up to span j + 1's; the sections before the first span go with the first run, and the
// last run ends with the last section. Empty when the partition has no span.
std::vector<SerieSections> SeriesSections(const Section& sections, const Partition& partition);
// The first section of each run, as DispositionCarte takes them.
std::vector<int32_t> PremieresSections(const std::vector<SerieSections>& series);
// The texts of a run's header: the graphie of the partition's key type and that of the run's part.
std::pair<std::string, std::string> TextesEntete(const Partition& partition, const SerieSections& serie);

// The shades of a group's colour: full, half-light (each component c becomes c + (255 - c) / 2) and
// two-thirds-light (c + (255 - c) * 2 / 3), integer parts. A white group is shown black.
struct NuancesGroupe {
    Couleur pleine;
    Couleur demiClaire;
    Couleur deuxTiersClaire;
};
Couleur CouleurAffichee(Couleur couleurGroupe);
Couleur DemiClaire(Couleur couleur);
Couleur DeuxTiersClaire(Couleur couleur);
NuancesGroupe Nuances(Couleur couleurGroupe);

// The thresholds of the shades: at or above Seuil 1 the full colour, below Seuil 2 the two-thirds-light
// colour, the half-light colour between.
inline constexpr int32_t Seuil1Initial = 5;
inline constexpr int32_t Seuil2Initial = 2;
Couleur NuanceSelonCoefficient(const NuancesGroupe& nuances, int32_t coefficient,
                               int32_t seuil1 = Seuil1Initial, int32_t seuil2 = Seuil2Initial);

// The next (previous) section after (before) the current one where the group is present; the current
// section when there is none, and the caller beeps.
int32_t OccurrenceSuivante(const BitsSections& presence, int32_t courante);
int32_t OccurrencePrecedente(const BitsSections& presence, int32_t courante);

// A click on a box: with Shift, every section from the clicked one towards the current one, the current
// one excluded, is selected (nothing when they are the same); without Shift, the selection is cleared
// unless Ctrl is held and the clicked section selected. The clicked section becomes the current one.
void ClicSection(BitsSections& selection, int32_t& courante, int32_t cliquee, bool shift, bool ctrl);
// The sections that Shift+click selects: [first, end), empty when the clicked one is the current one.
std::pair<int32_t, int32_t> IntervalleShiftClic(int32_t courante, int32_t cliquee);

} // namespace t3
