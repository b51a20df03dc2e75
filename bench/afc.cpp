// Writes the "coran.don" of a base for the benchmark of the analysis program (bench/bench-afc): the forms
// of frequency at least FREQMIN by the parts of the partition by CLE, or by its first NBPARTIES parts
// only, into DOSSIER. Prints the time of the partition and of the writing, and the table's size.
//   afc BASE.par CLE FREQMIN NBPARTIES DOSSIER
#include "AideBench.h"

#include "engine/afc/ExportAFC.h"
#include "engine/corpus/Cles.h"
#include "engine/corpus/Partition.h"

#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    if (argc != 6) {
        std::fprintf(stderr, "usage : afc BASE.par CLE FREQMIN NBPARTIES DOSSIER\n");
        return 2;
    }
    t3::charg1 base;
    if (!t3bench::ChargeBase("afc", argv[1], base)) return 2;
    const int32_t cle = t3bench::TypeCle("afc", base, argv[2]);
    if (cle < 0) return 2;
    auto debut = t3bench::Horloge::now();
    const t3::Partition partition(&base, cle);
    const double tempsPartition = t3bench::Secondes(debut, t3bench::Horloge::now());
    t3::ParamAFC param = t3::ParamAFCInitiaux(partition, std::atoi(argv[3]), false);
    param.nbColonnes = std::atoi(argv[4]);
    param.nj = t3::NbColonnesAFC(partition, param);
    param.nf = param.nj - 1;
    debut = t3bench::Horloge::now();
    const auto ecrit = t3::EcritCoranDon(argv[5], partition, param);
    if (!ecrit) {
        std::fprintf(stderr, "afc : %s\n", ecrit.Message().c_str());
        return 2;
    }
    std::printf("partition %.3f\necriture %.3f\nlignes %d\ncolonnes %d\n", tempsPartition,
                t3bench::Secondes(debut, t3bench::Horloge::now()), param.ni, param.nj);
    return 0;
}
