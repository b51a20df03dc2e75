#pragma once
// The sections of the text after every occurrence of a set of delimiter entries (punctuation signs such
// as "." or "?"): section i runs from start i up to start i + 1, so that it begins right after a
// delimiter and ends with the next one; the text before the first delimiter belongs to no section.
#include <cstdint>
#include <vector>

namespace t3 {

class charg1;

class Section {
  public:
    // Entries outside the dictionary are kept in the list but delimit nothing.
    Section(const charg1* base, const int32_t* delimiteurs, int32_t nb);
    Section(const charg1* base, const std::vector<int32_t>& delimiteurs)
        : Section(base, delimiteurs.data(), static_cast<int32_t>(delimiteurs.size())) {}

    const charg1* Base() const { return m_base; }
    const std::vector<int32_t>& Delimiteurs() const { return m_delimiteurs; }
    int32_t NbDelimiteurs() const { return static_cast<int32_t>(m_delimiteurs.size()); }
    int32_t NbSections() const { return static_cast<int32_t>(m_debuts.size()) - 1; }
    // The starts of the sections followed by Nbitem().
    const std::vector<int32_t>& Debuts() const { return m_debuts; }
    int32_t Debut(int32_t section) const;

    // The number of the nb sorted positions in the section; 0 when s is not a section.
    int32_t CompteDansSection(const int32_t* positions, int32_t nb, int32_t section) const;
    int32_t CompteDansSection(const std::vector<int32_t>& positions, int32_t section) const {
        return CompteDansSection(positions.data(), static_cast<int32_t>(positions.size()), section);
    }
    // The number of positions of the section that hold a form.
    int32_t OccurrencesSection(int32_t section) const;
    // The number of positions of the section that hold the entry.
    int32_t FrequenceSection(int32_t entree, int32_t section) const;

  private:
    const charg1* m_base;
    std::vector<int32_t> m_delimiteurs;
    std::vector<int32_t> m_debuts;
};

} // namespace t3
