// The factor plane: the scale against the formula computed here, the safe scale of an axis whose points
// share one value, the ticks and their alternation, the label boxes kept in the plane and those under a
// rectangle, the choice of the axes,
// the three mouse rules, the brush and the colour grid on the flags of a real partition, the labels, the
// cells of the factor table and the report texts byte for byte.
#include "engine/afc/PlanFactoriel.h"

#include "engine/corpus/Partition.h"
#include "stats/BaseDeTest.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>

using t3::EchellePlan;
using t3::Etendue;
using t3::Partition;
using t3test::BaseDeTest;

namespace {

// The scale as written: (W - 30) (x - least) / (greatest - least), truncated.
int32_t ColonneAttendue(double x, Etendue e, int32_t largeur) {
    return static_cast<int32_t>((largeur - 30) * (x - e.min) / (e.max - e.min));
}
int32_t RangeeAttendue(double y, Etendue e, int32_t hauteur) {
    return static_cast<int32_t>((hauteur - 30) * (e.max - y) / (e.max - e.min));
}

// Four authors a, b, c, d.
const char* const TexteQuatreParties = "<auteur=a>\nx y\n<auteur=b>\nx z\n<auteur=c>\ny z\n<auteur=d>\nx\n";

std::vector<int32_t> Drapeaux(const Partition& p, bool (Partition::*drapeau)(int32_t) const) {
    std::vector<int32_t> oui;
    for (int32_t i = 0; i < p.NbParties(); ++i)
        if ((p.*drapeau)(i)) oui.push_back(i);
    return oui;
}
std::vector<int32_t> Selection(const Partition& p) {
    return Drapeaux(p, &Partition::Selection);
}
std::vector<int32_t> Reference(const Partition& p) {
    return Drapeaux(p, &Partition::Reference);
}

t3::TListePoints Points(std::string_view texte) {
    auto lu = t3::LitTexteFacteurs(texte);
    EXPECT_TRUE(lu) << lu.Message();
    return lu ? *lu : t3::TListePoints();
}

} // namespace

TEST(PlanFactoriel, EchelleSelonLaFormule) {
    const Etendue ex{-137.25, 412.5}, ey{-53, 211.75};
    const EchellePlan echelle(ex, ey, 731, 517);
    for (const double x : {-137.25, -100.0, -1.0, 0.0, 0.4, 49.9, 50.0, 333.3, 412.5})
        EXPECT_EQ(echelle.Colonne(x), ColonneAttendue(x, ex, 731)) << x;
    for (const double y : {-53.0, -0.5, 0.0, 100.0, 211.75})
        EXPECT_EQ(echelle.Rangee(y), RangeeAttendue(y, ey, 517)) << y;
    // The extremes at the corners; a value just outside the least is truncated towards zero, not down.
    EXPECT_EQ(echelle.Colonne(412.5), 701);
    EXPECT_EQ(echelle.Rangee(211.75), 0);
    EXPECT_EQ(echelle.Rangee(-53), 487);
    const EchellePlan carre({0, 400}, {0, 400}, 430, 430);
    EXPECT_EQ(carre.Colonne(-0.5), 0);
    EXPECT_EQ(carre.Colonne(-1.5), -1);

    const Etendue lues = t3::EtendueValeurs(std::vector<double>{3, -7.5, 12, 0});
    EXPECT_EQ(lues.min, -7.5);
    EXPECT_EQ(lues.max, 12);
}

TEST(PlanFactoriel, EchelleSureQuandLesPointsSontEgaux) {
    // Every point at x = 7: the axis spans 7 ± 50, the points in the middle, 0 just left of them.
    const EchellePlan egaux({7, 7}, {-10, 10}, 230, 230);
    EXPECT_EQ(egaux.Colonne(7), 100);
    EXPECT_EQ(egaux.Colonne(0), ColonneAttendue(0, {-43, 57}, 230));
    EXPECT_EQ(egaux.EtendueX().min, -43);
    // Extremes so far apart that their difference overflows, a value far beyond them, a plane smaller
    // than its margin: pixels stay finite and bounded.
    const double grand = std::numeric_limits<double>::max();
    const EchellePlan immense({-grand, grand}, {grand, grand}, 430, 10);
    EXPECT_EQ(immense.Colonne(0), 200);
    EXPECT_EQ(immense.Colonne(grand), 400);
    EXPECT_EQ(immense.Rangee(grand), 0);
    EXPECT_EQ(immense.Rangee(-grand), 0);
    const EchellePlan loin({0, 1e-300}, {0, 1}, 430, 430);
    EXPECT_EQ(loin.Colonne(1e10), 1'000'000);
    // No tick when they would stand closer than 2 pixels (the huge axis would otherwise loop forever).
    const auto traits = t3::TraitsAxes(immense, 430, 10);
    EXPECT_EQ(traits.size(), 2u);
}

TEST(PlanFactoriel, GraduationsAlterneesDansChaqueSens) {
    const auto g = t3::Graduations({-120, 260}, 10);
    const std::vector<std::pair<double, bool>> attendues = {
        {50, false}, {100, true}, {150, false}, {200, true}, {250, false}, {-50, false}, {-100, true}};
    ASSERT_EQ(g.size(), attendues.size());
    for (size_t i = 0; i < g.size(); ++i) {
        EXPECT_EQ(g[i].valeur, attendues[i].first) << i;
        EXPECT_EQ(g[i].longue, attendues[i].second) << i;
    }
    // Strictly within the extremes: none at 100 nor at -50 here.
    EXPECT_EQ(t3::Graduations({-50, 100}, 10).size(), 1u);
    EXPECT_TRUE(t3::Graduations({-120, 260}, 1.9).empty());
    // 0 far outside the extremes: only the ticks within them, alternating as counted from 0 (tick
    // 155,399,999 is short). A single point at 7.77e9 spans 7.77e9 ± 50: found by fuzzing, the ticks
    // from 50 up to it once filled the memory.
    const auto loin = t3::Graduations({7.77e9 - 50, 7.77e9 + 50}, 10);
    ASSERT_EQ(loin.size(), 2u);
    EXPECT_EQ(loin[0].valeur, 7769999950);
    EXPECT_FALSE(loin[0].longue);
    EXPECT_TRUE(loin[1].longue);
    const auto negatifs = t3::Graduations({-260, -120}, 10);
    ASSERT_EQ(negatifs.size(), 3u);
    EXPECT_EQ(negatifs[0].valeur, -150);
    EXPECT_FALSE(negatifs[0].longue);
    EXPECT_EQ(negatifs[2].valeur, -250);
    // Values so far that a step of 50 is below their rounding: the walk still ends.
    EXPECT_LE(t3::Graduations({1e18, 1e18 + 1024}, 10).size(), 24u);
    const EchellePlan seul({7.77e9, 7.77e9}, {0.4, 0.4}, 800, 600);
    EXPECT_EQ(t3::TraitsAxes(seul, 800, 600).size(), 2u + 2u + 1u);
    EXPECT_TRUE(t3::Graduations({-120, 260}, std::nan("")).empty());
}

// A label box starts at its point, text + 7 pixels each way; one that would cross the right or bottom
// edge of the plane (a long name at the greatest x, a tall one at the least y) is moved in just enough,
// the scale unchanged.
TEST(PlanFactoriel, BoitesDesEtiquettesDansLePlan) {
    // 200 x 200 pixels of points in a plane of 230 x 230: 0 at column 100 and row 140.
    const EchellePlan echelle({-100, 100}, {-60, 140}, 230, 230);
    const auto egale = [](const t3::Boite& b, std::array<int32_t, 4> a) {
        return b.x == a[0] && b.y == a[1] && b.largeur == a[2] && b.hauteur == a[3];
    };
    EXPECT_TRUE(egale(t3::BoiteEtiquette(echelle, 0, 0, 20, 10), {100, 140, 27, 17}));
    // The corner of the greatest x and least y, at (200, 200): a short label holds in the margin, a long
    // or tall one ends at the edge.
    EXPECT_TRUE(egale(t3::BoiteEtiquette(echelle, 100, -60, 23, 23), {200, 200, 30, 30}));
    EXPECT_TRUE(egale(t3::BoiteEtiquette(echelle, 100, -60, 40, 10), {183, 200, 47, 17}));
    EXPECT_TRUE(egale(t3::BoiteEtiquette(echelle, 0, -60, 20, 33), {100, 190, 27, 40}));
    // Larger than the plane: at its left or top edge; so is a point just beyond the least x (column -1).
    EXPECT_TRUE(egale(t3::BoiteEtiquette(echelle, 100, 140, 300, 250), {0, 0, 307, 257}));
    EXPECT_EQ(t3::BoiteEtiquette(echelle, -101, 0, 5, 5).x, 0);
}

TEST(PlanFactoriel, AxesEtTraitsDesGraduations) {
    // x from -100 to 100 over 200 pixels, y from -50 to 150 over 200: 0 at column 100 and row 150.
    const EchellePlan echelle({-100, 100}, {-60, 140}, 230, 230);
    const auto traits = t3::TraitsAxes(echelle, 230, 230);
    const int32_t c0 = 100, r0 = 140;
    ASSERT_EQ(traits.size(), 2u + 2u + 3u);
    auto egal = [](const t3::Trait& t, std::array<int32_t, 4> a) {
        return t.x1 == a[0] && t.y1 == a[1] && t.x2 == a[2] && t.y2 == a[3];
    };
    EXPECT_TRUE(egal(traits[0], {c0, 0, c0, 230}));
    // x = 50 short (3 below), x = -50 short: ticks of 50 units are 50 pixels.
    EXPECT_TRUE(egal(traits[1], {150, r0, 150, r0 + 3}));
    EXPECT_TRUE(egal(traits[2], {50, r0, 50, r0 + 3}));
    EXPECT_TRUE(egal(traits[3], {0, r0, 230, r0}));
    // y = 50 short (3 right), y = 100 long (3 left to 3 right), y = -50 short.
    EXPECT_TRUE(egal(traits[4], {c0, 90, c0 + 3, 90}));
    EXPECT_TRUE(egal(traits[5], {c0 - 3, 40, c0 + 3, 40}));
    EXPECT_TRUE(egal(traits[6], {c0, 190, c0 + 3, 190}));
}

TEST(PlanFactoriel, BoitesSousUnRectangle) {
    const t3::Rectangle r = t3::Normalise(40, 40, 30, 20);
    EXPECT_EQ(r.gauche, 30);
    EXPECT_EQ(r.haut, 20);
    EXPECT_EQ(r.droite, 40);
    EXPECT_EQ(r.bas, 40);
    const std::vector<t3::Boite> boites = {
        {10, 10, 20, 10}, // its bottom-right corner touches the rectangle's top-left: it meets it
        {41, 25, 5, 5},   // one pixel to the right
        {35, 41, 5, 5},   // one pixel below
        {0, 0, 100, 100}, // around the rectangle
        {32, 22, 2, 2},   // inside
        {5, 25, 24, 5},   // one pixel short on the left
    };
    EXPECT_EQ(t3::BoitesPrises(boites, r), (std::vector<int32_t>{0, 3, 4}));
    // A click (an empty rectangle) on a box picks it.
    EXPECT_EQ(t3::BoitesPrises(boites, t3::Normalise(33, 23, 33, 23)), (std::vector<int32_t>{3, 4}));
    // Boxes at the edge of the pixels' range do not wrap round.
    EXPECT_FALSE(t3::Rencontre({std::numeric_limits<int32_t>::max(), 0, 10, 10}, t3::Normalise(0, 0, 5, 5)));
}

TEST(PlanFactoriel, ChoixDesAxes) {
    t3::TListePoints points = Points("2 3\nP 0 1 1 1 2 3 0 0 0 0 0 0\nP 1 1 1 4 5 6 0 0 0 0 0 0\n");
    ASSERT_EQ(points.AxeX(), 0);
    ASSERT_EQ(points.AxeY(), 1);
    // The factor shown vertically, chosen for the horizontal axis: both stay.
    EXPECT_FALSE(t3::ChoisitAxeX(points, 1));
    EXPECT_EQ(points.AxeX(), 0);
    EXPECT_EQ(points.AxeY(), 1);
    EXPECT_FALSE(t3::ChoisitAxeY(points, 0));
    EXPECT_EQ(points.AxeY(), 1);
    EXPECT_TRUE(t3::ChoisitAxeX(points, 2));
    EXPECT_EQ(points.X()[1], 6);
    EXPECT_TRUE(t3::ChoisitAxeY(points, 0));
    EXPECT_EQ(points.Y()[1], 4);
    // Now factor 0 is vertical: the horizontal list cannot take it; nor a factor that does not exist.
    EXPECT_FALSE(t3::ChoisitAxeX(points, 0));
    EXPECT_FALSE(t3::ChoisitAxeX(points, 3));
    EXPECT_EQ(points.AxeX(), 2);
}

TEST(PlanFactoriel, GestesDeLaSourisSurLesDrapeaux) {
    BaseDeTest b(TexteQuatreParties);
    ASSERT_TRUE(b.Prete());
    Partition p(&b.Base(), b.Entree("auteur"));
    ASSERT_EQ(p.NbParties(), 4);
    const std::vector<int32_t> tout = {0, 1, 2, 3};
    // Every part starts in the reference set, none selected.
    ASSERT_EQ(Reference(p), tout);

    // Right button: parts 1 and 2 leave the reference set; again on 2 and 3: 2 comes back, 3 leaves.
    t3::GesteSouris droit;
    droit.gauche = false;
    t3::AppliqueGeste(p, std::vector<int32_t>{1, 2}, droit);
    EXPECT_EQ(Reference(p), (std::vector<int32_t>{0, 3}));
    // Left button: exactly the parts picked are selected, and back in the reference set.
    t3::AppliqueGeste(p, std::vector<int32_t>{1}, {});
    EXPECT_EQ(Selection(p), (std::vector<int32_t>{1}));
    EXPECT_EQ(Reference(p), (std::vector<int32_t>{0, 1, 3}));
    t3::AppliqueGeste(p, std::vector<int32_t>{0, 3}, {});
    EXPECT_EQ(Selection(p), (std::vector<int32_t>{0, 3}));
    // Control: the parts picked are added.
    t3::GesteSouris ajout;
    ajout.controle = true;
    t3::AppliqueGeste(p, std::vector<int32_t>{2}, ajout);
    EXPECT_EQ(Selection(p), (std::vector<int32_t>{0, 2, 3}));
    EXPECT_EQ(Reference(p), tout);
    // A right click on a selected part takes it out of the reference set and of the selection.
    t3::AppliqueGeste(p, std::vector<int32_t>{3}, droit);
    EXPECT_EQ(Selection(p), (std::vector<int32_t>{0, 2}));
    EXPECT_EQ(Reference(p), (std::vector<int32_t>{0, 1, 2}));
    // Nothing picked: Control or the right button change nothing, a plain left release clears the
    // selection only.
    t3::AppliqueGeste(p, {}, ajout);
    t3::AppliqueGeste(p, {}, droit);
    EXPECT_EQ(Selection(p), (std::vector<int32_t>{0, 2}));
    t3::AppliqueGeste(p, {}, {});
    EXPECT_TRUE(Selection(p).empty());
    EXPECT_EQ(Reference(p), (std::vector<int32_t>{0, 1, 2}));

    // The brush colours, whatever the button, and leaves the flags alone.
    t3::GesteSouris pinceau;
    pinceau.pinceau = true;
    pinceau.gauche = false;
    pinceau.couleur = t3::CouleurRGB(255, 0, 0);
    t3::AppliqueGeste(p, std::vector<int32_t>{1, 3, 7}, pinceau);
    EXPECT_EQ(p.CouleurPartie(1), t3::CouleurRGB(255, 0, 0));
    EXPECT_EQ(p.CouleurPartie(0), Partition::CouleurInitiale);
    EXPECT_EQ(Reference(p), (std::vector<int32_t>{0, 1, 2}));

    // The colour grid: exactly the red parts are selected, and put in the reference set.
    p.SetSelection(0, true);
    t3::SelectionneCouleur(p, t3::CouleurRGB(255, 0, 0));
    EXPECT_EQ(Selection(p), (std::vector<int32_t>{1, 3}));
    EXPECT_EQ(Reference(p), tout);
    t3::SelectionneCouleur(p, t3::CouleurRGB(0, 255, 0));
    EXPECT_TRUE(Selection(p).empty());
}

TEST(PlanFactoriel, EtiquettesEtTableDesFacteurs) {
    BaseDeTest b(TexteQuatreParties);
    ASSERT_TRUE(b.Prete());
    const Partition p(&b.Base(), b.Entree("auteur"));
    EXPECT_EQ(t3::EtiquettePoint(p, 2, true), "c");
    EXPECT_EQ(t3::EtiquettePoint(p, 2, false), std::to_string(b.Entree("c")));
    EXPECT_EQ(t3::EtiquettePoint(p, 9, true), "9");

    const t3::TListePoints points = Points("2 2\nP 1 0.12345 2.5 -12.346 7 41.26 3.04 0.8765 -0.001\n"
                                           "P 0 123456789 0.0004 1 2 3 4 5 6\n");
    ASSERT_EQ(t3::NbColonnesFacteurs(points), 9);
    const char* const titres[] = {"Ident.", "Masse", "Distance", "f1", "f2", "f1", "f2", "f1", "f2"};
    for (int32_t c = 0; c < 9; ++c)
        EXPECT_EQ(t3::TitreColonneFacteurs(points, c), titres[c]) << c;
    EXPECT_EQ(t3::TitreColonneFacteurs(points, 9), "");
    // Mass and distance 3 decimals, coordinates 2, first further values 1, second 2.
    const char* const cellules[] = {"0.123", "2.500", "-12.35", "7.00", "41.3", "3.0", "0.88", "0.00"};
    for (int32_t c = 1; c < 9; ++c)
        EXPECT_EQ(t3::TexteCelluleFacteurs(points, 1, c), cellules[c - 1]) << c;
    // Beyond 8 digits before the point, the exponent notation; "-0.00" written "0.00".
    EXPECT_EQ(t3::TexteCelluleFacteurs(points, 0, 1), "1.2345679E+08");
    EXPECT_EQ(t3::TexteCelluleFacteurs(points, 0, 2), "0.000");
    EXPECT_EQ(t3::FormatFixe(-0.001, 2), "0.00");
    // 8 significant digits, then the decimals asked.
    EXPECT_EQ(t3::FormatFixe(1234567.891, 3), "1234567.900");
    EXPECT_EQ(t3::TexteCelluleFacteurs(points, 2, 1), "");
}

TEST(PlanFactoriel, HistogrammeEtTextesDuRapport) {
    const auto barres = t3::BarresHistogramme(std::vector<int64_t>{900, 400, 100});
    ASSERT_EQ(barres.size(), 3u);
    EXPECT_EQ(barres[0].etiquette, "3");
    EXPECT_EQ(barres[0].valeur, 100);
    EXPECT_EQ(barres[2].etiquette, "1");
    EXPECT_EQ(barres[2].valeur, 900);

    t3::EnteteImageAFC e;
    e.titre = "Analyse factorielle des correspondances - auteur";
    e.nomBase = "discours";
    e.dateHeure = "mercredi 9 d\xe9"
                  "cembre 2026 - 15:04";
    e.cleType = "auteur";
    e.nbPoints = 4;
    const std::string table = "<TABLE WIDTH=100% ALIGN=CENTER BORDER=1><TD>Corpus : discours</TD>\n"
                              "<TD>Date : mercredi 9 d\xe9"
                              "cembre 2026 - 15:04</TD>\n"
                              "<TD>Partition = auteur</TD>\n</TABLE>Nombre de parties : 4<br>\n<br>\n";
    EXPECT_EQ(t3::CommentaireImagePlan(e),
              "<CENTER><H3>Analyse factorielle des correspondances - auteur</H3></CENTER><br>" + table);
    EXPECT_EQ(t3::CommentaireImageHistogramme(e),
              "<CENTER><H3>Histogramme des valeurs propres</H3></CENTER><br>" + table);
    EXPECT_EQ(t3::NomImagePlan("auteur", 1), "img-afc-auteur1.jpg");
    EXPECT_EQ(t3::NomImageHistogramme("auteur", 2), "img-afc-vp-auteur2.jpg");
    EXPECT_EQ(t3::NomImagePlan("../t\xeate", 3), "img-afc-.._t_te3.jpg");
    EXPECT_EQ(t3::TitreImagePlan(e.titre, 1), "Analyse factorielle des correspondances - auteur(1)");
    EXPECT_EQ(t3::TitreImageHistogramme(2), "AFC - Histogramme des Valeurs Propres (2)");
    // Names that mean something in HTML are escaped.
    e.cleType = "a&b";
    EXPECT_NE(t3::TableImageAFC(e).find("<TD>Partition = a&amp;b</TD>"), std::string::npos);
}
