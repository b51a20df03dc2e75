#pragma once
// A group of forms: entries of the base (forms and segment entries) treated as one unit, with the
// ascending positions of all their occurrences, a name and a display colour taken from the colour cycle.
#include "engine/Globaux.h"

#include <cstdint>
#include <string>
#include <vector>

namespace t3 {

class charg1;

class Tgen {
  public:
    // Copies the nb entries (none when nb <= 0 or entrees is null), takes the next colour of the cycle
    // and gathers the positions. Without a name (null), the group is named after its first entry,
    // followed by "+" when it holds more than one.
    Tgen(const charg1* base, const int32_t* entrees, int32_t nb, const char* nom = nullptr);
    Tgen(const charg1* base, const std::vector<int32_t>& entrees, const char* nom = nullptr)
        : Tgen(base, entrees.data(), static_cast<int32_t>(entrees.size()), nom) {}

    const charg1* Base() const { return m_base; }
    const std::vector<int32_t>& Entrees() const { return m_entrees; }
    int32_t NbEntrees() const { return static_cast<int32_t>(m_entrees.size()); }
    // Every occurrence of any entry of the group, ascending, each once.
    const std::vector<int32_t>& Positions() const { return m_positions; }
    int32_t NbOcc() const { return static_cast<int32_t>(m_positions.size()); }
    bool Contient(int32_t position) const;

    // The computation of repeated segments whose numbering the group's segment entries follow: the one
    // attached to the base when the group was made (0: none).
    uint64_t SegmentsSource() const { return m_segmentsSource; }

    const std::string& Nom() const { return m_nom; }
    void SetNom(const std::string& nom) { m_nom = nom; }
    Couleur GetCouleur() const { return m_couleur; }
    void SetCouleur(Couleur couleur) { m_couleur = couleur; }

  private:
    const charg1* m_base;
    std::vector<int32_t> m_entrees;
    // Ascending and without repeats, it also serves as the ordered set of positions.
    std::vector<int32_t> m_positions;
    std::string m_nom;
    Couleur m_couleur;
    uint64_t m_segmentsSource = 0;
};

} // namespace t3
