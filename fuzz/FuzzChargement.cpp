// The loader of a base on arbitrary files. The input holds the .par, the .dic and the .num one after the
// other, cut at each "\n@@\n" (a line that no file of a real base holds); they are written as b.par,
// b.dic and b.num. The loader must answer 0 to 4 and never fail otherwise; a base it accepts is walked
// entry by entry and position by position through every query, each answer checked against the others.
#include "AideFuzz.h"

#include "engine/Globaux.h"
#include "engine/corpus/charg1.h"

#include <algorithm>
#include <cstring>
#include <numeric>
#include <string>
#include <vector>

using namespace t3;

namespace {

// More positions than this are not sorted by their contexts (a sort costs n log n comparisons of
// contexts that may run to the end of the text).
constexpr int32_t PositionsTriees = 2000;

std::string Texte(int32_t v) {
    return std::to_string(v);
}

void VerifieRefus(const charg1& base) {
    VERIFIE(!base.Charge(), "a refused base counts as loaded");
    VERIFIE(base.Nbitem() == 0 && base.Nbart() == 0 && base.Tnum(0) == -1, "a refused base keeps counts");
    VERIFIE(base.LocOccFor(0).empty() && base.RetourneGraphie(0, false).empty() && base.Graphie(0).empty(),
            "a refused base answers with entries");
    VERIFIE(base.RetourneLexm(0).graphie == nullptr, "a refused base answers with a record");
}

void VerifieEntrees(const charg1& base) {
    const int32_t nbart = base.Nbart();
    VERIFIE(base.Nbform() + base.Nbartponct() + base.Nbcle() + base.Nbctnu() == nbart, "classes");
    std::vector<char> rangs(static_cast<size_t>(nbart), 0);
    int64_t occurrences = 0;
    int32_t hapax = 0, fmax = 0;
    for (int32_t e = 0; e < nbart; ++e) {
        const std::string ici = "entry " + Texte(e);
        const Lexm l = base.RetourneLexm(e);
        VERIFIE(l.graphie != nullptr && *l.graphie != '\0', ici);
        VERIFIE(base.Graphie(e) == l.graphie && base.RetourneGraphie(e, false) == l.graphie, ici);
        VERIFIE(base.Lexg(e) == l.lexg && l.lexg >= 0 && l.lexg < nbart &&
                    !rangs[static_cast<size_t>(l.lexg)],
                ici + ": lexicographic rank " + Texte(l.lexg));
        rangs[static_cast<size_t>(l.lexg)] = 1;
        VERIFIE(base.RetourneFrq(e) == l.frq && l.frq >= 0, ici);
        const auto occ = base.Occurrences(e);
        VERIFIE(static_cast<int32_t>(occ.size()) == l.frq,
                ici + ": " + Texte(int32_t(occ.size())) + " positions");
        VERIFIE(std::is_sorted(occ.begin(), occ.end()) &&
                    std::adjacent_find(occ.begin(), occ.end()) == occ.end(),
                ici + ": positions out of order");
        for (const int32_t p : occ)
            VERIFIE(base.Tnum(p) == e, ici + " at " + Texte(p));
        VERIFIE(base.LocOccFor(e) == std::vector<int32_t>(occ.begin(), occ.end()), ici);
        if (e < base.Nbform()) {
            occurrences += l.frq;
            hapax += l.frq == 1;
            fmax = std::max(fmax, l.frq);
            const int32_t trouvee = base.LocFormDic(l.graphie);
            VERIFIE(trouvee >= 0 && trouvee <= e && base.Graphie(trouvee) == l.graphie,
                    ici + " looked up as " + Texte(trouvee));
        } else if (e < base.Nbform() + base.Nbartponct()) {
            VERIFIE(std::strlen(l.graphie) == 1, ici + ": punctuation of several bytes");
        }
    }
    VERIFIE(occurrences == base.Nbocc() && hapax == base.Nhap() && fmax == base.Fmax(),
            "counts of the forms");
    VERIFIE(base.RetourneLexm(nbart).graphie == nullptr && base.RetourneLexm(-1).graphie == nullptr,
            "outside");
    VERIFIE(base.Lexg(nbart) == -1 && base.RetourneFrq(-1) == -1 && base.Graphie(nbart).empty(), "outside");
    VERIFIE(base.LocFormDic("") == -1, "the empty text is a form");
}

void VerifiePositions(const charg1& base) {
    const int32_t nbitem = base.Nbitem(), nbart = base.Nbart();
    int32_t lignes = 0, occurrences = 0;
    for (int32_t p = 0; p < nbitem; ++p) {
        const int32_t v = base.Tnum(p);
        const std::string ici = "position " + Texte(p) + " holds " + Texte(v);
        VERIFIE(base.TexteNum()[p] == v, ici);
        if (v >= 0 && v < nbart) {
            VERIFIE(base.RetourneLexmAtPos(p).graphie == base.RetourneLexm(v).graphie, ici);
            VERIFIE(base.RetourneFrqAtPos(p) == base.RetourneFrq(v), ici);
            VERIFIE(base.RetourneGraphieAtPos(p, false) == base.RetourneLexm(v).graphie, ici);
            const bool premier = v < base.Nbform() + base.Nbartponct();
            VERIFIE((base.RetourneGraphieAtPos(p, true) != nullptr) == premier, ici);
            occurrences += v < base.Nbform();
        } else {
            VERIFIE(v == base.Limd() + 2 + lignes, ici + ": not the next line break");
            ++lignes;
            VERIFIE(base.RetourneGraphieAtPos(p, false) == nullptr && base.RetourneFrqAtPos(p) == -1, ici);
        }
    }
    VERIFIE(lignes == base.NbLignes(), "line breaks");
    VERIFIE(occurrences == base.Nbocc(), "occurrences in the text");
    VERIFIE(base.Tnum(-1) == -1 && base.Tnum(nbitem) == -1, "outside the text");

    // Every entry at once, asked with repeats and strays: every position of an entry, once.
    std::vector<int32_t> toutes(static_cast<size_t>(nbart));
    std::iota(toutes.begin(), toutes.end(), 0);
    toutes.push_back(-3);
    toutes.push_back(nbart);
    if (nbart > 0) toutes.push_back(0);
    std::vector<int32_t> attendues;
    for (int32_t p = 0; p < nbitem; ++p)
        if (base.Tnum(p) < nbart) attendues.push_back(p);
    VERIFIE(base.LocOccFor(toutes) == attendues, "positions of every entry");
}

// The sort by contexts: a permutation, in an order that Compar confirms pair by pair.
void VerifieTri(const charg1& base) {
    const int32_t n = std::min(base.Nbitem(), PositionsTriees);
    const int32_t limites[] = {base.Nbform() + base.Nbartponct() - 1, base.Nbart() - 1, INT32_MAX};
    for (const int32_t sens : {1, -1}) {
        for (const int32_t limite : limites) {
            std::vector<int32_t> positions(static_cast<size_t>(n));
            std::iota(positions.rbegin(), positions.rend(), 0);
            base.TriCont(positions, sens, limite);
            std::vector<int32_t> triees = positions;
            std::sort(triees.begin(), triees.end());
            for (int32_t i = 0; i < n; ++i)
                VERIFIE(triees[static_cast<size_t>(i)] == i, "not a permutation");
            for (size_t i = 0; i + 1 < positions.size(); ++i) {
                const int32_t a = positions[i], b = positions[i + 1];
                const std::string ici = "sens " + Texte(sens) + ", limit " + Texte(limite) + ": " + Texte(a) +
                                        " before " + Texte(b);
                VERIFIE(base.Compar(a, b, sens, limite) == 1, ici);
                VERIFIE(base.Compar(b, a, sens, limite) == 0, ici + ", both ways");
            }
        }
    }
}

// Rewrites a position, then checks that the index of occurrences follows.
void VerifieReecriture(charg1& base) {
    if (base.Nbitem() == 0 || base.Nbart() == 0) return;
    const int32_t p = base.Nbitem() / 2, ancienne = base.Tnum(p), nouvelle = base.Nbart() - 1;
    base.SetTnum(p, nouvelle);
    const auto occ = base.Occurrences(nouvelle);
    VERIFIE(std::binary_search(occ.begin(), occ.end(), p), "the rewritten position is not indexed");
    if (ancienne >= 0 && ancienne < base.Nbart() && ancienne != nouvelle) {
        const auto avant = base.Occurrences(ancienne);
        VERIFIE(!std::binary_search(avant.begin(), avant.end(), p), "the rewritten position stays indexed");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille) {
    const std::string_view entree(reinterpret_cast<const char*>(donnees), taille);
    const std::vector<std::string_view> parties = t3fuzz::Decoupe(entree, "\n@@\n", 3);
    t3fuzz::DansDossierPrive dossier;
    const char* noms[] = {"b.par", "b.dic", "b.num"};
    for (size_t k = 0; k < parties.size(); ++k)
        t3fuzz::EcritFichier(noms[k], parties[k]);

    charg1 base;
    const int32_t resultat = base.ChargeBase("b.par");
    VERIFIE(resultat >= ChargeReussie && resultat <= ChargeErreurMemoire, "result " + Texte(resultat));
    if (resultat != ChargeReussie) {
        VerifieRefus(base);
        return 0;
    }
    VERIFIE(base.Charge() && base.Limd() == Limd, "loaded");
    VerifieEntrees(base);
    VerifiePositions(base);
    VerifieTri(base);
    VerifieReecriture(base);
    return 0;
}
