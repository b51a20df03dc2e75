// Loads a base and times the export of two tables as CSV files, as the windows' "Exporter..." writes
// them (a new file renamed over the old one once whole): the table of forms by parts of a partition by
// one key type (parag by default) with an evenly spread thousand of its parts in the reference corpus,
// and the concordance of the most frequent form. For each, the time of the export alone, the bytes
// written, and the peak memory that the export adds to what the process held before it (the base and
// the table), the peak being brought down to the resident memory before each export.
// Prints "name value" lines for bench/bench-export.
// Usage: exportcsv BASE.par DOSSIER [CLE (parag)] [PARTIES_DE_REFERENCE (1000)]
#include "AideBench.h"
#include "engine/corpus/Cles.h"
#include "engine/corpus/Partition.h"
#include "engine/corpus/charg1.h"
#include "engine/explore/Concordance.h"
#include "engine/socle/EcritureTable.h"
#include "engine/stats/CalcSpecTot.h"
#include "engine/stats/TableFormesParties.h"
#include "engine/stats/Tgen.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

// Exports the table that lignes writes into chemin and prints its time, size and added peak memory
// under nom; false, with the message, when the export fails.
bool Exporte(const char* nom, const std::filesystem::path& chemin,
             const std::function<void(t3::EcrivainTable&)>& lignes) {
    const bool picRemis = t3bench::RemetPicMemoire();
    const long avant = picRemis ? t3bench::MemoireKo("VmRSS:") : t3bench::MemoireKo();
    const auto debut = t3bench::Horloge::now();
    const auto exporte = t3::ExporteTable(chemin, {t3::FormatTable::Csv}, lignes);
    const auto fin = t3bench::Horloge::now();
    if (!exporte) {
        std::fprintf(stderr, "exportcsv : %s\n", exporte.Message().c_str());
        return false;
    }
    std::printf("%s %.6f\n", nom, t3bench::Secondes(debut, fin));
    std::printf("octets_%s %lld\n", nom, static_cast<long long>(std::filesystem::file_size(chemin)));
    std::printf("memoire_%s %ld\n", nom, t3bench::MemoireKo() - avant);
    std::printf("memoire_avant_%s %ld\n", nom, avant);
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage : exportcsv BASE.par DOSSIER [CLE] [PARTIES_DE_REFERENCE]\n");
        return 2;
    }
    const std::filesystem::path dossier = argv[2];
    const std::string cle = argc > 3 ? argv[3] : "parag";
    const int32_t nbReference = argc > 4 ? static_cast<int32_t>(std::atol(argv[4])) : 1000;
    t3bench::Etapes etape;

    t3::charg1 base;
    if (!t3bench::ChargeBase("exportcsv", argv[1], base)) return 2;
    const int32_t type = t3bench::TypeCle("exportcsv", base, cle);
    if (type < 0) return 2;
    etape("chargement");

    t3::Partition partition(&base, type);
    t3bench::GardeEnReference(partition, nbReference);
    const t3::CalcSpecTot tot(&partition, nullptr, nullptr);
    const t3::TableFormesParties table(tot);
    etape("calcul_table");
    std::printf("colonnes %d\nformes %d\n", table.NbColonnes(), base.Nbform());
    if (!Exporte("export_table", dossier / "table.csv",
                 [&](t3::EcrivainTable& ecrivain) { t3::EcritTableFormesParties(ecrivain, base, table); }))
        return 2;

    etape.Repart();
    const t3::Tgen groupe(&base, {0});
    const t3::Concordance concordance(groupe);
    etape("calcul_concordance");
    std::printf("occurrences %d\n", concordance.NbContextes());
    if (!Exporte("export_concordance", dossier / "concordance.csv",
                 [&](t3::EcrivainTable& ecrivain) { t3::EcritLignesConcordance(ecrivain, concordance); }))
        return 2;
    return 0;
}
