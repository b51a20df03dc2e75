#include "AideSegments.h"

#include "engine/stats/Tgen.h"

#include <algorithm>
#include <gtest/gtest.h>

using namespace t3;
using t3test::ChargeTexte;
using t3test::Decrit;
using t3test::DossierTemporaire;
using t3test::Lignes;

namespace {

// The segments of the text with every punctuation sign as delimiter, or those given.
Lignes SegmentsDe(const std::string& texte, int32_t seuilFormes = 2, int32_t seuilSegments = 2,
                  const char* delimiteurs = nullptr) {
    charg1 base;
    if (!ChargeTexte(base, texte)) return {"base non chargée"};
    SegRep sr(&base, delimiteurs ? JeuDelimiteursSR(base, delimiteurs) : JeuDelimiteursSR(base));
    if (!sr.CalcSegRep(seuilFormes, seuilSegments)) return {"calcul en échec"};
    return Decrit(sr);
}

} // namespace

TEST(SegRep, TrouveABCSansSesPrefixesNiSesSuffixes) {
    DossierTemporaire dossier;
    // a b c three times, each time after and before another form.
    EXPECT_EQ(SegmentsDe("x a b c y . z a b c w . v a b c u .\n"), (Lignes{"a b c:3"}));
    // Same without any delimiter between the occurrences: the neighbours alone decide.
    EXPECT_EQ(SegmentsDe("x a b c y z a b c w v a b c u\n"), (Lignes{"a b c:3"}));
    // Once a b is also followed by something else, it is a segment of its own.
    EXPECT_EQ(SegmentsDe("x a b c y . z a b c w . v a b c u . t a b s .\n"), (Lignes{"a b c:3", "a b:4"}));
    // Below the segment threshold nothing is listed.
    EXPECT_EQ(SegmentsDe("x a b c y . z a b c w . v a b c u .\n", 2, 4), Lignes{});
    // A threshold of 0 or 1 never turns a run without occurrence into a segment of empty slots.
    EXPECT_EQ(SegmentsDe("x a b c y . z a b c w . v a b c u .\n", 2, 0), (Lignes{"a b c:3"}));
}

TEST(SegRep, ExigeDesVoisinsGauchesDifferentsSansFranchirUnDelimiteur) {
    DossierTemporaire dossier;
    // Always after p: a b is not listed, p a b is.
    EXPECT_EQ(SegmentsDe("p a b x . p a b y . p a b z .\n"), (Lignes{"p a b:3"}));
    // The left neighbour is not looked for beyond a delimiter of the set...
    EXPECT_EQ(SegmentsDe("p , a b x . p , a b y .\n", 2, 2, ".,"), (Lignes{"a b:2"}));
    // ...but it is across a sign left out of the set, which also lets p a b span the comma.
    EXPECT_EQ(SegmentsDe("p , a b x . p , a b y .\n", 2, 2, "."), (Lignes{"p a b:2"}));
    // Keys are passed over when looking for the left neighbour, and inside a segment.
    EXPECT_EQ(SegmentsDe("p <t=1> a b x . p <t=2> a b y .\n"), (Lignes{"p a b:2"}));
    EXPECT_EQ(SegmentsDe("x a <t=1> b y . z a <t=2> b w .\n"), (Lignes{"a b:2"}));
    // Line breaks are passed over too.
    EXPECT_EQ(SegmentsDe("x a\nb y . z a b\nw .\n"), (Lignes{"a b:2"}));
}

TEST(SegRep, NeFranchitQueLesSignesHorsDuJeu) {
    DossierTemporaire dossier;
    const std::string texte = "x a , b y . z a , b w .\n";
    EXPECT_EQ(SegmentsDe(texte, 2, 2, ".,"), Lignes{});
    // Without the comma in the set, the segment spans it and lists its forms without it.
    EXPECT_EQ(SegmentsDe(texte, 2, 2, "."), (Lignes{"a b:2"}));
    // Without any delimiter, segments run across the full stops.
    EXPECT_EQ(SegmentsDe("a b . a b . a b .\n", 2, 2, ""), (Lignes{"a b:3", "a b a b:2"}));
    // A sign passed over does not part the occurrences of a sequence: "b b" is read after the first b and
    // after the second, although the second is followed by the comma and the first is not.
    EXPECT_EQ(SegmentsDe("b b , b bb\n", 1, 2, "."), (Lignes{"b b:2"}));
    EXPECT_EQ(SegmentsDe("x a b , c . y a b ; e . z a , b c .\n", 2, 2, "."), (Lignes{"a b c:2", "a b:3"}));
}

TEST(SegRep, LimiteLesSegmentsAOnzeFormes) {
    DossierTemporaire dossier;
    // Twelve forms twice: the window holds eleven, so the segment of eleven is listed although a
    // twelfth form always follows; the shorter ones all have f1 as left neighbour.
    const std::string douze = "f01 f02 f03 f04 f05 f06 f07 f08 f09 f10 f11 f12";
    EXPECT_EQ(SegmentsDe(douze + " . " + douze + " .\n"),
              (Lignes{"f01 f02 f03 f04 f05 f06 f07 f08 f09 f10 f11:2"}));
    // Single forms are never segments.
    EXPECT_EQ(SegmentsDe("a . a . a . b a . b a .\n"), (Lignes{"b a:2"}));
}

TEST(SegRep, CompteUneFoisChaqueSegmentDUneFinDeTexteRepetee) {
    DossierTemporaire dossier;
    // Contexts that reach the end of the text must not split runs nor list a segment twice.
    EXPECT_EQ(SegmentsDe("x b b b b b"), (Lignes{"b b:4", "b b b:3", "b b b b:2"}));
    EXPECT_EQ(SegmentsDe("x b b b b b\n"), (Lignes{"b b:4", "b b b:3", "b b b b:2"}));
    // b (9 occurrences) comes before a; the order of b's segments depends on the ranks of b and ".".
    Lignes trouves = SegmentsDe("a b b . c b b . a b b b b b");
    ASSERT_EQ(trouves.size(), 4u);
    EXPECT_EQ(trouves.back(), "a b b:2");
    std::sort(trouves.begin(), trouves.end());
    EXPECT_EQ(trouves, (Lignes{"a b b:2", "b b b b:2", "b b b:3", "b b:6"}));
}

TEST(SegRep, NeTraiteQueLesFormesAssezFrequentes) {
    DossierTemporaire dossier;
    const std::string texte = "x a b c y . z a b c w . v a b c u . q r . q r .\n";
    // Form threshold 3: q (frequency 2) cannot begin a segment whatever the segment threshold.
    EXPECT_EQ(SegmentsDe(texte, 3, 2), (Lignes{"a b c:3"}));
    EXPECT_EQ(SegmentsDe(texte, 2, 2), (Lignes{"a b c:3", "q r:2"}));
    // Above the highest frequency no form is processed: an empty list, yet a computation that ran.
    charg1 base;
    ASSERT_TRUE(ChargeTexte(base, texte));
    SegRep sr(&base, JeuDelimiteursSR(base));
    EXPECT_TRUE(sr.CalcSegRep(base.Fmax() + 1, 2));
    EXPECT_EQ(sr.NbSegments(), 0);
}

TEST(SegRep, LitLaFenetreDUneOccurrence) {
    DossierTemporaire dossier;
    charg1 base;
    // Positions: 0 x, 1 <t, 2 1>, 3 a, 4 ",", 5 b, 6 "." , 7 c, 8 line break.
    ASSERT_TRUE(ChargeTexte(base, "x <t=1> a , b . c\n"));
    const int32_t x = base.LocFormDic("x"), a = base.LocFormDic("a"), b = base.LocFormDic("b"),
                  c = base.LocFormDic("c");
    SegRep tout(&base, JeuDelimiteursSR(base));
    FenetreSeg f;
    tout.LectSeg(f, 3);
    EXPECT_EQ(f[0], x); // across the key
    EXPECT_EQ(f[1], a);
    for (size_t s = 2; s < f.size(); ++s)
        EXPECT_EQ(f[s], SansForme) << s; // the comma ends it
    SegRep point(&base, JeuDelimiteursSR(base, "."));
    point.LectSeg(f, 3);
    EXPECT_EQ((std::vector<int32_t>(f.begin(), f.begin() + 4)), (std::vector<int32_t>{x, a, b, SansForme}));
    point.LectSeg(f, 7); // after a delimiter, and the last form of the text
    EXPECT_EQ((std::vector<int32_t>(f.begin(), f.begin() + 3)),
              (std::vector<int32_t>{SansForme, c, SansForme}));
    point.LectSeg(f, 0);
    EXPECT_EQ(f[0], SansForme); // nothing before the beginning
    for (const int32_t dehors : {-1, base.Nbitem(), base.Nbitem() + 5}) {
        point.LectSeg(f, dehors);
        EXPECT_TRUE(std::all_of(f.begin(), f.end(), [](int32_t v) { return v == SansForme; })) << dehors;
    }
}

TEST(SegRep, SansOccurrenceRienNEstLuNiEcrit) {
    DossierTemporaire dossier;
    charg1 base;
    ASSERT_TRUE(ChargeTexte(base, "a b . a b .\n"));
    SegRep sr(&base, JeuDelimiteursSR(base));
    EXPECT_TRUE(sr.SelSegRep(nullptr, 0).empty());
    int32_t positions[] = {0, 3};
    EXPECT_TRUE(sr.SelSegRep(positions, 0).empty());
    int32_t dehors[] = {-4, base.Nbitem(), 1 << 30};
    EXPECT_TRUE(sr.SelSegRep(dehors, 3).empty());
    // Before any computation: no segment, no occurrence, no text; no base at all is harmless too.
    EXPECT_TRUE(sr.LocOccSeg(0).empty());
    EXPECT_EQ(sr.RetourneGraphie(0), "");
    EXPECT_TRUE(sr.FormesSegment(-1).empty());
    SegRep sansBase(nullptr, {});
    EXPECT_FALSE(sansBase.CalcSegRep(2, 2));
    EXPECT_TRUE(sansBase.SelSegRep(positions, 2).empty());
}

TEST(SegRep, CherchePourUnGroupeDePlusieursFormes) {
    DossierTemporaire dossier;
    charg1 base;
    // The right contexts of a and x interleave: sorting them together must not split a's runs.
    ASSERT_TRUE(ChargeTexte(base, "a b c . x b c . a b c . x b d . a b c .\n"));
    SegRep sr(&base, JeuDelimiteursSR(base));
    ASSERT_TRUE(sr.CalcSegRep(2, 2));
    const int32_t a = base.LocFormDic("a"), x = base.LocFormDic("x");
    std::vector<std::vector<int32_t>> seuls, ensemble;
    for (const int32_t forme : {a, x}) {
        const Tgen groupe(&base, &forme, 1);
        for (const Segment& s : sr.CalcTgenSR(&groupe))
            seuls.push_back(s.formes);
    }
    const int32_t formes[] = {x, a};
    const Tgen groupe(&base, formes, 2);
    for (const Segment& s : sr.CalcTgenSR(&groupe))
        ensemble.push_back(s.formes);
    std::sort(seuls.begin(), seuls.end());
    std::sort(ensemble.begin(), ensemble.end());
    EXPECT_EQ(ensemble, seuls);
    EXPECT_EQ(ensemble.size(), 2u); // a b c (3) and x b (2)
}

namespace {
int g_appels = 0;
void CompteAppel(int32_t valeur) {
    if (valeur == 0) ++g_appels;
}
} // namespace

TEST(SegRep, SignaleSaProgressionEnviron100Fois) {
    DossierTemporaire dossier;
    charg1 base;
    std::string texte;
    for (int i = 0; i < 250; ++i) {
        const std::string n = std::to_string(i);
        texte.append("m").append(n).append(" n").append(n).append(" . ");
    }
    texte += "\n";
    ASSERT_TRUE(ChargeTexte(base, texte));
    SegRep sr(&base, JeuDelimiteursSR(base));
    sr.AttribGauge(CompteAppel);
    g_appels = 0;
    ASSERT_TRUE(sr.CalcSegRep(1, 2)); // 500 forms: a call every 5
    EXPECT_EQ(g_appels, 99);
    g_appels = 0;
    ASSERT_TRUE(sr.CalcSegRep(2, 2)); // no form: no call
    EXPECT_EQ(g_appels, 0);
    SegRep sansGauge(&base, JeuDelimiteursSR(base));
    EXPECT_TRUE(sansGauge.CalcSegRep(1, 2));
}
