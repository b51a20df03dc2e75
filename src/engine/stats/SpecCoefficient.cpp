#include "engine/stats/SpecCoefficient.h"

#include <array>
#include <cmath>

namespace t3 {

namespace {

constexpr double DeuxPi = 6.283185307179586;
constexpr int LimiteProduit = 33;
constexpr double PlancherProbabilite = 1e-50;
constexpr double TermeNegligeable = 1e-10;

// log n! for n = 0 .. 33, each the logarithm of the running product 1 x 2 x ... x n in doubles: the
// same values as the product made afresh at every call, computed once.
const std::array<double, LimiteProduit + 1>& TableLogFactorielles() {
    static const std::array<double, LimiteProduit + 1> table = [] {
        std::array<double, LimiteProduit + 1> valeurs{};
        double produit = 1;
        valeurs[0] = std::log(produit);
        for (int n = 1; n <= LimiteProduit; ++n) {
            if (n >= 2) produit *= n;
            valeurs[n] = std::log(produit);
        }
        return valeurs;
    }();
    return table;
}

} // namespace

double LogFactorial(double x) {
    if (x > LimiteProduit) return x * std::log(x) - x + 0.5 * std::log(DeuxPi * x) + 1 / (12 * x);
    // The product takes every factor g <= x: for a fractional x that is floor(x)!; below 2, and for
    // a NaN, the empty product.
    if (!(x >= 2)) return 0;
    return TableLogFactorielles()[static_cast<int>(x)];
}

double PointProbability(double T, double t, double F, double f) {
    double L = LogFactorial(T - F) - LogFactorial(T) + LogFactorial(T - t) - LogFactorial(T - F - t + f);
    if (f != 0)
        L += LogFactorial(F) + LogFactorial(t) - LogFactorial(f) - LogFactorial(F - f) - LogFactorial(t - f);
    return std::exp(L);
}

int32_t SpecCoefficient(double T, double t, double F, double f, double seuil) {
    if (f > t || F > T) return 0;
    // Counts that the law cannot produce, which a size divisor or a careless caller may bring: the
    // tail recurrences would divide by zero or by a negative number and the logarithm would get a
    // negative sum. Such an observation is not specific.
    if (f < 0 || t < 0 || F < 0 || f > F || T - F - t + f < 0) return 0;

    double p = PointProbability(T, t, F, f);
    if (p > seuil) return 0;
    if (p < PlancherProbabilite) p = PlancherProbabilite;
    double u = p;

    const double mode = (F + 1) * (t + 1) / (T + 2);
    const bool exces = mode <= f;
    if (exces) {
        for (double k = f; k < F; ++k) {
            u = u * (F - k) * (t - k) / ((k + 1) * (T - F - t + k + 1));
            p += u;
            if (p > seuil) return 0;
            if (u < TermeNegligeable) break;
        }
    } else {
        for (double k = f; k > 0; --k) {
            u = u * k * (T - F - t + k) / ((F - k + 1) * (t - k + 1));
            p += u;
            if (p > seuil) return 0;
            if (u < TermeNegligeable) break;
        }
    }
    const int32_t c = static_cast<int32_t>(std::log10(p) - 1);
    return exces ? -c : c;
}

} // namespace t3
