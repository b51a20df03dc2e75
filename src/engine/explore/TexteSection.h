#pragma once
// The text of one section as the section map shows it below the boxes (pieces of text, each in one
// style) and as it adds it to the analysis report (an HTML page). Only dictionary entries are written:
// line breaks and anything else above the dictionary are passed over; a key is written
// "<type=content>". Texts are Windows-1252, as the graphies.
#include <cstdint>
#include <string>
#include <vector>

namespace t3 {

class Section;

enum class StyleMorceau {
    Normal,
    GroupePrincipal, // bold, in the main group's colour
    GroupeSecond,    // bold, in the second group's colour
    Cle,             // blue
};

struct MorceauSection {
    std::string texte;
    StyleMorceau style;
};

// The pieces of a section, following pieces of one style joined: a position of the main group, else of
// the second group, is its graphie and a blank in that group's style; a key type is "<", its graphie,
// "=", the graphie of the next position (its content), ">" without a blank; anything else its graphie and
// a blank. The groups are their sorted positions, or null. Nothing outside the sections.
std::vector<MorceauSection> MorceauxSection(const Section& sections, int32_t section,
                                            const std::vector<int32_t>* principal,
                                            const std::vector<int32_t>* second = nullptr);

// The page of the section for the report, graphies escaped for HTML: the main group's positions in bold,
// keys in blue. Empty outside the sections.
std::string PageSection(const Section& sections, int32_t section, const std::vector<int32_t>* principal);
// Its file name in the report folder: "section-" + n + ".html".
std::string NomPageSection(int32_t section);

} // namespace t3
