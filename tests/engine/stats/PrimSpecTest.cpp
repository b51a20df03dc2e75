// Specificity lists on real bases: one group of parts (PrimSpec) and every reference part (CalcSpecTot).
#include "engine/stats/CalcSpecTot.h"
#include "engine/stats/PrimSpecifs.h"
#include "engine/stats/SpecCoefficient.h"

#include "BaseDeTest.h"
#include "engine/corpus/FournisseurSegments.h"
#include "engine/corpus/Partition.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>
#include <vector>

using t3::CalcSpecTot;
using t3::EnregSpec;
using t3::Partition;
using t3::PrimSpec;
using t3test::BaseDeTest;
using t3test::TexteAleatoire;
using t3test::TexteDeuxParties;

namespace {

struct Attendu {
    std::string graphie;
    int32_t F, f, coef;
};

void VerifieListe(BaseDeTest& b, const PrimSpec& calcul, const std::vector<Attendu>& attendus) {
    ASSERT_EQ(calcul.Resultats().size(), attendus.size());
    for (size_t i = 0; i < attendus.size(); ++i) {
        const EnregSpec& r = calcul.Resultats()[i];
        EXPECT_EQ(r.entree, b.Entree(attendus[i].graphie)) << i;
        EXPECT_EQ(r.frqRef, attendus[i].F) << i;
        EXPECT_EQ(r.frqGroupe, attendus[i].f) << i;
        EXPECT_EQ(r.coef, attendus[i].coef) << i;
    }
}

// The list expected from the partition's own frequency query, entry by entry.
std::map<int32_t, EnregSpec> ListeAttendue(const t3::charg1& base, const Partition& partition,
                                           int32_t diviseur) {
    int64_t T = 0, t = 0;
    for (int32_t p = 0; p < partition.NbParties(); ++p)
        if (partition.Reference(p)) {
            T += partition.NbOccPartie(p);
            if (partition.Selection(p)) t += partition.NbOccPartie(p);
        }
    T = static_cast<int64_t>(static_cast<double>(T) / diviseur);
    t = static_cast<int64_t>(static_cast<double>(t) / diviseur);
    std::map<int32_t, EnregSpec> attendus;
    const auto teste = [&](int32_t e) {
        int32_t F = 0, f = 0;
        for (int32_t p = 0; p < partition.NbParties(); ++p)
            if (partition.Reference(p)) {
                F += partition.Frequence(e, p);
                if (partition.Selection(p)) f += partition.Frequence(e, p);
            }
        if (F < partition.FreqMin()) return;
        const int32_t c = t3::SpecCoefficient(T, t, F, f, partition.Seuil() * 0.01);
        if (c != 0) attendus[e] = EnregSpec{e, F, f, c};
    };
    for (int32_t e = 0; e < base.Nbform(); ++e)
        teste(e);
    for (int32_t e = base.Nbart() + 1; e <= base.NbTotEntites(); ++e)
        teste(e);
    return attendus;
}

void ComparePrimSpec(const t3::charg1& base, const Partition& partition, const PrimSpec& calcul,
                     int32_t diviseur) {
    const std::map<int32_t, EnregSpec> attendus = ListeAttendue(base, partition, diviseur);
    ASSERT_EQ(calcul.Resultats().size(), attendus.size());
    int32_t precedent = INT32_MAX;
    for (const EnregSpec& r : calcul.Resultats()) {
        const auto it = attendus.find(r.entree);
        ASSERT_NE(it, attendus.end()) << r.entree;
        EXPECT_EQ(r.frqRef, it->second.frqRef) << r.entree;
        EXPECT_EQ(r.frqGroupe, it->second.frqGroupe) << r.entree;
        EXPECT_EQ(r.coef, it->second.coef) << r.entree;
        EXPECT_LE(r.coef, precedent); // strongest excess first
        precedent = r.coef;
        EXPECT_EQ(calcul.Coefficient(r.entree), r.coef);
    }
}

} // namespace

TEST(PrimSpec, ListeDUnGroupeDeParties) {
    BaseDeTest b(TexteDeuxParties());
    ASSERT_TRUE(b.Prete());
    Partition partition(&b.Base(), b.Entree("auteur"));
    ASSERT_EQ(partition.NbParties(), 2);
    ASSERT_EQ(partition.NbOccPartie(0), 100);
    partition.SetSelection(0, true);

    // P(x = 10) = C(100, 10) / C(200, 10) = 7.7e-4; P(y <= 2) = 1.03e-4; z (F = 9) is below the
    // minimum frequency of 10, m is not specific.
    PrimSpec a(&partition, 1);
    int appels = 0;
    a.SetProgression([&](int32_t argument) {
        EXPECT_EQ(argument, 0);
        ++appels;
    });
    a.Compute();
    EXPECT_EQ(a.TailleReference(), 200);
    EXPECT_EQ(a.TailleGroupe(), 100);
    VerifieListe(b, a, {{"x", 10, 10, 4}, {"y", 20, 2, -4}});
    EXPECT_EQ(appels, 1); // fewer than 100 forms: a single report
    EXPECT_EQ(a.Coefficient(b.Entree("m")), 0);

    // The threshold and minimum frequency are copied at construction; the flags are read by Compute.
    partition.SetFreqMin(9);
    PrimSpec avecZ(&partition, 1);
    partition.SetFreqMin(10);
    partition.SetSelection(0, false);
    partition.SetSelection(1, true);
    avecZ.Compute();
    VerifieListe(b, avecZ, {{"y", 20, 18, 4}, {"z", 9, 0, -3}, {"x", 10, 0, -4}});
    partition.SetSelection(1, false);
    partition.SetSelection(0, true);
    avecZ.Compute(); // computed again, the list is made anew
    VerifieListe(b, avecZ, {{"x", 10, 10, 4}, {"z", 9, 9, 3}, {"y", 20, 2, -4}});
    EXPECT_EQ(avecZ.FreqMin(), 9);

    // A threshold above 10 % lets magnitudes of 1 in; 0.1 % keeps none of these.
    partition.SetSeuil(1);
    PrimSpec strict(&partition, 1);
    strict.Compute();
    VerifieListe(b, strict, {{"x", 10, 10, 4}, {"y", 20, 2, -4}});
    partition.SetSeuil(0);
    PrimSpec nul(&partition, 1);
    nul.Compute();
    EXPECT_TRUE(nul.Resultats().empty());
}

TEST(PrimSpec, GroupeVideOuEgalALaReference) {
    BaseDeTest b(TexteDeuxParties());
    ASSERT_TRUE(b.Prete());
    Partition partition(&b.Base(), b.Entree("auteur"));
    PrimSpec aucun(&partition, 1);
    aucun.Compute();
    EXPECT_TRUE(aucun.Resultats().empty());
    EXPECT_EQ(aucun.TailleGroupe(), 0);
    // Even at a threshold of 100 %, where a point probability of 1 would pass: an empty group has no
    // specific entry (not every form in deficit by 1).
    partition.SetSeuil(100);
    PrimSpec aucunA100(&partition, 1);
    aucunA100.Compute();
    EXPECT_TRUE(aucunA100.Resultats().empty());
    partition.SetSeuil(5);

    partition.SetSelection(0, true);
    partition.SetSelection(1, true);
    PrimSpec tout(&partition, 1);
    tout.Compute();
    EXPECT_TRUE(tout.Resultats().empty());

    // Part b out of the reference corpus: the group a is the whole reference set.
    partition.SetSelection(1, false);
    partition.SetReference(1, false);
    PrimSpec seul(&partition, 1);
    seul.Compute();
    EXPECT_EQ(seul.TailleReference(), 100);
    EXPECT_TRUE(seul.Resultats().empty());
    // A selected part outside the reference corpus is not in the group.
    partition.SetSelection(0, false);
    partition.SetSelection(1, true);
    seul.Compute();
    EXPECT_EQ(seul.TailleGroupe(), 0);
    EXPECT_TRUE(seul.Resultats().empty());

    // A partition without parts, and no partition at all.
    Partition sansPartie(&b.Base(), b.Entree("x"));
    PrimSpec vide(&sansPartie, 1);
    vide.Compute();
    EXPECT_TRUE(vide.Resultats().empty());
    PrimSpec sansPartition(nullptr, 1);
    sansPartition.Compute();
    EXPECT_TRUE(sansPartition.Resultats().empty());
}

TEST(PrimSpec, DiviseurDesTailles) {
    BaseDeTest b(TexteDeuxParties());
    ASSERT_TRUE(b.Prete());
    Partition partition(&b.Base(), b.Entree("auteur"));
    partition.SetSelection(0, true);
    for (int32_t diviseur : {2, 3, 7, 150}) {
        SCOPED_TRACE(diviseur);
        PrimSpec calcul(&partition, diviseur);
        calcul.Compute();
        // Divided as real numbers, truncated; the frequencies stay whole.
        EXPECT_EQ(calcul.TailleReference(), 200 / diviseur);
        EXPECT_EQ(calcul.TailleGroupe(), 100 / diviseur);
        ComparePrimSpec(b.Base(), partition, calcul, diviseur);
        // m (F = 161) exceeds the reduced reference set: never specific.
        EXPECT_EQ(calcul.Coefficient(b.Entree("m")), 0);
    }
    // Frequencies beyond the reduced sizes never make a coefficient out of impossible counts.
    PrimSpec grand(&partition, 150);
    grand.Compute();
    EXPECT_TRUE(grand.Resultats().empty());
    PrimSpec aucun(&partition, 0);
    aucun.Compute();
    EXPECT_EQ(aucun.TailleReference(), 200);

    // The divisor of the specificity dialog follows the tag-count option; below 1 it divides nothing.
    const t3test::GardeOptions garde;
    for (const auto& [option, diviseur] : {std::pair{3, 3}, {1, 1}, {0, 1}, {-4, 1}}) {
        t3::Options.NbEtiquettes = option;
        EXPECT_EQ(t3::DiviseurEtiquettes(), diviseur) << option;
    }
}

// Many forms, parts of several spans, words before the first key and segment entries: every list
// agrees with the partition's own frequencies, and the progress reports follow the entries.
TEST(PrimSpec, AccordeAvecLesFrequencesDeLaPartition) {
    BaseDeTest b(TexteAleatoire());
    ASSERT_TRUE(b.Prete());
    t3::charg1& base = b.Base();
    ASSERT_GT(base.Nbform(), 200);
    // Segments at chosen positions: from the text's start (before any key) to its end.
    const auto segments = t3test::SegmentsDesFormes(base, 5, {0, 1, 2, 3});
    base.AssigneSR(&segments);

    Partition partition(&base, b.Entree("auteur"));
    ASSERT_EQ(partition.NbParties(), 4);
    partition.SetSelection(1, true);
    partition.SetSelection(3, true);
    PrimSpec calcul(&partition, 1);
    std::vector<int32_t> rapports;
    calcul.SetProgression([&](int32_t argument) { rapports.push_back(argument); });
    calcul.Compute();
    EXPECT_FALSE(calcul.Resultats().empty());
    ComparePrimSpec(base, partition, calcul, 1);
    // About a hundred reports for the forms, then one for the six segment entries.
    const auto formes = std::count(rapports.begin(), rapports.end(), 0);
    EXPECT_GE(formes, 99);
    EXPECT_LE(formes, 200);
    EXPECT_EQ(std::count(rapports.begin(), rapports.end(), 1), 1);
    EXPECT_TRUE(std::is_sorted(rapports.begin(), rapports.end()));
    // The segments of the most frequent forms are as specific as the forms themselves.
    for (int32_t k = 0; k < 5; ++k)
        EXPECT_EQ(calcul.Coefficient(base.Nbart() + 1 + k), calcul.Coefficient(k)) << k;

    // A restricted reference corpus, and the low threshold of the options.
    partition.SetReference(2, false);
    partition.SetSeuil(20);
    partition.SetFreqMin(3);
    PrimSpec restreint(&partition, 1);
    restreint.Compute();
    ComparePrimSpec(base, partition, restreint, 1);
    bool magnitudeUn = false;
    for (const EnregSpec& r : restreint.Resultats())
        magnitudeUn = magnitudeUn || std::abs(r.coef) == 1;
    EXPECT_TRUE(magnitudeUn);
    base.AssigneSR(nullptr);
}

TEST(CalcSpecTot, UneListeParPartieDeReference) {
    BaseDeTest b(TexteAleatoire());
    ASSERT_TRUE(b.Prete());
    Partition partition(&b.Base(), b.Entree("auteur"));
    ASSERT_EQ(partition.NbParties(), 4);
    partition.SetReference(1, false);
    partition.SetSelection(1, true);
    partition.SetSelection(2, true);

    std::vector<int32_t> etapes, rapports;
    const CalcSpecTot tot(
        &partition, [&](int32_t argument) { rapports.push_back(argument); },
        [&](int32_t indexReference) { etapes.push_back(indexReference); });
    EXPECT_EQ(tot.PartiesReference(), (std::vector<int32_t>{0, 2, 3}));
    // Twice per part, with its reference index, then once with the number of parts.
    EXPECT_EQ(etapes, (std::vector<int32_t>{0, 0, 1, 1, 2, 2, 3}));
    EXPECT_GE(rapports.size(), 3u * 99);
    // The selection flags are as they were.
    EXPECT_EQ(partition.Selection(0), false);
    EXPECT_EQ(partition.Selection(1), true);
    EXPECT_EQ(partition.Selection(2), true);
    EXPECT_EQ(partition.Selection(3), false);
    EXPECT_EQ(tot.Resultat(3), nullptr);
    EXPECT_EQ(tot.Resultat(-1), nullptr);

    // Each list is that of its part alone against the whole reference corpus.
    for (int32_t p = 0; p < 4; ++p)
        partition.SetSelection(p, false);
    bool specifiques = false;
    for (int32_t j = 0; j < tot.NbPartiesReference(); ++j) {
        const int32_t partie = tot.PartiesReference()[static_cast<size_t>(j)];
        SCOPED_TRACE(partie);
        partition.SetSelection(partie, true);
        ASSERT_NE(tot.Resultat(j), nullptr);
        ComparePrimSpec(b.Base(), partition, *tot.Resultat(j), 1);
        partition.SetSelection(partie, false);
        for (const EnregSpec& r : tot.Resultat(j)->Resultats())
            EXPECT_EQ(tot.Coefficient(r.entree, j), r.coef);
        specifiques = specifiques || !tot.Resultat(j)->Resultats().empty();
    }
    EXPECT_TRUE(specifiques);
    EXPECT_EQ(tot.Coefficient(0, 7), 0);
    EXPECT_EQ(tot.Coefficient(-3, 0), 0);

    // No reference part: no list, one step.
    for (int32_t p = 0; p < 4; ++p)
        partition.SetReference(p, false);
    etapes.clear();
    const CalcSpecTot rien(&partition, nullptr,
                           [&](int32_t indexReference) { etapes.push_back(indexReference); });
    EXPECT_EQ(rien.NbPartiesReference(), 0);
    EXPECT_EQ(etapes, std::vector<int32_t>{0});
}
