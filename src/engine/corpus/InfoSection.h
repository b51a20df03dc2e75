#pragma once
// A section set held by the corpus, with the map windows opened on it and its navigation-tree node
// under "Cartes Sections", kept as opaque handles of the user interface.
#include "corpus/Section.h"

#include <memory>
#include <vector>

namespace t3 {

class InfoSection {
  public:
    explicit InfoSection(std::unique_ptr<Section> section) : m_section(std::move(section)) {}

    Section* GetSection() const { return m_section.get(); }
    // The map windows (views) opened on the section set.
    std::vector<void*>& Vues() { return m_vues; }
    const std::vector<void*>& Vues() const { return m_vues; }
    void* Noeud() const { return m_noeud; }
    void SetNoeud(void* noeud) { m_noeud = noeud; }

  private:
    std::unique_ptr<Section> m_section;
    std::vector<void*> m_vues;
    void* m_noeud = nullptr;
};

} // namespace t3
