// t3 sections, run as the user runs it, on a base small enough to count by hand.
#include "AideTests.h"

#include <gtest/gtest.h>

using t3test::DossierTemporaire;
using t3test::SortieT3;

namespace {

constexpr auto T3 = t3test::ExecuteT3APart;

// Sections start at 2, 8, 10, 16 and 18 (the line break alone); 9 form tokens, "mot" 4 times, 3 of them
// in section 2. The spans of a begin at 4 (x) and 12 (y): section 2 begins before the second.
class CmdSections : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(t3test::SegmenteDans(
            "base", "intro . <a=x> un mot deux . trois ! <a=y> mot mot mot . quatre .\n"));
    }
    DossierTemporaire m_dossier;
};

} // namespace

// In section 2, P(f = 3) = C(4,3) C(5,0) / C(9,3) = 4 / 84 and nothing above: coefficient 2; in
// section 0, P(f = 1) = 40 / 84 is not specific.
TEST_F(CmdSections, SectionsGroupePartitionEtSpecificites) {
    const SortieT3 r = T3("sections base/corpus.par '--delimiteurs=.!' --groupe=mot --partition=a");
    EXPECT_EQ(r.statut, 0) << r.erreurs;
    EXPECT_EQ(
        r.sortie,
        "Section\tDébut\tOccurrences\tGroupe\tCoefficient\tPartie\n"
        "0\t2\t3\t1\t0\tx\n1\t8\t1\t0\t0\tx\n2\t10\t3\t3\t2\tx\n3\t16\t1\t0\t0\ty\n4\t18\t0\t0\t0\ty\n");
    const SortieT3 seules = T3("sections base/corpus.par --delimiteurs=!");
    EXPECT_EQ(seules.sortie, "Section\tDébut\tOccurrences\n0\t10\t4\n");

    const SortieT3 s = T3("sections base/corpus.par '--delimiteurs=.!' --specifs=2 --fmin=1");
    EXPECT_EQ(s.statut, 0) << s.erreurs;
    EXPECT_EQ(s.sortie, "Terme\tFrq Tot.\tFrq Sections\tSpécif\nmot\t4\t3\t2\n");
}

TEST_F(CmdSections, MessagesDErreur) {
    struct Cas {
        const char* arguments;
        const char* message;
    };
    const Cas cas[] = {
        {"sections", "il manque la base (fichier .par)."},
        {"sections base/corpus.par", "il manque les délimiteurs des sections (--delimiteurs=.?!)."},
        {"sections base/corpus.par --delimiteurs=.? ",
         "le délimiteur « ? » n'est pas un signe de ponctuation de la base ; signes : ! .."},
        {"sections base/corpus.par --delimiteurs=. --specifs=1,x", "numéro de section incorrect : x"},
        {"sections base/corpus.par --delimiteurs=! --specifs=1",
         "la section 1 n'existe pas ; les sections vont de 0 à 0."},
        {"sections base/corpus.par --delimiteurs=. --groupe=mot,chèvre",
         "la forme « chèvre » n'existe pas dans la base."},
        {"sections base/corpus.par --delimiteurs=. --partition=b",
         "le type de clé « b » n'existe pas dans la base ; types de clés : a."},
        {"sections base/corpus.par --delimiteurs=. --seuil=10",
         "--seuil et --fmin ne vont qu'avec --specifs."},
        {"sections base/corpus.par --delimiteurs=. --specifs=1 --groupe=mot",
         "--specifs ne va ni avec --groupe ni avec --partition."},
        {"sections base/corpus.par --delimiteurs=. autre", "argument inattendu : autre"},
    };
    for (const Cas& c : cas) {
        const SortieT3 r = T3(c.arguments);
        EXPECT_EQ(r.statut, 2) << c.arguments;
        EXPECT_EQ(r.erreurs.rfind(std::string("t3 : ") + c.message + "\n", 0), 0u) << c.arguments << "\n"
                                                                                   << r.erreurs;
        EXPECT_EQ(r.sortie, "") << c.arguments;
    }
}
