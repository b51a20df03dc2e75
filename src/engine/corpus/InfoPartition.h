#pragma once
// A partition held by the corpus. The windows opened on it and their navigation items belong to the
// user interface, which keeps them itself, keyed by the partition.
#include "engine/corpus/Partition.h"

#include <memory>

namespace t3 {

class InfoPartition {
  public:
    explicit InfoPartition(std::unique_ptr<Partition> partition) : m_partition(std::move(partition)) {}

    Partition* GetPartition() const { return m_partition.get(); }

  private:
    std::unique_ptr<Partition> m_partition;
};

} // namespace t3
