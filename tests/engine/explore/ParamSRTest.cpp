// The parameters a computation of repeated segments starts from.
#include "engine/explore/ParamSR.h"

#include "AideSegments.h"

#include <gtest/gtest.h>

using namespace t3;
using t3test::ChargeTexte;
using t3test::DossierTemporaire;

TEST(ParamSR, DelimiteursEtSeuilsInitiaux) {
    DossierTemporaire dossier;
    charg1 base;
    ASSERT_TRUE(ChargeTexte(base, "a , b . c ? a ! a ; a . a\n"));
    ASSERT_EQ(base.Nbartponct(), 5);
    const auto signes = [&](const std::set<int32_t>& jeu) {
        std::string texte;
        for (const int32_t e : jeu)
            texte += base.Graphie(e);
        return texte;
    };
    EXPECT_EQ(signes(JeuDelimiteursSR(base)), "!,.;?");
    EXPECT_EQ(signes(JeuDelimiteursSR(base, "?.")), ".?");
    EXPECT_EQ(signes(JeuDelimiteursSR(base, ":-")), "");
    EXPECT_EQ(signes(JeuDelimiteursSR(base, "")), "");
    // Both thresholds: 10, the highest frequency when it is lower, never below 2.
    EXPECT_EQ(SeuilSRParDefaut(base), 5);
    ASSERT_TRUE(ChargeTexte(base, "a b a b a b a b a b a b a b a b a b a b a b a b\n"));
    EXPECT_EQ(SeuilSRParDefaut(base), 10);
    ASSERT_TRUE(ChargeTexte(base, "a b c\n"));
    EXPECT_EQ(SeuilSRParDefaut(base), 2);
}
