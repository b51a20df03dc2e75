// Loads a base and times the concordance engine as the concordance window uses it, on the most frequent
// form (entry 0): from the Enter key to the first screen of 40 lines (the form looked up, its group, the
// grouping by the parts of a partition built beforehand, the sort on the following forms, the lines of
// the first screen); the memory that this adds per occurrence, both kept and at its peak; every line
// made once, the last screen and the first screen after a change of width; the export page of all the
// lines written to a file; three patterns tested over every form; and patterns too costly to match,
// whose search stops when it has spent its budget, with the units charged, and the longest pattern of
// the worst kind the budget does not see (alternatives that each read a few letters before they fail).
// Prints "name value" lines for bench/bench-concordance.
// Usage: concordance BASE.par [CLE (auteur)] [PAGE (concordance.html)]
#include "engine/explore/Concordance.h"
#include "AideBench.h"
#include "engine/corpus/Cles.h"
#include "engine/corpus/Partition.h"
#include "engine/corpus/charg1.h"
#include "engine/explore/Motif.h"
#include "engine/stats/Tgen.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <malloc.h>
#include <new>
#include <string>
#include <vector>

// --- The bytes held by the program's allocations, now and at their peak since the last reset.
namespace {
size_t s_octets = 0, s_pic = 0;
} // namespace

void* operator new(size_t taille) {
    void* p = std::malloc(taille ? taille : 1);
    if (!p) throw std::bad_alloc();
    s_octets += malloc_usable_size(p);
    if (s_octets > s_pic) s_pic = s_octets;
    return p;
}
void operator delete(void* p) noexcept {
    if (!p) return;
    s_octets -= malloc_usable_size(p);
    std::free(p);
}
void operator delete(void* p, size_t) noexcept {
    operator delete(p);
}

namespace {

constexpr int32_t LignesParEcran = 40;

// Something that depends on every line made, so that no work can be left out.
uint64_t s_empreinte = 0;

void Ecran(const t3::Concordance& c, int32_t premiere, t3::LigneConcordance& ligne) {
    for (int32_t i = premiere; i < premiere + LignesParEcran && i < c.NbLignes(); ++i) {
        c.Ligne(i, ligne);
        s_empreinte = s_empreinte * 1000003u + ligne.gauche.size() + ligne.droite.size() + ligne.pivot.size();
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage : concordance BASE.par [CLE] [PAGE]\n");
        return 2;
    }
    const std::string cle = argc > 2 ? argv[2] : "auteur";
    const std::string fichierPage = argc > 3 ? argv[3] : "concordance.html";
    t3bench::Etapes etape;

    t3::charg1 base;
    if (!t3bench::ChargeBase("concordance", argv[1], base)) return 2;
    const int32_t type = t3bench::TypeCle("concordance", base, cle);
    if (type < 0) return 2;
    etape("chargement");
    const t3::Partition partition(&base, type);
    etape("partition");

    // The loader's index of the forms by spelling is made by its first lookup (the dictionary window's,
    // in the workbench): it belongs to the base, not to the concordance.
    const std::string forme(base.Graphie(0));
    base.LocFormDic(forme);
    etape("index_formes");

    // From the Enter key to the first screen.
    const size_t avant = s_octets;
    s_pic = s_octets;
    const t3::Tgen groupe(&base, {base.LocFormDic(forme)});
    t3::Concordance concordance(groupe, &partition, t3::TriApres);
    t3::LigneConcordance ligne;
    Ecran(concordance, 0, ligne);
    etape("premier_ecran");
    std::printf("occurrences %d\nlignes %d\n", concordance.NbContextes(), concordance.NbLignes());
    std::printf("octets_gardes %zu\noctets_pic %zu\n", s_octets - avant, s_pic - avant);

    for (int32_t i = 0; i < concordance.NbLignes(); i += LignesParEcran)
        Ecran(concordance, i, ligne);
    etape("toutes_les_lignes");
    Ecran(concordance, concordance.NbLignes() - LignesParEcran, ligne);
    etape("dernier_ecran");
    concordance.SetLargeur(60);
    Ecran(concordance, 0, ligne);
    etape("ecran_largeur_60");
    concordance.SetLargeur(t3::LargeurInitiale);

    {
        std::ofstream page(fichierPage, std::ios::binary);
        t3::EcritPageConcordance(page, concordance, {"Concordances", base.NomBase(), "bench"});
    }
    etape("page");

    struct Essai {
        const char* nom;
        const char* motif;
    };
    for (const Essai& essai : {Essai{"motif_debut", "^anti"}, Essai{"motif_fin", "(?i)ment$"},
                               Essai{"motif_majuscules", "[[:upper:]]{2,}"}}) {
        const auto motif = t3::Motif::Compile(essai.motif);
        const auto entrees = motif ? motif->Selectionne(base) : t3::Echec{motif.Code(), motif.Message()};
        if (!entrees) {
            std::fprintf(stderr, "concordance : %s\n", entrees.Message().c_str());
            return 2;
        }
        etape(essai.nom);
        std::printf("formes_%s %zu\n", essai.nom, entrees->size());
    }
    // Refused by the budget: exponential at one place, exponential at every place, polynomial.
    for (const Essai& essai : {Essai{"refus_ancre", "^(?:|){19}(?!)"}, Essai{"refus_places", "(?:|){22}(?!)"},
                               Essai{"refus_etoiles", "^\\w*\\w*\\w*\\w*\\w*\\w*\\w*\\w*q"}}) {
        const auto motif = t3::Motif::Compile(essai.motif);
        t3::Budget budget;
        etape.Repart();
        const auto entrees =
            motif ? motif->Selectionne(base, budget) : t3::Echec{motif.Code(), motif.Message()};
        if (entrees || entrees.Code() != t3::MotifTropCouteux) {
            std::fprintf(stderr, "concordance : %s n'est pas refusé pour son coût\n", essai.motif);
            return 2;
        }
        etape(essai.nom);
        std::printf("unites_%s %llu\n", essai.nom, static_cast<unsigned long long>(budget.Depense()));
    }
    std::string alternatives = "(?:";
    int n = 0;
    for (; alternatives.size() + 12 <= t3::LongueurMaxMotif; ++n) {
        alternatives += n > 0 ? "|\\w\\w\\w\\w" : "\\w\\w\\w\\w";
        alternatives += std::to_string(10 + n % 90);
    }
    alternatives += ")";
    std::printf("alternatives %d\n", n);
    const auto motif = t3::Motif::Compile(alternatives);
    etape.Repart();
    const auto entrees = motif ? motif->Selectionne(base) : t3::Echec{motif.Code(), motif.Message()};
    if (!entrees) {
        std::fprintf(stderr, "concordance : %s\n", entrees.Message().c_str());
        return 2;
    }
    etape("motif_long");
    std::printf("formes %d\nempreinte %016llx\n", base.Nbform(),
                static_cast<unsigned long long>(s_empreinte));
    return 0;
}
