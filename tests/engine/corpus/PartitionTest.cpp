#include "AideCorpus.h"

#include "engine/corpus/Corpus.h"

#include <map>
#include <random>

using namespace t3;
using namespace t3test;

namespace {

// The table of forms by parts as the text defines it: every form item counts in the part of the last
// key of the type before it, or of the first key when it comes before every key.
std::map<std::pair<int32_t, int32_t>, int32_t> TableDense(const charg1& base, int32_t cle,
                                                          const std::vector<int32_t>& contenus) {
    std::map<std::pair<int32_t, int32_t>, int32_t> table;
    int32_t partie = -1;
    std::vector<int32_t> avant;
    for (int32_t i = 0; i < base.Nbitem(); ++i) {
        const int32_t v = base.Tnum(i);
        if (v == cle) {
            partie = static_cast<int32_t>(std::find(contenus.begin(), contenus.end(), base.Tnum(i + 1)) -
                                          contenus.begin());
            for (const int32_t f : avant)
                ++table[{f, partie}];
            avant.clear();
        } else if (v >= 0 && v < base.Nbform()) {
            if (partie < 0)
                avant.push_back(v);
            else
                ++table[{v, partie}];
        }
    }
    return table;
}

} // namespace

TEST(Partition, ExempleDeDeuxParties) {
    DossierTemporaire dossier;
    SegmenteBase("<a=x> u v <a=y> w <a=x> u\n");
    charg1 base;
    ASSERT_EQ(base.ChargeBase("corpus.par"), 0);
    ASSERT_EQ(base.RetourneGraphie(3, false), "a");
    Partition partition(&base, 3);
    EXPECT_EQ(partition.CleType(), 3);
    EXPECT_EQ(partition.NbParties(), 2);
    EXPECT_EQ(partition.Contenus(), (std::vector<int32_t>{4, 5}));
    ASSERT_EQ(partition.NbSpans(), 3);
    const std::vector<Span>& spans = partition.Spans();
    EXPECT_EQ(spans[0].debut, 2);
    EXPECT_EQ(spans[1].debut, 6);
    EXPECT_EQ(spans[2].debut, 9);
    EXPECT_EQ(spans[3].debut, 11);
    EXPECT_EQ(spans[0].partie, 0);
    EXPECT_EQ(spans[1].partie, 1);
    EXPECT_EQ(spans[2].partie, 0);
    EXPECT_EQ(spans[3].partie, 3);

    EXPECT_EQ(partition.NbOccPartie(0), 3);
    EXPECT_EQ(partition.NbFormesPartie(0), 2);
    EXPECT_EQ(partition.NbHapaxPartie(0), 1);
    EXPECT_EQ(partition.FmaxPartie(0), 2);
    EXPECT_EQ(partition.FormeMaxPartie(0), 0);
    EXPECT_EQ(partition.NbOccPartie(1), 1);
    EXPECT_EQ(partition.NbFormesPartie(1), 1);
    EXPECT_EQ(partition.FormeMaxPartie(1), 2);
    EXPECT_EQ(partition.NbOccPartie(2), 0);

    EXPECT_EQ(partition.PartieDePosition(7), 1);
    EXPECT_EQ(partition.PartieDePosition(11), -1);
    EXPECT_EQ(partition.PartieDePosition(-1), -1);
    EXPECT_EQ(partition.PartieDePosition(0), 0);
    EXPECT_EQ(partition.PartieDePosition(10), 0);

    EXPECT_EQ(partition.Frequence(0, 0), 2);
    EXPECT_EQ(partition.Frequence(1, 0), 1);
    EXPECT_EQ(partition.Frequence(2, 0), 0);
    EXPECT_EQ(partition.Frequence(2, 1), 1);
    EXPECT_EQ(partition.Frequence(0, 2), 0);
    // Entries that are not forms are counted from their positions over the spans of the part.
    EXPECT_EQ(partition.Frequence(3, 0), 1); // the key at 4 lies in the first span
    EXPECT_EQ(partition.Frequence(3, 1), 1); // the key at 7
    EXPECT_EQ(partition.Frequence(4, 0), 0);

    const std::vector<int32_t> groupe = {2, 3, 6, 9};
    EXPECT_EQ(partition.FrequenceGroupe(groupe, 0), 3);
    EXPECT_EQ(partition.FrequenceGroupe(groupe, 1), 1);
    EXPECT_EQ(partition.CompteDansSpan(groupe.data(), 4, 0), 2);
    EXPECT_EQ(partition.CompteDansSpan(groupe.data(), 4, 3), 0);
    partition.PremierIndexParSpan(groupe.data(), 4);
    EXPECT_EQ(spans[0].libre, 0);
    EXPECT_EQ(spans[1].libre, 2);
    EXPECT_EQ(spans[2].libre, 3);
    EXPECT_EQ(spans[3].libre, 4);

    EXPECT_TRUE(partition.Reference(0) && partition.Reference(1));
    EXPECT_FALSE(partition.Selection(0) || partition.Selection(1));
    EXPECT_EQ(partition.CouleurPartie(1), CouleurRGB(0, 0, 255));
    EXPECT_EQ(partition.FreqMin(), 10);
    EXPECT_EQ(partition.Seuil(), 5);
    partition.SetSelection(1, true);
    partition.SetReference(0, false);
    partition.SetSelection(7, true);
    EXPECT_EQ(partition.DrapeauxSelection()[1], 1);
    EXPECT_EQ(partition.DrapeauxReference()[0], 0);

    // A segment entry: positions 2 and 9 (both in part x).
    const SegmentsDonnes segment({{0, 1}}, {{2, 9}});
    base.AssigneSR(&segment);
    EXPECT_EQ(partition.Frequence(base.Nbart() + 1, 0), 2);
    EXPECT_EQ(partition.Frequence(base.Nbart() + 1, 1), 0);
}

TEST(Partition, MotsAvantLaPremiereCleEtCleAbsente) {
    DossierTemporaire dossier;
    SegmenteBase("u u <a=y> v <a=x> w\n");
    charg1 base;
    ASSERT_EQ(base.ChargeBase("corpus.par"), 0);
    const int32_t a = base.Nbform() + base.Nbartponct();
    Partition partition(&base, a);
    ASSERT_EQ(partition.NbParties(), 2);
    EXPECT_EQ(base.RetourneGraphie(partition.Contenu(0), false), "x");
    EXPECT_EQ(partition.NbOccPartie(1), 3); // u u before the first key, then v
    EXPECT_EQ(partition.Frequence(base.LocFormDic("u"), 1), 2);
    EXPECT_EQ(partition.NbOccPartie(0), 1);

    Partition sansCle(&base, 0);
    EXPECT_EQ(sansCle.NbParties(), 0);
    EXPECT_EQ(sansCle.NbSpans(), 0);
    EXPECT_EQ(sansCle.Spans().back().debut, base.Nbitem());
    EXPECT_EQ(sansCle.PartieDePosition(0), -1);
    EXPECT_EQ(sansCle.Frequence(0, 0), 0);
}

// The sparse table holds exactly the non-zero cells of the dense table, and the characteristics of
// each part agree with it.
TEST(Partition, TableCreuseEgaleALaTableDense) {
    std::mt19937 alea(99);
    const char* const mots[] = {"le", "la", "chat", "chien", "de", "et", "un", "mur", "ou", "si"};
    for (int essai = 0; essai < 3; ++essai) {
        DossierTemporaire dossier;
        std::string texte;
        std::uniform_int_distribution<int> mot(0, 9), partie(0, 40 + 100 * essai), cle(0, 12);
        for (int i = 0; i < 3000; ++i) {
            if (cle(alea) == 0) texte += "<p=" + std::to_string(partie(alea)) + "> ";
            if (cle(alea) == 1) texte += "<q=z> ";
            texte += mots[mot(alea) % (mot(alea) + 1)];
            texte += i % 17 == 0 ? ".\n" : " ";
        }
        SegmenteBase(texte);
        charg1 base;
        ASSERT_EQ(base.ChargeBase("corpus.par"), 0);
        const int32_t p = base.Nbform() + base.Nbartponct();
        ASSERT_EQ(base.RetourneGraphie(p, false), "p");
        Partition partition(&base, p);
        const auto dense = TableDense(base, p, partition.Contenus());
        int32_t cellules = 0;
        for (int32_t f = 0; f < base.Nbform(); ++f)
            cellules += static_cast<int32_t>(partition.CellulesForme(f).size());
        EXPECT_EQ(cellules, static_cast<int32_t>(dense.size()));
        for (int32_t j = 0; j < partition.NbParties(); ++j) {
            int32_t occ = 0, formes = 0, hapax = 0, fmax = 0, formeMax = 0;
            for (int32_t f = 0; f < base.Nbform(); ++f) {
                const auto c = dense.find({f, j});
                const int32_t n = c == dense.end() ? 0 : c->second;
                ASSERT_EQ(partition.Frequence(f, j), n) << f << " " << j;
                occ += n;
                formes += n > 0;
                hapax += n == 1;
                if (n > fmax) fmax = n, formeMax = f;
            }
            EXPECT_EQ(partition.NbOccPartie(j), occ);
            EXPECT_EQ(partition.NbFormesPartie(j), formes);
            EXPECT_EQ(partition.NbHapaxPartie(j), hapax);
            EXPECT_EQ(partition.FmaxPartie(j), fmax);
            EXPECT_EQ(partition.FormeMaxPartie(j), formeMax);
        }
        for (int32_t i = 0; i < base.Nbitem(); i += 7) {
            const int32_t j = partition.PartieDePosition(i);
            ASSERT_GE(j, 0);
            int32_t derniere = -1;
            for (int32_t q = i; q >= 0 && derniere < 0; --q)
                if (base.Tnum(q) == p && q + 1 < i) derniere = q;
            if (derniere >= 0) {
                EXPECT_EQ(partition.Contenu(j), base.Tnum(derniere + 1)) << i;
            }
        }
    }
}

TEST(Section, SectionsApresChaqueDelimiteur) {
    DossierTemporaire dossier;
    SegmenteBase("a b. c d? e. f\n");
    charg1 base;
    ASSERT_EQ(base.ChargeBase("corpus.par"), 0);
    // a b . c d ? e . f LB: positions 0 to 9.
    const int32_t point = base.Nbform() + (base.RetourneGraphie(base.Nbform(), false) == "." ? 0 : 1);
    const int32_t interrogation = point == base.Nbform() ? point + 1 : base.Nbform();
    ASSERT_EQ(base.RetourneGraphie(point, false), ".");
    ASSERT_EQ(base.RetourneGraphie(interrogation, false), "?");
    Section sections(&base, std::vector<int32_t>{point, interrogation});
    EXPECT_EQ(sections.NbSections(), 3);
    EXPECT_EQ(sections.Debuts(), (std::vector<int32_t>{3, 6, 8, 10}));
    EXPECT_EQ(sections.Debut(3), 10);
    EXPECT_EQ(sections.Debut(4), -1);
    EXPECT_EQ(sections.OccurrencesSection(0), 2); // c d
    EXPECT_EQ(sections.OccurrencesSection(2), 1); // f
    EXPECT_EQ(sections.OccurrencesSection(3), 0);
    EXPECT_EQ(sections.FrequenceSection(point, 1), 1);
    EXPECT_EQ(sections.FrequenceSection(interrogation, 1), 0);
    EXPECT_EQ(sections.FrequenceSection(base.LocFormDic("a"), 0), 0); // before the first delimiter
    const std::vector<int32_t> groupe = {0, 4, 5, 9};
    EXPECT_EQ(sections.CompteDansSection(groupe, 0), 2);
    EXPECT_EQ(sections.CompteDansSection(groupe, 2), 1);
    EXPECT_EQ(sections.CompteDansSection(groupe, 3), 0);

    Section doublon(&base, std::vector<int32_t>{point, point});
    EXPECT_EQ(doublon.NbSections(), 2);
}

TEST(Corpus, UnePartitionParTypeUneSectionParListe) {
    DossierTemporaire dossier;
    SegmenteBase("<a=x> u. v <b=y> w? <a=x> u\n");
    charg1 base;
    ASSERT_EQ(base.ChargeBase("corpus.par"), 0);
    const int32_t a = base.Nbform() + base.Nbartponct();
    Corpus corpus;
    EXPECT_EQ(corpus.ChargeurCourant(), nullptr);
    corpus.AjouteChargeur(&base);
    EXPECT_EQ(corpus.ChargeurCourant(), &base);
    EXPECT_EQ(corpus.Chargeur(1), nullptr);

    auto premiere = std::make_unique<Partition>(&base, a);
    Partition* tenue = premiere.get();
    EXPECT_TRUE(corpus.AjoutePartition(premiere));
    EXPECT_EQ(premiere, nullptr);
    auto seconde = std::make_unique<Partition>(&base, a);
    EXPECT_FALSE(corpus.AjoutePartition(seconde));
    EXPECT_NE(seconde, nullptr);
    EXPECT_EQ(corpus.NbPartitions(), 1);
    EXPECT_EQ(corpus.IndexPartition(seconde.get()), 0);
    auto autre = std::make_unique<Partition>(&base, a + 1);
    EXPECT_EQ(corpus.IndexPartition(autre.get()), -1);
    EXPECT_TRUE(corpus.AjoutePartition(autre));
    EXPECT_EQ(corpus.PartitionNo(0), tenue);
    EXPECT_EQ(corpus.InfoDePartition(0)->GetPartition(), tenue);
    EXPECT_EQ(corpus.InfoDePartition(2), nullptr);

    const int32_t p1 = base.Nbform(), p2 = base.Nbform() + 1;
    auto s12 = std::make_unique<Section>(&base, std::vector<int32_t>{p1, p2});
    auto s12bis = std::make_unique<Section>(&base, std::vector<int32_t>{p1, p2});
    auto s21 = std::make_unique<Section>(&base, std::vector<int32_t>{p2, p1});
    EXPECT_TRUE(corpus.AjouteSection(s12));
    EXPECT_FALSE(corpus.AjouteSection(s12bis));
    EXPECT_EQ(corpus.IndexSection(s12bis.get()), 0);
    EXPECT_EQ(corpus.IndexSection(s21.get()), -1);
    EXPECT_TRUE(corpus.AjouteSection(s21));
    EXPECT_EQ(corpus.NbSections(), 2);

    // Another base open beside it has partitions and sections of its own by the same numbers.
    SegmenteBase("<a=x> u. v <b=y> w? <a=x> u\n", "autre");
    charg1 autreBase;
    ASSERT_EQ(autreBase.ChargeBase("autre.par"), 0);
    corpus.AjouteChargeur(&autreBase);
    auto memeType = std::make_unique<Partition>(&autreBase, a);
    EXPECT_EQ(corpus.IndexPartition(memeType.get()), -1);
    EXPECT_TRUE(corpus.AjoutePartition(memeType));
    auto memesDelimiteurs = std::make_unique<Section>(&autreBase, std::vector<int32_t>{p1, p2});
    EXPECT_TRUE(corpus.AjouteSection(memesDelimiteurs));
    EXPECT_EQ(corpus.SectionNo(1)->Delimiteurs(), (std::vector<int32_t>{p2, p1}));
}
