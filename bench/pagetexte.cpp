// Loads a base and writes its whole text page with a group of its ten most frequent forms highlighted,
// as the text view does after a drop. Prints the load time, the best time of the page over the runs,
// the size of the page and the occurrences of the group.
// Usage: pagetexte BASE.par PAGE [ESSAIS (3)]
#include "engine/rapport/PageTexte.h"
#include "AideBench.h"
#include "engine/corpus/charg1.h"
#include "engine/stats/Tgen.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <numeric>
#include <string>
#include <vector>

using t3bench::Horloge;
using t3bench::Secondes;

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage : pagetexte BASE.par PAGE [ESSAIS]\n");
        return 2;
    }
    const std::string page = std::filesystem::absolute(argv[2]).string();
    const int essais = argc > 3 ? std::max(1, std::atoi(argv[3])) : 3;
    const auto debut = Horloge::now();
    t3::charg1 base;
    if (!t3bench::ChargeBase("pagetexte", argv[1], base)) return 2;
    const auto charge = Horloge::now();

    // The ten most frequent forms.
    std::vector<int32_t> formes(static_cast<size_t>(base.Nbform()));
    std::iota(formes.begin(), formes.end(), 0);
    const size_t nb = std::min<size_t>(10, formes.size());
    std::partial_sort(formes.begin(), formes.begin() + static_cast<std::ptrdiff_t>(nb), formes.end(),
                      [&base](int32_t a, int32_t b) { return base.RetourneFrq(a) > base.RetourneFrq(b); });
    formes.resize(nb);
    const t3::Tgen groupe(&base, formes);
    const auto groupeFait = Horloge::now();

    double meilleur = -1;
    for (int e = 0; e < essais; ++e) {
        const auto avant = Horloge::now();
        if (!t3::EcritPageTexte(base, &groupe, page)) {
            std::fprintf(stderr, "pagetexte : %s ne peut être écrite\n", page.c_str());
            return 2;
        }
        const double temps = Secondes(avant, Horloge::now());
        if (meilleur < 0 || temps < meilleur) meilleur = temps;
    }
    std::printf("items %d\n", base.Nbitem());
    std::printf("occurrences %d\n", groupe.NbOcc());
    std::printf("octets %llu\n", static_cast<unsigned long long>(std::filesystem::file_size(page)));
    std::printf("chargement %.3f\n", Secondes(debut, charge));
    std::printf("groupe %.3f\n", Secondes(charge, groupeFait));
    std::printf("page %.3f\n", meilleur);
    return 0;
}
