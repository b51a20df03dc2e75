#pragma once
// A partition held by the corpus, with what the workbench attaches to it: the ventilation-graph
// windows opened on it and the navigation-tree node under which they are listed. The windows and the
// node belong to the user interface; the engine keeps them as opaque handles.
#include "corpus/Partition.h"

#include <memory>
#include <vector>

namespace t3 {

class InfoPartition {
  public:
    explicit InfoPartition(std::unique_ptr<Partition> partition) : m_partition(std::move(partition)) {}

    Partition* GetPartition() const { return m_partition.get(); }
    // Ventilation-graph windows, in order of opening.
    std::vector<void*>& Graphiques() { return m_graphiques; }
    const std::vector<void*>& Graphiques() const { return m_graphiques; }
    // The "Graphiques" node of the navigation tree; none at creation.
    void* NoeudGraphiques() const { return m_noeudGraphiques; }
    void SetNoeudGraphiques(void* noeud) { m_noeudGraphiques = noeud; }

  private:
    std::unique_ptr<Partition> m_partition;
    std::vector<void*> m_graphiques;
    void* m_noeudGraphiques = nullptr;
};

} // namespace t3
