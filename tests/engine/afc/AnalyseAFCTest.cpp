// The correspondence analysis against values known in closed form (a hand-worked 3 × 3 table, a
// block-diagonal table, two-column tables whose one eigenvalue is their phi²), against a second, plain
// implementation on random tables (the standardised residuals formed cell by cell and diagonalised by
// Jacobi's rotations), the dense and truncated solvers against each other, and the program ts3afc, its
// failed writes included.
#include "engine/afc/AnalyseAFC.h"

#include "AideFils.h"
#include "AideTests.h"
#include "engine/afc/ListePoints.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

using t3::AnalyseAFC;
using t3::CalculeAFC;
using t3::MethodeAFC;
using t3::TableauAFC;

namespace {

constexpr double Precision = 1e-9;
using Dense = std::vector<std::vector<double>>; // [row][column]

TableauAFC Tableau(const std::vector<std::vector<int32_t>>& n) {
    TableauAFC t;
    t.nbLignes = static_cast<int32_t>(n.size());
    t.nbColonnes = static_cast<int32_t>(n[0].size());
    t.drapeaux.assign(static_cast<size_t>(t.nbColonnes), '1');
    for (const auto& ligne : n) {
        for (size_t j = 0; j < ligne.size(); ++j)
            if (ligne[j] > 0) t.cellules.push_back({static_cast<int32_t>(j), ligne[j]});
        t.debuts.push_back(static_cast<int64_t>(t.cellules.size()));
    }
    return t;
}

AnalyseAFC Analyse(const TableauAFC& t, MethodeAFC methode = MethodeAFC::Complete, int32_t facteurs = 10) {
    t3::OptionsAFC options;
    options.methode = methode;
    options.facteursTronques = facteurs;
    const auto a = CalculeAFC(t, options);
    EXPECT_TRUE(a) << a.Message();
    return a ? *a : AnalyseAFC{};
}

// --- The second implementation: the analysis from its definition, on dense matrices.

struct Reference {
    std::vector<double> valeurs;            // decreasing, non-trivial
    std::vector<std::vector<double>> coord; // [factor][column], the largest absolute value positive
    std::vector<double> masses, distances;
};

// Jacobi's cyclic rotations on a symmetric matrix: its eigenvalues, and its eigenvectors in the columns
// of v.
void Jacobi(Dense& a, Dense& v) {
    const size_t n = a.size();
    v.assign(n, std::vector<double>(n, 0.0));
    for (size_t i = 0; i < n; ++i)
        v[i][i] = 1;
    for (int balayage = 0; balayage < 100; ++balayage) {
        double horsDiagonale = 0;
        for (size_t p = 0; p < n; ++p)
            for (size_t q = p + 1; q < n; ++q)
                horsDiagonale += a[p][q] * a[p][q];
        if (horsDiagonale < 1e-40) return;
        for (size_t p = 0; p < n; ++p)
            for (size_t q = p + 1; q < n; ++q) {
                if (std::abs(a[p][q]) < 1e-300) continue;
                const double theta = (a[q][q] - a[p][p]) / (2 * a[p][q]);
                const double t = (theta >= 0 ? 1 : -1) / (std::abs(theta) + std::sqrt(theta * theta + 1));
                const double c = 1 / std::sqrt(t * t + 1), s = t * c;
                for (size_t k = 0; k < n; ++k) { // columns p and q
                    const double akp = a[k][p], akq = a[k][q];
                    a[k][p] = c * akp - s * akq;
                    a[k][q] = s * akp + c * akq;
                }
                for (size_t k = 0; k < n; ++k) { // rows p and q
                    const double apk = a[p][k], aqk = a[q][k];
                    a[p][k] = c * apk - s * aqk;
                    a[q][k] = s * apk + c * aqk;
                }
                for (size_t k = 0; k < n; ++k) {
                    const double vkp = v[k][p], vkq = v[k][q];
                    v[k][p] = c * vkp - s * vkq;
                    v[k][q] = s * vkp + c * vkq;
                }
            }
    }
}

Reference AnalyseDeReference(const std::vector<std::vector<int32_t>>& n) {
    const size_t lignes = n.size(), colonnes = n[0].size();
    double total = 0;
    std::vector<double> r(lignes, 0.0), c(colonnes, 0.0);
    for (size_t i = 0; i < lignes; ++i)
        for (size_t j = 0; j < colonnes; ++j) {
            r[i] += n[i][j];
            c[j] += n[i][j];
            total += n[i][j];
        }
    for (double& x : r)
        x /= total;
    for (double& x : c)
        x /= total;
    Reference ref;
    ref.masses = c;
    ref.distances.assign(colonnes, 0.0);
    // S over the non-empty rows; the empty columns get zeros.
    Dense s(lignes, std::vector<double>(colonnes, 0.0));
    for (size_t i = 0; i < lignes; ++i)
        for (size_t j = 0; j < colonnes; ++j)
            if (r[i] > 0 && c[j] > 0) {
                const double p = n[i][j] / total;
                s[i][j] = (p - r[i] * c[j]) / std::sqrt(r[i] * c[j]);
                ref.distances[j] += std::pow(p / c[j] - r[i], 2) / r[i];
            }
    Dense sts(colonnes, std::vector<double>(colonnes, 0.0)), v;
    for (size_t j = 0; j < colonnes; ++j)
        for (size_t k = 0; k < colonnes; ++k)
            for (size_t i = 0; i < lignes; ++i)
                sts[j][k] += s[i][j] * s[i][k];
    Jacobi(sts, v);
    std::vector<size_t> ordre(colonnes);
    for (size_t k = 0; k < colonnes; ++k)
        ordre[k] = k;
    std::sort(ordre.begin(), ordre.end(), [&sts](size_t a, size_t b) { return sts[a][a] > sts[b][b]; });
    for (const size_t k : ordre) {
        if (sts[k][k] < 1e-12) break;
        std::vector<double> g(colonnes, 0.0);
        size_t plusGrand = 0;
        for (size_t j = 0; j < colonnes; ++j) {
            if (c[j] > 0) g[j] = std::sqrt(sts[k][k]) * v[j][k] / std::sqrt(c[j]);
            if (std::abs(g[j]) > std::abs(g[plusGrand]) + 1e-12) plusGrand = j;
        }
        if (g[plusGrand] < 0)
            for (double& x : g)
                x = -x;
        ref.valeurs.push_back(sts[k][k]);
        ref.coord.push_back(g);
    }
    return ref;
}

// A random table: counts drawn from a skewed law, with about half the cells empty.
std::vector<std::vector<int32_t>> TableAleatoire(std::mt19937& alea, size_t lignes, size_t colonnes) {
    std::vector<std::vector<int32_t>> n(lignes, std::vector<int32_t>(colonnes, 0));
    for (auto& ligne : n)
        for (int32_t& x : ligne)
            if (alea() % 2) x = static_cast<int32_t>(std::pow(2.0, (alea() % 1000) / 100.0));
    for (size_t i = 0; i < lignes; ++i) // no empty row or column
        n[i][i % colonnes] += 1;
    for (size_t j = 0; j < colonnes; ++j)
        n[j % lignes][j] += 1;
    return n;
}

void CompareAvecReference(const AnalyseAFC& a, const Reference& ref, size_t facteurs) {
    ASSERT_GE(ref.valeurs.size(), facteurs);
    ASSERT_GE(a.valeursPropres.size(), facteurs);
    for (size_t j = 0; j < ref.masses.size(); ++j) {
        EXPECT_NEAR(a.masses[j], ref.masses[j], Precision);
        EXPECT_NEAR(a.distances[j], ref.distances[j], Precision);
    }
    for (size_t k = 0; k < facteurs; ++k) {
        EXPECT_NEAR(a.valeursPropres[k], ref.valeurs[k], Precision) << "facteur " << k + 1;
        for (size_t j = 0; j < ref.masses.size(); ++j)
            EXPECT_NEAR(a.coordonnees[k][j], ref.coord[k][j], Precision)
                << "facteur " << k + 1 << ", colonne " << j;
    }
}

// What holds for any analysis: contributions summing to 1 on each factor, squared cosines in [0, 1]
// summing to at most 1 per column (exactly 1 with every factor), eigenvalues summing to the inertia.
void VerifieIdentites(const AnalyseAFC& a, bool tousLesFacteurs) {
    double somme = 0;
    for (int32_t k = 0; k < a.NbFacteurs(); ++k) {
        double ctr = 0;
        for (const double x : a.contributions[static_cast<size_t>(k)])
            ctr += x;
        EXPECT_NEAR(ctr, 1, Precision);
        somme += a.valeursPropres[static_cast<size_t>(k)];
    }
    if (tousLesFacteurs) {
        EXPECT_NEAR(somme, a.inertieTotale, Precision);
    }
    for (size_t j = 0; j < a.masses.size(); ++j) {
        double cos2 = 0;
        for (const auto& f : a.cosinus2)
            cos2 += f[j];
        EXPECT_LE(cos2, 1 + Precision);
        if (tousLesFacteurs && a.masses[j] > 0 && a.distances[j] > 1e-9) {
            EXPECT_NEAR(cos2, 1, 1e-7);
        }
    }
}

} // namespace

// Two blocks {rows 0-1, columns 0-1} and {row 2, column 2}: the split of the blocks is a factor of
// eigenvalue 1, with coordinates sqrt(0.2/0.8) and -sqrt(0.8/0.2) (signed so that 2 is positive); inside
// the first block the 2 × 2 table [[6, 2], [2, 6]] gives the second factor, of eigenvalue 0.25, whose
// columns lie at ± sqrt(1.25) / 2 (half their chi-square distance). Worked by hand.
TEST(AnalyseAFC, TableauTroisSurTroisCalculeALaMain) {
    const AnalyseAFC a = Analyse(Tableau({{6, 2, 0}, {2, 6, 0}, {0, 0, 4}}));
    ASSERT_EQ(a.NbFacteurs(), 2);
    EXPECT_NEAR(a.valeursPropres[0], 1, Precision);
    EXPECT_NEAR(a.valeursPropres[1], 0.25, Precision);
    const double g2 = std::sqrt(1.25) / 2;
    const double attendu[2][3] = {{-0.5, -0.5, 2}, {g2, -g2, 0}};
    for (int k = 0; k < 2; ++k)
        for (int j = 0; j < 3; ++j)
            EXPECT_NEAR(a.coordonnees[static_cast<size_t>(k)][static_cast<size_t>(j)], attendu[k][j],
                        Precision);
    EXPECT_EQ(a.masses, (std::vector<double>{0.4, 0.4, 0.2}));
    for (int j = 0; j < 3; ++j)
        EXPECT_NEAR(a.distances[static_cast<size_t>(j)],
                    (std::vector<double>{0.5625, 0.5625, 4})[static_cast<size_t>(j)], Precision);
    EXPECT_NEAR(a.contributions[0][2], 0.8, Precision);
    EXPECT_NEAR(a.contributions[1][0], 0.5, Precision);
    EXPECT_NEAR(a.cosinus2[0][0], 0.25 / 0.5625, Precision);
    EXPECT_NEAR(a.cosinus2[1][1], 0.3125 / 0.5625, Precision);
    EXPECT_NEAR(a.inertieTotale, 1.25, Precision);
    EXPECT_EQ(t3::TexteValeursPropres(a), "2\n1000000\n250000\n");
}

// Three blocks of different masses: eigenvalue 1 twice; rows identical within a block leave no other
// factor (the zero eigenvalue is dropped).
TEST(AnalyseAFC, BlocsDiagonaux) {
    const AnalyseAFC a =
        Analyse(Tableau({{5, 3, 0, 0, 0}, {10, 6, 0, 0, 0}, {0, 0, 7, 0, 0}, {0, 0, 0, 2, 9}}));
    ASSERT_EQ(a.NbFacteurs(), 2);
    EXPECT_NEAR(a.valeursPropres[0], 1, Precision);
    EXPECT_NEAR(a.valeursPropres[1], 1, Precision);
    VerifieIdentites(a, true);
}

// A two-column table has one factor, of eigenvalue phi² = chi² / n; each column lies at its
// chi-square distance from the centroid (cos² 1).
TEST(AnalyseAFC, DeuxColonnesPhiDeux) {
    // [[30, 10], [10, 30]]: phi² = (ad - bc)² / (row and column totals) = 800² / 40⁴ = 0.25; columns at ±0.5.
    const AnalyseAFC a = Analyse(Tableau({{30, 10}, {10, 30}}));
    ASSERT_EQ(a.NbFacteurs(), 1);
    EXPECT_NEAR(a.valeursPropres[0], 0.25, Precision);
    EXPECT_NEAR(a.coordonnees[0][0], 0.5, Precision); // equal in absolute value: the first is positive
    EXPECT_NEAR(a.coordonnees[0][1], -0.5, Precision);
    EXPECT_EQ(t3::TexteFacteurs(a), "2 1\nP 0 0.5 0.25 500 50 1\nP 1 0.5 0.25 -500 50 1\n");
    // [[10, 0], [5, 5], [0, 10]]: each expected count is 5, chi² = 4 × 25 / 5 = 20, phi² = 20 / 30.
    const AnalyseAFC b = Analyse(Tableau({{10, 0}, {5, 5}, {0, 10}}));
    ASSERT_EQ(b.NbFacteurs(), 1);
    EXPECT_NEAR(b.valeursPropres[0], 2.0 / 3, Precision);
    EXPECT_NEAR(b.coordonnees[0][0], std::sqrt(2.0 / 3), Precision);
    EXPECT_NEAR(b.cosinus2[0][1], 1, Precision);
}

TEST(AnalyseAFC, TablesAleatoiresContreJacobi) {
    std::mt19937 alea(150415);
    // More rows than columns (the columns' side), more columns than rows (the rows' side), a square one.
    const std::pair<size_t, size_t> tailles[] = {{40, 6}, {70, 13}, {6, 17}, {9, 9}, {3, 25}};
    for (const auto& [lignes, colonnes] : tailles) {
        SCOPED_TRACE(std::to_string(lignes) + " x " + std::to_string(colonnes));
        const auto n = TableAleatoire(alea, lignes, colonnes);
        const AnalyseAFC a = Analyse(Tableau(n));
        const Reference ref = AnalyseDeReference(n);
        EXPECT_EQ(a.valeursPropres.size(), ref.valeurs.size());
        CompareAvecReference(a, ref, std::min(a.valeursPropres.size(), ref.valeurs.size()));
        VerifieIdentites(a, true);
    }
}

// An empty column (a part with no form kept) is written with zeros and leaves the others as without it.
TEST(AnalyseAFC, ColonneVide) {
    std::mt19937 alea(7);
    auto n = TableAleatoire(alea, 30, 6);
    auto avecVide = n;
    for (auto& ligne : avecVide)
        ligne.insert(ligne.begin() + 2, 0);
    const AnalyseAFC a = Analyse(Tableau(n)), b = Analyse(Tableau(avecVide));
    ASSERT_EQ(a.NbFacteurs(), b.NbFacteurs());
    for (size_t k = 0; k < a.valeursPropres.size(); ++k) {
        EXPECT_NEAR(a.valeursPropres[k], b.valeursPropres[k], Precision);
        EXPECT_EQ(b.coordonnees[k][2], 0);
        EXPECT_EQ(b.contributions[k][2], 0);
        EXPECT_NEAR(a.coordonnees[k][3], b.coordonnees[k][4], Precision);
    }
    EXPECT_EQ(b.masses[2], 0);
    EXPECT_EQ(b.distances[2], 0);
}

// The truncated solver finds the leading factors that the dense one finds, on both sides of the table.
TEST(AnalyseAFC, SolveursDenseEtTronqueDAccord) {
    std::mt19937 alea(2000);
    const std::pair<size_t, size_t> tailles[] = {{120, 45}, {40, 150}};
    for (const auto& [lignes, colonnes] : tailles) {
        SCOPED_TRACE(std::to_string(lignes) + " x " + std::to_string(colonnes));
        const TableauAFC t = Tableau(TableAleatoire(alea, lignes, colonnes));
        const AnalyseAFC dense = Analyse(t, MethodeAFC::Complete);
        const AnalyseAFC tronquee = Analyse(t, MethodeAFC::Tronquee, 8);
        EXPECT_TRUE(tronquee.tronquee);
        ASSERT_EQ(tronquee.NbFacteurs(), 8);
        for (size_t k = 0; k < 8; ++k) {
            EXPECT_NEAR(tronquee.valeursPropres[k], dense.valeursPropres[k], Precision);
            for (size_t j = 0; j < colonnes; ++j) {
                EXPECT_NEAR(tronquee.coordonnees[k][j], dense.coordonnees[k][j], Precision);
                EXPECT_NEAR(tronquee.cosinus2[k][j], dense.cosinus2[k][j], Precision);
            }
        }
        VerifieIdentites(tronquee, false);
    }
    // The automatic method truncates above its limit.
    t3::OptionsAFC options;
    options.limiteComplete = 20;
    const auto a = CalculeAFC(Tableau(TableAleatoire(alea, 60, 30)), options);
    ASSERT_TRUE(a);
    EXPECT_TRUE(a->tronquee);
    EXPECT_EQ(a->NbFacteurs(), 10);
}

// On a side too small for it, or where its iteration breaks down, the truncated solver gives way to the
// dense decomposition: the leading factors asked for, never an eigenvalue above 1 (a 2 x 2 table once
// gave 125).
TEST(AnalyseAFC, TronqueeSurUnPetitTableau) {
    const TableauAFC t = Tableau({{123457, 1}, {3, 70}});
    const AnalyseAFC dense = Analyse(t), tronquee = Analyse(t, MethodeAFC::Tronquee, 3);
    ASSERT_EQ(tronquee.NbFacteurs(), 1);
    EXPECT_NEAR(tronquee.valeursPropres[0], dense.valeursPropres[0], Precision);
    EXPECT_LE(tronquee.valeursPropres[0], 1);
    std::mt19937 alea(3);
    EXPECT_EQ(Analyse(Tableau(TableAleatoire(alea, 30, 20)), MethodeAFC::Tronquee, 4).NbFacteurs(), 4);
}

TEST(AnalyseAFC, TableauxSansFacteur) {
    EXPECT_FALSE(CalculeAFC(Tableau({{1, 2, 3}})));      // one row
    EXPECT_FALSE(CalculeAFC(Tableau({{1, 0}, {2, 0}}))); // one non-empty column
    EXPECT_FALSE(CalculeAFC(Tableau({{1, 2}, {2, 4}}))); // proportional rows: no factor
}

namespace {

const char CoranDonTroisParties[] =
    "essai\r\n   3   3   5   1   0\r\n   0   1   2\r\n111\r\n(6x,5A4,3F5.0)\r\n"
    "    0 a                       6    2    0\r\n"
    "    1 b                       2    6    0\r\n"
    "    2 c                       0    0    4\r\n"
    "   2   0   0   4 150   0   0\r\n";

int Lance(const std::filesystem::path& dossier, const std::string& programme, std::string& erreurs) {
    const std::string commande = "cd '" + dossier.string() + "' && '" + programme + "' 2> erreurs.txt";
    const int statut = std::system(commande.c_str());
    erreurs = t3test::LitFichier(dossier / "erreurs.txt");
    return WIFEXITED(statut) ? WEXITSTATUS(statut) : -1;
}

const std::string Ts3afc = std::string(T3_BIN_DIR) + "/ts3afc";

} // namespace

// ts3afc in its folder: the files the factor plot reads, in its scales (coordinates × 1000, contributions
// in percent, eigenvalues × 10⁶); an inconsistent "coran.don" gives status 2, the French message, and
// no result file (not even one left from an earlier run).
TEST(Ts3afc, EcritLesFichiersDuGraphique) {
    t3test::DossierTemporaire dossier;
    const auto& d = dossier.Chemin();
    t3test::EcritFichier(d / "coran.don", CoranDonTroisParties);
    std::string erreurs;
    ASSERT_EQ(Lance(d, Ts3afc, erreurs), 0) << erreurs;
    const auto lu = t3::LitResultatsAFC(d.string());
    ASSERT_TRUE(lu) << lu.Message();
    const t3::TListePoints& p = lu->points;
    ASSERT_EQ(p.NbPoints(), 3);
    ASSERT_EQ(p.NbFacteurs(), 2);
    EXPECT_NEAR(p.Coordonnee(0, 2), 2000, 1e-6);
    EXPECT_NEAR(p.Coordonnee(1, 0), 1000 * std::sqrt(1.25) / 2, 1e-6);
    EXPECT_NEAR(p.Contribution(0, 2), 80, 1e-7);
    EXPECT_NEAR(p.Cosinus2(0, 2), 1, 1e-9);
    EXPECT_EQ(p.Masse(2), 0.2);
    EXPECT_EQ(lu->valeursPropres, (std::vector<int64_t>{1000000, 250000}));

    std::string faux = CoranDonTroisParties;
    faux.replace(faux.find("   0    0    4\r\n"), 16, "  -1    0    4\r\n");
    t3test::EcritFichier(d / "coran.don", faux);
    EXPECT_EQ(Lance(d, Ts3afc, erreurs), 2);
    EXPECT_NE(
        erreurs.find("ts3afc : Le fichier « coran.don » est incorrect : ligne 8 : la colonne 1 tient un "
                     "effectif négatif."),
        std::string::npos)
        << erreurs;
    EXPECT_FALSE(std::filesystem::exists(d / "facteurs.txt"));
    EXPECT_FALSE(std::filesystem::exists(d / "vp.txt"));
    std::filesystem::remove(d / "coran.don");
    EXPECT_EQ(Lance(d, Ts3afc, erreurs), 2);
    EXPECT_NE(erreurs.find("coran.don"), std::string::npos);
}

// A write that fails (a file size limit standing for a full disk, a folder closed to writing): status 2,
// the French message, and no result file left to be read as one, not even part of one.
TEST(Ts3afc, EcritureRateeNeLaisseAucunResultat) {
    t3test::DossierTemporaire dossier;
    const auto& d = dossier.Chemin();
    t3test::EcritFichier(d / "coran.don", CoranDonTroisParties);
    // "vp.txt" (17 bytes) fits, "facteurs.txt" does not: both go, and the earlier run's results too.
    for (const char* nom : {"facteurs.txt", "vp.txt"})
        t3test::EcritFichier(d / nom, "ancien\n");
    const t3test::Fils coupe = t3test::DansUnFils(
        [&] { return t3test::LimiteTailleFichiers(32) ? t3test::ExecuteDans(d, Ts3afc) : 1; });
    EXPECT_EQ(coupe.statut, 2);
    EXPECT_EQ(coupe.erreurs, "ts3afc : Impossible d'écrire le fichier « facteurs.txt » : le fichier dépasse "
                             "la taille permise.\n");
    EXPECT_EQ(t3test::Fichiers(d), std::vector<std::string>{"coran.don"});

    namespace fs = std::filesystem;
    fs::permissions(d, fs::perms::owner_all, fs::perm_options::remove);
    fs::permissions(d, fs::perms::owner_read | fs::perms::owner_exec, fs::perm_options::add);
    const t3test::Fils ferme = t3test::DansUnFils(
        [&] { return t3test::DevientUtilisateurOrdinaire() ? t3test::ExecuteDans(d, Ts3afc) : 1; });
    fs::permissions(d, fs::perms::owner_all, fs::perm_options::add);
    EXPECT_EQ(ferme.statut, 2);
    EXPECT_EQ(ferme.erreurs, "ts3afc : Impossible d'écrire le fichier « vp.txt » : l'accès est refusé.\n");
    EXPECT_EQ(t3test::Fichiers(d), std::vector<std::string>{"coran.don"});
}

// --- Supplementary columns (flag 2): the factors of the active columns alone, the others placed on them.

namespace {

using Table = std::vector<std::vector<int32_t>>;

Table Colonnes(const Table& n, const std::string& drapeaux, char garde) {
    Table r(n.size());
    for (size_t i = 0; i < n.size(); ++i)
        for (size_t j = 0; j < drapeaux.size(); ++j)
            if (drapeaux[j] == garde) r[i].push_back(n[i][j]);
    return r;
}

TableauAFC TableauDrapeaux(const Table& n, const std::string& drapeaux) {
    TableauAFC t = Tableau(n);
    t.drapeaux = drapeaux;
    return t;
}

// A random table of actives + supplementaires columns, the supplementary ones spread among the active
// ones, with rows counted in the supplementary columns only (left out of the analysis), a supplementary
// column twice an active one and one counted only on the rows left out.
Table TableAvecSupplementaires(std::mt19937& alea, size_t lignes, size_t actives, std::string& drapeaux) {
    const Table base = TableAleatoire(alea, lignes, actives);
    const Table supp = TableAleatoire(alea, lignes + 3, 3);
    Table n;
    drapeaux.clear();
    for (size_t i = 0; i < lignes + 3; ++i) {
        std::vector<int32_t> ligne;
        for (size_t j = 0; j < actives; ++j) {
            if (j == 1 || j == actives / 2) ligne.push_back(supp[i][j == 1 ? 0 : 1]);
            ligne.push_back(i < lignes ? base[i][j] : 0);
        }
        ligne.push_back(i < lignes ? 2 * base[i][0] : 0); // twice the first active column
        ligne.push_back(i < lignes ? 0 : 5);              // nothing on the rows analysed
        n.push_back(ligne);
    }
    for (size_t j = 0; j < actives; ++j)
        drapeaux += (j == 1 || j == actives / 2) ? "21" : "1";
    drapeaux += "22";
    return n;
}

// Every active column's results in the analysis with supplementary columns equal those of the active
// columns alone.
void CompareActives(const AnalyseAFC& avec, const AnalyseAFC& seules, const std::string& drapeaux) {
    ASSERT_EQ(avec.NbFacteurs(), seules.NbFacteurs());
    EXPECT_NEAR(avec.inertieTotale, seules.inertieTotale, Precision);
    for (size_t k = 0; k < avec.valeursPropres.size(); ++k)
        EXPECT_NEAR(avec.valeursPropres[k], seules.valeursPropres[k], Precision);
    for (size_t j = 0, a = 0; j < drapeaux.size(); ++j) {
        if (drapeaux[j] != '1') continue;
        EXPECT_FALSE(avec.Supplementaire(j));
        EXPECT_NEAR(avec.masses[j], seules.masses[a], Precision);
        EXPECT_NEAR(avec.distances[j], seules.distances[a], Precision);
        for (size_t k = 0; k < avec.valeursPropres.size(); ++k) {
            EXPECT_NEAR(avec.coordonnees[k][j], seules.coordonnees[k][a], Precision) << k << " " << j;
            EXPECT_NEAR(avec.contributions[k][j], seules.contributions[k][a], Precision);
            EXPECT_NEAR(avec.cosinus2[k][j], seules.cosinus2[k][a], Precision);
        }
        ++a;
    }
}

// The supplementary columns computed here from the Jacobi analysis of the active columns: the rows'
// standard coordinates by the transition formula from the columns' (a_ik = sum_j n_ij g_jk / n_i. / l_k),
// then each supplementary column as the mean of a_ik weighted by its profile over the rows analysed.
void CompareSupplementaires(const AnalyseAFC& a, const Table& n, const std::string& drapeaux,
                            size_t facteurs) {
    const Table actives = Colonnes(n, drapeaux, '1');
    const Reference ref = AnalyseDeReference(actives);
    std::vector<double> marge(n.size(), 0.0);
    double total = 0;
    for (size_t i = 0; i < n.size(); ++i)
        for (const int32_t x : actives[i])
            marge[i] += x, total += x;
    for (size_t j = 0; j < drapeaux.size(); ++j) {
        if (drapeaux[j] != '2') continue;
        SCOPED_TRACE("colonne supplémentaire " + std::to_string(j));
        EXPECT_TRUE(a.Supplementaire(j));
        double compte = 0, distance = 0;
        for (size_t i = 0; i < n.size(); ++i)
            if (marge[i] > 0) compte += n[i][j];
        for (size_t i = 0; i < n.size(); ++i)
            if (marge[i] > 0 && compte > 0)
                distance += std::pow(n[i][j] / compte - marge[i] / total, 2) / (marge[i] / total);
        EXPECT_NEAR(a.masses[j], compte / total, Precision);
        EXPECT_NEAR(a.distances[j], distance, Precision);
        for (size_t k = 0; k < facteurs; ++k) {
            double g = 0;
            for (size_t i = 0; i < n.size(); ++i) {
                if (marge[i] <= 0 || compte <= 0) continue;
                double standard = 0;
                for (size_t c = 0; c < actives[i].size(); ++c)
                    standard += actives[i][c] * ref.coord[k][c];
                g += n[i][j] / compte * standard / marge[i] / ref.valeurs[k];
            }
            EXPECT_NEAR(a.coordonnees[k][j], g, Precision) << "facteur " << k + 1;
            EXPECT_EQ(a.contributions[k][j], 0);
            EXPECT_NEAR(a.cosinus2[k][j], distance > 0 ? g * g / distance : 0, Precision);
        }
    }
}

} // namespace

// Dense path, on the columns' side and on the rows' side: the active columns as without the others; the
// supplementary ones against the transition formula worked here; a column twice an active one lies on
// it; one with nothing on the rows analysed lies at 0.
TEST(AnalyseAFC, ColonnesSupplementairesDense) {
    std::mt19937 alea(4141);
    const std::pair<size_t, size_t> tailles[] = {{40, 6}, {7, 12}, {25, 2}};
    for (const auto& [lignes, nbActives] : tailles) {
        SCOPED_TRACE(std::to_string(lignes) + " x " + std::to_string(nbActives));
        std::string drapeaux;
        const Table n = TableAvecSupplementaires(alea, lignes, nbActives, drapeaux);
        const AnalyseAFC avec = Analyse(TableauDrapeaux(n, drapeaux));
        const AnalyseAFC seules = Analyse(Tableau(Colonnes(n, drapeaux, '1')));
        CompareActives(avec, seules, drapeaux);
        CompareSupplementaires(avec, n, drapeaux, avec.valeursPropres.size());
        const size_t double_ = drapeaux.size() - 2, vide = drapeaux.size() - 1;
        EXPECT_NEAR(avec.masses[double_], 2 * avec.masses[0], Precision);
        EXPECT_NEAR(avec.distances[double_], avec.distances[0], Precision);
        for (size_t k = 0; k < avec.valeursPropres.size(); ++k) {
            EXPECT_NEAR(avec.coordonnees[k][double_], avec.coordonnees[k][0], Precision);
            EXPECT_EQ(avec.coordonnees[k][vide], 0);
        }
        EXPECT_EQ(avec.masses[vide], 0);
        const std::string texte = t3::TexteFacteurs(avec);
        EXPECT_NE(texte.find("\nS 1 "), std::string::npos);
        EXPECT_NE(texte.find("\nP 0 "), std::string::npos);
    }
}

// Truncated path, on both sides: the same leading factors for the active columns as without the others,
// and the supplementary columns where the dense path puts them.
TEST(AnalyseAFC, ColonnesSupplementairesTronquee) {
    std::mt19937 alea(77);
    const std::pair<size_t, size_t> tailles[] = {{120, 45}, {40, 150}};
    for (const auto& [lignes, nbActives] : tailles) {
        SCOPED_TRACE(std::to_string(lignes) + " x " + std::to_string(nbActives));
        std::string drapeaux;
        const Table n = TableAvecSupplementaires(alea, lignes, nbActives, drapeaux);
        const AnalyseAFC avec = Analyse(TableauDrapeaux(n, drapeaux), MethodeAFC::Tronquee, 6);
        ASSERT_TRUE(avec.tronquee);
        ASSERT_EQ(avec.NbFacteurs(), 6);
        CompareActives(avec, Analyse(Tableau(Colonnes(n, drapeaux, '1')), MethodeAFC::Tronquee, 6), drapeaux);
        const AnalyseAFC dense = Analyse(TableauDrapeaux(n, drapeaux));
        for (size_t j = 0; j < drapeaux.size(); ++j) {
            EXPECT_NEAR(avec.distances[j], dense.distances[j], Precision);
            for (size_t k = 0; k < 6; ++k)
                EXPECT_NEAR(avec.coordonnees[k][j], dense.coordonnees[k][j], Precision) << k << " " << j;
        }
    }
}

// Fewer than two active columns: no analysis.
TEST(AnalyseAFC, MoinsDeDeuxColonnesActives) {
    for (const char* drapeaux : {"122", "222"}) {
        const auto a = CalculeAFC(TableauDrapeaux({{6, 2, 1}, {2, 6, 3}, {1, 1, 4}}, drapeaux));
        ASSERT_FALSE(a) << drapeaux;
        EXPECT_NE(a.Message().find("Au moins deux parties actives"), std::string::npos) << a.Message();
    }
    EXPECT_TRUE(CalculeAFC(TableauDrapeaux({{6, 2, 1}, {2, 6, 3}, {1, 1, 4}}, "121")));
}

namespace {

// "coran.don" of a table, as the workbench writes it.
std::string CoranDon(const Table& n, const std::string& drapeaux) {
    const size_t m = n[0].size();
    char champ[64];
    std::string t = "essai\r\n";
    std::snprintf(champ, sizeof champ, "%4zu%4zu   5   1   0\r\n", n.size(), m);
    t += champ;
    for (size_t j = 0; j < m; ++j) {
        std::snprintf(champ, sizeof champ, "%4zu", j);
        t += champ;
    }
    ((t += "\r\n") += drapeaux) += "\r\n(6x,5A4,";
    (t += std::to_string(m)) += "F5.0)\r\n";
    for (size_t i = 0; i < n.size(); ++i) {
        std::snprintf(champ, sizeof champ, "%5zu f%-19zu", i, i);
        t += champ;
        for (const int32_t x : n[i]) {
            std::snprintf(champ, sizeof champ, "%5d", x);
            t += champ;
        }
        t += "\r\n";
    }
    std::snprintf(champ, sizeof champ, "%4zu   0   0   4 150   0   0\r\n", m - 1);
    return t + champ;
}

t3::ResultatsAFC LanceSur(const std::filesystem::path& d, const std::string& coranDon) {
    t3test::EcritFichier(d / "coran.don", coranDon);
    std::string erreurs;
    EXPECT_EQ(Lance(d, Ts3afc, erreurs), 0) << erreurs;
    auto lu = t3::LitResultatsAFC(d.string());
    EXPECT_TRUE(lu) << lu.Message();
    return lu ? std::move(*lu) : t3::ResultatsAFC{};
}

} // namespace

// ts3afc with parts flagged 2: the active parts' lines as ts3afc gives them without the others, the
// supplementary parts marked S; with fewer than two active parts, status 2, the message and no result.
TEST(Ts3afc, PartiesSupplementaires) {
    t3test::DossierTemporaire dossier;
    const auto& d = dossier.Chemin();
    std::mt19937 alea(12);
    std::string drapeaux;
    const Table n = TableAvecSupplementaires(alea, 30, 5, drapeaux);
    const t3::ResultatsAFC avec = LanceSur(d, CoranDon(n, drapeaux));
    const Table actives = Colonnes(n, drapeaux, '1');
    const t3::ResultatsAFC seules = LanceSur(d, CoranDon(actives, std::string(actives[0].size(), '1')));
    const t3::TListePoints &p = avec.points, &q = seules.points;
    ASSERT_EQ(p.NbPoints(), static_cast<int32_t>(drapeaux.size()));
    ASSERT_EQ(p.NbFacteurs(), q.NbFacteurs());
    EXPECT_EQ(avec.valeursPropres, seules.valeursPropres);
    for (int32_t j = 0, a = 0; j < p.NbPoints(); ++j) {
        EXPECT_EQ(p.Marque(j), drapeaux[static_cast<size_t>(j)] == '1' ? 'P' : 'S') << j;
        if (drapeaux[static_cast<size_t>(j)] != '1') continue;
        EXPECT_NEAR(p.Masse(j), q.Masse(a), Precision);
        EXPECT_NEAR(p.Distance(j), q.Distance(a), Precision);
        for (int32_t k = 0; k < p.NbFacteurs(); ++k) {
            EXPECT_NEAR(p.Coordonnee(k, j) / 1000, q.Coordonnee(k, a) / 1000, Precision);
            EXPECT_NEAR(p.Contribution(k, j) / 100, q.Contribution(k, a) / 100, Precision);
            EXPECT_NEAR(p.Cosinus2(k, j), q.Cosinus2(k, a), Precision);
        }
        ++a;
    }
    const AnalyseAFC attendue = Analyse(TableauDrapeaux(n, drapeaux));
    EXPECT_NEAR(p.Coordonnee(0, 1) / 1000, attendue.coordonnees[0][1], Precision);

    std::string uneActive(drapeaux.size(), '2');
    uneActive[0] = '1';
    for (const std::string& faux : {uneActive, std::string(drapeaux.size(), '2')}) {
        t3test::EcritFichier(d / "coran.don", CoranDon(n, faux));
        std::string erreurs;
        EXPECT_EQ(Lance(d, Ts3afc, erreurs), 2);
        EXPECT_NE(erreurs.find("ts3afc : Au moins deux parties actives (drapeau 1) sont nécessaires"),
                  std::string::npos)
            << erreurs;
        EXPECT_FALSE(std::filesystem::exists(d / "facteurs.txt"));
        EXPECT_FALSE(std::filesystem::exists(d / "vp.txt"));
    }
}
