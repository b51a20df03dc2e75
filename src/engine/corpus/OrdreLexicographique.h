#pragma once
// The lexicographic order of entries, as the dictionary and the tables of forms list them: a dictionary
// entry by its lexicographic rank (charg1::Lexg: the forms by their graphies, then the punctuation, key
// types and key contents, whose ranks are their numbers), a segment entry by the ranks of its forms in
// turn, a segment that begins another coming first. A dictionary entry compares as a segment of one
// form, so that a form comes just before the segments that begin with it.
#include <cstdint>
#include <span>
#include <vector>

namespace t3 {

class charg1;

// The entries in lexicographic order. Entries that compare equal (the same entry given twice) keep
// their given order; entries that stand for nothing (negative, Nbart(), a segment entry without its
// segment) come last, in their given order.
std::vector<int32_t> OrdreLexicographique(const charg1& base, std::span<const int32_t> entrees);

} // namespace t3
