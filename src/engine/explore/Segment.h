#pragma once
// One repeated segment, and the fixed-size reading window and runs with which they are searched.
#include <array>
#include <cstdint>
#include <vector>

namespace t3 {

// Stands in every slot of a reading window where there is no form: past a delimiter, past the end of
// the text, or before its beginning.
inline constexpr int32_t SansForme = 1000000000;
// The longest segment: a reading window holds the left neighbour and at most this many forms.
inline constexpr int32_t LongueurMaxSegment = 11;

struct Segment {
    std::vector<int32_t> formes; // entry numbers, in text order; 2 to 11 of them
    int32_t frequence = 0;       // occurrences counted for the segment
    int32_t location = 0;        // byte offset of its first occurrence position in the locations file
};

// Slot 0: the form just before the occurrence (its left neighbour); slots 1 to 11: the forms from the
// occurrence on, slot 1 being the occurrence's own form.
using FenetreSeg = std::array<int32_t, LongueurMaxSegment + 1>;

// The run followed for each length L (index 1 to 11): its count of occurrences, the index of its first
// occurrence in the sorted positions, and the left neighbour common to all its occurrences (SansForme as
// soon as two differ or one has none). Index 12 stays empty: no run is longer than 11 forms.
struct CoursesSeg {
    std::array<int32_t, LongueurMaxSegment + 2> compte{};
    std::array<int32_t, LongueurMaxSegment + 2> debut{};
    std::array<int32_t, LongueurMaxSegment + 2> voisin{};
};

} // namespace t3
