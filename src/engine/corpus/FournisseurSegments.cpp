#include "engine/corpus/FournisseurSegments.h"

#include "engine/corpus/charg1.h"

namespace t3 {

uint64_t IdentifiantSegments(const charg1& base) {
    return base.Segments() ? base.Segments()->Identifiant() : 0;
}

} // namespace t3
