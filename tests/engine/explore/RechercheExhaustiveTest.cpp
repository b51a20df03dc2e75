// The segment finder against a search that tries every sequence of every reading window, on random texts
// built to hold long repeats, runs of one form up to the end of the text, keys and line breaks.
#include "AideSegments.h"

#include "engine/stats/Tgen.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <map>
#include <random>

using namespace t3;
using t3test::ChargeTexte;
using t3test::DossierTemporaire;

namespace {

using Formes = std::vector<int32_t>;

// The forms from position on, up to 11, up to the first delimiter; keys, line breaks and punctuation
// signs outside the set passed over. Slot 0 is the nearest form before, unless a delimiter comes first.
Formes Fenetre(const charg1& base, int32_t position, const std::set<int32_t>& delimiteurs) {
    const int32_t ponct = base.Nbform();
    Formes f(12, SansForme);
    for (int32_t p = position - 1; p >= 0; --p) {
        const int32_t v = base.Tnum(p);
        if (v < ponct) {
            f[0] = v;
            break;
        }
        if (delimiteurs.count(v)) break;
    }
    int32_t n = 0;
    for (int32_t p = position; p < base.Nbitem() && n < 11; ++p) {
        const int32_t v = base.Tnum(p);
        if (v < ponct)
            f[++n] = v;
        else if (delimiteurs.count(v))
            break;
    }
    return f;
}

struct Attendu {
    std::vector<int32_t> positions;
    std::set<int32_t> gauches, suivantes; // SansForme counts as a value of its own
};

// Every sequence of 2 to 11 forms that begins a window of a form frequent enough, and that is neither
// always followed nor always preceded by one same form.
std::map<Formes, std::vector<int32_t>> Exhaustive(const charg1& base, int32_t seuilFormes, int32_t seuil,
                                                  const std::set<int32_t>& delimiteurs) {
    std::map<Formes, Attendu> candidats;
    for (int32_t p = 0; p < base.Nbitem(); ++p) {
        const int32_t v = base.Tnum(p);
        if (v < 0 || v >= base.Nbform() || base.RetourneFrq(v) < seuilFormes) continue;
        const Formes f = Fenetre(base, p, delimiteurs);
        for (int L = 2; L <= 11 && f[L] != SansForme; ++L) {
            Attendu& a = candidats[Formes(f.begin() + 1, f.begin() + 1 + L)];
            a.positions.push_back(p);
            a.gauches.insert(f[0]);
            a.suivantes.insert(L < 11 ? f[L + 1] : -1 - p); // nothing constrains the eleventh
        }
    }
    std::map<Formes, std::vector<int32_t>> segments;
    for (const auto& [formes, a] : candidats) {
        const bool toujoursSuivi = a.suivantes.size() == 1 && *a.suivantes.begin() != SansForme;
        const bool toujoursPrecede = a.gauches.size() == 1 && *a.gauches.begin() != SansForme;
        if (static_cast<int32_t>(a.positions.size()) >= seuil && !toujoursSuivi && !toujoursPrecede)
            segments[formes] = a.positions;
    }
    return segments;
}

std::string TexteAleatoire(std::mt19937& alea) {
    static const char* const mots[] = {"a", "b", "c", "d", "e"};
    std::string texte;
    std::uniform_int_distribution<int> tirage(0, 99);
    const int longueur = 40 + tirage(alea) * 3;
    std::vector<std::string> deja;
    while (static_cast<int>(deja.size()) < longueur) {
        const int t = tirage(alea);
        if (t < 8 && deja.size() > 12) { // copy a stretch already written: long repeated segments
            const size_t debut = static_cast<size_t>(tirage(alea)) % (deja.size() - 12);
            for (size_t i = 0; i < 12; ++i)
                deja.push_back(deja[debut + i]);
        } else if (t < 12) {
            deja.push_back(".");
        } else if (t < 14) {
            deja.push_back(",");
        } else if (t < 16) {
            deja.push_back("<k=" + std::to_string(t) + ">");
        } else if (t < 18) {
            deja.push_back("\n");
        } else {
            deja.push_back(mots[t % 5]);
        }
    }
    if (tirage(alea) < 50) // a run of one form up to the end of the text
        for (int i = 0; i < 6; ++i)
            deja.push_back("b");
    for (const std::string& mot : deja)
        texte += mot + (mot == "\n" ? "" : " ");
    return texte;
}

} // namespace

TEST(RechercheExhaustive, ChaqueSegmentUneFoisAvecToutesSesOccurrences) {
    DossierTemporaire dossier;
    std::mt19937 alea(20261208);
    for (int essai = 0; essai < 60; ++essai) {
        const std::string texte = TexteAleatoire(alea);
        charg1 base;
        ASSERT_TRUE(ChargeTexte(base, texte)) << texte;
        // Every sign in the set, or only the full stop: the comma is then passed over inside the windows.
        for (const std::set<int32_t>& delimiteurs : {JeuDelimiteursSR(base), JeuDelimiteursSR(base, ".")}) {
            for (const auto& [seuilFormes, seuil] : {std::pair{2, 2}, std::pair{5, 3}}) {
                SegRep sr(&base, delimiteurs);
                ASSERT_TRUE(sr.CalcSegRep(seuilFormes, seuil));
                std::map<Formes, std::vector<int32_t>> trouves;
                int32_t premiere = 0;
                for (int32_t k = 0; k < sr.NbSegments(); ++k) {
                    const Segment& s = sr.Segments()[static_cast<size_t>(k)];
                    EXPECT_TRUE(trouves.emplace(s.formes, sr.LocOccSeg(k)).second) << "listé deux fois\n"
                                                                                   << texte;
                    EXPECT_EQ(static_cast<int32_t>(sr.LocOccSeg(k).size()), s.frequence);
                    EXPECT_GE(s.formes[0], premiere) << "the forms are processed in number order";
                    premiere = s.formes[0];
                }
                EXPECT_EQ(trouves, Exhaustive(base, seuilFormes, seuil, delimiteurs)) << texte;
                // The list in the order of a search form after form, with its own sort of the windows.
                std::vector<std::pair<Formes, int32_t>> liste, formeParForme;
                for (const Segment& s : sr.Segments())
                    liste.emplace_back(s.formes, s.frequence);
                for (int32_t forme = 0; forme < base.Nbform() && base.RetourneFrq(forme) >= seuilFormes;
                     ++forme) {
                    const Tgen groupe(&base, &forme, 1);
                    for (const Segment& s : sr.CalcTgenSR(&groupe))
                        formeParForme.emplace_back(s.formes, s.frequence);
                }
                EXPECT_EQ(liste, formeParForme) << texte;
            }
        }
    }
}
