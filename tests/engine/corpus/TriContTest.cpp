#include "AideCorpus.h"

#include <random>

using namespace t3;
using namespace t3test;

namespace {

// The plain Shell sort on Compar: gaps n/2, n/4, ... 1, swapping while Compar says so.
void TriReference(const charg1& base, std::vector<int32_t>& p, int32_t sens, int32_t limite) {
    const int32_t n = static_cast<int32_t>(p.size());
    for (int32_t ecart = n / 2; ecart > 0; ecart /= 2)
        for (int32_t i = ecart; i < n; ++i)
            for (int32_t j = i - ecart;
                 j >= 0 && base.Compar(p[size_t(j)], p[size_t(j + ecart)], sens, limite) == 0; j -= ecart)
                std::swap(p[size_t(j)], p[size_t(j + ecart)]);
}

// A text of a few short words with full stops and line breaks, so that contexts repeat often.
std::string TexteAleatoire(std::mt19937& alea, int nbMots, int vocabulaire) {
    static const char* const mots[] = {"le", "la", "chat", "chien", "de", "et", "un", "mur"};
    std::string texte;
    std::uniform_int_distribution<int> mot(0, vocabulaire - 1), signe(0, 9);
    for (int i = 0; i < nbMots; ++i) {
        texte += mots[mot(alea)];
        const int s = signe(alea);
        texte += s == 0 ? ". " : s == 1 ? "\n" : " ";
    }
    return texte;
}

} // namespace

// A text ending in a run of one form: each occurrence's right context is the one after it plus one
// form, so they come out from the end of the text backwards, the shortest first.
TEST(TriCont, UnContexteQuiFinitPasseAvant) {
    DossierTemporaire dossier;
    SegmenteBase("a b b b b b\n");
    charg1 base;
    ASSERT_EQ(base.ChargeBase("corpus.par"), 0);
    const int32_t b = base.LocFormDic("b"), limite = base.Nbform() + base.Nbartponct() - 1;
    std::vector<int32_t> positions = base.LocOccFor(b);
    ASSERT_EQ(positions, (std::vector<int32_t>{1, 2, 3, 4, 5}));
    base.TriCont(positions, 1, limite);
    EXPECT_EQ(positions, (std::vector<int32_t>{5, 4, 3, 2, 1}));
    base.TriCont(positions, -1, limite);
    EXPECT_EQ(positions, (std::vector<int32_t>{1, 2, 3, 4, 5}));
    EXPECT_EQ(base.Compar(5, 4, 1, limite), 1);
    EXPECT_EQ(base.Compar(4, 5, 1, limite), 0);
    EXPECT_EQ(base.Compar(3, 3, 1, limite), 1);
    // Contexts that differ before an end keep the order of the ranks: "a" before "b".
    EXPECT_EQ(base.Compar(1, 0, -1, limite), 0); // left of 1 is a; 0 has no left context: it comes first
    EXPECT_EQ(base.Compar(0, 1, -1, limite), 1);
}

// Compar is a strict order: exactly one of two distinct positions comes first, and the order is
// transitive; the fast TriCont gives what the plain Shell sort on Compar gives.
TEST(TriCont, OrdreStrictEtTriRapideEgalAuTriDeReference) {
    std::mt19937 alea(12345);
    for (int essai = 0; essai < 12; ++essai) {
        DossierTemporaire dossier;
        // Odd tries repeat one stretch of text, so that long contexts are equal beyond the sort key.
        const std::string morceau = TexteAleatoire(alea, 150 + 60 * essai, 2 + essai % 7);
        SegmenteBase(essai % 2 ? morceau + morceau + " le " + morceau : morceau);
        charg1 base;
        ASSERT_EQ(base.ChargeBase("corpus.par"), 0);
        const int32_t n = base.Nbitem();
        std::uniform_int_distribution<int32_t> position(-1, n);
        const int32_t limites[] = {base.Nbform() - 1, base.Nbform() + base.Nbartponct() - 1, Limd + n + 5};
        for (const int32_t limite : limites) {
            for (const int32_t sens : {1, -1}) {
                for (int k = 0; k < 300; ++k) {
                    const int32_t p = position(alea), q = position(alea), r = position(alea);
                    if (p != q) {
                        ASSERT_NE(base.Compar(p, q, sens, limite), base.Compar(q, p, sens, limite));
                    }
                    if (base.Compar(p, q, sens, limite) && base.Compar(q, r, sens, limite)) {
                        ASSERT_EQ(base.Compar(p, r, sens, limite), 1) << p << " " << q << " " << r;
                    }
                }
                std::vector<std::vector<int32_t>> listes;
                for (int32_t f = 0; f < base.Nbart(); ++f)
                    listes.push_back(base.LocOccFor(f));
                std::vector<int32_t> tout(static_cast<size_t>(n));
                for (int32_t i = 0; i < n; ++i)
                    tout[size_t(i)] = n - 1 - i;
                listes.push_back(tout);
                for (std::vector<int32_t>& liste : listes) {
                    std::shuffle(liste.begin(), liste.end(), alea);
                    std::vector<int32_t> reference = liste;
                    TriReference(base, reference, sens, limite);
                    base.TriCont(liste, sens, limite);
                    ASSERT_EQ(liste, reference)
                        << "essai " << essai << " sens " << sens << " limite " << limite;
                }
            }
        }
    }
}

// The occurrence index and the form lookup answer what scans of the text and the forms answer.
TEST(TriCont, IndexDesOccurrencesEgalAuParcours) {
    std::mt19937 alea(777);
    for (int essai = 0; essai < 4; ++essai) {
        DossierTemporaire dossier;
        std::string texte =
            "<t=a> " + TexteAleatoire(alea, 400, 8) + " <t=b> " + TexteAleatoire(alea, 200, 8);
        SegmenteBase(texte);
        charg1 base;
        ASSERT_EQ(base.ChargeBase("corpus.par"), 0);
        std::vector<std::vector<int32_t>> attendu(static_cast<size_t>(base.Nbart()));
        int32_t lignes = 0;
        for (int32_t i = 0; i < base.Nbitem(); ++i) {
            const int32_t v = base.Tnum(i);
            if (v >= Limd) {
                EXPECT_EQ(v, Limd + 2 + lignes++);
            } else {
                ASSERT_GE(v, 0);
                ASSERT_LT(v, base.Nbart());
                attendu[size_t(v)].push_back(i);
            }
        }
        EXPECT_EQ(lignes, base.NbLignes());
        for (int32_t e = 0; e < base.Nbart(); ++e) {
            EXPECT_EQ(base.LocOccFor(e), attendu[size_t(e)]);
            EXPECT_EQ(static_cast<int32_t>(attendu[size_t(e)].size()), base.RetourneFrq(e));
        }
        for (int32_t f = 0; f < base.Nbart(); ++f) {
            int32_t premier = -1;
            for (int32_t g = 0; g < base.Nbform() && premier < 0; ++g)
                if (base.RetourneGraphie(g, false) == base.RetourneGraphie(f, false)) premier = g;
            EXPECT_EQ(base.LocFormDic(base.RetourneGraphie(f, false)), premier);
        }
    }
}
