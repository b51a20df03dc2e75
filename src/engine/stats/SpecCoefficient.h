#pragma once
// The specificity test under the hypergeometric model: the reference set holds T occurrences, the group t
// of them; an entry occurs F times in the reference set and f times in the group. Sizes and frequencies
// are doubles holding whole numbers.
#include <cstdint>

namespace t3 {

// Natural logarithm of x! for a whole x >= 0: a product of doubles up to 33, the Stirling formula above.
// A negative x gives 0 (an empty product).
double LogFactorial(double x);

// The probability that the group holds exactly f occurrences: C(F, f) C(T - F, t - f) / C(T, t).
double PointProbability(double T, double t, double F, double f);

// The specificity coefficient: positive for an excess, negative for a deficit, its magnitude
// 1 + floor(-log10 p) for the tail probability p (floored at 1e-50); 0 when p exceeds the threshold
// (a probability) or when the counts are impossible.
int32_t SpecCoefficient(double T, double t, double F, double f, double seuil);

} // namespace t3
