// The exchange file "coran.don" byte for byte on a small base of three parts, the column flags of four
// parts, the repeated segments written after the control line, and NI following FreqMin.
#include "afc/ExportAFC.h"

#include "afc/LectureCoranDon.h"
#include "corpus/Partition.h"
#include "stats/BaseDeTest.h"

#include <gtest/gtest.h>

using t3::ParamAFC;
using t3::Partition;
using t3test::BaseDeTest;

namespace {

// x 3, 1, 1; y 1, 2, 0; a 25-letter word 1, 1, 0; z 0, 1, 1 over the authors a, b, c.
std::string TexteTroisParties() {
    return "<auteur=a>\nx x x y anticonstitutionnellement\n"
           "<auteur=b>\nx y y anticonstitutionnellement z\n"
           "<auteur=c>\nx z\n";
}

int32_t Cle(BaseDeTest& b) {
    return b.Entree("auteur");
}

} // namespace

TEST(ExportAFC, TroisPartiesOctetParOctet) {
    BaseDeTest b(TexteTroisParties());
    ASSERT_TRUE(b.Prete());
    const Partition partition(&b.Base(), Cle(b));
    const ParamAFC param = t3::ParamAFCInitiaux(partition, 2, false);
    EXPECT_EQ(param.ni, 4);
    EXPECT_EQ(param.nj, 3);
    EXPECT_EQ(param.nf, 2);
    const auto texte = t3::TexteCoranDon(partition, param);
    ASSERT_TRUE(texte) << texte.Message();
    EXPECT_EQ(*texte, b.Base().NomBase() + " : auteur\r\n"
                                           "   4   3   5   1   0\r\n"
                                           "   0   1   2\r\n"
                                           "111\r\n"
                                           "(6x,5A4,3F5.0)\r\n"
                                           "    0 x                       3    1    1\r\n"
                                           "    1 y                       1    2    0\r\n"
                                           "    2 anticonstitutionnell    1    1    0\r\n"
                                           "    3 z                       0    1    1\r\n"
                                           "   2   0   0   4 150   0   0\r\n");
    // The first two parts only.
    ParamAFC deux = param;
    deux.nbColonnes = deux.nj = 2;
    deux.nf = 1;
    EXPECT_EQ(t3::TexteCoranDon(partition, deux)->substr(texte->find("\r\n") + 2),
              "   4   2   5   1   0\r\n   0   1\r\n11\r\n(6x,5A4,2F5.0)\r\n"
              "    0 x                       3    1\r\n"
              "    1 y                       1    2\r\n"
              "    2 anticonstitutionnell    1    1\r\n"
              "    3 z                       0    1\r\n"
              "   1   0   0   4 150   0   0\r\n");
    // FreqMin 3 keeps x and y only; the analysis program reads back what was written.
    const ParamAFC trois = t3::ParamAFCInitiaux(partition, 3, false);
    EXPECT_EQ(trois.ni, 2);
    const auto relu = t3::LitTexteCoranDon(*t3::TexteCoranDon(partition, trois));
    ASSERT_TRUE(relu) << relu.Message();
    EXPECT_EQ(relu->nbLignes, 2);
    EXPECT_EQ(relu->nbColonnes, 3);
    EXPECT_EQ(relu->cellules.size(), 5u);
}

TEST(ExportAFC, DrapeauxDesColonnesEtNIRefuse) {
    BaseDeTest b("<auteur=a>\nx y\n<auteur=b>\nx\n<auteur=c>\ny\n<auteur=d>\nx x\n");
    ASSERT_TRUE(b.Prete());
    Partition partition(&b.Base(), Cle(b));
    ASSERT_EQ(partition.NbParties(), 4);
    for (int32_t i = 0; i < 4; ++i)
        partition.SetReference(i, i == 0 || i == 2);
    ParamAFC param = t3::ParamAFCInitiaux(partition, 1, true);
    EXPECT_NE(t3::TexteCoranDon(partition, param)->find("\r\n1212\r\n(6x,5A4,4F5.0)\r\n"), std::string::npos);
    param.drapeauxColonnes = false;
    EXPECT_NE(t3::TexteCoranDon(partition, param)->find("\r\n1111\r\n"), std::string::npos);
    // NI beyond the forms of the base: refused, nothing written.
    param.ni = b.Base().Nbform() + 1;
    EXPECT_FALSE(t3::TexteCoranDon(partition, param));
    param.ni = -1;
    EXPECT_FALSE(t3::TexteCoranDon(partition, param));
}

// The segments at least as frequent as FreqMin get a row after the control line (not the rarer ones),
// numbered as segment entries, labelled by their forms cut to 20 characters, counted by part.
TEST(ExportAFC, SegmentsAuMoinsAussiFrequentsQueFreqMin) {
    BaseDeTest b(TexteTroisParties());
    ASSERT_TRUE(b.Prete());
    t3::charg1& base = b.Base();
    const int32_t x = b.Entree("x"), y = b.Entree("y");
    const std::vector<int32_t> px = base.LocOccFor(x), py = base.LocOccFor(y);
    // Segment 0 "x y" at the first x of each part (3 occurrences); segment 1 "y x" once.
    t3test::SegmentsDonnes segments({{x, y}, {y, x}}, {{px[0], px[3], px[4]}, {py[0]}});
    base.AssigneSR(&segments);
    const Partition partition(&base, Cle(b));
    const auto texte = t3::TexteCoranDon(partition, t3::ParamAFCInitiaux(partition, 2, false));
    base.AssigneSR(nullptr);
    ASSERT_TRUE(texte);
    const std::string controle = "   2   0   0   4 150   0   0\r\n";
    const size_t fin = texte->find(controle);
    ASSERT_NE(fin, std::string::npos);
    char numero[16];
    std::snprintf(numero, sizeof numero, "%5d ", base.Nbart() + 1);
    EXPECT_EQ(texte->substr(fin + controle.size()),
              std::string(numero) + "x y                     1    1    1\r\n");
}

TEST(ExportAFC, EcritDansLeDossier) {
    BaseDeTest b(TexteTroisParties());
    ASSERT_TRUE(b.Prete());
    const Partition partition(&b.Base(), Cle(b));
    const auto param = t3::ParamAFCInitiaux(partition, 2, false);
    const std::string dossier = b.Dossier().Chemin().string();
    ASSERT_TRUE(t3::EcritCoranDon(dossier, partition, param));
    EXPECT_EQ(t3test::LitFichier(b.Dossier().Chemin() / "coran.don"), *t3::TexteCoranDon(partition, param));
    const auto refuse = t3::EcritCoranDon(dossier + "/absent", partition, param);
    EXPECT_FALSE(refuse);
    EXPECT_NE(refuse.Message().find("coran.don"), std::string::npos);
}
