// Loads a base, then sorts the occurrences of one entry by their right contexts, as a concordance does:
// LocOccFor(entry) then TriCont(+1, limit Nbart()). Prints the load time, the time of the lookup and
// sort alone, and the total, so that the sort is measured apart from the load.
// Usage: tricont BASE.par [ENTREE (0)]
#include "AideBench.h"
#include "engine/corpus/charg1.h"

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

using t3bench::Horloge;
using t3bench::Secondes;

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage : tricont BASE.par [ENTREE]\n");
        return 2;
    }
    const int32_t entree = argc > 2 ? static_cast<int32_t>(std::atol(argv[2])) : 0;
    const auto debut = Horloge::now();
    t3::charg1 base;
    if (!t3bench::ChargeBase("tricont", argv[1], base)) return 2;
    const auto charge = Horloge::now();
    std::vector<int32_t> positions = base.LocOccFor(entree);
    base.TriCont(positions, +1, base.Nbart());
    const auto trie = Horloge::now();

    // Something that depends on the whole order, so that no work can be left out.
    uint64_t empreinte = 0;
    for (const int32_t p : positions)
        empreinte = empreinte * 1000003u + static_cast<uint32_t>(p);
    std::printf("occurrences %zu\n", positions.size());
    std::printf("empreinte %016llx\n", static_cast<unsigned long long>(empreinte));
    std::printf("chargement %.3f\n", Secondes(debut, charge));
    std::printf("tri %.3f\n", Secondes(charge, trie));
    std::printf("total %.3f\n", Secondes(debut, trie));
    return 0;
}
