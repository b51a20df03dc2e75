#pragma once
// A section set held by the corpus. Its map windows and navigation items belong to the user interface,
// which keeps them itself, keyed by the section set.
#include "engine/corpus/Section.h"

#include <memory>

namespace t3 {

class InfoSection {
  public:
    explicit InfoSection(std::unique_ptr<Section> section) : m_section(std::move(section)) {}

    Section* GetSection() const { return m_section.get(); }

  private:
    std::unique_ptr<Section> m_section;
};

} // namespace t3
