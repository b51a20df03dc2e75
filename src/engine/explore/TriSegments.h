#pragma once
// The segments list of the segments window: its sorts, and its page of the analysis report.
#include "engine/explore/Segment.h"

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace t3 {

class charg1;

// The columns of the list, in order: "Lg", "Segment", "Frq".
enum class TriSR : int32_t {
    Longueur = 0,  // ascending number of forms
    Segment = 1,   // form by form, ascending lexicographic rank; a segment before every longer one it begins
    Frequence = 2, // descending frequency
};

// The row map at rest: row r shows segment r.
std::vector<int32_t> LignesSegments(int32_t nbSegments);

// Sorts the row map (segment indexes) by the column's order. The sort is stable: rows equal under it
// keep their previous order, so that a sort by frequency after a sort by segment lists equal
// frequencies alphabetically. Each call sorts the same way; nothing reverses. Each row's key is
// computed once.
void TrieSegments(std::vector<int32_t>& lignes, const std::vector<Segment>& segments, const charg1& base,
                  TriSR tri);

// The caption of the segments window and the title of its report entry.
inline constexpr std::string_view TitreSR = "Segments r\xE9p\xE9t\xE9s";
// The name of its page in the report folder; a new page replaces the earlier one.
inline constexpr std::string_view NomPageSR = "sr.html";

// What the page shows besides the segments. Texts are Windows-1252.
struct EnteteSR {
    std::string titre;     // the window's caption
    std::string nomBase;   // charg1::NomBase()
    std::string dateHeure; // already formatted ("mercredi 9 décembre 2026 - 15:04")
};
// Writes the report page of the segments: a head with the base and the date, then one table row per
// segment (length, text with each form followed by a blank, frequency) in the order of the list,
// whatever order the window shows. Graphies and names are escaped for HTML. Windows-1252.
void EcritPageSR(std::ostream& sortie, const std::vector<Segment>& segments, const charg1& base,
                 const EnteteSR& entete);

} // namespace t3
