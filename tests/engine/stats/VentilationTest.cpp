// The ventilation of a group over the parts of a partition, against the group's positions counted part
// by part from the spans; the parts without occurrences; the extremes of the coefficients and their axis.
#include "engine/stats/Ventilation.h"

#include "BaseDeTest.h"
#include "engine/corpus/Partition.h"
#include "engine/stats/SpecCoefficient.h"
#include "engine/stats/Tgen.h"

#include <gtest/gtest.h>

#include <random>

using t3::ModeVentilation;
using t3::Partition;
using t3::Tgen;
using t3test::BaseDeTest;

namespace {

// The group's positions counted by part: each position goes to the span it lies in (from a span's first
// position up to the next one's); those before the first span count nowhere.
std::vector<int32_t> CompteParPartie(const Partition& partition, const Tgen& groupe) {
    std::vector<int32_t> compte(static_cast<size_t>(partition.NbParties()));
    const std::vector<t3::Span>& spans = partition.Spans();
    for (const int32_t position : groupe.Positions())
        for (size_t s = 0; s + 1 < spans.size(); ++s)
            if (position >= spans[s].debut && position < spans[s + 1].debut)
                ++compte[static_cast<size_t>(spans[s].partie)];
    return compte;
}

// The occurrences of the base: the positions that hold a form.
int32_t FormesDuTexte(const t3::charg1& base) {
    int32_t n = 0;
    for (int32_t i = 0; i < base.Nbitem(); ++i)
        n += base.Tnum(i) >= 0 && base.Tnum(i) < base.Nbform();
    return n;
}

} // namespace

// Random groups of forms (a punctuation sign now and then) on the four random authors, whose text has
// words before the first key: every display against the counts made here.
TEST(Ventilation, LesTroisAffichagesContreUnCompteIndependant) {
    BaseDeTest b(t3test::TexteAleatoire());
    ASSERT_TRUE(b.Prete());
    const t3::charg1& base = b.Base();
    const Partition partition(&base, b.Entree("auteur"));
    ASSERT_EQ(partition.NbParties(), 4);
    const int32_t T = FormesDuTexte(base);
    const int32_t point = b.Entree(".");
    ASSERT_GE(point, base.Nbform());

    std::mt19937 alea(4242);
    for (int essai = 0; essai < 60; ++essai) {
        std::vector<int32_t> entrees;
        for (int k = 1 + static_cast<int>(alea() % 4); k > 0; --k)
            entrees.push_back(static_cast<int32_t>(alea() % static_cast<uint32_t>(base.Nbform())));
        if (essai % 10 == 0) entrees.push_back(point);
        const Tgen groupe(&base, entrees);
        SCOPED_TRACE(groupe.Nom());
        const std::vector<int32_t> attendues = CompteParPartie(partition, groupe);
        EXPECT_EQ(t3::FrequencesParPartie(partition, groupe), attendues);

        const auto relatives = t3::ValeursVentilation(partition, groupe, ModeVentilation::Relatives);
        const auto absolues = t3::ValeursVentilation(partition, groupe, ModeVentilation::Absolues);
        const auto coefficients = t3::ValeursVentilation(partition, groupe, ModeVentilation::Specificites);
        ASSERT_EQ(relatives.size(), 4u);
        ASSERT_EQ(coefficients.size(), 4u);
        for (size_t p = 0; p < 4; ++p) {
            const int32_t taille = partition.NbOccPartie(static_cast<int32_t>(p));
            ASSERT_GT(taille, 0);
            EXPECT_EQ(absolues[p], attendues[p]);
            // Truncated towards zero: the largest whole r with r * taille <= f * 10 000.
            EXPECT_LE(relatives[p] * taille, int64_t{attendues[p]} * 10000);
            EXPECT_GT((relatives[p] + 1) * taille, int64_t{attendues[p]} * 10000);
            EXPECT_EQ(coefficients[p], t3::SpecCoefficient(T, taille, groupe.NbOcc(), attendues[p], 0.05));
        }
    }
}

// A group absent from a part gets 0 there in both frequency displays, a coefficient of its own; a part
// without forms counts as one occurrence, in relative frequencies as in coefficients.
TEST(Ventilation, PartieSansLeGroupeEtPartieVide) {
    // Part x holds only a full stop; 40 "chat" and one "chien" make y.
    BaseDeTest b("<a=x> . <a=y> " + t3test::Repete("chat", 40) + "chien .\n");
    ASSERT_TRUE(b.Prete());
    const Partition partition(&b.Base(), b.Entree("a"));
    ASSERT_EQ(partition.NbParties(), 2);
    ASSERT_EQ(partition.NbOccPartie(0), 0);
    ASSERT_EQ(b.Base().Nbocc(), 41);

    const Tgen chat(&b.Base(), std::vector<int32_t>{b.Entree("chat")});
    EXPECT_EQ(t3::ValeursVentilation(partition, chat, ModeVentilation::Absolues),
              (std::vector<int64_t>{0, 40}));
    EXPECT_EQ(t3::ValeursVentilation(partition, chat, ModeVentilation::Relatives),
              (std::vector<int64_t>{0, 40 * 10000 / 41}));
    // Absent from a part of one occurrence out of 41: probability 1/41, a deficit of magnitude 2 (a
    // size of 0 would have given 0, nothing being possible there).
    EXPECT_EQ(t3::ValeursVentilation(partition, chat, ModeVentilation::Specificites),
              (std::vector<int64_t>{-2, 0}));

    // The full stop is once in the empty part: 10 000 per 10 000 of a part counted as one occurrence.
    const Tgen point(&b.Base(), std::vector<int32_t>{b.Entree(".")});
    EXPECT_EQ(t3::ValeursVentilation(partition, point, ModeVentilation::Relatives),
              (std::vector<int64_t>{10000, 10000 / 41}));

    // A partition without parts gives no value; frequencies too large for 32 bits do not wrap.
    const Partition aucune(&b.Base(), b.Entree("chat"));
    EXPECT_TRUE(t3::ValeursVentilation(aucune, chat, ModeVentilation::Specificites).empty());
    EXPECT_EQ(t3::FrequenceRelative(2000000000, 0), int64_t{2000000000} * 10000);
    EXPECT_EQ(t3::FrequenceRelative(7, 3), 23333);
}

TEST(Ventilation, ExtremesDesCoefficientsEtAxe) {
    t3::ExtremesCoefficients extremes;
    EXPECT_EQ(extremes.AxeMin(), -1);
    EXPECT_EQ(extremes.AxeMax(), 1);
    // Two groups whose coefficients run from -7 to +12.
    extremes.Note(std::vector<int64_t>{0, -3, 12, 4});
    extremes.Note(std::vector<int64_t>{-7, 5, 0, -2});
    EXPECT_EQ(extremes.PlusBas(), -7);
    EXPECT_EQ(extremes.PlusHaut(), 12);
    EXPECT_EQ(extremes.AxeMin(), -8);
    EXPECT_EQ(extremes.AxeMax(), 13);
    // Both extremes start at 0: coefficients all positive leave the lowest at 0.
    extremes.Efface();
    extremes.Note(std::vector<int64_t>{3, 2});
    EXPECT_EQ(extremes.AxeMin(), -1);
    EXPECT_EQ(extremes.AxeMax(), 4);
}
