#pragma once
// The specificities of every reference part of a partition in turn, each against the whole reference
// corpus: one PrimSpec per reference part, in part order. They feed the table of forms by parts.
#include "engine/stats/PrimSpecifs.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace t3 {

class Partition;

class CalcSpecTot {
  public:
    // Records the parts whose reference flag is set, then computes them all. The step callback is called
    // before and after building each part's computation, with that part's reference index, and once at
    // the end with NbPartiesReference(); the progress callback about a hundred times per part, with 0.
    // Each part's list is what a PrimSpec computes with that part alone selected; the partition's flags
    // are not touched. The entries' frequencies are read once for all the parts.
    CalcSpecTot(Partition* partition, Progression progression, Progression etape);

    Partition* GetPartition() const { return m_partition; }
    // The reference parts in ascending order; the reference index of a part is its place here.
    const std::vector<int32_t>& PartiesReference() const { return m_partiesReference; }
    int32_t NbPartiesReference() const { return static_cast<int32_t>(m_partiesReference.size()); }
    // The computation of the part at a reference index; null outside them.
    const PrimSpec* Resultat(int32_t indexReference) const;
    // The coefficient of an entry in the list of the part at a reference index; 0 when it is not in it.
    int32_t Coefficient(int32_t entree, int32_t indexReference) const;

  private:
    Partition* m_partition;
    std::vector<int32_t> m_partiesReference;
    std::vector<std::unique_ptr<PrimSpec>> m_resultats;
};

} // namespace t3
