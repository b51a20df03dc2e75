#include "engine/stats/Tgen.h"

#include "engine/corpus/FournisseurSegments.h"
#include "engine/corpus/charg1.h"

#include <algorithm>

namespace t3 {

Tgen::Tgen(const charg1* base, const int32_t* entrees, int32_t nb, const char* nom)
    : m_base(base), m_couleur(CycleCouleursGroupes.Prend()) {
    if (entrees != nullptr && nb > 0) m_entrees.assign(entrees, entrees + nb);
    if (m_base != nullptr) m_segmentsSource = IdentifiantSegments(*m_base);
    if (m_base != nullptr && !m_entrees.empty()) {
        m_positions = m_base->LocOccFor(m_entrees.data(), NbEntrees());
        // The loader gives them ascending and once each; membership tests rely on it, so make sure.
        if (!std::is_sorted(m_positions.begin(), m_positions.end()))
            std::sort(m_positions.begin(), m_positions.end());
        m_positions.erase(std::unique(m_positions.begin(), m_positions.end()), m_positions.end());
    }
    if (nom != nullptr) {
        m_nom = nom;
    } else if (!m_entrees.empty()) {
        if (m_base != nullptr) m_nom = m_base->RetourneGraphie(m_entrees[0], false);
        if (m_entrees.size() > 1) m_nom += "+";
    }
}

bool Tgen::Contient(int32_t position) const {
    return std::binary_search(m_positions.begin(), m_positions.end(), position);
}

} // namespace t3
