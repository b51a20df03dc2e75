#pragma once
// The ventilation of a group of forms over the parts of a partition: one value per part, in part
// order: the group's frequency there, relative (per 10 000 occurrences of the part) or absolute, or its
// specificity coefficient there at the fixed threshold of 5 %.
#include <cstdint>
#include <span>
#include <vector>

namespace t3 {

class EcrivainTable;
class Partition;
class Tgen;

enum class ModeVentilation { Relatives, Absolues, Specificites };

// The threshold of the coefficients of a ventilation, whatever the partition's own.
inline constexpr double SeuilVentilation = 0.05;

// The group's frequency in each part.
std::vector<int32_t> FrequencesParPartie(const Partition& partition, const Tgen& groupe);

// A frequency per 10 000 occurrences of a part, truncated towards zero; a part of size 0 counts as 1.
int64_t FrequenceRelative(int32_t frequence, int32_t taille);

// The coefficient of a group of nbOccGroupe occurrences found frequence times in a part of taille
// occurrences (0 counts as 1), in a base of nbOccBase occurrences.
int32_t CoefficientVentilation(int32_t nbOccBase, int32_t taille, int32_t nbOccGroupe, int32_t frequence);

// One value per part in the display asked for.
std::vector<int64_t> ValeursVentilation(const Partition& partition, const Tgen& groupe, ModeVentilation mode);
// The same from the frequencies already counted by FrequencesParPartie.
std::vector<int64_t> ValeursVentilation(const Partition& partition, const Tgen& groupe,
                                        const std::vector<int32_t>& frequences, ModeVentilation mode);

// The table of the ventilation of groups as the chart shows them: a row per part, its name and size,
// then a column per group, headed by its name, holding its values in the display asked for.
void EcritVentilation(EcrivainTable& ecrivain, const Partition& partition,
                      std::span<const Tgen* const> groupes, ModeVentilation mode);

// The extremes of the coefficients drawn since the chart was last cleared, both 0 at start, and the
// range of the axis that shows them with a margin of one on each side.
class ExtremesCoefficients {
  public:
    void Note(double coefficient) {
        if (coefficient > m_plusHaut)
            m_plusHaut = coefficient;
        else if (coefficient < m_plusBas)
            m_plusBas = coefficient;
    }
    void Note(const std::vector<int64_t>& coefficients) {
        for (const int64_t c : coefficients)
            Note(static_cast<double>(c));
    }
    void Efface() { *this = {}; }
    double PlusHaut() const { return m_plusHaut; }
    double PlusBas() const { return m_plusBas; }
    double AxeMin() const { return m_plusBas - 1; }
    double AxeMax() const { return m_plusHaut + 1; }

  private:
    double m_plusHaut = 0;
    double m_plusBas = 0;
};

} // namespace t3
