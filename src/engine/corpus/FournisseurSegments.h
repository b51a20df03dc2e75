#pragma once
// What the loader needs from the repeated segments attached to it: their count, the forms of each and
// the positions of their occurrences. The segment finder implements it, so that the loader never
// depends on it.
#include <cstdint>
#include <vector>

namespace t3 {

class FournisseurSegments {
  public:
    virtual ~FournisseurSegments() = default;
    // Number of repeated segments; segment k (0 to NbSegments() - 1) is the entry Nbart() + 1 + k.
    virtual int32_t NbSegments() const = 0;
    // The form entries of segment k in text order; empty when k is not a segment.
    virtual std::vector<int32_t> FormesSegment(int32_t k) const = 0;
    // The first positions of the occurrences of segment k, ascending; empty when k is not a segment.
    virtual std::vector<int32_t> LocOccSeg(int32_t k) const = 0;
    // The identifier of the computation that numbered the segments, which no other computation of the
    // process has; 0 for segments given otherwise.
    virtual uint64_t Identifiant() const { return 0; }
};

class charg1;
// The identifier of the segments attached to the loader; 0 when none are.
uint64_t IdentifiantSegments(const charg1& base);

} // namespace t3
