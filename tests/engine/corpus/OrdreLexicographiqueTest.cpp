// The lexicographic order of dictionary entries and segment entries.
#include "engine/corpus/OrdreLexicographique.h"

#include "AideCorpus.h"

#include <numeric>

using namespace t3;
using namespace t3test;

namespace {

// zèbre comes first by frequency, last by its graphie; the punctuation and the keys come after the
// forms, in their numbered order.
class OrdreLexicographique : public ::testing::Test {
  protected:
    void SetUp() override {
        SegmenteBase("<t=k> z\xE8"
                     "bre, arbre. z\xE8"
                     "bre. \xE9t\xE9 <t=j>\n");
        ASSERT_EQ(m_base.ChargeBase("corpus.par"), ChargeReussie);
        ASSERT_EQ(m_base.Nbform(), 3);
        ASSERT_EQ(m_base.Nbartponct(), 2);
    }
    int32_t E(const std::string& graphie) const {
        for (int32_t e = 0; e < m_base.Nbart(); ++e)
            if (m_base.Graphie(e) == graphie) return e;
        return -1;
    }
    std::vector<std::string> GraphiesDe(const std::vector<int32_t>& entrees) const {
        std::vector<std::string> graphies;
        for (const int32_t e : entrees)
            graphies.push_back(e >= 0 && e <= m_base.NbTotEntites() && e != m_base.Nbart()
                                   ? m_base.RetourneGraphie(e, false)
                                   : std::to_string(e));
        return graphies;
    }
    DossierTemporaire m_dossier;
    charg1 m_base;
};

using Graphies = std::vector<std::string>;

} // namespace

TEST_F(OrdreLexicographique, EntreesDuDictionnaire) {
    std::vector<int32_t> toutes(static_cast<size_t>(m_base.Nbart()));
    std::iota(toutes.begin(), toutes.end(), 0);
    const std::vector<int32_t> ordre = t3::OrdreLexicographique(m_base, toutes);
    EXPECT_EQ(GraphiesDe(ordre), (Graphies{"arbre", "\xE9t\xE9",
                                           "z\xE8"
                                           "bre",
                                           ",", ".", "t", "j", "k"}));
    for (size_t i = 0; i < ordre.size(); ++i)
        EXPECT_EQ(m_base.Lexg(ordre[i]), static_cast<int32_t>(i));
    // The forms and the punctuation, as the dictionary window lists them.
    const std::vector<int32_t> fenetre = t3::OrdreLexicographique(m_base, std::span(toutes).first(5));
    EXPECT_EQ(fenetre, std::vector<int32_t>(ordre.begin(), ordre.begin() + 5));
    // Any subset, in any order, with a repeated entry.
    const std::vector<int32_t> quelques = {E("."),
                                           E("z\xE8"
                                             "bre"),
                                           E("arbre"),
                                           E("z\xE8"
                                             "bre")};
    EXPECT_EQ(GraphiesDe(t3::OrdreLexicographique(m_base, quelques)), (Graphies{"arbre",
                                                                                "z\xE8"
                                                                                "bre",
                                                                                "z\xE8"
                                                                                "bre",
                                                                                "."}));
    EXPECT_TRUE(t3::OrdreLexicographique(m_base, {}).empty());
}

TEST_F(OrdreLexicographique, SegmentsMotAMot) {
    const int32_t arbre = E("arbre"), ete = E("\xE9t\xE9"),
                  zebre = E("z\xE8"
                            "bre");
    const SegmentsDonnes segments({{arbre, ete, zebre}, {zebre, arbre}, {arbre, ete}, {ete, arbre}},
                                  {{}, {}, {}, {}});
    m_base.AssigneSR(&segments);
    const int32_t s0 = m_base.Nbart() + 1;
    const std::vector<int32_t> entrees = {s0,  s0 + 1, E("."),         zebre, s0 + 2, -1,
                                          ete, s0 + 3, m_base.Nbart(), arbre, s0 + 9};
    EXPECT_EQ(GraphiesDe(t3::OrdreLexicographique(m_base, entrees)),
              (Graphies{"arbre", "arbre \xE9t\xE9 ",
                        "arbre \xE9t\xE9 z\xE8"
                        "bre ",
                        "\xE9t\xE9", "\xE9t\xE9 arbre ",
                        "z\xE8"
                        "bre",
                        "z\xE8"
                        "bre arbre ",
                        ".", "-1", std::to_string(m_base.Nbart()), std::to_string(s0 + 9)}));
    m_base.AssigneSR(nullptr);
}
