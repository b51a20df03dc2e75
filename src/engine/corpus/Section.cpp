#include "engine/corpus/Section.h"

#include "engine/corpus/charg1.h"

#include <algorithm>

namespace t3 {

// The starts come from the occurrence index of each delimiter, merged in text order; a delimiter given
// twice counts once, so the number of sections is the sum of the frequencies of the distinct entries.
Section::Section(const charg1* base, const int32_t* delimiteurs, int32_t nb) : m_base(base) {
    if (delimiteurs && nb > 0) m_delimiteurs.assign(delimiteurs, delimiteurs + nb);
    std::vector<int32_t> distincts = m_delimiteurs;
    std::sort(distincts.begin(), distincts.end());
    distincts.erase(std::unique(distincts.begin(), distincts.end()), distincts.end());
    if (m_base) {
        size_t total = 1;
        for (const int32_t e : distincts)
            total += m_base->Occurrences(e).size();
        m_debuts.reserve(total);
        for (const int32_t e : distincts)
            for (const int32_t position : m_base->Occurrences(e))
                m_debuts.push_back(position + 1);
    }
    // The starts of one delimiter come in text order already.
    if (distincts.size() > 1) std::sort(m_debuts.begin(), m_debuts.end());
    m_debuts.push_back(m_base ? m_base->Nbitem() : 0);
}

int32_t Section::Debut(int32_t section) const {
    if (section < 0 || section > NbSections()) return -1;
    return m_debuts[static_cast<size_t>(section)];
}

int32_t Section::CompteDansSection(const int32_t* positions, int32_t nb, int32_t section) const {
    if (section < 0 || section >= NbSections() || !positions || nb <= 0) return 0;
    const int32_t* const fin = positions + nb;
    const int32_t* const debut = std::lower_bound(positions, fin, m_debuts[static_cast<size_t>(section)]);
    return static_cast<int32_t>(std::lower_bound(debut, fin, m_debuts[static_cast<size_t>(section) + 1]) -
                                debut);
}

int32_t Section::OccurrencesSection(int32_t section) const {
    if (section < 0 || section >= NbSections() || !m_base) return 0;
    int32_t compte = 0;
    for (int32_t p = m_debuts[static_cast<size_t>(section)]; p < m_debuts[static_cast<size_t>(section) + 1];
         ++p) {
        const int32_t v = m_base->Tnum(p);
        if (v >= 0 && v < m_base->Nbform()) ++compte;
    }
    return compte;
}

int32_t Section::FrequenceSection(int32_t entree, int32_t section) const {
    if (section < 0 || section >= NbSections() || !m_base) return 0;
    if (entree > m_base->Nbart()) return CompteDansSection(m_base->LocOccFor(entree), section);
    const auto occ = m_base->Occurrences(entree);
    return CompteDansSection(occ.data(), static_cast<int32_t>(occ.size()), section);
}

} // namespace t3
