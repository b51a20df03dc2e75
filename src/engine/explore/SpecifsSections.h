#pragma once
// The specific forms of a set of sections (those selected on the section map, or those where its groups
// occur) against the whole text, under the hypergeometric model.
#include "engine/explore/CarteSections.h"
#include "engine/stats/PrimSpecifs.h"

#include <cstdint>
#include <vector>

namespace t3 {

class Section;

struct SpecifsDeSections {
    // (form, frequency in the text F, frequency in the sections f, coefficient), sorted as every
    // specificity list is.
    std::vector<EnregSpec> enregistrements;
    int32_t nbSections = 0;      // k
    int64_t tailleReference = 0; // T: Nbocc(), divided by the tag count
    int64_t tailleGroupe = 0;    // t: the form tokens of the sections, divided by the tag count
};

// For each form whose frequency is at least freqMin: f its occurrences in the chosen sections, and the
// record when SpecCoefficient(T, t, F, f, seuilPourcent / 100) is not 0. T and t are divided by the tag
// count when it is above 1 (integer parts). One reading of the chosen sections' text.
SpecifsDeSections SpecificitesSections(const Section& sections, const BitsSections& choisies,
                                       int32_t seuilPourcent, int32_t freqMin, int32_t nbEtiquettes = 1);

} // namespace t3
