// Key types and parts found by their names, and the messages of those that are not there.
#include "engine/corpus/Cles.h"

#include "AideCorpus.h"
#include "engine/corpus/Partition.h"

using namespace t3;
using namespace t3test;

// The key type "a" has a namesake key content, which must not be taken for it; "époque" is written in
// Windows-1252 and named in UTF-8 by the messages.
TEST(Cles, TypesParLeurNom) {
    DossierTemporaire dossier;
    SegmenteBase("<a=x> u v <a=y> w <\xE9poque=a> u <a=x> v\n");
    charg1 base;
    ASSERT_EQ(base.ChargeBase("corpus.par"), ChargeReussie);
    const int32_t a = RetourneTypeCle(base, "a");
    ASSERT_GE(a, 0);
    EXPECT_EQ(base.Graphie(a), "a");
    EXPECT_EQ(base.Tnum(0), a);
    EXPECT_EQ(base.Graphie(RetourneTypeCle(base, "\xE9poque")), "\xE9poque");
    for (const char* autre : {"x", "u", "", "A", "\xE9poque "})
        EXPECT_EQ(RetourneTypeCle(base, autre), -1) << autre;
    EXPECT_EQ(TypesDeCles(base), "a, \xE9poque");

    const Resultat<int32_t> trouve = ChercheTypeCle(base, "a");
    ASSERT_TRUE(trouve);
    EXPECT_EQ(*trouve, a);
    EXPECT_EQ(trouve.Code(), 0);
    const Resultat<int32_t> absent = ChercheTypeCle(base, "z\xE9ro");
    EXPECT_FALSE(absent);
    EXPECT_EQ(absent.Code(), TypeCleInconnu);
    EXPECT_EQ(absent.Message(),
              "le type de clé « zéro » n'existe pas dans la base (types de clés : a, époque).");

    DossierTemporaire sansCles;
    SegmenteBase("u v w\n");
    charg1 simple;
    ASSERT_EQ(simple.ChargeBase("corpus.par"), ChargeReussie);
    EXPECT_EQ(TypesDeCles(simple), "aucun");
    EXPECT_EQ(ChercheTypeCle(simple, "a").Message(),
              "le type de clé « a » n'existe pas dans la base (types de clés : aucun).");
    charg1 vide;
    EXPECT_EQ(RetourneTypeCle(vide, "a"), -1);
    EXPECT_EQ(TypesDeCles(vide), "aucun");
}

TEST(Cles, PartiesParLeurNom) {
    DossierTemporaire dossier;
    SegmenteBase("<\xE9poque=x> u v <\xE9poque=\xE9t\xE9> w <b=y> u\n");
    charg1 base;
    ASSERT_EQ(base.ChargeBase("corpus.par"), ChargeReussie);
    const Partition partition(&base, RetourneTypeCle(base, "\xE9poque"));
    ASSERT_EQ(partition.NbParties(), 2);
    EXPECT_EQ(base.Graphie(partition.Contenu(RetournePartie(partition, "x"))), "x");
    const int32_t ete = RetournePartie(partition, "\xE9t\xE9");
    ASSERT_GE(ete, 0);
    EXPECT_EQ(base.Graphie(partition.Contenu(ete)), "\xE9t\xE9");
    // A content of another key type, a form, the key type itself: no part.
    for (const char* autre : {"y", "u", "\xE9poque", ""})
        EXPECT_EQ(RetournePartie(partition, autre), -1) << autre;
    EXPECT_EQ(*CherchePartie(partition, "\xE9t\xE9"), ete);
    const Resultat<int32_t> absente = CherchePartie(partition, "y");
    EXPECT_EQ(absente.Code(), PartieInconnue);
    EXPECT_EQ(absente.Message(), "la partie « y » n'existe pas dans la partition par « époque ».");
}
