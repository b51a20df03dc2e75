#pragma once
// The evolutive specificities of a partition: the first part that is both selected and in the reference
// corpus, studied against the reference parts up to and including it (what came before it in the text).
#include "engine/socle/Resultat.h"
#include "engine/stats/PrimSpecifs.h"

#include <cstdint>
#include <memory>

namespace t3 {

class Partition;

// The first part both selected and in the reference corpus; -1 when there is none.
int32_t PremierePartieEvolutive(const Partition& partition);

// Computes the evolutive specificities of PremierePartieEvolutive(partition): the reference flags of the
// parts after it are cleared for the computation, so that the reference set is the reference parts up
// to it and the group is that part alone; sizes are not divided; the threshold and minimum frequency are
// those the partition holds. Both flag arrays are put back as they were before returning. Fails, with the
// message "Aucune partie n'est sélectionnée", when there is no such part.
Resultat<std::unique_ptr<PrimSpec>> SpecEvolutives(Partition& partition, Progression progression = {});

} // namespace t3
