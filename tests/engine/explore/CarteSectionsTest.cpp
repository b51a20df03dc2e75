// The section map: its layout against positions worked out by hand and against a plain scan of every
// box, what it computes per section on real bases, and the specificities of chosen sections against a
// count form by form.
#include "AideSegments.h"
#include "stats/BaseDeTest.h"

#include "engine/corpus/Cles.h"
#include "engine/corpus/Partition.h"
#include "engine/corpus/Section.h"
#include "engine/corpus/charg1.h"
#include "engine/explore/CarteSections.h"
#include "engine/explore/DispositionCarte.h"
#include "engine/explore/SpecifsSections.h"
#include "engine/explore/TexteSection.h"
#include "engine/stats/SpecCoefficient.h"

#include <gtest/gtest.h>
#include <random>

using namespace t3;
using namespace t3test;

namespace {

void AttendBoite(const DispositionCarte& carte, int32_t section, int32_t x, int32_t y) {
    const auto boite = carte.Position(section);
    ASSERT_TRUE(boite.has_value()) << section;
    EXPECT_EQ(boite->x, x) << section;
    EXPECT_EQ(boite->y, y) << section;
}

std::vector<int32_t> Numeros(const std::vector<NumeroDeRang>& numeros) {
    std::vector<int32_t> v;
    for (const NumeroDeRang& n : numeros)
        v.insert(v.end(), {n.numero, n.x, n.y});
    return v;
}

} // namespace

// s = 9: boxes step by 11, 2 more after every tenth; rows at y = 5, 16 and 16 + 11 + 2.
TEST(DispositionCarte, CentVingtSectionsEnTroisRangs) {
    const DispositionCarte carte(120, 9);
    EXPECT_EQ(carte.Largeur(), 710);
    EXPECT_EQ(carte.Hauteur(), 98); // floor(2 * 9 * 1.3 + 75)
    AttendBoite(carte, 0, 20, 5);
    AttendBoite(carte, 9, 119, 5);
    AttendBoite(carte, 10, 132, 5);
    AttendBoite(carte, 49, 567, 5);
    AttendBoite(carte, 50, 20, 16);
    AttendBoite(carte, 99, 567, 16);
    AttendBoite(carte, 100, 20, 29);
    AttendBoite(carte, 119, 231, 29);
    EXPECT_FALSE(carte.Position(120).has_value());
    // Numbers past the row (567 + 11 + 2, + 5), 2 pixels above it; none for the short last row.
    EXPECT_EQ(Numeros(carte.NumerosVisibles(0, carte.Hauteur())),
              (std::vector<int32_t>{50, 585, 3, 100, 585, 14}));
    EXPECT_EQ(carte.SectionsVisibles(0, 98), std::make_pair(0, 120));
    EXPECT_EQ(carte.SectionsVisibles(20, 30), std::make_pair(50, 120));
    EXPECT_EQ(carte.SectionsVisibles(14, 16), std::make_pair(50, 50)); // between two rows
    EXPECT_EQ(carte.SectionEn(131, 5), -1);                            // the extra gap after the tenth box
    EXPECT_EQ(carte.SectionEn(132, 13), 10);
    EXPECT_EQ(carte.SectionEn(20, 28), -1); // the extra gap after the hundredth section
}

// s = 10 (step 13), runs from sections 0, 30 (empty), 30 and 75 of 120: each run begins 17 pixels below
// its start, the next 13 + 5 below the y its last row reached.
TEST(DispositionCarte, SeriesDUnePartition) {
    const DispositionCarte carte(120, 10, {0, 30, 30, 75});
    EXPECT_EQ(carte.NbSeries(), 4);
    EXPECT_EQ(carte.XFinEntete(), 678);
    EXPECT_EQ(carte.Hauteur(), 233); // floor(1.3 * 10 * 2 + 4 * (13 + 20) + 75)
    AttendBoite(carte, 0, 20, 22);
    AttendBoite(carte, 29, 20 + 29 * 13 + 4, 22);
    AttendBoite(carte, 30, 416, 92); // y: 22 + 18 = 40 for the empty run, 57 + 18 = 75, then 75 + 17
    AttendBoite(carte, 50, 20, 105);
    AttendBoite(carte, 75, 349, 140);
    AttendBoite(carte, 100, 20, 155);
    const auto entetes = carte.EntetesVisibles(0, carte.Hauteur());
    ASSERT_EQ(entetes.size(), 4u);
    const int32_t attendus[4][3] = {{0, 20, 10}, {1, 416, 45}, {2, 416, 80}, {3, 349, 128}};
    for (size_t j = 0; j < 4; ++j)
        EXPECT_EQ((std::vector<int32_t>{entetes[j].serie, entetes[j].x, entetes[j].y}),
                  (std::vector<int32_t>(attendus[j], attendus[j] + 3)));
    EXPECT_EQ(Numeros(carte.NumerosVisibles(0, carte.Hauteur())),
              (std::vector<int32_t>{50, 685, 90, 100, 685, 138}));
    EXPECT_EQ(carte.EntetesVisibles(46, 75).size(), 1u); // the third header's texts from y = 77
}

// Every layout against a scan of all its boxes: a point inside a box maps back to it, the gaps to none,
// and a band holds exactly the boxes that meet it.
TEST(DispositionCarte, InverseEtBandesContreUnParcoursDesBoites) {
    std::mt19937 alea(7);
    const DispositionCarte cartes[] = {
        DispositionCarte(0, 9),
        DispositionCarte(1, 7),
        DispositionCarte(777, 25),
        DispositionCarte(250, 12, {0, 0, 49, 50, 50, 51, 199, 250}),
        DispositionCarte(3, 8, {0, 1, 3}),
        DispositionCarte(0, 11, {0, 0}),
    };
    for (const DispositionCarte& carte : cartes) {
        const int32_t n = carte.NbSections(), s = carte.Taille();
        std::vector<PositionBoite> boites;
        for (int32_t i = 0; i < n; ++i) {
            boites.push_back(*carte.Position(i));
            const PositionBoite b = boites.back();
            for (int k = 0; k < 4; ++k)
                EXPECT_EQ(carte.SectionEn(b.x + int32_t(alea() % s), b.y + int32_t(alea() % s)), i);
            EXPECT_EQ(carte.SectionEn(b.x + s, b.y), -1);
            EXPECT_EQ(carte.SectionEn(b.x - 1, b.y + s - 1), -1);
            EXPECT_EQ(carte.SectionEn(b.x, b.y - 1), -1);
            EXPECT_EQ(carte.SectionEn(b.x, b.y + s), -1);
            EXPECT_LE(b.y + s, carte.Hauteur());
        }
        for (int k = 0; k < 200; ++k) {
            const int32_t y0 = int32_t(alea() % (carte.Hauteur() + 20)) - 10, y1 = y0 + int32_t(alea() % 60);
            int32_t premiere = n, fin = 0;
            for (int32_t i = 0; i < n; ++i)
                if (boites[size_t(i)].y < y1 && boites[size_t(i)].y + s > y0)
                    premiere = std::min(premiere, i), fin = i + 1;
            const auto visibles = carte.SectionsVisibles(y0, y1);
            if (fin == 0)
                EXPECT_EQ(visibles.first, visibles.second);
            else
                EXPECT_EQ(visibles, std::make_pair(premiere, fin)) << y0 << " " << y1;
        }
    }
    // A million sections: the last box within the surface, which the 2 pixels every hundred outgrow.
    const DispositionCarte grande(1000000, 10);
    EXPECT_EQ(grande.SectionEn(grande.Position(999999)->x, grande.Position(999999)->y), 999999);
    EXPECT_LE(grande.Position(999999)->y + 10, grande.Hauteur());
}

TEST(CarteSections, NuancesSeuilsClicsEtOccurrences) {
    const NuancesGroupe n = Nuances(CouleurRGB(10, 100, 255));
    EXPECT_EQ(n.demiClaire, CouleurRGB(132, 177, 255));      // c + (255 - c) / 2
    EXPECT_EQ(n.deuxTiersClaire, CouleurRGB(173, 203, 255)); // c + (255 - c) * 2 / 3
    EXPECT_EQ(NuanceSelonCoefficient(n, 7), n.pleine);
    EXPECT_EQ(NuanceSelonCoefficient(n, 3), n.demiClaire);
    EXPECT_EQ(NuanceSelonCoefficient(n, 1), n.deuxTiersClaire);
    EXPECT_EQ(NuanceSelonCoefficient(n, -2), n.deuxTiersClaire);
    const NuancesGroupe blanc = Nuances(CouleurBlanche);
    EXPECT_EQ(blanc.pleine, CouleurRGB(0, 0, 0));
    EXPECT_EQ(blanc.deuxTiersClaire, CouleurRGB(170, 170, 170));

    BitsSections selection(200);
    int32_t courante = 3;
    selection.Met(150);
    ClicSection(selection, courante, 7, true, false);
    EXPECT_EQ(selection.Liste(), (std::vector<int32_t>{4, 5, 6, 7, 150}));
    EXPECT_EQ(courante, 7);
    ClicSection(selection, courante, 7, true, false); // on the current one: nothing more
    ClicSection(selection, courante, 5, true, false); // backwards: 5 and 6, already there
    EXPECT_EQ(selection.Compte(), 5);
    ClicSection(selection, courante, 120, false, true);
    EXPECT_EQ(selection.Compte(), 6);
    ClicSection(selection, courante, 130, false, false);
    EXPECT_EQ(selection.Liste(), (std::vector<int32_t>{130}));

    BitsSections presence(200);
    for (const int32_t i : {2, 63, 64, 190})
        presence.Met(i);
    EXPECT_EQ(OccurrenceSuivante(presence, 2), 63);
    EXPECT_EQ(OccurrenceSuivante(presence, 64), 190);
    EXPECT_EQ(OccurrenceSuivante(presence, 190), 190); // the last one: stays
    EXPECT_EQ(OccurrencePrecedente(presence, 190), 64);
    EXPECT_EQ(OccurrencePrecedente(presence, 63), 2);
    EXPECT_EQ(OccurrencePrecedente(presence, 2), 2);
}

// "intro" lies before the first full stop; section 0 holds the key, section 2 only the line break.
TEST(CarteSections, SectionsDUneBaseEtLeurTexte) {
    DossierTemporaire dossier;
    charg1 base;
    ASSERT_TRUE(ChargeTexte(base, "intro . <titre=R&D> le mot a&b x . fin mot .\n"));
    const int32_t point = base.Nbform(); // the only punctuation sign
    ASSERT_EQ(base.Graphie(point), ".");
    const Section sections(&base, {point});
    ASSERT_EQ(sections.NbSections(), 3);
    const std::vector<int32_t> intro = base.LocOccFor(base.LocFormDic("intro"));
    const std::vector<int32_t> mot = base.LocOccFor(base.LocFormDic("mot"));
    const std::vector<int32_t> x = base.LocOccFor(base.LocFormDic("x"));
    EXPECT_EQ(PresenceGroupe(sections, intro).Compte(), 0);
    EXPECT_EQ(PresenceGroupe(sections, mot).Liste(), (std::vector<int32_t>{0, 1}));
    // Section 1 holds 2 of the 7 form tokens and one of the 2 "mot".
    EXPECT_EQ(
        CoefficientsSections(sections, mot, 0, 5),
        (std::vector<int32_t>{SpecCoefficient(7, 4, 2, 1, 0.05), SpecCoefficient(7, 2, 2, 1, 0.05), 0}));

    EXPECT_EQ(
        PageSection(sections, 0, &mot),
        "<html>\n<head><title>Section 0</title></head>\n<body bgcolor=#ffffff>\n<h2>Section 0</h2><br>\n"
        "<font size=-2>\n<font color=\"#0000FF\">&lt;titre=R&amp;D&gt;</font>le <b>mot</b> a&amp;b x . "
        "</font>\n</body>\n</html>");
    EXPECT_EQ(NomPageSection(0), "section-0.html");
    const auto morceaux = MorceauxSection(sections, 0, &mot, &x);
    std::vector<std::string> textes;
    for (const MorceauSection& m : morceaux)
        textes.push_back(std::to_string(int(m.style)) + m.texte);
    EXPECT_EQ(textes, (std::vector<std::string>{"3<titre=R&D>", "0le ", "1mot ", "0a&b ", "2x ", "0. "}));
}

// A text without the delimiter has no section, and nothing asks for a section 0.
TEST(CarteSections, AucuneSection) {
    DossierTemporaire dossier;
    charg1 base;
    ASSERT_TRUE(ChargeTexte(base, "<a=x> un deux\n"));
    const Section sections(&base, {-1});
    ASSERT_EQ(sections.NbSections(), 0);
    const std::vector<int32_t> un = base.LocOccFor(0);
    EXPECT_EQ(PresenceGroupe(sections, un).Taille(), 0);
    EXPECT_TRUE(CoefficientsSections(sections, un, 0, 10).empty());
    EXPECT_EQ(OccurrenceSuivante(BitsSections(0), 0), 0);
    EXPECT_EQ(PageSection(sections, 0, &un), "");
    EXPECT_TRUE(MorceauxSection(sections, 0, &un).empty());
    BitsSections toutes(0);
    EXPECT_TRUE(SpecificitesSections(sections, toutes, 5, 1).enregistrements.empty());
    const Partition partition(&base, RetourneTypeCle(base, "a"));
    const auto series = SeriesSections(sections, partition);
    ASSERT_EQ(series.size(), 1u);
    EXPECT_EQ(series[0].premiere, 0);
    EXPECT_EQ(series[0].fin, 0);
    const DispositionCarte carte(0, 9, PremieresSections(series));
    EXPECT_EQ(carte.Hauteur(), 75 + (13 * 9 + 200) / 10);
    EXPECT_EQ(carte.SectionsVisibles(0, carte.Hauteur()), std::make_pair(0, 0));
    EXPECT_EQ(carte.SectionEn(20, 22), -1);
}

// Spans begin at 4 (x), 10 (y) and 16 (x); sections at 2, 6, 8, 12, 14 and 18. Section 0, before the
// first span's start, goes with the first run; section 2, begun before the second key, stays in x.
TEST(CarteSections, SeriesDUnePartition) {
    DossierTemporaire dossier;
    charg1 base;
    ASSERT_TRUE(ChargeTexte(base, "un . <a=x> deux . trois . <a=y> quatre . cinq . <a=x> six .\n"));
    const Section sections(&base, {base.Nbform()});
    ASSERT_EQ(sections.NbSections(), 6);
    const Partition partition(&base, RetourneTypeCle(base, "a"));
    const auto series = SeriesSections(sections, partition);
    ASSERT_EQ(series.size(), 3u);
    const int32_t attendues[3][3] = {{0, 3, 0}, {3, 5, 1}, {5, 6, 0}};
    for (size_t j = 0; j < 3; ++j)
        EXPECT_EQ((std::vector<int32_t>{series[j].premiere, series[j].fin, series[j].partie}),
                  (std::vector<int32_t>(attendues[j], attendues[j] + 3)));
    EXPECT_EQ(TextesEntete(partition, series[1]), std::make_pair(std::string("a"), std::string("y")));
}

// Against a count form by form through the section set's own queries, with and without a tag count.
TEST(SpecifsSections, CommeUnComptageFormeParForme) {
    BaseDeTest b(TexteAleatoire());
    ASSERT_TRUE(b.Prete());
    const charg1& base = b.Base();
    const Section sections(&base, {b.Entree(".")});
    ASSERT_GT(sections.NbSections(), 100);
    std::mt19937 alea(11);
    BitsSections choisies(sections.NbSections());
    for (int32_t s = 0; s < sections.NbSections(); ++s)
        if (alea() % 5 == 0) choisies.Met(s);
    for (const int32_t etiquettes : {1, 3}) {
        int64_t t = 0;
        for (const int32_t s : choisies.Liste())
            t += sections.OccurrencesSection(s);
        const int64_t T = base.Nbocc() / etiquettes;
        t /= etiquettes;
        std::vector<EnregSpec> attendus;
        for (int32_t forme = 0; forme < base.Nbform(); ++forme) {
            const int32_t F = base.RetourneFrq(forme);
            if (F < 4) continue;
            int32_t f = 0;
            for (const int32_t s : choisies.Liste())
                f += sections.FrequenceSection(forme, s);
            const int32_t c = SpecCoefficient(double(T), double(t), F, f, 0.10);
            if (c != 0) attendus.push_back({forme, F, f, c});
        }
        std::stable_sort(attendus.begin(), attendus.end(), [](auto& a, auto& b) { return a.coef > b.coef; });
        const SpecifsDeSections r = SpecificitesSections(sections, choisies, 10, 4, etiquettes);
        EXPECT_EQ(r.nbSections, choisies.Compte());
        EXPECT_EQ(r.tailleGroupe, t);
        ASSERT_EQ(r.enregistrements.size(), attendus.size());
        ASSERT_GT(attendus.size(), 10u);
        for (size_t i = 0; i < attendus.size(); ++i)
            EXPECT_EQ((std::vector<int32_t>{r.enregistrements[i].entree, r.enregistrements[i].frqRef,
                                            r.enregistrements[i].frqGroupe, r.enregistrements[i].coef}),
                      (std::vector<int32_t>{attendus[i].entree, attendus[i].frqRef, attendus[i].frqGroupe,
                                            attendus[i].coef}));
    }
}
