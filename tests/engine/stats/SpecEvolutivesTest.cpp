// The evolutive specificities: the first selected reference part against the reference parts up to it.
#include "engine/stats/SpecEvolutives.h"

#include "BaseDeTest.h"
#include "engine/corpus/Partition.h"
#include "engine/stats/SpecCoefficient.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <tuple>
#include <vector>

using t3::EnregSpec;
using t3::Partition;
using t3test::BaseDeTest;

namespace {

using Drapeaux = std::pair<std::vector<bool>, std::vector<bool>>;

Drapeaux LitDrapeaux(const Partition& partition) {
    Drapeaux d;
    for (int32_t p = 0; p < partition.NbParties(); ++p) {
        d.first.push_back(partition.Reference(p));
        d.second.push_back(partition.Selection(p));
    }
    return d;
}

// The records (entry, F, f, coefficient) of the group part against the reference parts, from the
// partition's frequency of each entry in each part and the coefficient of the hypergeometric test,
// without reading any flag.
std::map<int32_t, std::tuple<int32_t, int32_t, int32_t>> Attendus(const t3::charg1& base,
                                                                  const Partition& partition,
                                                                  const std::set<int32_t>& reference,
                                                                  int32_t groupe) {
    int64_t T = 0;
    for (const int32_t p : reference)
        T += partition.NbOccPartie(p);
    const int64_t t = partition.NbOccPartie(groupe);
    std::map<int32_t, std::tuple<int32_t, int32_t, int32_t>> attendus;
    const auto teste = [&](int32_t e) {
        int32_t F = 0;
        for (const int32_t p : reference)
            F += partition.Frequence(e, p);
        const int32_t f = partition.Frequence(e, groupe);
        if (F < partition.FreqMin()) return;
        const int32_t c = t3::SpecCoefficient(T, t, F, f, partition.Seuil() * 0.01);
        if (c != 0) attendus[e] = {F, f, c};
    };
    for (int32_t e = 0; e < base.Nbform(); ++e)
        teste(e);
    for (int32_t e = base.Nbart() + 1; e <= base.NbTotEntites(); ++e)
        teste(e);
    return attendus;
}

void Compare(const std::vector<EnregSpec>& resultats,
             const std::map<int32_t, std::tuple<int32_t, int32_t, int32_t>>& attendus) {
    ASSERT_EQ(resultats.size(), attendus.size());
    for (size_t i = 0; i < resultats.size(); ++i) {
        const EnregSpec& r = resultats[i];
        const auto it = attendus.find(r.entree);
        ASSERT_NE(it, attendus.end()) << r.entree;
        EXPECT_EQ(std::make_tuple(r.frqRef, r.frqGroupe, r.coef), it->second) << r.entree;
        if (i > 0) EXPECT_GE(resultats[i - 1].coef, r.coef); // strongest excess first
    }
}

} // namespace

// Ten spans of four authors (d b a c b a a d c b), a restricted reference corpus, segment entries:
// the list is that of the hypergeometric test over the reference parts up to the studied one, the
// threshold and minimum frequency are the partition's, and both flag arrays come back as they were.
TEST(SpecEvolutives, ReferenceJusquALaPartieEtudiee) {
    BaseDeTest b(t3test::TexteAleatoire());
    ASSERT_TRUE(b.Prete());
    t3::charg1& base = b.Base();
    const auto segments = t3test::SegmentsDesFormes(base, 4, {0, 1, 2});
    base.AssigneSR(&segments);
    Partition partition(&base, b.Entree("auteur"));
    ASSERT_EQ(partition.NbParties(), 4);
    partition.SetSeuil(20);
    partition.SetFreqMin(3);

    // Part a out of the reference corpus but selected, c and d selected: c is studied against b and c.
    partition.SetReference(0, false);
    for (const int32_t p : {0, 2, 3})
        partition.SetSelection(p, true);
    const Drapeaux avant = LitDrapeaux(partition);
    ASSERT_EQ(t3::PremierePartieEvolutive(partition), 2);
    int32_t rapports = 0;
    const auto c = t3::SpecEvolutives(partition, [&](int32_t) { ++rapports; });
    ASSERT_TRUE(c.Reussi());
    EXPECT_EQ(LitDrapeaux(partition), avant);
    EXPECT_GT(rapports, 99);
    EXPECT_EQ((*c)->Diviseur(), 1);
    const auto attendusC = Attendus(base, partition, {1, 2}, 2);
    EXPECT_GT(attendusC.size(), 5u);
    Compare((*c)->Resultats(), attendusC);
    bool segmentSpecifique = false;
    for (const EnregSpec& r : (*c)->Resultats())
        segmentSpecifique = segmentSpecifique || r.entree > base.Nbart();
    EXPECT_TRUE(segmentSpecifique);

    // Every part in the reference corpus, b studied: a and b make the reference set.
    partition.SetReference(0, true);
    partition.SetSelection(0, false);
    partition.SetSelection(1, true);
    const auto bb = t3::SpecEvolutives(partition);
    ASSERT_TRUE(bb.Reussi());
    Compare((*bb)->Resultats(), Attendus(base, partition, {0, 1}, 1));
    base.AssigneSR(nullptr);
}

TEST(SpecEvolutives, AucunePartieSelectionnee) {
    BaseDeTest b(t3test::TexteDeuxParties());
    ASSERT_TRUE(b.Prete());
    Partition partition(&b.Base(), b.Entree("auteur"));
    // None selected; then the only selected part is out of the reference corpus.
    for (const bool horsReference : {false, true}) {
        if (horsReference) {
            partition.SetReference(1, false);
            partition.SetSelection(1, true);
        }
        const Drapeaux avant = LitDrapeaux(partition);
        EXPECT_EQ(t3::PremierePartieEvolutive(partition), -1);
        const auto r = t3::SpecEvolutives(partition);
        EXPECT_FALSE(r.Reussi());
        EXPECT_NE(r.Code(), 0);
        EXPECT_EQ(r.Message(), "Aucune partie n'est sélectionnée");
        EXPECT_EQ(LitDrapeaux(partition), avant);
    }
    // A partition without parts.
    Partition sansPartie(&b.Base(), b.Entree("x"));
    EXPECT_FALSE(t3::SpecEvolutives(sansPartie).Reussi());
}
