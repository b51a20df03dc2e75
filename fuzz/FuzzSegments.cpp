// The repeated segments of a small base segmented from the input. The first byte chooses the thresholds
// and the delimiters; the rest is the corpus, segmented under the default delimiters:
//   bits 0-1: the lowest frequency of a form that begins a segment, minus 1;
//   bits 2-3: the lowest frequency of a segment, minus 1;
//   bit 4:    every punctuation sign cuts the segments, else only ". ! ?" do.
// The list is checked against a search by brute force over every position of the text: the windows of
// the positions (the left neighbour, then up to 11 forms up to the first delimiter, every other entry
// that is not a form passed over), each prefix of 2 to 11 forms counted with its occurrences, and kept
// when it is frequent enough and cannot be lengthened on either side without losing occurrences.
#include "AideFuzz.h"

#include "engine/Globaux.h"
#include "engine/corpus/charg1.h"
#include "engine/explore/SegRep.h"
#include "engine/segmentation/SegmPrinc.h"

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

using namespace t3;

namespace {

// Texts with more items than this are not searched (the brute force reads 11 forms per position).
constexpr int32_t ItemsMax = 20000;

struct Attendu {
    int32_t compte = 0;
    int32_t gauche = -1; // the left neighbour common to every occurrence, SansForme when none is
    int32_t droite = -1; // the form after the segment common to every occurrence, SansForme when none is
    std::vector<int32_t> positions;
};

FenetreSeg Fenetre(const charg1& base, const std::set<int32_t>& delimiteurs, int32_t position) {
    FenetreSeg f;
    f.fill(SansForme);
    const auto estForme = [&](int32_t v) { return v >= 0 && v < base.Nbform(); };
    for (int32_t p = position - 1; p >= 0; --p) {
        const int32_t v = base.Tnum(p);
        if (estForme(v)) {
            f[0] = v;
            break;
        }
        if (delimiteurs.count(v)) break;
    }
    size_t n = 0;
    for (int32_t p = position; p < base.Nbitem() && n < LongueurMaxSegment; ++p) {
        const int32_t v = base.Tnum(p);
        if (estForme(v))
            f[++n] = v;
        else if (delimiteurs.count(v))
            break;
    }
    return f;
}

std::string Formes(const std::vector<int32_t>& formes) {
    std::string texte;
    for (const int32_t f : formes)
        texte += std::to_string(f) + " ";
    return texte;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille) {
    if (taille == 0) return 0;
    const unsigned choix = donnees[0];
    const int32_t seuilFormes = 1 + static_cast<int32_t>(choix & 3);
    const int32_t seuilSegments = 1 + static_cast<int32_t>((choix >> 2) & 3);
    const bool toutes = (choix & 16) != 0;

    t3fuzz::DansDossierPrive dossier;
    t3fuzz::EcritFichier("corpus.txt",
                         std::string_view(reinterpret_cast<const char*>(donnees) + 1, taille - 1));
    if (SegmPrinc("corpus.txt", DelimParDefaut, 5000) != ResultatSegm::Ok) return 0;
    charg1 base;
    VERIFIE(base.ChargeBase("corpus.par") == ChargeReussie, "the base just written is refused");
    if (base.Nbitem() > ItemsMax) return 0;

    std::set<int32_t> delimiteurs;
    for (int32_t e = base.Nbform(); e < base.Nbform() + base.Nbartponct(); ++e)
        if (toutes || std::string_view(".!?").find(base.Graphie(e)[0]) != std::string_view::npos)
            delimiteurs.insert(e);

    SegRep sr(&base, delimiteurs);
    VERIFIE(sr.CalcSegRep(seuilFormes, seuilSegments), "the segments cannot be computed");
    base.AssigneSR(&sr);

    std::map<std::vector<int32_t>, Attendu> prefixes;
    for (int32_t p = 0; p < base.Nbitem(); ++p) {
        const int32_t v = base.Tnum(p);
        if (v < 0 || v >= base.Nbform() || base.RetourneFrq(v) < seuilFormes) continue;
        const FenetreSeg f = Fenetre(base, delimiteurs, p);
        for (size_t L = 2; L <= LongueurMaxSegment && f[L] != SansForme; ++L) {
            Attendu& a = prefixes[std::vector<int32_t>(f.begin() + 1, f.begin() + 1 + static_cast<long>(L))];
            const int32_t suivante = L < LongueurMaxSegment ? f[L + 1] : SansForme;
            if (a.compte++ == 0) {
                a.gauche = f[0];
                a.droite = suivante;
            }
            if (a.gauche != f[0]) a.gauche = SansForme;
            if (a.droite != suivante) a.droite = SansForme;
            a.positions.push_back(p);
        }
    }
    std::map<std::vector<int32_t>, const Attendu*> attendus;
    for (const auto& [formes, a] : prefixes)
        if (a.compte >= seuilSegments && a.gauche == SansForme && a.droite == SansForme)
            attendus[formes] = &a;

    std::set<std::vector<int32_t>> trouves;
    for (int32_t k = 0; k < sr.NbSegments(); ++k) {
        const Segment& s = sr.Segments()[static_cast<size_t>(k)];
        const std::string ici = "segment " + std::to_string(k) + " (" + Formes(s.formes) + ")";
        VERIFIE(trouves.insert(s.formes).second, ici + " listed twice");
        const auto it = attendus.find(s.formes);
        VERIFIE(it != attendus.end(), ici + " is not a repeated segment");
        VERIFIE(s.frequence == it->second->compte, ici + ": frequency " + std::to_string(s.frequence) +
                                                       " for " + std::to_string(it->second->compte));
        VERIFIE(sr.LocOccSeg(k) == it->second->positions, ici + ": positions");
        VERIFIE(base.LocOccFor(base.Nbart() + 1 + k) == it->second->positions,
                ici + ": positions as an entry");
        VERIFIE(sr.FormesSegment(k) == s.formes, ici);
    }
    for (const auto& [formes, a] : attendus)
        VERIFIE(trouves.count(formes), "segment (" + Formes(formes) + ") of frequency " +
                                           std::to_string(a->compte) + " missing from the list");
    return 0;
}
