#pragma once
// The parameters with which a computation of repeated segments starts when the user changes nothing:
// every punctuation entry ends a segment, and both thresholds are 10 unless the base's highest
// frequency is lower. The parameter dialog and t3 segments start from them.
#include <cstdint>
#include <set>
#include <string_view>

namespace t3 {

class charg1;

inline constexpr int32_t SeuilSRInitial = 10;
// A segment occurs at least twice, and only a form that occurs twice can begin one.
inline constexpr int32_t SeuilSRMinimal = 2;

// Every punctuation entry of the base.
std::set<int32_t> JeuDelimiteursSR(const charg1& base);
// The punctuation entries whose sign is one of the bytes of signes (Windows-1252).
std::set<int32_t> JeuDelimiteursSR(const charg1& base, std::string_view signes);
// The initial segment and form thresholds: SeuilSRInitial, lowered to the base's highest frequency,
// never below SeuilSRMinimal.
int32_t SeuilSRParDefaut(const charg1& base);

} // namespace t3
