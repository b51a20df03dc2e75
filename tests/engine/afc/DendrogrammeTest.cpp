// The tree of a clustering: its layout worked by hand, the layout of random trees checked for what a
// drawing needs (every cluster's leaves side by side, a merge above its clusters, the classes of the cut
// as the clustering gives them), a deep chain, and the merges of "cah.txt" read back or refused.
#include "engine/afc/Dendrogramme.h"

#include "engine/afc/PlanFactoriel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

using t3::ArbreCAH;
using t3::DispositionDendrogramme;

namespace {

// Points 0, 1, 5, 7, 20 on a line: {0, 1} (5), {5, 7} (6), their union (7), then 20 (8).
ArbreCAH ArbreALaMain() {
    return t3::ClassificationWard({{0}, {1}, {5}, {7}, {20}});
}

// The leaves of each cluster, gathered from the merges.
std::vector<std::vector<int32_t>> FeuillesDesGroupes(const ArbreCAH& arbre) {
    std::vector<std::vector<int32_t>> feuilles(static_cast<size_t>(arbre.nbPoints));
    for (int32_t i = 0; i < arbre.nbPoints; ++i)
        feuilles[static_cast<size_t>(i)] = {i};
    for (const t3::FusionCAH& f : arbre.fusions) {
        std::vector<int32_t> r = feuilles[static_cast<size_t>(f.gauche)];
        const auto& d = feuilles[static_cast<size_t>(f.droite)];
        r.insert(r.end(), d.begin(), d.end());
        feuilles.push_back(std::move(r));
    }
    return feuilles;
}

std::string Refus(const std::string& texte) {
    const auto lu = t3::LitArbreCah(texte);
    EXPECT_FALSE(lu) << texte;
    return lu.Message();
}

} // namespace

TEST(Dendrogramme, DispositionALaMain) {
    const ArbreCAH arbre = ArbreALaMain();
    const DispositionDendrogramme d = t3::DisposeDendrogramme(arbre, 2);
    // From the last merge (4 with 7): 20 first, then {0, 1} and {5, 7}.
    EXPECT_EQ(d.ordreFeuilles, (std::vector<int32_t>{4, 0, 1, 2, 3}));
    EXPECT_EQ(d.x, (std::vector<double>{1, 2, 3, 4, 0, 1.5, 3.5, 2.5, 1.25}));
    EXPECT_EQ(d.hauteur[4], 0);
    EXPECT_NEAR(d.hauteur[7], 30.25, 1e-9);
    EXPECT_NEAR(d.hauteurMax, 224.45, 1e-9);
    // Two classes: the four first points, then 20; the last merge joins them.
    EXPECT_EQ(d.classe, (std::vector<int32_t>{1, 1, 1, 1, 2, 1, 1, 1, 0}));
    EXPECT_NEAR(d.hauteurCoupe, (30.25 + 224.45) / 2, 1e-9);
    const DispositionDendrogramme trois = t3::DisposeDendrogramme(arbre, 3);
    EXPECT_EQ(trois.classe, (std::vector<int32_t>{1, 1, 2, 2, 3, 1, 2, 0, 0}));
    EXPECT_NEAR(trois.hauteurCoupe, (2 + 30.25) / 2, 1e-9);
    // As many classes as points (or more asked): no merge inside a class.
    const DispositionDendrogramme tous = t3::DisposeDendrogramme(arbre, 99);
    EXPECT_EQ(tous.nbClasses, 5);
    EXPECT_EQ(tous.classe, (std::vector<int32_t>{1, 2, 3, 4, 5, 0, 0, 0, 0}));
    EXPECT_NEAR(tous.hauteurCoupe, 0.25, 1e-9);

    EXPECT_TRUE(t3::ChoixClasses(1).empty());
    EXPECT_EQ(t3::ChoixClasses(3), (std::vector<int32_t>{2, 3}));
    EXPECT_EQ(t3::ChoixClasses(40).size(), 9u);
    EXPECT_EQ(t3::NomImageDendrogramme("auteur", 1), "img-cah-auteur1.jpg");
    EXPECT_EQ(t3::TitreImageDendrogramme("auteur", 2), "Classification hi\xe9rarchique - auteur (2)");
}

TEST(Dendrogramme, ArbresAleatoiresDessinables) {
    std::mt19937 alea(7);
    std::uniform_real_distribution<double> u(-100, 100);
    for (int essai = 0; essai < 20; ++essai) {
        std::vector<std::vector<double>> points(static_cast<size_t>(2 + essai * 3));
        for (auto& p : points)
            p = {u(alea), u(alea), u(alea)};
        const ArbreCAH arbre = t3::ClassificationWard(points);
        const int32_t k = 2 + essai % 9;
        const DispositionDendrogramme d = t3::DisposeDendrogramme(arbre, k);
        const auto n = static_cast<size_t>(arbre.nbPoints);
        std::vector<int32_t> trie = d.ordreFeuilles;
        std::sort(trie.begin(), trie.end());
        ASSERT_EQ(trie.size(), n);
        for (size_t i = 0; i < n; ++i)
            ASSERT_EQ(trie[i], static_cast<int32_t>(i));
        const auto feuilles = FeuillesDesGroupes(arbre);
        for (size_t g = n; g < feuilles.size(); ++g) {
            // Its leaves side by side, the merge between the two clusters and above them.
            std::vector<double> xs;
            for (const int32_t f : feuilles[g])
                xs.push_back(d.x[static_cast<size_t>(f)]);
            const auto [mn, mx] = std::minmax_element(xs.begin(), xs.end());
            EXPECT_EQ(*mx - *mn + 1, static_cast<double>(xs.size())) << essai << " " << g;
            const t3::FusionCAH& f = arbre.fusions[g - n];
            EXPECT_GE(d.hauteur[g], d.hauteur[static_cast<size_t>(f.gauche)]);
            EXPECT_GE(d.hauteur[g], d.hauteur[static_cast<size_t>(f.droite)]);
            EXPECT_GT(d.x[g],
                      std::min(d.x[static_cast<size_t>(f.gauche)], d.x[static_cast<size_t>(f.droite)]));
            // A merge inside a class holds points of that class only.
            if (d.classe[g] != 0) {
                for (const int32_t p : feuilles[g])
                    EXPECT_EQ(d.classe[static_cast<size_t>(p)], d.classe[g]);
            }
        }
        const std::vector<int32_t> classes = t3::ClassesCAH(arbre, k);
        EXPECT_TRUE(std::equal(classes.begin(), classes.end(), d.classe.begin()));
    }
}

TEST(Dendrogramme, ChaineProfondeSansRecursion) {
    // A chain of 200,000 points, each merged into the cluster of all those before it.
    ArbreCAH arbre;
    arbre.nbPoints = 200000;
    for (int32_t s = 0; s + 1 < arbre.nbPoints; ++s)
        arbre.fusions.push_back({s == 0 ? 0 : arbre.nbPoints + s - 1, s + 1, double(s), s + 2});
    const DispositionDendrogramme d = t3::DisposeDendrogramme(arbre, 10);
    ASSERT_EQ(d.ordreFeuilles.size(), 200000u);
    EXPECT_EQ(d.ordreFeuilles.front(), 0);
    EXPECT_EQ(d.ordreFeuilles.back(), 199999);
}

TEST(Dendrogramme, FusionsDeCahRelues) {
    const ArbreCAH arbre = ArbreALaMain();
    const auto lu = t3::LitArbreCah(t3::TexteCah(arbre));
    ASSERT_TRUE(lu) << lu.Message();
    ASSERT_EQ(lu->nbPoints, 5);
    ASSERT_EQ(lu->fusions.size(), arbre.fusions.size());
    for (size_t s = 0; s < arbre.fusions.size(); ++s) {
        EXPECT_EQ(lu->fusions[s].gauche, arbre.fusions[s].gauche);
        EXPECT_EQ(lu->fusions[s].droite, arbre.fusions[s].droite);
        EXPECT_EQ(lu->fusions[s].effectif, arbre.fusions[s].effectif);
        EXPECT_NEAR(lu->fusions[s].hauteur, arbre.fusions[s].hauteur, 1e-9);
    }
    // One point: no merge; CR LF line ends and no classes are accepted.
    const auto seul = t3::LitArbreCah("CAH 1\r\n");
    ASSERT_TRUE(seul) << seul.Message();
    EXPECT_EQ(t3::DisposeDendrogramme(*seul, 2).ordreFeuilles, (std::vector<int32_t>{0}));
    EXPECT_TRUE(t3::LitArbreCah("CAH 2\r\n1 0 1 0.5 2\r\n\r\nCLASSES 2\r\n"));
}

TEST(Dendrogramme, CahMalFormeRefuse) {
    EXPECT_EQ(Refus(""),
              "Le fichier « cah.txt » est incorrect : ligne 1, « CAH » et le nombre de points attendus.");
    for (const char* texte : {"CAH 0\n", "CAH x\n", "CAH 99999999999\n", "CHA 2\n1 0 1 1 2\n"})
        Refus(texte);
    EXPECT_EQ(Refus("CAH 3\n1 0 1 1 2\n"),
              "Le fichier « cah.txt » est incorrect : ligne 3, il manque des fusions.");
    EXPECT_EQ(Refus("CAH 3\n1 0 3 1 2\n2 1 2 1 2\n"),
              "Le fichier « cah.txt » est incorrect : ligne 2, le groupe 3 n'est pas entre 0 et 2.");
    EXPECT_EQ(Refus("CAH 3\n1 0 1 1 2\n2 0 2 2 2\n"),
              "Le fichier « cah.txt » est incorrect : ligne 3, le groupe 0 est déjà réuni.");
    EXPECT_NE(Refus("CAH 3\n1 1 1 1 2\n2 0 2 2 2\n").find("lui-même"), std::string::npos);
    EXPECT_NE(Refus("CAH 3\n2 0 1 1 2\n2 2 3 2 3\n").find("numéro 1"), std::string::npos);
    EXPECT_NE(Refus("CAH 3\n1 0 1 nan 2\n2 2 3 2 3\n").find("hauteur"), std::string::npos);
    EXPECT_NE(Refus("CAH 3\n1 0 1 3 2\n2 2 3 2 3\n").find("hauteur"), std::string::npos);
    EXPECT_NE(Refus("CAH 3\n1 0 1 1 2\n2 2 3 2 2\n").find("l'effectif devrait être 3"), std::string::npos);
    EXPECT_NE(Refus("CAH 3\n1 0 1 1 2\n2 2 3 2 3 9\n").find("fusion attendue"), std::string::npos);
    EXPECT_NE(Refus("CAH 2\n1 0 1 1 2\nAUTRE\n").find("CLASSES"), std::string::npos);
}
