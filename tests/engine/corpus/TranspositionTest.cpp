// Entries carried from one base into another by their graphies.
#include "AideCorpus.h"

#include "engine/corpus/Transposition.h"

using namespace t3test;

TEST(Transposition, ChaqueEntreeRetrouveSaGraphieDansSaPlage) {
    DossierTemporaire dossier;
    SegmenteBase("<auteur=levi> la chatte dort. la la .\n", "source");
    SegmenteBase("<titre=levi> chatte ? chatte la , dort\n", "cible");
    t3::charg1 source, cible;
    ASSERT_EQ(source.ChargeBase("source.par"), 0);
    ASSERT_EQ(cible.ChargeBase("cible.par"), 0);
    const auto numero = [](const t3::charg1& base, std::string_view graphie, int32_t debut) {
        for (int32_t e = debut; e < base.Nbart(); ++e)
            if (base.Graphie(e) == graphie) return e;
        return -1;
    };
    const int32_t la = source.LocFormDic("la"), chatte = source.LocFormDic("chatte");
    const int32_t point = numero(source, ".", source.Nbform());
    const int32_t levi = numero(source, "levi", source.Nbform() + source.Nbartponct() + source.Nbcle());
    const int32_t auteur = numero(source, "auteur", source.Nbform());
    ASSERT_NE(la, chatte); // "la" comes first in the source, "chatte" in the receiving base

    // Forms by graphie, in the given order and once each; a key content as a key content; what the
    // receiving base lacks (the sign ".", the key type "auteur") is counted apart; a segment entry too.
    const int32_t entrees[] = {la, chatte, la, levi, point, auteur, source.Nbart() + 1};
    const t3::EntreesTransposees t = t3::TransposeEntrees(source, cible, entrees);
    const int32_t leviCible = numero(cible, "levi", cible.Nbform() + cible.Nbartponct() + cible.Nbcle());
    EXPECT_EQ(t.entrees,
              (std::vector<int32_t>{cible.LocFormDic("la"), cible.LocFormDic("chatte"), leviCible}));
    EXPECT_EQ(cible.Graphie(t.entrees[0]), "la");
    EXPECT_EQ(t.absentes, 2);
    EXPECT_EQ(t.autres, 1);
}
