// Loads a base and times the engine of the section map as its window uses it: the sections at "." and
// the presence of the group of the ten most frequent forms in each of them (the group and the loader's
// occurrence index are made first and timed apart); the boxes of one screenful (700 pixels of the map,
// boxes of 9 pixels) with their positions, shades from the coefficients of the group, row numbers and
// run headers, averaged over screens spread through the map, without and with the partition by paragraph;
// the box under the mouse for a million points; the specificities of a hundred sections and of every
// section where the group is present; and the bytes that the map keeps per section (the
// section starts, two presence bit sets and the selection, the layout of the runs), counted from the
// program's allocations.
// Prints "name value" lines for bench/bench-carte.
// Usage: carte BASE.par [CLE (parag)]
#include "AideBench.h"
#include "engine/corpus/Cles.h"
#include "engine/corpus/Partition.h"
#include "engine/corpus/Section.h"
#include "engine/corpus/charg1.h"
#include "engine/explore/CarteSections.h"
#include "engine/explore/DispositionCarte.h"
#include "engine/explore/SpecifsSections.h"
#include "engine/stats/Tgen.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <malloc.h>
#include <new>
#include <random>
#include <string>
#include <vector>

// --- The bytes held by the program's allocations.
namespace {
size_t s_octets = 0;
} // namespace

void* operator new(size_t taille) {
    void* p = std::malloc(taille ? taille : 1);
    if (!p) throw std::bad_alloc();
    s_octets += malloc_usable_size(p);
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

constexpr int32_t HauteurEcran = 700;
constexpr int32_t Ecrans = 50;

// Something that depends on everything computed, so that no work can be left out.
uint64_t s_empreinte = 0;

void Melange(uint64_t v) {
    s_empreinte = s_empreinte * 1000003u + v;
}

// What a paint of the band y0..y1 computes: the boxes, their shades, the numbers and headers.
void Ecran(const t3::Section& sections, const t3::DispositionCarte& carte, const t3::BitsSections& presence,
           const t3::Tgen& groupe, const t3::NuancesGroupe& nuances, int32_t y0) {
    const int32_t y1 = y0 + HauteurEcran;
    const auto [premiere, fin] = carte.SectionsVisibles(y0, y1);
    const std::vector<int32_t> coefficients =
        t3::CoefficientsSections(sections, groupe.Positions(), premiere, fin);
    for (int32_t i = premiere; i < fin; ++i) {
        const t3::PositionBoite b = *carte.Position(i);
        const t3::Couleur couleur =
            presence.Teste(i)
                ? t3::NuanceSelonCoefficient(nuances, coefficients[static_cast<size_t>(i - premiere)])
                : t3::CouleurBlanche;
        Melange(static_cast<uint64_t>(b.x) ^ static_cast<uint64_t>(b.y) << 20 ^ uint64_t{couleur} << 32);
    }
    for (const t3::NumeroDeRang& n : carte.NumerosVisibles(y0, y1))
        Melange(static_cast<uint64_t>(n.numero));
    for (const t3::EnteteSerie& e : carte.EntetesVisibles(y0, y1))
        Melange(static_cast<uint64_t>(e.serie));
    Melange(static_cast<uint64_t>(fin - premiere));
}

// The mean time of a screenful over screens spread through the map, in seconds, and the boxes per screen.
double TempsEcran(const t3::Section& sections, const t3::DispositionCarte& carte,
                  const t3::BitsSections& presence, const t3::Tgen& groupe, double& boitesParEcran) {
    const t3::NuancesGroupe nuances = t3::Nuances(groupe.GetCouleur());
    const int32_t pas = std::max(1, (carte.Hauteur() - HauteurEcran) / Ecrans);
    int64_t boites = 0;
    const auto debut = t3bench::Horloge::now();
    for (int32_t k = 0; k < Ecrans; ++k) {
        Ecran(sections, carte, presence, groupe, nuances, k * pas);
        const auto visibles = carte.SectionsVisibles(k * pas, k * pas + HauteurEcran);
        boites += visibles.second - visibles.first;
    }
    boitesParEcran = static_cast<double>(boites) / Ecrans;
    return t3bench::Secondes(debut, t3bench::Horloge::now()) / Ecrans;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage : carte BASE.par [CLE]\n");
        return 2;
    }
    const std::string cle = argc > 2 ? argv[2] : "parag";
    t3bench::Etapes etape;

    t3::charg1 base;
    if (!t3bench::ChargeBase("carte", argv[1], base)) return 2;
    int32_t point = -1;
    for (int32_t e = base.Nbform(); e < base.Nbform() + base.Nbartponct(); ++e)
        if (base.Graphie(e) == ".") point = e;
    const int32_t type = t3::RetourneTypeCle(base, cle);
    if (point < 0 || type < 0) {
        std::fprintf(stderr, "carte : la base n'a pas de « . » ou pas de type de clé %s\n", cle.c_str());
        return 2;
    }
    etape("chargement");

    // The loader's occurrence index, made by the first question on the positions of an entry.
    Melange(base.Occurrences(point).size());
    etape("index");
    const std::vector<int32_t> dix = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    const t3::Tgen groupe(&base, dix);
    etape("groupe");

    const size_t avant = s_octets;
    const t3::Section sections(&base, {point});
    etape("sections");
    const t3::BitsSections presence = t3::PresenceGroupe(sections, groupe.Positions());
    etape("presence");
    const t3::BitsSections second = t3::PresenceGroupe(sections, base.LocOccFor(10));
    t3::BitsSections selection(sections.NbSections());
    const t3::DispositionCarte carte(sections.NbSections(), t3::DispositionCarte::TailleInitiale);
    const size_t octetsSansPartition = s_octets - avant;

    double boites = 0;
    etape.Repart();
    const double ecran = TempsEcran(sections, carte, presence, groupe, boites);
    std::printf("ecran %.6f\nboites_ecran %.0f\n", ecran, boites);

    // The box under a million points spread over the map.
    std::mt19937 alea(5);
    const int32_t nbPoints = 1000000;
    std::vector<std::pair<int32_t, int32_t>> points(nbPoints);
    for (auto& p : points)
        p = {static_cast<int32_t>(alea() % static_cast<uint32_t>(carte.Largeur())),
             static_cast<int32_t>(alea() % static_cast<uint32_t>(carte.Hauteur()))};
    int64_t touches = 0;
    etape.Repart();
    for (const auto& [x, y] : points)
        touches += carte.SectionEn(x, y) >= 0;
    etape("clics");
    Melange(static_cast<uint64_t>(touches));

    // "Spécifs" on a hundred selected sections, and on every section where the group is present.
    t3::BitsSections cent(sections.NbSections());
    cent.MetIntervalle(sections.NbSections() / 2, sections.NbSections() / 2 + 100);
    etape.Repart();
    const t3::SpecifsDeSections specifsCent = t3::SpecificitesSections(sections, cent, 5, 10);
    etape("specifs_selection");
    const t3::SpecifsDeSections specifsGroupe = t3::SpecificitesSections(sections, presence, 5, 10);
    etape("specifs_groupe");
    std::printf("enregs_selection %zu\nenregs_groupe %zu\nsections_groupe %d\n",
                specifsCent.enregistrements.size(), specifsGroupe.enregistrements.size(),
                specifsGroupe.nbSections);

    // With the partition (built beforehand, as the window finds it in the corpus).
    const t3::Partition partition(&base, type);
    const size_t avantSeries = s_octets;
    etape.Repart();
    const std::vector<t3::SerieSections> series = t3::SeriesSections(sections, partition);
    const t3::DispositionCarte carteParties(sections.NbSections(), t3::DispositionCarte::TailleInitiale,
                                            t3::PremieresSections(series));
    etape("series");
    const size_t octetsSeries = s_octets - avantSeries;
    const double ecranParties = TempsEcran(sections, carteParties, presence, groupe, boites);
    std::printf("ecran_partition %.6f\nboites_ecran_partition %.0f\n", ecranParties, boites);

    std::printf("nb_sections %d\nnb_series %zu\nhauteur %d\nhauteur_partition %d\n", sections.NbSections(),
                series.size(), carte.Hauteur(), carteParties.Hauteur());
    std::printf("octets_carte %zu\noctets_series %zu\n", octetsSansPartition, octetsSeries);
    std::printf("mots %d\nempreinte %016llx\n", base.Nbocc(), static_cast<unsigned long long>(s_empreinte));
    Melange(second.Compte() + selection.Compte());
    return 0;
}
