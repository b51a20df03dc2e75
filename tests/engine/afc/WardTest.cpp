// Ward's clustering: the merges of a set of points worked by hand, the tree of random points against the
// plain method (at each step, join the pair whose merge costs least), the classes of each cut, the file
// "cah.txt" read back, and ts3cah on a "facteurs.txt", a failed write of "cah.txt" included.
#include "engine/afc/Ward.h"

#include "AideFils.h"
#include "AideTests.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

using t3::ArbreCAH;
using t3::ClassificationWard;

namespace {

// The plain method, in O(n³): the merges' heights in order.
std::vector<double> HauteursNaives(const std::vector<std::vector<double>>& points) {
    std::vector<std::vector<double>> centres = points;
    std::vector<double> effectifs(points.size(), 1.0);
    std::vector<bool> actif(points.size(), true);
    std::vector<double> hauteurs;
    for (size_t etape = 1; etape < points.size(); ++etape) {
        double meilleur = 1e300;
        size_t ma = 0, mb = 0;
        for (size_t a = 0; a < centres.size(); ++a)
            for (size_t b = a + 1; b < centres.size(); ++b) {
                if (!actif[a] || !actif[b]) continue;
                double d2 = 0;
                for (size_t k = 0; k < centres[a].size(); ++k)
                    d2 += std::pow(centres[a][k] - centres[b][k], 2);
                const double cout = effectifs[a] * effectifs[b] / (effectifs[a] + effectifs[b]) * d2;
                if (cout < meilleur) meilleur = cout, ma = a, mb = b;
            }
        for (size_t k = 0; k < centres[ma].size(); ++k)
            centres[ma][k] = (effectifs[ma] * centres[ma][k] + effectifs[mb] * centres[mb][k]) /
                             (effectifs[ma] + effectifs[mb]);
        effectifs[ma] += effectifs[mb];
        actif[mb] = false;
        hauteurs.push_back(meilleur);
    }
    return hauteurs;
}

} // namespace

// Points 0, 1, 5, 7, 20 on a line: {0, 1} costs 1/2 × 1² = 0.5; {5, 7} 1/2 × 2² = 2; their union
// (centroids 0.5 and 6) 2·2/4 × 5.5² = 30.25; then 20 against the centroid 3.25 of four points,
// 4/5 × 16.75² = 224.45.
TEST(Ward, FusionsCalculeesALaMain) {
    const ArbreCAH arbre = ClassificationWard({{0}, {1}, {5}, {7}, {20}});
    ASSERT_EQ(arbre.fusions.size(), 4u);
    const int32_t attendu[4][3] = {{0, 1, 2}, {2, 3, 2}, {5, 6, 4}, {4, 7, 5}};
    const double hauteurs[4] = {0.5, 2, 30.25, 224.45};
    for (size_t s = 0; s < 4; ++s) {
        EXPECT_EQ(arbre.fusions[s].gauche, attendu[s][0]) << s;
        EXPECT_EQ(arbre.fusions[s].droite, attendu[s][1]) << s;
        EXPECT_EQ(arbre.fusions[s].effectif, attendu[s][2]) << s;
        EXPECT_NEAR(arbre.fusions[s].hauteur, hauteurs[s], 1e-9) << s;
    }
    EXPECT_EQ(t3::ClassesCAH(arbre, 2), (std::vector<int32_t>{1, 1, 1, 1, 2}));
    EXPECT_EQ(t3::ClassesCAH(arbre, 3), (std::vector<int32_t>{1, 1, 2, 2, 3}));
    EXPECT_EQ(t3::ClassesCAH(arbre, 5), (std::vector<int32_t>{1, 2, 3, 4, 5}));
    EXPECT_EQ(t3::ClassesCAH(arbre, 1), (std::vector<int32_t>{1, 1, 1, 1, 1}));
    EXPECT_EQ(t3::TexteCah(arbre), "CAH 5\n1 0 1 0.5 2\n2 2 3 2 2\n3 5 6 30.25 4\n4 4 7 224.45 5\n"
                                   "CLASSES 5\n2 1 1 1 1 2\n3 1 1 2 2 3\n4 1 1 2 3 4\n5 1 2 3 4 5\n");
}

TEST(Ward, PointsAleatoiresContreLaMethodeSimple) {
    std::mt19937 alea(31);
    std::normal_distribution<double> normale;
    for (const size_t n : {2u, 3u, 17u, 60u}) {
        std::vector<std::vector<double>> points(n, std::vector<double>(3));
        for (auto& p : points)
            for (double& x : p)
                x = normale(alea) + (alea() % 3) * 4.0; // a few groups
        const ArbreCAH arbre = ClassificationWard(points);
        const std::vector<double> attendues = HauteursNaives(points);
        ASSERT_EQ(arbre.fusions.size(), n - 1);
        for (size_t s = 0; s + 1 < n; ++s) {
            EXPECT_NEAR(arbre.fusions[s].hauteur, attendues[s], 1e-9 * (1 + attendues[s])) << n << " " << s;
            // Every cluster is made before it is joined.
            EXPECT_LT(arbre.fusions[s].droite, static_cast<int32_t>(n + s));
        }
        const auto classes = t3::LitClassesCah(t3::TexteCah(arbre));
        ASSERT_TRUE(classes) << classes.Message();
        ASSERT_EQ(classes->size(), std::min<size_t>(10, n) - 1);
        EXPECT_EQ(classes->back(), t3::ClassesCAH(arbre, static_cast<int32_t>(std::min<size_t>(10, n))));
    }
}

// Identical points cost nothing to join, however many of them: their merges are exactly at 0, and the
// tree is one the windows read (every cluster made before it is joined, none joined twice, heights never
// going down), whether all the points are alike or copies are mixed with distinct points.
TEST(Ward, PointsIdentiques) {
    std::mt19937 alea(7);
    std::uniform_real_distribution<double> uniforme(-3, 3);
    std::vector<std::vector<double>> melange;
    for (int place = 0; place < 20; ++place) {
        const std::vector<double> p{uniforme(alea), uniforme(alea)};
        for (int copie = 0; copie <= place % 4; ++copie)
            melange.push_back(p);
    }
    std::shuffle(melange.begin(), melange.end(), alea);
    struct Cas {
        std::vector<std::vector<double>> points;
        size_t places; // distinct points
    };
    for (const Cas& cas :
         {Cas{std::vector<std::vector<double>>(3000, {10 / 7.0, 0.1, 0.3}), 1}, Cas{melange, 20}}) {
        const size_t n = cas.points.size();
        const ArbreCAH arbre = ClassificationWard(cas.points);
        const auto relu = t3::LitArbreCah(t3::TexteCah(arbre));
        ASSERT_TRUE(relu) << n << " " << relu.Message();
        ASSERT_EQ(arbre.fusions.size(), n - 1);
        // A place of k copies takes k - 1 merges at 0, every other merge costs something.
        for (size_t s = 0; s + 1 < n; ++s)
            EXPECT_EQ(arbre.fusions[s].hauteur == 0, s < n - cas.places) << n << " " << s;
        if (n < 100) {
            const std::vector<double> attendues = HauteursNaives(cas.points);
            for (size_t s = 0; s + 1 < n; ++s)
                EXPECT_NEAR(arbre.fusions[s].hauteur, attendues[s], 1e-9 * (1 + attendues[s])) << s;
        }
    }
}

TEST(Ward, LitClassesRefuse) {
    for (const char* texte :
         {"", "CAH 0\n", "CAH 2\nCLASSES 2\n2 1 2\n", "CAH 2\n1 0 1 1 2\nCLASSES 2\n2 1 3\n",
          "CAH 2\n1 0 1 1 2\nCLASSES 2\n2 1\n", "CAH 3\n1 0 1 1 2\n2 2 3 1 3\nCLASSES 2\n"})
        EXPECT_FALSE(t3::LitClassesCah(texte)) << texte;
}

// ts3cah reads the coordinates of "facteurs.txt" and writes "cah.txt"; without "facteurs.txt", status 2.
TEST(Ts3cah, EcritCahTxt) {
    t3test::DossierTemporaire dossier;
    const auto& d = dossier.Chemin();
    t3test::EcritFichier(d / "facteurs.txt",
                         "3 1\nP 0 0.3 1 0 1 1\nP 1 0.3 1 1000 1 1\nP 2 0.4 1 5000 1 1\n");
    const std::string ts3cah = std::string(T3_BIN_DIR) + "/ts3cah";
    const std::string commande = "cd '" + d.string() + "' && '" + ts3cah + "' 2> erreurs.txt";
    ASSERT_EQ(std::system(commande.c_str()), 0) << t3test::LitFichier(d / "erreurs.txt");
    EXPECT_EQ(t3test::LitFichier(d / "cah.txt"), "CAH 3\n1 0 1 0.5 2\n2 2 3 13.5 3\nCLASSES 3\n"
                                                 "2 1 1 2\n3 1 2 3\n");
    std::filesystem::remove(d / "facteurs.txt");
    EXPECT_NE(std::system(commande.c_str()), 0);
    EXPECT_FALSE(std::filesystem::exists(d / "cah.txt"));
    EXPECT_NE(
        t3test::LitFichier(d / "erreurs.txt").find("ts3cah : Erreur de lecture du fichier des facteurs"),
        std::string::npos);
}

// A write of "cah.txt" cut short (a file size limit standing for a full disk): status 2, the French message,
// and no "cah.txt", neither the earlier one nor part of the new.
TEST(Ts3cah, EcritureRateeNeLaissePasDeCah) {
    t3test::DossierTemporaire dossier;
    const auto& d = dossier.Chemin();
    t3test::EcritFichier(d / "facteurs.txt", "2 1\nP 0 0.5 1 0 1 1\nP 1 0.5 1 1000 1 1\n");
    t3test::EcritFichier(d / "cah.txt", "CAH 2\n1 0 1 0.25 2\nCLASSES 2\n2 1 2\n");
    const t3test::Fils coupe = t3test::DansUnFils([&] {
        return t3test::LimiteTailleFichiers(16) ? t3test::ExecuteDans(d, std::string(T3_BIN_DIR) + "/ts3cah")
                                                : 1;
    });
    EXPECT_EQ(coupe.statut, 2);
    EXPECT_EQ(coupe.erreurs, "ts3cah : Impossible d'écrire le fichier « cah.txt » : le fichier dépasse la "
                             "taille permise.\n");
    EXPECT_EQ(t3test::Fichiers(d), std::vector<std::string>{"facteurs.txt"});
}
