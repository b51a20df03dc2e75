// A computation of segments kept in memory: the same segments and positions as the finder's files, its
// own whatever a later computation writes, and the entries of another computation recognised.
#include "AideSegments.h"

#include "engine/explore/CalculSegments.h"
#include "engine/explore/SelectionFormes.h"
#include "engine/stats/Tgen.h"

#include <gtest/gtest.h>

using namespace t3;
using namespace t3test;

// What the finder writes, read back from memory; a second computation with other delimiters rewrites
// the files, and the first keeps its list and positions, as it does when a later computation is stopped.
TEST(CalculSegments, GardeSesSegmentsApresUnSecondCalcul) {
    DossierTemporaire dossier;
    charg1 base;
    ASSERT_TRUE(ChargeTexte(base, "x a b c y . z a b c w , v a b c u . t a b s , a b c .\n"));
    SegRep sr(&base, JeuDelimiteursSR(base));
    ASSERT_TRUE(sr.CalcSegRep(2, 2));
    const auto premier = CalculeSegments(base, JeuDelimiteursSR(base), 2, 2);
    ASSERT_TRUE(premier) << premier.Message();
    const CalculSegments& c = **premier;
    ASSERT_EQ(c.NbSegments(), sr.NbSegments());
    ASSERT_GT(c.NbSegments(), 0);
    std::vector<std::vector<int32_t>> positions;
    for (int32_t k = 0; k < c.NbSegments(); ++k) {
        EXPECT_EQ(c.FormesSegment(k), sr.FormesSegment(k));
        EXPECT_EQ(c.RetourneGraphie(k), sr.RetourneGraphie(k));
        EXPECT_EQ(c.LocOccSeg(k), sr.LocOccSeg(k)) << k;
        EXPECT_EQ(c.ChercheTexte(c.RetourneGraphie(k)), k);
        positions.push_back(c.LocOccSeg(k));
    }
    EXPECT_EQ(c.ChercheTexte("a b"), -1);
    EXPECT_TRUE(c.LocOccSeg(c.NbSegments()).empty());

    // The second computation (the comma no longer a delimiter) writes other segments into the files.
    const auto second = CalculeSegments(base, JeuDelimiteursSR(base, "."), 2, 2);
    ASSERT_TRUE(second) << second.Message();
    EXPECT_NE((*second)->Identifiant(), c.Identifiant());
    base.AssigneSR(second->get());
    for (int32_t k = 0; k < c.NbSegments(); ++k)
        EXPECT_EQ(c.LocOccSeg(k), positions[static_cast<size_t>(k)]) << k;

    // A computation stopped says so, and the first keeps its segments.
    const Arret arret{true};
    EXPECT_EQ(CalculeSegments(
                  base, JeuDelimiteursSR(base), 2, 2, [](int32_t) {}, &arret)
                  .Code(),
              CodeArrete);
    EXPECT_EQ(c.LocOccSeg(0), positions[0]);
}

// Entries of the attached computation resolve; those of an earlier one, or taken before any, do not,
// unless they are dictionary entries only.
TEST(CalculSegments, EntreesDUnAutreCalculRefusees) {
    DossierTemporaire dossier;
    charg1 base;
    ASSERT_TRUE(ChargeTexte(base, "a b c . a b c . a b d .\n"));
    const auto premier = CalculeSegments(base, JeuDelimiteursSR(base), 2, 2);
    const auto second = CalculeSegments(base, JeuDelimiteursSR(base), 2, 2);
    ASSERT_TRUE(premier && second);
    ASSERT_GT((*premier)->NbSegments(), 0);
    const std::vector<int32_t> formes{0, 1}, avecSegment{0, base.Nbart() + 1};
    EXPECT_EQ(IdentifiantSegments(base), 0u);
    EXPECT_TRUE(EntreesResolubles(base, 0, formes));
    EXPECT_FALSE(EntreesResolubles(base, (*premier)->Identifiant(), avecSegment)); // none attached

    base.AssigneSR(premier->get());
    EXPECT_EQ(IdentifiantSegments(base), (*premier)->Identifiant());
    EXPECT_TRUE(EntreesResolubles(base, (*premier)->Identifiant(), avecSegment));
    EXPECT_TRUE(EntreesResolubles(base, (*second)->Identifiant(), formes));
    EXPECT_FALSE(EntreesResolubles(base, (*second)->Identifiant(), avecSegment));
    EXPECT_FALSE(EntreesResolubles(base, 0, avecSegment));
    const std::vector<int32_t> horsListe{base.Nbart() + 1 + (*premier)->NbSegments()}, nbart{base.Nbart()};
    EXPECT_FALSE(EntreesResolubles(base, (*premier)->Identifiant(), horsListe));
    EXPECT_FALSE(EntreesResolubles(base, (*premier)->Identifiant(), nbart));
    EXPECT_FALSE(EntreesResolubles(base, (*premier)->Identifiant(), std::vector<int32_t>{-1}));

    base.AssigneSR(second->get());
    EXPECT_FALSE(EntreesResolubles(base, (*premier)->Identifiant(), avecSegment));
    EXPECT_TRUE(EntreesResolubles(base, (*second)->Identifiant(), avecSegment));
}

// A list of a group follows a new computation by the segments' texts: those the new computation finds
// again take its numbers, the others leave the list; forms stay; a group made records the computation
// its segment entries follow.
TEST(CalculSegments, ListeReporteeSurUnNouveauCalcul) {
    DossierTemporaire dossier;
    charg1 base;
    ASSERT_TRUE(ChargeTexte(base, "a b c . a b c . a b d . a b d .\n"));
    const auto premier = CalculeSegments(base, JeuDelimiteursSR(base), 2, 2);
    ASSERT_TRUE(premier) << premier.Message();
    EXPECT_EQ(SegmentsAttaches(base), nullptr);
    base.AssigneSR(premier->get());
    EXPECT_EQ(SegmentsAttaches(base), *premier);
    EXPECT_EQ(Tgen(&base, std::vector<int32_t>{0}).SegmentsSource(), (*premier)->Identifiant());

    // The second computation, of threshold 3, keeps "a b" only.
    const auto second = CalculeSegments(base, JeuDelimiteursSR(base), 2, 3);
    ASSERT_TRUE(second) << second.Message();
    const CalculSegments &a = **premier, &b = **second;
    const int32_t nbart = base.Nbart();
    ListeEntrees liste;
    liste.Ajoute(3);
    std::vector<int32_t> attendues{3};
    int32_t absentes = 0;
    for (int32_t k = a.NbSegments() - 1; k >= 0; --k) {
        liste.Ajoute(nbart + 1 + k);
        const int32_t j = b.ChercheTexte(a.RetourneGraphie(k));
        if (j >= 0)
            attendues.push_back(nbart + 1 + j);
        else
            ++absentes;
    }
    ASSERT_GT(absentes, 0);
    ASSERT_GT(attendues.size(), 1u);
    EXPECT_EQ(ReporteSegments(liste, nbart, &a, &b), absentes);
    EXPECT_EQ(liste.Entrees(), attendues);
    EXPECT_EQ(ReporteSegments(liste, nbart, &b, &b), 0);
    EXPECT_EQ(ReporteSegments(liste, nbart, &b, nullptr), static_cast<int32_t>(attendues.size()) - 1);
    EXPECT_EQ(liste.Entrees(), std::vector<int32_t>{3});
    EXPECT_FALSE(liste.Ajoute(3)); // the list still knows what it holds
}
