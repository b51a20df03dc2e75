#pragma once
// The sizes of the buffers and tables that the segmentation allocates for each run, whatever the size
// of the text. A fuzz build (T3_PETITS_TAMPONS) makes them small: each run of a fuzz target then costs
// little, and even a short text crosses the boundaries of the reading buffers, spreads the sorts over two
// threads and counts some frequencies apart.
#include <cstddef>
#include <cstdint>

namespace t3 {

#ifdef T3_PETITS_TAMPONS
inline constexpr size_t TailleTamponLecture = 256;   // each reader of the text
inline constexpr size_t TailleTamponEcriture = 4096; // the writers of the dictionary and numbered text
inline constexpr int32_t SeuilTriParallele = 64;     // articles below which a sort stays on one thread
inline constexpr int32_t FrequencesComptees = 4;     // forms at least this frequent are sorted apart
#else
inline constexpr size_t TailleTamponLecture = size_t{1} << 20;
inline constexpr size_t TailleTamponEcriture = size_t{1} << 20;
inline constexpr int32_t SeuilTriParallele = 1 << 14;
inline constexpr int32_t FrequencesComptees = 1 << 16;
#endif

} // namespace t3
