// Groups of forms: positions, names and the colour cycle.
#include "engine/stats/Tgen.h"

#include "BaseDeTest.h"

#include <gtest/gtest.h>

#include <vector>

using t3::Tgen;
using t3test::BaseDeTest;

TEST(Tgen, PositionsEtNoms) {
    BaseDeTest b("le chat voit le chien . le chat dort\n");
    ASSERT_TRUE(b.Prete());
    const int32_t le = b.Entree("le"), chat = b.Entree("chat"), chien = b.Entree("chien");
    ASSERT_GE(le, 0);

    const Tgen un(&b.Base(), std::vector<int32_t>{chat});
    EXPECT_EQ(un.Nom(), "chat");
    EXPECT_EQ(un.Positions(), (std::vector<int32_t>{1, 7}));
    EXPECT_EQ(un.NbOcc(), 2);
    EXPECT_TRUE(un.Contient(7));
    EXPECT_FALSE(un.Contient(0));

    // Several entries: one ascending list of every occurrence, named after the first entry with "+".
    const Tgen plusieurs(&b.Base(), std::vector<int32_t>{chien, le, chat});
    EXPECT_EQ(plusieurs.Nom(), "chien+");
    EXPECT_EQ(plusieurs.Positions(), (std::vector<int32_t>{0, 1, 3, 4, 6, 7}));
    EXPECT_EQ(plusieurs.Entrees(), (std::vector<int32_t>{chien, le, chat}));

    // An entry given twice counts its positions once; a given name wins.
    const Tgen doublon(&b.Base(), std::vector<int32_t>{le, le}, "articles");
    EXPECT_EQ(doublon.Nom(), "articles");
    EXPECT_EQ(doublon.Positions(), (std::vector<int32_t>{0, 3, 6}));

    // Nothing to gather: no entry, an entry out of the dictionary, a null array.
    const Tgen vide(&b.Base(), nullptr, 3);
    EXPECT_EQ(vide.NbEntrees(), 0);
    EXPECT_EQ(vide.NbOcc(), 0);
    EXPECT_EQ(vide.Nom(), "");
    const Tgen horsDico(&b.Base(), std::vector<int32_t>{-5, 1000000});
    EXPECT_EQ(horsDico.NbOcc(), 0);
    EXPECT_FALSE(horsDico.Contient(0));
}

TEST(Tgen, CycleDeDixCouleurs) {
    BaseDeTest b("a b\n");
    ASSERT_TRUE(b.Prete());
    const std::vector<int32_t> a{0};
    // The cycle is process-wide and never reset: start from wherever the earlier groups left it.
    const int32_t depart = t3::CycleCouleursGroupes.Suivante;
    std::vector<t3::Couleur> couleurs;
    for (int i = 0; i < 11; ++i)
        couleurs.push_back(Tgen(&b.Base(), a).GetCouleur());
    for (int i = 0; i < 11; ++i)
        EXPECT_EQ(couleurs[i], t3::CouleursCycle[(depart + i) % 10]) << i;
    // The eleventh group takes the colour of the first again.
    EXPECT_EQ(couleurs[10], couleurs[0]);
    EXPECT_EQ(t3::CycleCouleursGroupes.Suivante, (depart + 11) % 10);

    const t3::CycleCouleurs neuf;
    EXPECT_EQ(neuf.Suivante, 0);
    EXPECT_EQ(t3::CouleursCycle[0], t3::CouleurRGB(0, 0, 255));
    EXPECT_EQ(t3::CouleursCycle[7], t3::CouleurRGB(250, 100, 0));
    EXPECT_EQ(t3::CouleursCycle[9], t3::CouleurRGB(0, 0, 0));
    // Red in the low byte, then green, then blue.
    EXPECT_EQ(t3::CouleurRGB(0x12, 0x34, 0x56), 0x563412u);
    EXPECT_EQ(t3::Vert(t3::CouleurRGB(1, 2, 3)), 2);
}
