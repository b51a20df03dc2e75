// The specificity test against the hypergeometric law computed exactly with integer binomials.
#include "engine/stats/SpecCoefficient.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

namespace {

using u128 = unsigned __int128;

constexpr int TailleMax = 128; // C(128, 64) ~ 2.4e37 still fits in 128 bits

// Pascal's triangle up to TailleMax: exact binomials without overflow.
const std::vector<std::vector<u128>>& Binomiaux() {
    static const std::vector<std::vector<u128>> c = [] {
        std::vector<std::vector<u128>> t(TailleMax + 1, std::vector<u128>(TailleMax + 1, 0));
        for (int n = 0; n <= TailleMax; ++n) {
            t[n][0] = 1;
            for (int k = 1; k <= n; ++k)
                t[n][k] = t[n - 1][k - 1] + t[n - 1][k];
        }
        return t;
    }();
    return c;
}

u128 Binomial(int n, int k) {
    return k < 0 || k > n || n < 0 ? 0 : Binomiaux()[n][k];
}

// The exact probability of k occurrences in the group, as a ratio of two integers.
long double Terme(int T, int t, int F, int k) {
    // C(F, k) C(T - F, t - k) <= C(T, t) by Vandermonde's identity: the product cannot overflow.
    return static_cast<long double>(Binomial(F, k) * Binomial(T - F, t - k)) /
           static_cast<long double>(Binomial(T, t));
}

// The coefficient magnitude of a tail probability: 1 + floor(-log10 p).
int Magnitude(long double p) {
    return 1 + static_cast<int>(std::floor(-std::log10(p)));
}

struct Queue {
    bool exces;         // the observed frequency lies at or above the mode test value
    long double total;  // exact tail probability from f outwards
    long double petits; // the part of it made of terms below 1e-10, which the sum may leave out
};

Queue QueueExacte(int T, int t, int F, int f) {
    Queue q{};
    // (F + 1)(t + 1) / (T + 2) <= f, in integers.
    q.exces = static_cast<int64_t>(F + 1) * (t + 1) <= static_cast<int64_t>(f) * (T + 2);
    const int bas = std::max(0, F + t - T), haut = std::min(F, t);
    for (int k = f; k >= bas && k <= haut; k += q.exces ? 1 : -1) {
        const long double terme = Terme(T, t, F, k);
        q.total += terme;
        if (terme < 1e-10L && k != f) q.petits += terme;
    }
    return q;
}

std::vector<int> Grille(int taille) {
    std::vector<int> valeurs = {0,          1,     taille / 4, taille / 3, taille / 2, (3 * taille) / 4,
                                taille - 1, taille};
    std::vector<int> retenues;
    for (int v : valeurs)
        if (v >= 0 && v <= taille && std::find(retenues.begin(), retenues.end(), v) == retenues.end())
            retenues.push_back(v);
    return retenues;
}

} // namespace

TEST(LogFactorial, ProduitJusqua33PuisStirling) {
    EXPECT_EQ(t3::LogFactorial(0), 0);
    EXPECT_EQ(t3::LogFactorial(1), 0);
    EXPECT_DOUBLE_EQ(t3::LogFactorial(5), std::log(120.0));
    for (int n = 2; n <= 33; ++n)
        EXPECT_NEAR(t3::LogFactorial(n), std::lgamma(n + 1.0), 1e-12 * n) << n;
    // Stirling with its 1/(12x) term is within 1/(360 x^3) of the truth.
    for (int n = 34; n <= 5000; n += 7)
        EXPECT_NEAR(t3::LogFactorial(n), std::lgamma(n + 1.0), 1e-7) << n;
    const double x = 1e7;
    EXPECT_NEAR(t3::LogFactorial(x), std::lgamma(x + 1), 1e-6 * std::lgamma(x + 1));
    // The empty product: negative arguments, which reduced sizes may bring, give 0.
    EXPECT_EQ(t3::LogFactorial(-1), 0);
    EXPECT_EQ(t3::LogFactorial(-40), 0);
    EXPECT_EQ(t3::LogFactorial(std::nan("")), 0);
    // A fractional argument takes every factor up to it.
    EXPECT_DOUBLE_EQ(t3::LogFactorial(4.5), std::log(24.0));
}

TEST(PointProbability, EgaleLaLoiHypergeometriqueExacte) {
    for (int T : {1, 7, 20, 33, 50, 90, 128})
        for (int t : Grille(T))
            for (int F : Grille(T)) {
                long double somme = 0;
                for (int f = std::max(0, F + t - T); f <= std::min(F, t); ++f) {
                    const double p = t3::PointProbability(T, t, F, f);
                    const long double exact = Terme(T, t, F, f);
                    // Exact products below 34, Stirling's relative error above.
                    const double tolerance = T <= 33 ? 1e-12 : 2e-6;
                    EXPECT_NEAR(p / exact, 1.0, tolerance) << T << " " << t << " " << F << " " << f;
                    somme += p;
                }
                EXPECT_NEAR(static_cast<double>(somme), 1.0, 2e-6) << T << " " << t << " " << F;
            }
}

// On a grid of sizes, every coefficient agrees with the exact tail: its sign with the mode test, its
// magnitude with the decade of the exact tail probability, 0 exactly when that probability exceeds the
// threshold. Only values within the approximation's reach of a decade or the threshold (Stirling's
// relative error, and the terms below 1e-10 that the sum may leave out) may fall either side.
TEST(SpecCoefficient, AccordeAvecLaQueueExacte) {
    constexpr long double Epsilon = 2e-6L;
    int determines = 0, cas = 0, specifiques = 0;
    for (double seuil : {0.05, 0.01, 0.2, 1.0})
        for (int T : {1, 2, 5, 10, 20, 34, 41, 60, 90, 128})
            for (int t : Grille(T))
                for (int F : Grille(T))
                    for (int f = std::max(0, F + t - T); f <= std::min(F, t); ++f) {
                        const Queue q = QueueExacte(T, t, F, f);
                        const int32_t c = t3::SpecCoefficient(T, t, F, f, seuil);
                        const long double haut = q.total * (1 + Epsilon); // an exact tail is at most 1
                        const long double bas = (q.total - q.petits) * (1 - Epsilon);
                        SCOPED_TRACE(::testing::Message()
                                     << "T=" << T << " t=" << t << " F=" << F << " f=" << f
                                     << " seuil=" << seuil << " P=" << static_cast<double>(q.total));
                        if (bas > seuil) {
                            EXPECT_EQ(c, 0);
                        } else if (c != 0) {
                            ++specifiques;
                            EXPECT_EQ(c > 0, q.exces);
                            EXPECT_GE(std::abs(c), Magnitude(std::min(haut, 1.0L)));
                            EXPECT_LE(std::abs(c), Magnitude(bas));
                            // A threshold of at most 10 % never lets a magnitude of 1 through.
                            if (seuil <= 0.1) {
                                EXPECT_GE(std::abs(c), 2);
                            }
                        } else {
                            EXPECT_GT(haut, seuil); // only a tail above the threshold may give 0
                        }
                        // A tail of exactly 1 is undecided at a threshold of 1 (rounding may lift it above).
                        if (seuil < 1) {
                            ++cas;
                            if (bas > seuil || (haut <= seuil && Magnitude(haut) == Magnitude(bas)))
                                ++determines;
                        }
                    }
    // The tolerances leave only a handful of cases undecided: the comparison is not vacuous.
    EXPECT_GT(determines, cas * 95 / 100) << determines << " / " << cas;
    EXPECT_GT(specifiques, cas / 4) << specifiques << " / " << cas;
}

TEST(SpecCoefficient, SensPlancherEtComptesImpossibles) {
    // f equal to the mode test value (4 x 6 / 12 = 2) is an excess.
    EXPECT_GT(t3::SpecCoefficient(10, 5, 3, 2, 1.0), 0);
    EXPECT_LT(t3::SpecCoefficient(10, 5, 3, 1, 1.0), 0);
    // p equal to the threshold passes: P(X = 1) for T = 2, t = 1, F = 1 is exactly 0.5, the tail too.
    EXPECT_EQ(t3::SpecCoefficient(2, 1, 1, 1, 0.5), 1);
    EXPECT_EQ(t3::SpecCoefficient(2, 1, 1, 1, 0.4999), 0);

    // A form absent from a large group although frequent: a strong deficit, floored at 1e-50.
    EXPECT_EQ(t3::SpecCoefficient(1e6, 5e5, 1000, 0, 0.05), -51);
    // Every occurrence in the half of the corpus: the point probability is far below the floor and no
    // term follows it.
    EXPECT_EQ(t3::SpecCoefficient(1e6, 5e5, 1000, 1000, 0.05), 51);
    // Just inside the floor, the one more term lifts the sum past 1e-50.
    EXPECT_EQ(t3::SpecCoefficient(1e6, 5e5, 1000, 999, 0.05), 50);
    // A large balanced count is not specific; a clear excess on a large base is.
    EXPECT_EQ(t3::SpecCoefficient(1e6, 5e5, 1000, 500, 0.05), 0);
    EXPECT_GT(t3::SpecCoefficient(1e6, 1e5, 1000, 200, 0.05), 10);

    // The group is the whole reference set: every point probability is 1.
    EXPECT_EQ(t3::SpecCoefficient(100, 100, 30, 30, 0.05), 0);
    EXPECT_EQ(t3::SpecCoefficient(0, 0, 0, 0, 0.05), 0);

    // Impossible counts give 0 and never a division by zero or the logarithm of a negative sum:
    // f > t, F > T, f > F, negative counts, and T - F - t + f < 0 as a size divisor may bring.
    EXPECT_EQ(t3::SpecCoefficient(100, 10, 20, 11, 1.0), 0);
    EXPECT_EQ(t3::SpecCoefficient(100, 10, 120, 5, 1.0), 0);
    EXPECT_EQ(t3::SpecCoefficient(100, 10, 4, 5, 1.0), 0);
    EXPECT_EQ(t3::SpecCoefficient(100, 10, 20, -1, 1.0), 0);
    EXPECT_EQ(t3::SpecCoefficient(10, 8, 8, 5, 1.0), 0);
    EXPECT_EQ(t3::SpecCoefficient(50, 25, 40, 10, 1.0), 0);
    EXPECT_EQ(t3::SpecCoefficient(500, 250, 400, 100, 0.05), 0);
}
