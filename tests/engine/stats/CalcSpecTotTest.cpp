// The specificities of every reference part, computed at once from the entries' frequencies read once,
// against a PrimSpec run for each part alone selected (the definition), on random partitions of many
// parts of very different sizes, with segment entries, restricted reference sets and various thresholds.
#include "BaseDeTest.h"

#include "engine/corpus/Partition.h"
#include "engine/stats/CalcSpecTot.h"
#include "engine/stats/PrimSpecifs.h"

#include <gtest/gtest.h>

#include <random>

using t3::CalcSpecTot;
using t3::EnregSpec;
using t3::Partition;
using t3::PrimSpec;
using t3test::BaseDeTest;

namespace {

// Forty paragraphs of 1 to 400 words drawn from a Zipf-like vocabulary, one of them empty of forms.
std::string TexteParagraphes() {
    std::mt19937 alea(20261209);
    std::string texte;
    for (int p = 0; p < 40; ++p) {
        texte += "<parag=p" + std::to_string(p) + ">\n";
        const int mots = p == 7 ? 0 : 1 + static_cast<int>(alea() % (p % 3 == 0 ? 400 : 60));
        for (int m = 0; m < mots; ++m) {
            const double u = std::uniform_real_distribution<double>(0, 1)(alea);
            texte += "m" + std::to_string(static_cast<int>(std::pow(500.0, u)) + (p % 5 == 0 ? 3 : 0)) + " ";
        }
        texte += ".\n";
    }
    return texte;
}

void CompareAvecChaquePartie(Partition& partition, const CalcSpecTot& tot) {
    std::vector<int32_t> reference;
    for (int32_t p = 0; p < partition.NbParties(); ++p)
        if (partition.Reference(p)) reference.push_back(p);
    ASSERT_EQ(tot.PartiesReference(), reference);
    for (size_t k = 0; k < reference.size(); ++k) {
        for (int32_t p = 0; p < partition.NbParties(); ++p)
            partition.SetSelection(p, p == reference[k]);
        PrimSpec seule(&partition, 1);
        seule.Compute();
        const PrimSpec& calcule = *tot.Resultat(static_cast<int32_t>(k));
        ASSERT_EQ(calcule.Resultats().size(), seule.Resultats().size()) << "part " << reference[k];
        for (size_t i = 0; i < seule.Resultats().size(); ++i) {
            const EnregSpec& a = calcule.Resultats()[i];
            const EnregSpec& b = seule.Resultats()[i];
            EXPECT_EQ(std::tie(a.entree, a.frqRef, a.frqGroupe, a.coef),
                      std::tie(b.entree, b.frqRef, b.frqGroupe, b.coef))
                << "part " << reference[k] << ", record " << i;
        }
        EXPECT_EQ(calcule.TailleReference(), seule.TailleReference());
        EXPECT_EQ(calcule.TailleGroupe(), seule.TailleGroupe());
        for (const auto& [entree, coef] : seule.CoefficientsParEntree())
            EXPECT_EQ(tot.Coefficient(entree, static_cast<int32_t>(k)), coef);
    }
}

} // namespace

TEST(CalcSpecTot, ChaquePartieCommeSeuleSelectionnee) {
    BaseDeTest b(TexteParagraphes());
    ASSERT_TRUE(b.Prete());
    t3::charg1& base = b.Base();
    const auto segments = t3test::SegmentsDesFormes(base, 12, {0, 1, 2, 5, 8});
    base.AssigneSR(&segments);
    Partition partition(&base, b.Entree("parag"));
    ASSERT_EQ(partition.NbParties(), 40);
    std::mt19937 alea(7);
    const struct {
        int32_t seuil, freqMin;
        bool restreint;
    } reglages[] = {{5, 10, false}, {5, 1, true},   {50, 2, true},
                    {1, 3, false},  {100, 1, true}, {0, 1, false}};
    for (const auto& r : reglages) {
        partition.SetSeuil(r.seuil);
        partition.SetFreqMin(r.freqMin);
        for (int32_t p = 0; p < partition.NbParties(); ++p) {
            partition.SetReference(p, !r.restreint || alea() % 3 != 0);
            partition.SetSelection(p, partition.Reference(p) && alea() % 2 == 0);
        }
        std::vector<uint8_t> selection(partition.DrapeauxSelection(),
                                       partition.DrapeauxSelection() + partition.NbParties());
        int32_t rapports = 0, etapes = 0;
        const CalcSpecTot tot(
            &partition, [&](int32_t) { ++rapports; }, [&](int32_t) { ++etapes; });
        // The flags are not touched; each part reports its progress and its two steps.
        EXPECT_TRUE(std::equal(selection.begin(), selection.end(), partition.DrapeauxSelection()));
        EXPECT_EQ(etapes, 2 * tot.NbPartiesReference() + 1);
        EXPECT_GT(rapports, tot.NbPartiesReference());
        CompareAvecChaquePartie(partition, tot);
    }
    base.AssigneSR(nullptr);
}
