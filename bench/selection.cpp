// Loads a base, computes its repeated segments with the default thresholds as the workbench does, and
// times what the segments window and the selection of forms do on them: each of the three sorts of the
// segments list over every segment (from the order of the computation, and by frequency after by
// segment), a request of type 3 over every form and segment, and the loading of a list file of 10,000
// lines (forms and segments, a few lines that are neither), the first one (which makes the index of the
// segments' texts) and the next.
// Prints "name value" lines for bench/bench-selection.
// Usage: selection BASE.par LISTE.lst
#include "AideBench.h"
#include "engine/corpus/charg1.h"
#include "engine/explore/CalculSegments.h"
#include "engine/explore/ListeFormes.h"
#include "engine/explore/ParamSR.h"
#include "engine/explore/SelectionFormes.h"
#include "engine/explore/TriSegments.h"

#include <cstdint>
#include <cstdio>
#include <random>
#include <vector>

namespace {

constexpr int32_t LignesListe = 10000;

// The list file: every tenth line neither a form nor a segment, the others forms and segments taken
// at random, half and half.
void EcritListeBench(const t3::charg1& base, const t3::CalculSegments& segments, const char* chemin) {
    std::mt19937 hasard(42);
    std::string texte;
    for (int32_t i = 0; i < LignesListe; ++i) {
        if (i % 10 == 9) {
            texte += "pas-dans-la-base-" + std::to_string(i) + "\n";
        } else if (i % 2 == 0 || segments.NbSegments() == 0) {
            const int32_t forme = static_cast<int32_t>(hasard() % static_cast<uint32_t>(base.Nbform()));
            texte += std::string(base.Graphie(forme)) + "\n";
        } else {
            const int32_t k = static_cast<int32_t>(hasard() % static_cast<uint32_t>(segments.NbSegments()));
            texte += segments.RetourneGraphie(k) + "\n";
        }
    }
    std::FILE* f = std::fopen(chemin, "wb");
    if (f == nullptr || std::fwrite(texte.data(), 1, texte.size(), f) != texte.size() ||
        std::fclose(f) != 0) {
        std::fprintf(stderr, "selection : %s ne peut être écrit\n", chemin);
        std::exit(2);
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage : selection BASE.par LISTE.lst\n");
        return 2;
    }
    t3bench::Etapes etape;

    t3::charg1 base;
    if (!t3bench::ChargeBase("selection", argv[1], base)) return 2;
    etape("chargement");
    const int32_t seuil = t3::SeuilSRParDefaut(base);
    const auto calcul = t3::CalculeSegments(base, t3::JeuDelimiteursSR(base), seuil, seuil);
    if (!calcul) {
        std::fprintf(stderr, "selection : %s\n", calcul.Message().c_str());
        return 2;
    }
    const t3::CalculSegments& segments = **calcul;
    base.AssigneSR(&segments);
    etape("calcul_segments");
    int64_t positions = 0;
    for (const t3::Segment& s : segments.Segments())
        positions += s.frequence;
    // What the computation keeps in memory besides its list: 4 bytes per occurrence of a segment.
    std::printf("segments %d\nformes %d\npositions %lld\n", segments.NbSegments(), base.Nbform(),
                static_cast<long long>(positions));

    std::vector<int32_t> lignes = t3::LignesSegments(segments.NbSegments());
    t3::TrieSegments(lignes, segments.Segments(), base, t3::TriSR::Longueur);
    etape("tri_lg");
    lignes = t3::LignesSegments(segments.NbSegments());
    t3::TrieSegments(lignes, segments.Segments(), base, t3::TriSR::Segment);
    etape("tri_segment");
    const std::vector<int32_t> parSegment = lignes;
    lignes = t3::LignesSegments(segments.NbSegments());
    t3::TrieSegments(lignes, segments.Segments(), base, t3::TriSR::Frequence);
    etape("tri_frq");
    lignes = parSegment;
    t3::TrieSegments(lignes, segments.Segments(), base, t3::TriSR::Frequence);
    etape("tri_frq_apres_segment");

    const auto trouvees = t3::SelectionneFormes(base, t3::RequeteContenu, "ment");
    if (!trouvees) {
        std::fprintf(stderr, "selection : %s\n", trouvees.Message().c_str());
        return 2;
    }
    etape("requete_contenu");
    std::printf("entrees_requete %zu\n", trouvees->size());

    EcritListeBench(base, segments, argv[2]);
    // The loader's index of the forms by spelling is made by its first lookup (the dictionary window's,
    // in the workbench): it belongs to the base, not to the list.
    base.LocFormDic(base.Graphie(0));
    etape.Repart();
    auto liste = t3::LitListe(argv[2], base);
    etape("liste_premiere");
    liste = t3::LitListe(argv[2], base);
    etape("liste_suivante");
    if (!liste) {
        std::fprintf(stderr, "selection : %s\n", liste.Message().c_str());
        return 2;
    }
    std::printf("entrees_liste %zu\n", liste->size());
    return 0;
}
