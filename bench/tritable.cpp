// Loads a base, builds its partition by one key type (parag by default), keeps an evenly spread
// thousand of its parts in the reference corpus, computes the specificities of every reference part
// (CalcSpecTot) and their table of forms by parts, then sorts the rows of that table as the statistics
// window does on a click: a column by descending frequency (a first click), the same column by
// coefficient, then the entries' column. Prints the time of each stage, the size of the table and the
// peak memory after each stage, so that the sort is measured apart from what precedes it.
// Usage: tritable BASE.par [CLE (parag)] [PARTIES_DE_REFERENCE (1000)]
#include "AideBench.h"
#include "engine/corpus/Cles.h"
#include "engine/corpus/Partition.h"
#include "engine/corpus/charg1.h"
#include "engine/stats/CalcSpecTot.h"
#include "engine/stats/TableFormesParties.h"
#include "engine/stats/TriTableFormes.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

using t3bench::Horloge;
using t3bench::Secondes;

namespace {

// Something that depends on the whole order of the rows, so that no work can be left out.
unsigned long long Empreinte(const std::vector<int32_t>& lignes) {
    unsigned long long empreinte = 0;
    for (const int32_t e : lignes)
        empreinte = empreinte * 1000003u + static_cast<uint32_t>(e);
    return empreinte;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage : tritable BASE.par [CLE] [PARTIES_DE_REFERENCE]\n");
        return 2;
    }
    const std::string cle = argc > 2 ? argv[2] : "parag";
    const int32_t nbReference = argc > 3 ? static_cast<int32_t>(std::atol(argv[3])) : 1000;

    auto t = Horloge::now();
    const auto etape = [&t](const char* nom) {
        const auto maintenant = Horloge::now();
        std::printf("%s %.3f\n", nom, Secondes(t, maintenant));
        std::printf("memoire_%s %ld\n", nom, t3bench::MemoireKo());
        t = maintenant;
    };
    t3::charg1 base;
    if (!t3bench::ChargeBase("tritable", argv[1], base)) return 2;
    const int32_t type = t3bench::TypeCle("tritable", base, cle);
    if (type < 0) return 2;
    etape("chargement");

    // The partition with its table of forms by parts, which its first cells build.
    t3::Partition partition(&base, type);
    int64_t cellules = 0;
    for (int32_t forme = 0; forme < base.Nbform(); ++forme)
        cellules += static_cast<int64_t>(partition.CellulesForme(forme).size());
    etape("partition");
    std::printf("parties %d\ncellules %lld\n", partition.NbParties(), static_cast<long long>(cellules));

    t3bench::GardeEnReference(partition, nbReference);
    t = Horloge::now();
    const t3::CalcSpecTot tot(&partition, nullptr, nullptr);
    const t3::TableFormesParties table(tot);
    std::printf("colonnes %d\n", table.NbColonnes());
    etape("calcul");

    t3::TriTableFormes tri(table);
    const int32_t colonne = table.NbColonnes() / 2 + 1;
    t = Horloge::now();
    tri.ClicEntete(colonne, t3::CritereTri::Frequence);
    etape("tri");
    std::printf("lignes %zu\nempreinte %016llx\n", tri.Lignes().size(), Empreinte(tri.Lignes()));
    tri.ChangeCritere(t3::CritereTri::Specificite);
    etape("tri_coefficient");
    std::printf("empreinte %016llx\n", Empreinte(tri.Lignes()));
    tri.ClicEntete(0, t3::CritereTri::Specificite);
    etape("tri_entrees");
    std::printf("empreinte %016llx\n", Empreinte(tri.Lignes()));
    return 0;
}
